#include "app/game_directory.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/files.h"
#include "platform/platform.h"
#include "storage/archive.h"

namespace vx {

namespace {

namespace fs = std::filesystem;

constexpr char kMainArchive[] = "_data.loc";
constexpr char kInstalledData[] = "../share/vexorbia";

bool IsFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// The absolute, tidied form of a path that exists (or the plain absolute form when it
// cannot be resolved).
std::string Tidy(const fs::path& p) {
  std::error_code ec;
  fs::path resolved = fs::weakly_canonical(fs::absolute(p, ec), ec);
  if (ec) resolved = fs::absolute(p, ec).lexically_normal();
  std::string text = resolved.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// "$XDG_DATA_HOME/vexorbia" when that is an absolute path (the standard ignores any other),
// else "~/.local/share/vexorbia"; empty when no home is known.
std::string DataDirectory(const char* xdgDataHome, const char* home, const char* accountHome) {
  if (xdgDataHome && xdgDataHome[0] == '/') return Tidy(fs::path(xdgDataHome) / "vexorbia");
  const char* base = home && home[0] == '/' ? home : accountHome;
  if (!base || base[0] != '/') return {};
  return Tidy(fs::path(base) / ".local/share/vexorbia");
}

// A stage file's name in an archive, "edit\stage<digits>.txt": the only members copied out
// as files, so no member name can lead a copy elsewhere.
bool IsStageMember(const std::string& name) {
  static constexpr char kPrefix[] = "edit\\stage";
  static constexpr char kSuffix[] = ".txt";
  const std::size_t prefix = sizeof kPrefix - 1, suffix = sizeof kSuffix - 1;
  if (name.size() <= prefix + suffix || name.compare(0, prefix, kPrefix) != 0 ||
      name.compare(name.size() - suffix, suffix, kSuffix) != 0)
    return false;
  for (std::size_t i = prefix; i < name.size() - suffix; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

// Copies the installed stage files the data directory lacks; the copies can be written, as
// the editor and the damaged-file repair need.
void CopyInstalledStages(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(from, ec)) {
    if (!e.is_regular_file(ec)) continue;
    const fs::path target = to / e.path().filename();
    if (fs::exists(target, ec)) continue;
    if (fs::copy_file(e.path(), target, ec))
      platform::files::SetNormalAttributes(target.string().c_str());
  }
}

// Takes the stage files the data directory lacks out of the installed "_data*.loc" archives.
void ExtractStages(const fs::path& resources, const fs::path& dir) {
  std::error_code ec;
  std::vector<fs::path> archives;
  for (const fs::directory_entry& e : fs::directory_iterator(resources, ec)) {
    const std::string name = e.path().filename().string();
    if (name.starts_with("_data") && name.ends_with(".loc") && e.is_regular_file(ec))
      archives.push_back(e.path());
  }
  for (const fs::path& archive : archives) {
    std::vector<ArchiveEntry> entries;
    ListArchive(archive.string().c_str(), &entries);
    for (const ArchiveEntry& entry : entries) {
      if (!IsStageMember(entry.name)) continue;
      const fs::path target = dir / platform::files::NativePath(entry.name);
      if (fs::exists(target, ec)) continue;
      std::string member = entry.name;
      unlocksingle(archive.string().c_str(), member.data(), target.string().c_str());
    }
  }
}

}  // namespace

bool DirectoryWritable(const std::string& dir) {
  return ::access(dir.c_str(), W_OK) == 0;
}

GameDirectories ChooseGameDirectories(const std::string& executableDir, const char* xdgDataHome,
                                      const char* home, const char* accountHome,
                                      WritableTest writable) {
  GameDirectories d;
  const fs::path exe = Tidy(executableDir);
  const fs::path installed = exe / kInstalledData;
  if (IsFile(exe / kMainArchive) && writable(exe.string())) {
    d.work = exe.string();
    return d;
  }
  if (IsFile(exe / kMainArchive))
    d.resources = exe.string();
  else if (IsFile(installed / kMainArchive))
    d.resources = Tidy(installed);
  if (d.resources.empty()) {
    // No archives anywhere: run where the executable is, which reports what is missing.
    d.work = exe.string();
    return d;
  }
  d.work = DataDirectory(xdgDataHome, home, accountHome);
  d.dataDirectory = true;
  if (d.work.empty()) d.problem = "No home directory is known for the player's files.";
  return d;
}

bool PrepareDataDirectory(const std::string& dir, const std::string& resources,
                          std::string* problem) {
  std::error_code ec;
  const fs::path root(dir);
  fs::create_directories(root, ec);
  if (!fs::is_directory(root, ec) || !DirectoryWritable(dir)) {
    *problem = "Cannot make the folder for the player's files: " + dir;
    return false;
  }
  // The scratch directories BUN/k/k .. BUN/t/t the music is extracted into.
  for (char a = 'k'; a <= 't'; ++a)
    for (char b = 'k'; b <= 't'; ++b)
      fs::create_directories(root / "BUN" / std::string(1, a) / std::string(1, b), ec);
  fs::create_directories(root / "edit", ec);
  const fs::path installedStages = fs::path(resources) / "edit";
  if (fs::is_directory(installedStages, ec))
    CopyInstalledStages(installedStages, root / "edit");
  else
    ExtractStages(resources, root);
  return true;
}

bool EnterGameDirectories(const std::string& executableDir) {
  // HOME is what every session sets; the account's own home stands in when it is missing.
  const passwd* account = ::getpwuid(::getuid());
  const char* accountHome = account ? account->pw_dir : nullptr;
  GameDirectories d = ChooseGameDirectories(executableDir, std::getenv("XDG_DATA_HOME"),
                                            std::getenv("HOME"), accountHome);
  std::string problem = d.problem;
  if (problem.empty() && d.dataDirectory) PrepareDataDirectory(d.work, d.resources, &problem);
  std::error_code ec;
  if (problem.empty()) {
    fs::current_path(d.work, ec);
    if (ec) problem = "Cannot enter " + d.work + ": " + ec.message();
  }
  if (!problem.empty()) {
    platform::ShowMessage(problem.c_str(), "Game Exiting");
    return false;
  }
  archiveReader.resourceDirectory = d.resources;
  return true;
}

}  // namespace vx
