// The stage bot: plays one stage through the real game code on the headless backends, at a
// fixed frame step, aiming as a patient player would. Before each shot it tries every launcher
// angle in turn: the game's own aim path and the shooter's landing rule say where the ball
// would settle, and the game's own link resolution, run on the field and put back at once,
// says what would break and fall. It turns the launcher there with the mouse and fires with
// the fire key, as a player does.
#pragma once
#include <string>
#include <vector>

namespace vx::bot {

struct BotOptions {
  float frameStep = 3.333333f;    // frame-step units a frame: 60 frames a second
  double thinkSeconds = 0.5;      // pause before each shot, plus up to half as much again
  double timeLimitSeconds = 600;  // game time (the stage clock) after which a run gives up
  float angleStep = 0.5f;         // degrees between the angles tried
  double noise = 0.1;             // spread of the random term added to each landing's score
  bool trace = false;             // print each shot's choice to stderr
};

enum class Outcome {
  Cleared,       // no colour ball left: the stage clear screen opened
  LostInvasion,  // the try-lost menu opened after an invasion
  LostEnergy,    // the try-lost menu opened because bomb blasts used up the energy
  Timeout,       // the time limit passed first
  NotStarted,    // the stage never reached play (it could not be loaded)
};
const char* OutcomeName(Outcome outcome);

struct RunResult {
  int stage = 0;  // 0-based stage number within its set
  int set = 0;
  unsigned seed = 0;
  Outcome outcome = Outcome::NotStarted;
  int shots = 0;
  int ticks = 0;  // the stage clock at the end, 1/60 s
  // Shots whose landing place the bot foresaw with the field unchanged until the shot left,
  // and how many of those the shooter placed elsewhere (the bot's foresight being wrong).
  int checkedShots = 0;
  int mispredictedShots = 0;
  int bombsShot = 0;  // bombs the bot aimed at and took out
};

// Starts the game on the installed backends (keyboard and mouse must be the headless ones)
// in the current directory, which holds the game's archives and stage files, and runs its
// first frame. False when the game cannot start.
bool StartGame();

// Plays stage `stage` (0-based, within the set) of stage set `set` from its start with 4 tries
// and full energy, the game's generator started as srand(seed) starts the C library's. Best times
// are not written.
RunResult PlayStage(int stage, int set, unsigned seed, const BotOptions& options);

// ---- Figures over many runs ----

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);
// Spearman's rank correlation of two equally long series, ties ranked by their mean rank;
// 0 when either series is constant or shorter than two.
double SpearmanRank(const std::vector<double>& a, const std::vector<double>& b);

}  // namespace vx::bot
