// Saved games: one sealed file "saved%d.txt" per stage set, holding the stage number, the
// stage times of the world in progress, the world lock flags, the tries left and the best
// and last world times.
#pragma once

namespace vx {

inline constexpr int kResetBestWorldTime = 432000;  // two hours, after a progress reset

// Writes the saved game of the current stage set from the current values (keeping a damaged
// file's bytes as "saved%d.txt.damaged" first).
void WriteSavedGame();

// -1 when the current set has no saved game; otherwise the stage number in the file (the
// current one when the file has none, or is damaged). With adopt and a complete record every
// value is taken over. Values are held to what the game can use: a stage number outside the
// set's five worlds reads as the set's first stage (0), tries as 0 .. kMostTriesShown. A
// damaged file is read as nothing: no value changes.
int ReadSavedGame(bool adopt);

// Like ReadSavedGame without adopting the stage number, stage times or tries; the world
// lock flags and the world times found are taken over whether the record is complete or not
// (but nothing of a damaged file).
int PeekSavedGame();

// Clears the last world times and/or puts the best ones at two hours; through the saved
// game, the saved game is read first and written back pointing at the set's first stage
// with 4 tries. Does nothing when neither of the first two is asked for.
void ResetProgress(bool clearLastTimes, bool resetBestTimes, bool throughSavedGame);

// The saved game's file name for a stage set.
void SavedGameName(int stageSet, char* out, int capacity);

// The plain text WriteSavedGame seals. Returns its length.
int FormatSavedGame(char* out, int capacity);

}  // namespace vx
