#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "app/dispatcher.h"
#include "core/frame_clock.h"
#include "core/random.h"
#include "draw/shared_images.h"
#include "field/bonuses.h"
#include "field/next_ball_queue.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "objects/pusher.h"
#include "persist/stage_files.h"
#include "stage_fixture.h"

namespace vx::test {
namespace {

// Every picture the field drawing uses, loaded into its slot; a draw's texture then tells
// which picture it came from.
class FieldDrawingTest : public StageTest {
 protected:
  void SetUp() override {
    StageTest::SetUp();
    Members m = {
        {"chr.tga", MakeTga(512, 512)},   {"gem0.tga", MakeTga(500, 2)},
        {"gem1.tga", MakeTga(502, 2)},    {"sky.tga", MakeTga(510, 512)},
        {"bkg.tga", MakeTga(401, 2)},     {"balls.tga", MakeTga(256, 256)},
        {"wheel.tga", MakeTga(256, 256)}, {"pusher.tga", MakeTga(509, 2)},
        {"fig0.tga", MakeTga(128, 128)},  {"fig1.tga", MakeTga(129, 128)},
        {"fig2.tga", MakeTga(130, 128)},
    };
    WriteArchive("pictures.loc", m);
    Load("chr", &sprites.sheets[kCharacterSheet]);
    Load("gem0", &sprites.sheets[2]);
    Load("gem1", &sprites.sheets[3]);
    Load("sky", &stageStart.sky);
    Load("bkg", &stageStart.background);
    Load("balls", &cellImages.stageBalls);
    Load("wheel", &sharedImages.wheel);
    Load("pusher", &stageStart.pusher);
    for (int n = 0; n < 3; ++n) Load("fig" + std::to_string(n), &sharedImages.playerFigures[n]);
    SetCellSize(50, 50);
    frameClock.frameStep = 3.333333f;
    // Not playing in the previous frame: the queue waits and draws nothing.
    flow.gameState = Play;
    flow.previousState = StageInfo;
  }
  void TearDown() override { randomSource = RandomSource{}; }

  void Load(const std::string& name, Texture** slot) {
    ASSERT_EQ(LoadArchiveTexture("pictures.loc", (name + ".tga").c_str(), slot), 0);
    names_[(*slot)->gpuId] = name;
  }
  // The pictures drawn since the frame began, in order.
  std::vector<std::string> Drawn() const {
    std::vector<std::string> out;
    for (const auto& s : rig_->gpu.sprites) {
      auto it = names_.find(s.texture);
      out.push_back(it == names_.end() ? "?" : it->second);
    }
    return out;
  }
  std::vector<platform::SpriteDraw> DrawsOf(const std::string& name) const {
    std::vector<platform::SpriteDraw> out;
    for (const auto& s : rig_->gpu.sprites)
      if (names_.count(s.texture) && names_.at(s.texture) == name) out.push_back(s);
    return out;
  }
  void NewFrame() { rig_->gpu.BeginFrame(); }

  std::map<unsigned, std::string> names_;
};

// Back to front: sky, background, gears, (pusher), queue, blocks, placed cells, objects
// except absorbers, launcher wheel, ball, player figure.
TEST_F(FieldDrawingTest, DrawsTheFieldBackToFront) {
  flow.previousState = Play;  // the queue refills and shows its five balls
  fieldDrawing.skyOffset = 100;
  AppendBlock(100, 100, 17);
  AppendBlock(200, 750, 17);  // its bottom edge reaches the block limit: half opacity
  AppendCell(0, 0, 3, CELL_PLACED, 0);
  AppendCell(50, 0, 4, 0, 0);  // still sliding into its place: not drawn
  AppendCell(100, 0, 22, CELL_PLACED, 0);
  AppendObject(300, 300, 12, OBJECT_HIT_FLASH, 0);
  AppendObject(400, 400, 18, OBJECT_ABSORBER, 0);  // hidden from the field drawing
  AppendObject(500, 500, -3, OBJECT_POPPING, 0);   // draws only through its behaviour
  NewFrame();
  DrawField();

  std::vector<std::string> drawn = Drawn();
  // The pusher draws itself; wherever it does, it lies between the gears and the queue.
  std::ptrdiff_t lastGear = -1, firstBall = -1;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    if (drawn[i] == "wheel") lastGear = static_cast<std::ptrdiff_t>(i);
    if (drawn[i] == "balls" && firstBall < 0) firstBall = static_cast<std::ptrdiff_t>(i);
  }
  for (std::size_t i = 0; i < drawn.size(); ++i)
    if (drawn[i] == "pusher") {
      EXPECT_GT(static_cast<std::ptrdiff_t>(i), lastGear);
      EXPECT_LT(static_cast<std::ptrdiff_t>(i), firstBall);
    }
  std::erase(drawn, "pusher");
  const std::vector<std::string> expected = {
      "sky",   "sky",   "bkg",   "wheel", "wheel", "wheel", "wheel",  // backdrop and gears
      "balls", "balls", "balls", "balls", "balls",                    // the queue
      "chr",   "chr",                                                 // blocks
      "balls", "chr",                                                 // placed cells
      "chr",                                                          // the hit flash
      "chr",   "balls", "fig0",  // launcher wheel, its ball, the figure
  };
  EXPECT_EQ(drawn, expected);

  const auto chr = DrawsOf("chr");
  ASSERT_EQ(chr.size(), 5u);
  EXPECT_EQ(chr[0].colour, 0xFFFFFFFFu);
  EXPECT_EQ(chr[1].colour, 0x7FFFFFFFu);
  EXPECT_EQ(chr[2].x, 50.0f);    // the special at field x 100
  EXPECT_EQ(chr[3].x, 150.0f);   // the hit flash
  EXPECT_EQ(chr[4].left, 0.0f);  // the launcher wheel
  EXPECT_EQ(chr[4].top, 256.0f);
}

// The sky scrolls left and wraps: the part cut off on the left is drawn at the right edge.
TEST_F(FieldDrawingTest, TheSkyWrapsAroundInTwoPieces) {
  const struct {
    float offset;
    std::vector<float> lefts, rights, xs;
  } cases[] = {
      {0, {0}, {512}, {0}},                   // 0.27 units on: no cut yet
      {200, {200, 0}, {512, 200}, {0, 312}},  // the columns cut off go to the right edge
      {511.9f, {0}, {512}, {0}},              // wraps round to 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    fieldDrawing.skyOffset = c.offset;
    NewFrame();
    DrawField();
    const auto sky = DrawsOf("sky");
    ASSERT_EQ(sky.size(), c.lefts.size());
    for (std::size_t i = 0; i < sky.size(); ++i) {
      EXPECT_EQ(sky[i].left, c.lefts[i]);
      EXPECT_EQ(sky[i].right, c.rights[i]);
      EXPECT_EQ(sky[i].x, c.xs[i]);
      EXPECT_EQ(sky[i].y, 0.0f);
    }
    // The background covers it, whole and unscaled.
    const auto bkg = DrawsOf("bkg");
    ASSERT_EQ(bkg.size(), 1u);
    EXPECT_EQ(bkg[0].x, 0.0f);
    EXPECT_EQ(bkg[0].scaleX, 1.0f);
  }
}

// A push warning shakes blocks and cells by rand() mod 30 - 15 about every 3 units of time;
// objects stay where they are.
TEST_F(FieldDrawingTest, ThePushWarningShakesBlocksAndCellsOnly) {
  const struct {
    const char* what;
    bool warning;
    float step;
    float shift;
  } cases[] = {
      {"no warning", false, 3.333333f, 0},
      {"warning, 3 units passed", true, 3.333333f, -5},  // rand() 40: 40 mod 30 - 15
      {"warning, not yet 3 units", true, 1.0f, 0},
  };
  randomSource.next = +[] { return 40; };
  flow.previousState = Play;  // the pusher keeps its clock only from a play frame
  AppendBlock(100, 100, 17);
  AppendCell(20, 200, 22, CELL_PLACED, 0);
  AppendObject(300, 300, 12, OBJECT_HIT_FLASH, 0);
  // The sprite drawn at surface x (the queue and the launcher lie further right).
  auto drawnAt = [&](float x) {
    for (const auto& s : rig_->gpu.sprites)
      if (s.x == x) return s.y;
    return -1.0f;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    pusher.pushWarning = c.warning;
    // A clock within 1000 units of the push interval: the pusher warns too.
    pusher.pushClock = c.warning ? stageFiles.pushInterval - 500 : 0;
    fieldDrawing.shakeClock = 0;
    frameClock.frameStep = c.step;
    NewFrame();
    DrawField();
    EXPECT_EQ(drawnAt(50), (100 + c.shift) * 0.5f);  // the block
    EXPECT_EQ(drawnAt(10), (200 + c.shift) * 0.5f);  // the cell
    EXPECT_EQ(drawnAt(150), 150.0f);                 // the object
  }
}

// While no shot flies, the rest position turns with the launcher: the ball hangs 30 units
// from the wheel's pivot (512, 965.5) opposite the aim, and the aim path starts there. A
// flying ball is drawn where it flies and leaves the rest position alone.
TEST_F(FieldDrawingTest, TheRestPositionTurnsWithTheLauncher) {
  const struct {
    const char* what;
    float aim;
    bool flying;
    float restX, restY, drawnX, drawnY;
  } cases[] = {
      {"straight up", 0, false, 487, 970.5f, 487, 970.5f},
      {"30 degrees right", 30, false, 472, 966.4808f, 472, 966.4808f},
      {"30 degrees left", -30, false, 502, 966.4808f, 502, 966.4808f},
      {"in flight", 30, true, 1, 2, 300, 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shooter.aimAngle = c.aim;
    shooter.shotActive = c.flying;
    shooter.ballX = 300;
    shooter.ballY = 400;
    geometry.shotStartX = 1;
    geometry.shotStartY = 2;
    NewFrame();
    DrawField();
    EXPECT_NEAR(geometry.shotStartX, c.restX, 1e-3);
    EXPECT_NEAR(geometry.shotStartY, c.restY, 1e-3);
    const auto balls = DrawsOf("balls");
    ASSERT_EQ(balls.size(), 1u);
    EXPECT_NEAR(balls[0].x, c.drawnX * 0.5f, 1e-3);
    EXPECT_NEAR(balls[0].y, c.drawnY * 0.5f, 1e-3);
    const auto wheel = DrawsOf("chr");
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_NEAR(wheel[0].angle, -c.aim * 0.017453292f, 1e-6);
  }
}

// About half the colour balls sparkle for the end of each 200-unit cycle: their twinkling
// frames (row 2 of the ball picture) are drawn. Marks reach every place of the cell table.
TEST_F(FieldDrawingTest, SparklingBallsShowTheirTwinklingFrames) {
  for (int i = 0; i < 4600; ++i) AppendCell(0, 0, i == 4599 ? 22 : 2, CELL_PLACED, 0);
  static int pick = 0;
  randomSource.next = +[] { return pick; };
  fieldDrawing.sparkleClock = 100;
  const struct {
    int cell;
    std::uint8_t marked;
  } cases[] = {{4500, 1}, {4599, 0}};  // the special at 4599 never sparkles
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    pick = c.cell;
    fieldDrawing.sparkleClock = 100;
    NewFrame();
    DrawField();
    EXPECT_EQ(fieldDrawing.sparkle[c.cell], c.marked);
    EXPECT_NEAR(fieldDrawing.sparkleClock, 153.3333f, 1e-3);  // on past the window
  }
  NewFrame();
  DrawField();
  // Cell 4500 of kind 2 shows frame 11: column 1 of row 2.
  int twinkles = 0;
  for (const auto& s : DrawsOf("balls")) twinkles += s.left == 50 && s.top == 100;
  EXPECT_EQ(twinkles, 1);

  fieldDrawing.sparkleClock = 199;
  NewFrame();
  DrawField();  // past 200: every mark is cleared
  EXPECT_EQ(fieldDrawing.sparkle[4500], 0);
}

TEST_F(FieldDrawingTest, ThePlayerFigureBobsAndStepsThroughItsFrames) {
  frameClock.frameStep = 61;  // one animation step and 6.1 units of bobbing a frame
  fieldDrawing.figureY = 395;
  const struct {
    std::string image;
    float y;
  } frames[] = {{"fig1", 401.1f}, {"fig2", 407.2f}, {"fig1", 401.1f},
                {"fig0", 395.0f}, {"fig1", 388.9f}, {"fig2", 395.0f}};
  for (const auto& f : frames) {
    NewFrame();
    DrawField();
    const std::vector<std::string> drawn = Drawn();
    EXPECT_EQ(drawn.back(), f.image);
    EXPECT_EQ(rig_->gpu.sprites.back().x, 140.0f);
    EXPECT_NEAR(rig_->gpu.sprites.back().y, f.y, 1e-3);
  }
}

TEST_F(FieldDrawingTest, ClearingThePlayerFiguresReleasesThem) {
  const int live = rig_->gpu.LiveTextures();
  ClearPlayerFigures();
  for (Texture* figure : sharedImages.playerFigures) EXPECT_EQ(figure, nullptr);
  EXPECT_EQ(rig_->gpu.LiveTextures(), live - 3);
  NewFrame();
  DrawField();  // and the field still draws, without a figure
  EXPECT_NE(Drawn().back().substr(0, 3), "fig");
}

// The count of colour balls flashes in the middle whenever the cell count drops: only its
// significant digits, centred on (256, 256), each 20 x size wide.
TEST_F(FieldDrawingTest, ThePopupShowsTheSignificantDigitsCentred) {
  const struct {
    int balls;
    std::vector<int> digits;
  } cases[] = {{7, {7}}, {40, {4, 0}}, {105, {1, 0, 5}}, {1234, {1, 2, 3, 4}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.balls);
    cells.cellCount = 0;
    for (int i = 0; i < c.balls; ++i) AppendCell(0, 0, 1 + i % 9, CELL_PLACED, 0);
    AppendCell(0, 0, 22, CELL_PLACED, 0);  // not a colour ball
    RemainingBallsPopup(2.5f, 0);          // remembers the count
    cells.cellCount -= 1;                  // the special breaks: the count drops
    NewFrame();
    RemainingBallsPopup(2.5f, 0);
    const auto& drawn = rig_->gpu.sprites;
    ASSERT_EQ(drawn.size(), c.digits.size());
    const float width = 50.0f * static_cast<float>(c.digits.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_EQ(drawn[i].left, 160.0f + 20 * c.digits[i]);
      EXPECT_EQ(drawn[i].right - drawn[i].left, 20.0f);
      EXPECT_EQ(drawn[i].scaleX, 2.5f);
      EXPECT_EQ(drawn[i].x, 256 - width / 2 + 50.0f * static_cast<float>(i));
      EXPECT_EQ(drawn[i].y, 256 - 25.0f);
      // Every digit turns about the middle of the whole number.
      EXPECT_EQ(drawn[i].x + drawn[i].centreX, 256.0f);
      EXPECT_EQ(drawn[i].colour, 0xFFFFFF00u);  // alpha 255 of (255 + 1) x 0xFFFFFF
    }
  }
}

TEST_F(FieldDrawingTest, ThePopupFadesAndStaysQuietWhileTheCountHolds) {
  AppendCell(0, 0, 1, CELL_PLACED, 0);
  AppendCell(0, 0, 1, CELL_PLACED, 0);
  RemainingBallsPopup(2.5f, 0);  // from the start-of-run count of 10000: it flashes
  frameClock.frameStep = 100;
  std::vector<std::uint32_t> colours;
  for (int frame = 0; frame < 4; ++frame) {
    NewFrame();
    RemainingBallsPopup(2.5f, 0);
    colours.push_back(rig_->gpu.sprites.empty() ? 0 : rig_->gpu.sprites[0].colour);
  }
  // Alpha 255 - 3.3 (the first call's step) = 251, then 151, 51, then nothing.
  const std::vector<std::uint32_t> expected = {252u * 0xFFFFFFu, 152u * 0xFFFFFFu, 52u * 0xFFFFFFu,
                                               0};
  EXPECT_EQ(colours, expected);
}

// The clock ticks once a frame while a frame's step is above 2.4, and only every second or
// third frame below; 99 reads it without a tick, -1 starts it again.
TEST_F(FieldDrawingTest, TheStageClockTicksByFramesAboveTheThreshold) {
  const struct {
    const char* what;
    float step;
    int frames, ticks;
  } cases[] = {
      {"60 frames a second", 3.333333f, 60, 60},
      {"a slow machine", 20, 10, 10},
      {"a step of exactly 2.4", 2.4f, 10, 5},
      {"a step of 1", 1, 30, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    StageClock(-1);
    frameClock.frameStep = c.step;
    int last = 0;
    for (int i = 0; i < c.frames; ++i) last = StageClock(0);
    EXPECT_EQ(last, c.ticks);
    EXPECT_EQ(StageClock(99), c.ticks);
    EXPECT_EQ(StageClock(99), c.ticks);
  }
  EXPECT_EQ(StageClock(-1), 0);
  EXPECT_EQ(StageClock(99), 0);

  // Drawn as a time centred at the top: 3600 ticks (a minute) read 0:1:00.
  fieldDrawing.clockTicks = 3599;
  frameClock.frameStep = 3.333333f;
  NewFrame();
  EXPECT_EQ(StageClock(0), 3600);
  const auto& glyphs = rig_->gpu.sprites;
  ASSERT_EQ(glyphs.size(), 6u);
  const float left = glyphs.front().x;
  const float right = glyphs.back().x + 20.0f * 2.0f * 0.5f;
  EXPECT_NEAR((left + right) / 2, 256.0f, 2.5f);
  EXPECT_EQ(glyphs.front().y, 10.0f);

  fieldDrawing.clockTicks = INT_MAX;  // a stage left running for a very long time
  EXPECT_EQ(StageClock(0), INT_MAX);
}

TEST_F(FieldDrawingTest, PlayKeysToggleTheGuideAndSkipStages) {
  const struct {
    const char* what;
    std::vector<int> keys;
    int stage;
    float aim;
    int expectedStage, expectedState;
    bool guide;
  } cases[] = {
      {"F3 shows the guide", {KEY_F3}, 5, 0, 5, Play, true},
      {"F2 hides it", {KEY_F2}, 5, 0, 5, Play, false},
      {"Shift+Q+Left goes back", {KEY_LSHIFT, KEY_Q, KEY_LEFT}, 5, 0, 4, StageLoad, true},
      {"not below stage 0", {KEY_LSHIFT, KEY_Q, KEY_LEFT}, 0, 0, 0, Play, true},
      {"Shift+Q+Right goes on", {KEY_LSHIFT, KEY_Q, KEY_RIGHT}, 5, 79.9f, 6, StageLoad, true},
      {"not once the launcher is at 80", {KEY_LSHIFT, KEY_Q, KEY_RIGHT}, 5, 80, 5, Play, true},
      {"not past the last stage", {KEY_LSHIFT, KEY_Q, KEY_RIGHT}, 499, 0, 499, Play, true},
      {"Q alone does nothing", {KEY_Q, KEY_LEFT}, 5, 0, 5, Play, true},
      {"both arrows cancel out", {KEY_LSHIFT, KEY_Q, KEY_LEFT, KEY_RIGHT}, 5, 0, 5, Play, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KeyboardSetup();
    std::fill(std::begin(rig_->keyboard.keys), std::end(rig_->keyboard.keys), 0);
    for (int key : c.keys) rig_->keyboard.keys[key] = 0x80;
    flow.aimGuide = true;
    flow.gameState = Play;
    flow.stagesPerWorld = 100;
    flow.stageNumber = c.stage;
    shooter.aimAngle = c.aim;
    PlayKeys();
    EXPECT_EQ(flow.stageNumber, c.expectedStage);
    EXPECT_EQ(flow.gameState, c.expectedState);
    EXPECT_EQ(flow.aimGuide, c.guide);
  }
}

// F2 in a play frame belongs to the play keys: the guide goes off, the frame-rate display
// stays as it was. In any other state F2 toggles the display.
TEST_F(FieldDrawingTest, F2DuringPlayHidesTheGuideWithoutTheFrameRate) {
  const struct {
    int state;
    bool guide, frameRate;
  } cases[] = {{Play, false, false}, {StageInfo, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    KeyboardSetup();
    AppendCell(0, 0, 1, CELL_PLACED, 0);  // something to clear, so the stage goes on
    flow.gameState = c.state;
    flow.previousState = c.state;
    flow.aimGuide = true;
    flow.frameRateDisplay = false;
    rig_->keyboard.keys[KEY_F2] = 0x80;
    NewFrame();
    DispatchGameState();
    rig_->keyboard.keys[KEY_F2] = 0;
    EXPECT_EQ(flow.aimGuide, c.guide);
    EXPECT_EQ(flow.frameRateDisplay, c.frameRate);
  }
}

TEST_F(FieldDrawingTest, TheEnergyDisplayShowsTheLabelAndTheFigure) {
  NewFrame();
  EnergyDisplay(100);
  const auto& drawn = rig_->gpu.sprites;
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_EQ(drawn[0].left, 345.0f);  // the label
  EXPECT_EQ(drawn[0].x, 275.0f);
  EXPECT_EQ(drawn[0].y, 455.0f);
  // Three digits with their right edge at field x 610 (surface 305).
  EXPECT_EQ(drawn[1].left, 180.0f);
  EXPECT_EQ(drawn[3].x + 20 * 0.5f, 305.0f);
  EXPECT_EQ(drawn[3].y, 470.0f);
}

}  // namespace
}  // namespace vx::test
