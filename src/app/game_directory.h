// Where the game runs. It reads its archives, and keeps its player files (best times,
// settings, the display choice, saved games, edited stages) and its scratch files (the 100
// BUN directories, the extracted music, the sealed-file temporaries) in its working
// directory:
// - a game directory (the archives beside the executable, as the build makes it) that can be
//   written is the working directory, and everything stays there;
// - an installed game (the executable in PREFIX/bin, the archives in PREFIX/share/vexorbia),
//   or a game directory that cannot be written, reads its archives where they are and works
//   in the player's data directory, $XDG_DATA_HOME/vexorbia or ~/.local/share/vexorbia. The
//   first run makes it, with the scratch directories and the stage files (copied from the
//   installed ones, or taken out of the archives when none were installed); later runs add
//   whatever is missing and never overwrite the player's own.
#pragma once
#include <string>

namespace vx {

struct GameDirectories {
  std::string work;            // the working directory
  std::string resources;       // where the archives are when not in the working directory
  bool dataDirectory = false;  // work is the player's data directory, to be made ready
  std::string problem;         // why there is no place to work, when there is none
};

// Tells whether the game may write in a directory.
using WritableTest = bool (*)(const std::string& dir);
bool DirectoryWritable(const std::string& dir);

// Chooses the directories for an executable in `executableDir`, with the values of the
// environment variables XDG_DATA_HOME and HOME (null when unset) and the home directory of
// the user account (null when unknown) in case HOME is not set.
GameDirectories ChooseGameDirectories(const std::string& executableDir, const char* xdgDataHome,
                                      const char* home, const char* accountHome,
                                      WritableTest writable = DirectoryWritable);

// Makes the data directory `dir` ready: the directory, its 100 scratch directories, and the
// stage files it lacks from `resources` (its edit folder, or else the "edit\..." members of
// its "_data*.loc" archives). False, with the reason, when the directory cannot be made.
bool PrepareDataDirectory(const std::string& dir, const std::string& resources,
                          std::string* problem);

// Chooses the directories for the executable in `executableDir` from the real environment,
// prepares the data directory when it is used, enters the working directory and tells the
// archive reader where the archives are. False after a message saying why when there is no
// place the game can work in.
bool EnterGameDirectories(const std::string& executableDir);

}  // namespace vx
