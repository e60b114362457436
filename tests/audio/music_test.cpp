// Music by game state on the recording player: which piece plays, when it starts over,
// where it is extracted from, its volume and the clean-up when the game closes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "audio/music.h"
#include "core/game_state.h"
#include "persist/settings.h"
#include "storage/archive.h"
#include "test_support.h"

namespace vx {
namespace {

using platform::MusicCall;

constexpr const char* kTitle = "mp3\\SCNStart\\m0.mp3";
constexpr const char* kInfo = "mp3\\SCNPlayInfo\\m1.mp3";
constexpr const char* kRetry = "mp3\\SCNRetry\\m0.mp3";
constexpr const char* kFin = "mp3\\SCNFin\\m1.mp3";

std::string Loop(int n) {
  return "mp3\\SCNPlay_SFXLoop\\ploop" + std::to_string(n) + ".mp3";
}

// Every piece's file holds its own name (and the archive it came from), so the test can
// tell which one the player opened.
std::string Content(const std::string& member, const char* archive) {
  return std::string(archive) + ":" + member;
}

void Pack(const char* archive, const std::vector<std::string>& members) {
  static int packs = 0;
  std::string dir = "music" + std::to_string(++packs);
  for (std::string m : members) {
    std::string content = Content(m, archive);
    for (char& c : m)
      if (c == '\\') c = '/';
    test::WriteFile(dir + "/" + m, content);
  }
  std::string error;
  ASSERT_TRUE(PackArchive(archive, dir.c_str(), &error)) << error;
}

std::vector<std::string> AllPieces() {
  std::vector<std::string> all = {kTitle, kInfo, kRetry, kFin};
  for (int n = 1; n <= 5; ++n) all.push_back(Loop(n));
  return all;
}

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig = &test::InstallHeadless();
    volumes = Volumes{};
    std::filesystem::create_directories("BUN/k/k");
    std::snprintf(app.musicScratchPath, sizeof app.musicScratchPath, "BUN\\k\\k\\ahae.mp3");
    Pack("_mp.loc", AllPieces());
  }
  platform::HeadlessMusicPlayer& player() { return rig->music; }
  int Opens() const {
    int n = 0;
    for (const auto& e : rig->music.events) n += e.call == MusicCall::Open;
    return n;
  }
  // The piece now sounding ("" when none).
  std::string Sounding() const { return rig->music.playing ? rig->music.openedBytes : ""; }

  test::TempWorkDir dir;
  test::HeadlessRig* rig = nullptr;
};

TEST_F(MusicTest, EachStatePlaysItsPieceOrKeepsTheOneBefore) {
  struct Case {
    int state;
    int stage;
    std::string piece;  // empty: the state keeps the piece of the state before it
  } cases[] = {
      {Title, 0, kTitle},   {Intro, 0, kTitle},      {Play, 0, Loop(1)},
      {Play, 99, Loop(1)},  {Play, 100, Loop(2)},    {Play, 250, Loop(3)},
      {Play, 499, Loop(5)}, {StageInfo, 3, kInfo},   {PauseMenuState, 3, kRetry},
      {Ending, 0, kFin},    {Settings, 0, ""},       {WorldSelect, 0, ""},
      {StageClear, 0, ""},  {SaveOfferState, 0, ""}, {Boot, 0, ""},
      {TitleLoad, 0, ""},   {StageLoad, 0, ""},      {12, 0, ""},
      {-7, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("state " + std::to_string(c.state) + " stage " + std::to_string(c.stage));
    rig = &test::InstallHeadless();
    std::snprintf(app.musicScratchPath, sizeof app.musicScratchPath, "BUN\\k\\k\\ahae.mp3");
    // Start from a piece no row expects, so every change shows.
    UpdateMusic(Ending, 0);
    ASSERT_EQ(Sounding(), Content(kFin, "_mp.loc"));
    if (c.state == Ending) UpdateMusic(Title, 0);
    std::string before = Sounding();
    std::size_t eventsBefore = player().events.size();

    UpdateMusic(c.state, c.stage);

    if (c.piece.empty()) {
      EXPECT_EQ(player().events.size(), eventsBefore);
      EXPECT_EQ(Sounding(), before);
    } else {
      EXPECT_EQ(Sounding(), Content(c.piece, "_mp.loc"));
      std::vector<MusicCall> calls = player().Calls();
      std::vector<MusicCall> tail(calls.begin() + long(eventsBefore), calls.end());
      EXPECT_EQ(tail, (std::vector<MusicCall>{MusicCall::Stop, MusicCall::Close, MusicCall::Open,
                                              MusicCall::Play, MusicCall::Volume}));
      EXPECT_EQ(player().events.back().volume, 1000);
      EXPECT_EQ(player().events[eventsBefore + 2].path, "BUN\\k\\k\\ahae.mp3");
    }
  }
}

TEST_F(MusicTest, TheSamePieceKeepsPlayingAcrossStates) {
  UpdateMusic(Title, 0);
  UpdateMusic(Intro, 0);
  UpdateMusic(Title, 0);
  UpdateMusic(Settings, 0);
  UpdateMusic(Title, 0);
  UpdateMusic(TitleLoad, 0);
  UpdateMusic(Title, 0);
  EXPECT_EQ(Opens(), 1);
  // Within one world the loop runs on from stage to stage while nothing else plays.
  UpdateMusic(Play, 0);
  UpdateMusic(Play, 1);
  UpdateMusic(StageClear, 1);
  UpdateMusic(Play, 2);
  EXPECT_EQ(Opens(), 2);
  EXPECT_EQ(Sounding(), Content(Loop(1), "_mp.loc"));
}

// Each stage passes through the information panel, so the world's loop starts over; so
// does the way back from the pause menu.
TEST_F(MusicTest, TheWorldLoopRestartsAfterThePanelAndThePause) {
  const std::vector<std::pair<int, int>> frames = {
      {StageLoad, 100},  {StageInfo, 100},      {Play, 100},      {Play, 100},
      {StageClear, 100}, {SaveOfferState, 101}, {StageLoad, 101}, {StageInfo, 101},
      {Play, 101},       {PauseMenuState, 101}, {Play, 101}};
  std::vector<std::string> started;
  for (auto [state, stage] : frames) {
    std::size_t before = player().events.size();
    UpdateMusic(state, stage);
    for (std::size_t i = before; i < player().events.size(); ++i)
      if (player().events[i].call == MusicCall::Play) started.push_back(player().openedBytes);
  }
  auto in = [](const std::string& m) { return Content(m, "_mp.loc"); };
  EXPECT_EQ(started, (std::vector<std::string>{in(kInfo), in(Loop(2)), in(kInfo), in(Loop(2)),
                                               in(kRetry), in(Loop(2))}));
}

TEST_F(MusicTest, ASetPlaysItsOwnLoopAndFallsBackToTheBasicArchive) {
  Pack("_mp2.loc", {Loop(1), kTitle});
  flow.stageSet = 2;
  UpdateMusic(Play, 0);
  EXPECT_EQ(Sounding(), Content(Loop(1), "_mp2.loc"));
  // Only the play loops come from the set's archive.
  UpdateMusic(Title, 0);
  EXPECT_EQ(Sounding(), Content(kTitle, "_mp.loc"));
  // A loop the set lacks comes from the basic archive, and so does everything when the set
  // has no music archive at all.
  UpdateMusic(Play, 100);
  EXPECT_EQ(Sounding(), Content(Loop(2), "_mp.loc"));
  flow.stageSet = 3;
  UpdateMusic(Play, 0);
  EXPECT_EQ(Sounding(), Content(Loop(1), "_mp.loc"));
  // The basic set never looks at a numbered archive.
  Pack("_mp0.loc", {Loop(3)});
  flow.stageSet = 0;
  UpdateMusic(Play, 200);
  EXPECT_EQ(Sounding(), Content(Loop(3), "_mp.loc"));
}

TEST_F(MusicTest, VolumeChangesApplyInTheSameFrame) {
  UpdateMusic(Boot, 0);
  ASSERT_EQ(player().Calls(), std::vector<MusicCall>{MusicCall::Volume});
  EXPECT_EQ(player().volume, 1000);
  UpdateMusic(Boot, 0);
  EXPECT_EQ(player().events.size(), 1u) << "an unchanged volume is not sent again";

  UpdateMusic(Title, 0);
  volumes.musicVolume = 300;
  std::size_t before = player().events.size();
  UpdateMusic(Title, 0);
  ASSERT_EQ(player().events.size(), before + 1);
  EXPECT_EQ(player().events.back().call, MusicCall::Volume);
  EXPECT_EQ(player().volume, 300);
  // A piece started later plays at the current volume.
  UpdateMusic(Ending, 0);
  EXPECT_EQ(player().volume, 300);
  EXPECT_EQ(platform::MusicGainForVolume(0), 0);
  EXPECT_EQ(platform::MusicGainForVolume(500), 64);
  EXPECT_EQ(platform::MusicGainForVolume(1000), 128);
}

TEST_F(MusicTest, TheSettingsPercentBecomesThePlayerVolume) {
  const int cases[][2] = {{0, 0}, {1, 10}, {50, 500}, {100, 1000}, {130, 1000}};
  for (const auto& [percent, volume] : cases) {
    SCOPED_TRACE(percent);
    volumes.musicPercent = percent;
    ApplyVolumePercents();
    UpdateMusic(Title, 0);
    EXPECT_EQ(player().volume, volume);
  }
}

TEST_F(MusicTest, TheVolumeIsSentEvenWhenTheFirstFrameIsSilent) {
  volumes.musicVolume = 0;
  UpdateMusic(Boot, 0);
  EXPECT_TRUE(player().events.empty());
  volumes.musicVolume = 10;
  UpdateMusic(Boot, 0);
  EXPECT_EQ(player().volume, 10);
}

TEST_F(MusicTest, TheEditorStopsTheMusic) {
  UpdateMusic(Title, 0);
  std::size_t before = player().events.size();
  UpdateMusic(Editor, 0);
  std::vector<MusicCall> calls = player().Calls();
  EXPECT_EQ(std::vector<MusicCall>(calls.begin() + long(before), calls.end()),
            (std::vector<MusicCall>{MusicCall::Stop, MusicCall::Close}));
  EXPECT_FALSE(player().playing);
  UpdateMusic(Editor, 0);
  EXPECT_EQ(player().events.size(), before + 2) << "only the first editor frame stops it";
  UpdateMusic(Ending, 0);
  EXPECT_EQ(Sounding(), Content(kFin, "_mp.loc"));
}

// The editor is left through the title's new-game start: the title's piece, which played
// before the editor, must start again rather than stay silent.
TEST_F(MusicTest, LeavingTheEditorStartsThePieceThatPlayedBeforeIt) {
  const struct {
    int before;
    int after;
    const char* piece;
  } cases[] = {{Title, Title, kTitle}, {Intro, Title, kTitle}, {Ending, Ending, kFin}};
  for (const auto& c : cases) {
    SCOPED_TRACE("from " + std::to_string(c.before) + " back to " + std::to_string(c.after));
    UpdateMusic(c.before, 0);
    UpdateMusic(Editor, 0);
    ASSERT_FALSE(player().playing);
    UpdateMusic(TitleLoad, 0);  // skipped: the new-game start chooses nothing
    EXPECT_FALSE(player().playing);
    UpdateMusic(c.after, 0);
    EXPECT_EQ(Sounding(), Content(c.piece, "_mp.loc"));
  }
}

// A piece that cannot be extracted stays the chosen one: it is not looked for again until
// another piece has been chosen in between.
TEST_F(MusicTest, AMissingPieceIsNotRetriedUntilAnotherIsChosen) {
  std::vector<std::string> withoutLoop1;
  for (const std::string& m : AllPieces())
    if (m != Loop(1)) withoutLoop1.push_back(m);
  Pack("_mp.loc", withoutLoop1);
  UpdateMusic(Title, 0);
  UpdateMusic(Play, 0);
  EXPECT_EQ(Sounding(), "");
  EXPECT_EQ(music.currentFile, Loop(1));
  EXPECT_EQ(Opens(), 1);

  Pack("_mp.loc", AllPieces());
  UpdateMusic(Play, 1);
  UpdateMusic(StageClear, 1);
  UpdateMusic(Play, 2);
  EXPECT_EQ(Opens(), 1);
  EXPECT_EQ(Sounding(), "");

  UpdateMusic(StageInfo, 3);
  UpdateMusic(Play, 3);
  EXPECT_EQ(Sounding(), Content(Loop(1), "_mp.loc"));
}

TEST_F(MusicTest, AMissingArchiveLeavesTheGameSilent) {
  std::filesystem::remove("_mp.loc");
  UpdateMusic(Title, 0);
  UpdateMusic(Play, 0);
  EXPECT_EQ(Opens(), 0);
  EXPECT_TRUE(rig->dialogs.shown.empty());
}

TEST_F(MusicTest, ClosingTheGameStopsTheMusicAndDeletesTheFile) {
  UpdateMusic(Title, 0);
  ASSERT_TRUE(std::filesystem::exists("BUN/k/k/ahae.mp3"));
  std::size_t before = player().events.size();
  SendCloseRequest();
  std::vector<MusicCall> calls = player().Calls();
  EXPECT_EQ(std::vector<MusicCall>(calls.begin() + long(before), calls.end()),
            (std::vector<MusicCall>{MusicCall::Stop, MusicCall::Close}));
  EXPECT_FALSE(std::filesystem::exists("BUN/k/k/ahae.mp3"));
  EXPECT_TRUE(app.quitRequested);
}

}  // namespace
}  // namespace vx
