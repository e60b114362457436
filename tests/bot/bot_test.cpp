// The stage bot through the real game: it clears the first stage of the first world with
// every fixed seed tried, foreseeing each landing exactly as the shooter makes it, and it tells
// a lost stage and a stage it cannot finish from a cleared one.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "main/bot_play.h"
#include "persist/stage_files.h"
#include "storage/sealed.h"
#include "test_support.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using bot::BotOptions;
using bot::Outcome;
using bot::RunResult;

const fs::path kGame = VX_GAME_DIR;

// The game's archives and a copy of its stage files in a scratch working directory, with the
// scratch directories the start-up asks for; the game booted there.
class BotGame : public ::testing::Test {
 protected:
  void SetUp() override {
    test::InstallHeadless();
    for (const fs::directory_entry& e : fs::directory_iterator(kGame))
      if (e.path().extension() == ".loc") fs::create_symlink(e.path(), e.path().filename());
    fs::copy(kGame / "edit", "edit");
    for (char a = 'k'; a <= 't'; ++a)
      for (char b = 'k'; b <= 't'; ++b)
        fs::create_directories(fs::path("BUN") / std::string(1, a) / std::string(1, b));
    ASSERT_TRUE(bot::StartGame());
  }

  // Replaces stage file n by a plain stage text, sealed as the game keeps it.
  static void WriteStage(int n, const std::string& text) {
    char name[64];
    StageFileName(n, name, sizeof name);
    ASSERT_TRUE(WriteSealedText(name, text.data(), text.size()));
    DeleteSealTemporaries();
  }

  test::TempWorkDir dir_;
};

TEST_F(BotGame, ClearsTheFirstStageWithEverySeedAndForeseesEveryLanding) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const RunResult r = bot::PlayStage(0, 0, seed, BotOptions{});
    EXPECT_EQ(r.outcome, Outcome::Cleared) << bot::OutcomeName(r.outcome);
    EXPECT_GT(r.shots, 0);
    EXPECT_GT(r.ticks, 0);
    // The bot restates the shooter's landing rule; a shot on an unchanged field that settles
    // elsewhere means the two have parted.
    EXPECT_GT(r.checkedShots, r.shots / 2);
    EXPECT_EQ(r.mispredictedShots, 0);
  }
}

// Two stages no one can clear: rows of eight colours that break only in groups of nine under
// a pusher that comes down twice a second, and a lone ball walled in by blocks under a pusher
// that never comes.
TEST_F(BotGame, ReportsALostStageAndOneItCannotFinish) {
  std::string rows = "c9 w64 h64 p1>";
  for (int r = 0; r < 5; ++r)
    for (int k = 0; k < 15; ++k)
      rows += std::to_string(k * 64 + (r % 2) * 32) + " " + std::to_string(r * 64) + " " +
              std::to_string((k + 3 * r) % 8 + 1) + ",";
  rows += ".";
  const std::string walled =
      "c2 w64 h64 p999>448 0 1,0 0 2,64 0 2,384 0 115,512 0 115,416 64 115,480 64 115,.";
  struct Case {
    const char* name;
    std::string text;
    Outcome expected;
  };
  const Case cases[] = {
      {"invasion", rows, Outcome::LostInvasion},
      {"walled in", walled, Outcome::Timeout},
  };
  BotOptions options;
  options.timeLimitSeconds = 60;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteStage(2, c.text);
    const RunResult r = bot::PlayStage(1, 0, 7, options);
    EXPECT_EQ(r.outcome, c.expected) << bot::OutcomeName(r.outcome);
    EXPECT_GT(r.shots, 0);
    EXPECT_LE(r.ticks, 60 * 60 + 1);
  }
}

TEST(BotFigures, SpearmanRanksTiesByTheirMeanRank) {
  struct Case {
    std::vector<double> a, b;
    double expected;
  };
  const Case cases[] = {
      {{1, 2, 3, 4, 5}, {10, 20, 30, 40, 50}, 1.0},
      {{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}, -1.0},
      {{1, 2, 3, 4, 5}, {2, 1, 4, 3, 5}, 0.8},
      {{1, 2, 3, 4}, {7, 7, 8, 9}, 4.5 / std::sqrt(22.5)},
      {{1, 2, 3}, {4, 4, 4}, 0.0},
      {{1}, {2}, 0.0},
  };
  for (const Case& c : cases) EXPECT_NEAR(bot::SpearmanRank(c.a, c.b), c.expected, 1e-9);
  EXPECT_EQ(bot::Median({3, 1, 2}), 2.0);
  EXPECT_EQ(bot::Median({4, 1, 3, 2}), 2.5);
}

}  // namespace
}  // namespace vx
