// vexorbia-bot: plays stages headless through the real game code and prints how it fared.
//
//   vexorbia-bot --dir GAME_DIR [--files LIST] [--runs N] [--seed S] [--jobs N]
//                [--step UNITS] [--think SECONDS] [--limit SECONDS] [--runs-log FILE] [--trace]
//
// LIST names stage files as the game numbers them (stage + 1 + set x 5 x stages per world),
// e.g. "1-100" or "1,2,51"; every file of the basic and the second set by default. Each file
// is played N times (20 by default) with the seeds S, S + 1, ... (S is 1 by default). Every run
// is a process of its own, forked from one booted game, so a run's result depends only on its
// stage and seed; up to `--jobs` run at once. The game directory is never written: each
// worker plays in a scratch copy (links to the archives, its own stage files and player
// files).
//
// The table gives per stage file: the clear rate, the median shots and the median game time
// (the stage clock) of the cleared runs, and how the other runs ended; then per world of each
// set the mean clear rate, the mean of the median shots and the rank correlation between the
// stage's place in its world and its median shots.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "app/main_loop.h"
#include "core/game_state.h"
#include "main/bot_play.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_devices.h"
#include "platform/headless/headless_dialogs.h"
#include "platform/platform.h"

namespace fs = std::filesystem;
using vx::bot::Outcome;
using vx::bot::RunResult;

namespace {

struct Args {
  std::string dir;
  std::string files;
  int runs = 20;
  unsigned seed = 1;
  int jobs = 1;
  std::string runsLog;
  vx::bot::BotOptions options;
};

int Usage() {
  std::fprintf(
      stderr,
      "usage: vexorbia-bot --dir GAME_DIR [--files LIST] [--runs N] [--seed S] [--jobs N]\n"
      "                    [--step UNITS] [--think SECONDS] [--limit SECONDS]"
      " [--runs-log FILE] [--trace]\n");
  return 64;
}

bool ParseNumber(const char* text, double* out) {
  char* end = nullptr;
  *out = std::strtod(text, &end);
  return end != text && *end == '\0';
}

// "1-100", "3", "1,2,51-60": the file numbers in the order given, each once.
bool ParseFiles(const std::string& text, std::vector<int>* out) {
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t comma = text.find(',', at);
    if (comma == std::string::npos) comma = text.size();
    const std::string part = text.substr(at, comma - at);
    int a = 0, b = 0;
    char tail = 0;
    if (std::sscanf(part.c_str(), "%d-%d%c", &a, &b, &tail) == 2) {
    } else if (std::sscanf(part.c_str(), "%d%c", &a, &tail) == 1) {
      b = a;
    } else {
      return false;
    }
    if (a < 1 || b < a) return false;
    for (int n = a; n <= b; ++n)
      if (std::find(out->begin(), out->end(), n) == out->end()) out->push_back(n);
    at = comma + 1;
  }
  return !out->empty();
}

// A working directory that plays like the game directory without writing to it: the archives
// linked, the stage files copied, fresh scratch directories and no player files.
bool MakeWorkDir(const fs::path& game, const fs::path& work) {
  std::error_code ec;
  fs::create_directories(work / "edit", ec);
  if (ec) return false;
  for (const fs::directory_entry& e : fs::directory_iterator(game, ec)) {
    const std::string name = e.path().filename().string();
    if (e.path().extension() == ".loc") fs::create_symlink(fs::absolute(e.path()), work / name, ec);
    if (ec) return false;
  }
  for (const fs::directory_entry& e : fs::directory_iterator(game / "edit", ec)) {
    fs::copy_file(e.path(), work / "edit" / e.path().filename(), ec);
    if (ec) return false;
  }
  for (char a = 'k'; a <= 't'; ++a)
    for (char b = 'k'; b <= 't'; ++b)
      fs::create_directories(work / "BUN" / std::string(1, a) / std::string(1, b), ec);
  return !ec;
}

struct Job {
  int file;
  int set;
  int stage;
  unsigned seed;
};

struct Running {
  pid_t pid;
  int fd;
  Job job;
  int slot;
};

RunResult Crashed(const Job& j) {
  RunResult r;
  r.stage = j.stage;
  r.set = j.set;
  r.seed = j.seed;
  r.outcome = Outcome::NotStarted;
  r.shots = -1;
  return r;
}

double Seconds(int ticks) {
  return ticks / 60.0;
}

}  // namespace

int main(int argc, char** argv) {
  Args args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    double v = 0;
    auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* value = nullptr;
    if (a == "--dir" && (value = next())) {
      args.dir = value;
    } else if (a == "--files" && (value = next())) {
      args.files = value;
    } else if (a == "--trace") {
      args.options.trace = true;
    } else if (a == "--runs-log" && (value = next())) {
      args.runsLog = value;
    } else if ((value = next()) && ParseNumber(value, &v)) {
      if (a == "--runs" && v >= 1) {
        args.runs = static_cast<int>(v);
      } else if (a == "--seed" && v >= 0) {
        args.seed = static_cast<unsigned>(v);
      } else if (a == "--jobs" && v >= 1) {
        args.jobs = static_cast<int>(v);
      } else if (a == "--step" && v > 0 && v <= 20) {
        args.options.frameStep = static_cast<float>(v);
      } else if (a == "--think" && v >= 0) {
        args.options.thinkSeconds = v;
      } else if (a == "--limit" && v > 0) {
        args.options.timeLimitSeconds = v;
      } else {
        return Usage();
      }
    } else {
      return Usage();
    }
  }
  if (args.dir.empty()) return Usage();

  const auto wallStart = std::chrono::steady_clock::now();
  const fs::path game = fs::absolute(args.dir);
  char pattern[] = "/tmp/vexorbia-bot-XXXXXX";
  if (!mkdtemp(pattern)) {
    std::perror("vexorbia-bot: scratch directory");
    return 1;
  }
  const fs::path scratch = pattern;
  std::vector<fs::path> slots;
  for (int s = 0; s <= args.jobs; ++s) {
    slots.push_back(scratch / ("w" + std::to_string(s)));
    if (!MakeWorkDir(game, slots.back())) {
      std::fprintf(stderr, "vexorbia-bot: cannot prepare a copy of %s\n", game.c_str());
      return 1;
    }
  }

  using namespace vx::platform;
  static HeadlessWindow window;
  static HeadlessClock clock;
  static HeadlessKeyboard keyboard;
  static HeadlessMouse mouse;
  static HeadlessDialogs dialogs;
  static HeadlessGpu gpu;
  static HeadlessSoundDevice sound;
  static HeadlessMusicPlayer music;
  dialogs.echoToStderr = true;
  backend.window = &window;
  backend.clock = &clock;
  backend.keyboard = &keyboard;
  backend.mouse = &mouse;
  backend.dialogs = &dialogs;
  backend.gpu = &gpu;
  backend.sound = &sound;
  backend.music = &music;

  // Slot 0 boots the game; the workers are forked from it.
  fs::current_path(slots[0]);
  if (!vx::bot::StartGame()) {
    std::fprintf(stderr, "vexorbia-bot: the game could not start in a copy of %s\n", game.c_str());
    return 1;
  }
  const int perSet = 5 * std::max(1, vx::flow.stagesPerWorld);
  const int perWorld = std::max(1, vx::flow.stagesPerWorld);
  std::vector<int> files;
  if (args.files.empty()) {
    for (int n = 1; n <= 2 * perSet; ++n) files.push_back(n);
  } else if (!ParseFiles(args.files, &files)) {
    return Usage();
  }

  std::vector<Job> jobs;
  for (int n : files)
    for (int r = 0; r < args.runs; ++r)
      jobs.push_back({n, (n - 1) / perSet, (n - 1) % perSet, args.seed + static_cast<unsigned>(r)});

  std::FILE* log = args.runsLog.empty() ? nullptr : std::fopen(args.runsLog.c_str(), "w");
  std::map<int, std::vector<RunResult>> byFile;
  std::vector<Running> running;
  std::vector<bool> slotBusy(slots.size(), false);
  std::size_t next = 0;
  std::fflush(stdout);
  std::fflush(stderr);
  while (next < jobs.size() || !running.empty()) {
    while (next < jobs.size() && static_cast<int>(running.size()) < args.jobs) {
      int slot = 1;
      while (slotBusy[static_cast<std::size_t>(slot)]) ++slot;
      const Job job = jobs[next++];
      int pipeFds[2];
      if (pipe(pipeFds) != 0) {
        std::perror("vexorbia-bot: pipe");
        return 1;
      }
      const pid_t pid = fork();
      if (pid < 0) {
        std::perror("vexorbia-bot: fork");
        return 1;
      }
      if (pid == 0) {
        close(pipeFds[0]);
        std::error_code ec;
        fs::current_path(slots[static_cast<std::size_t>(slot)], ec);
        const RunResult r = vx::bot::PlayStage(job.stage, job.set, job.seed, args.options);
        const ssize_t written = write(pipeFds[1], &r, sizeof r);
        _exit(written == static_cast<ssize_t>(sizeof r) ? 0 : 1);
      }
      close(pipeFds[1]);
      slotBusy[static_cast<std::size_t>(slot)] = true;
      running.push_back({pid, pipeFds[0], job, slot});
    }
    int status = 0;
    const pid_t done = wait(&status);
    if (done < 0) break;
    for (std::size_t k = 0; k < running.size(); ++k) {
      if (running[k].pid != done) continue;
      RunResult r;
      const ssize_t got = read(running[k].fd, &r, sizeof r);
      close(running[k].fd);
      const bool ok =
          got == static_cast<ssize_t>(sizeof r) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
      if (!ok) {
        std::fprintf(stderr, "vexorbia-bot: stage file %d seed %u: the run ended abnormally\n",
                     running[k].job.file, running[k].job.seed);
        r = Crashed(running[k].job);
      }
      if (log)
        std::fprintf(log, "%d %d %d %u %s %d %.2f %d %d %d\n", running[k].job.file, r.set, r.stage,
                     r.seed, vx::bot::OutcomeName(r.outcome), r.shots, Seconds(r.ticks),
                     r.checkedShots, r.mispredictedShots, r.bombsShot);
      if (log) std::fflush(log);
      byFile[running[k].job.file].push_back(r);
      slotBusy[static_cast<std::size_t>(running[k].slot)] = false;
      running.erase(running.begin() + static_cast<long>(k));
      break;
    }
  }
  if (log) std::fclose(log);

  // ---- The table ----
  struct StageRow {
    int file, set, world, stage;
    double clearRate, medianShots, medianSeconds;
    int cleared, invasion, energy, timeout, other;
  };
  std::vector<StageRow> rows;
  long checked = 0, mispredicted = 0, bombs = 0;
  std::printf("%-4s %-3s %-5s %6s %7s %8s  %s\n", "file", "set", "stage", "clear", "shots", "time",
              "lost: invasion/energy/timeout/other");
  for (const auto& [file, results] : byFile) {
    StageRow row{file,
                 (file - 1) / perSet,
                 (file - 1) % perSet / perWorld,
                 (file - 1) % perWorld,
                 0,
                 0,
                 0,
                 0,
                 0,
                 0,
                 0,
                 0};
    std::vector<double> shots, seconds;
    for (const RunResult& r : results) {
      checked += r.checkedShots;
      mispredicted += r.mispredictedShots;
      bombs += r.bombsShot;
      switch (r.outcome) {
        case Outcome::Cleared:
          ++row.cleared;
          shots.push_back(r.shots);
          seconds.push_back(Seconds(r.ticks));
          break;
        case Outcome::LostInvasion:
          ++row.invasion;
          break;
        case Outcome::LostEnergy:
          ++row.energy;
          break;
        case Outcome::Timeout:
          ++row.timeout;
          break;
        case Outcome::NotStarted:
          ++row.other;
          break;
      }
    }
    row.clearRate = 100.0 * row.cleared / static_cast<double>(results.size());
    row.medianShots = vx::bot::Median(shots);
    row.medianSeconds = vx::bot::Median(seconds);
    rows.push_back(row);
    char shotText[16] = "-", timeText[16] = "-";
    if (row.cleared > 0) {
      std::snprintf(shotText, sizeof shotText, "%.1f", row.medianShots);
      std::snprintf(timeText, sizeof timeText, "%d:%04.1f",
                    static_cast<int>(row.medianSeconds) / 60,
                    row.medianSeconds - 60 * (static_cast<int>(row.medianSeconds) / 60));
    }
    std::printf("%-4d %-3d %d-%-3d %5.0f%% %7s %8s  %d/%d/%d/%d\n", file, row.set + 1,
                row.world + 1, row.stage + 1, row.clearRate, shotText, timeText, row.invasion,
                row.energy, row.timeout, row.other);
  }

  std::printf("\n%-3s %-5s %7s %12s %9s\n", "set", "world", "clear", "mean shots", "spearman");
  for (int set = 0; set < 2; ++set) {
    double setClear = 0, setShots = 0;
    int setWorlds = 0;
    for (int world = 0; world < 5; ++world) {
      std::vector<double> place, shots;
      double clear = 0;
      int n = 0;
      for (const StageRow& row : rows) {
        if (row.set != set || row.world != world) continue;
        ++n;
        clear += row.clearRate;
        if (row.cleared > 0) {
          place.push_back(row.stage);
          shots.push_back(row.medianShots);
        }
      }
      if (n == 0) continue;
      double meanShots = 0;
      for (double s : shots) meanShots += s;
      meanShots = shots.empty() ? 0 : meanShots / static_cast<double>(shots.size());
      std::printf("%-3d %-5d %6.1f%% %12.1f %9.2f\n", set + 1, world + 1, clear / n, meanShots,
                  vx::bot::SpearmanRank(place, shots));
      setClear += clear / n;
      setShots += meanShots;
      ++setWorlds;
    }
    if (setWorlds > 0)
      std::printf("%-3d %-5s %6.1f%% %12.1f\n", set + 1, "all", setClear / setWorlds,
                  setShots / setWorlds);
  }

  rusage self{}, children{};
  getrusage(RUSAGE_SELF, &self);
  getrusage(RUSAGE_CHILDREN, &children);
  auto cpu = [](const rusage& u) {
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
  };
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  std::printf("\n%zu runs; foreseen landings checked %ld, missed %ld; bombs shot %ld\n",
              jobs.size(), checked, mispredicted, bombs);
  std::printf("wall %.1f s, cpu %.1f s\n", wall, cpu(self) + cpu(children));
  vx::GameTeardown();
  std::error_code ec;
  fs::current_path(game, ec);
  fs::remove_all(scratch, ec);
  return 0;
}
