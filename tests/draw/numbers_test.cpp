#include <string>

#include "core/frame_clock.h"
#include "core/input.h"
#include "draw_fixture.h"

namespace vx {
namespace {

using test::DrawTest;

// The drawn glyphs as text: digits, 'h' for the hours separator, 'm' for the minutes one.
std::string Glyphs(const std::vector<platform::SpriteDraw>& drawn) {
  std::string text;
  for (const platform::SpriteDraw& s : drawn) {
    if (s.left == 390)
      text += 'h';
    else if (s.left == 400)
      text += 'm';
    else if (s.left >= 160 && s.left < 360 && s.right - s.left == 20)
      text += static_cast<char>('0' + (static_cast<int>(s.left) - 160) / 20);
    else
      text += '?';
  }
  return text;
}

TEST_F(DrawTest, NumbersDrawTheirDigitsFromTheAlignedStart) {
  const struct {
    int value;
    float size, x, y;
    int align;
    const char* digits;
    float firstX, firstY, returned;
  } kCases[] = {
      {0, 1, 0, 0, 0, "0", 0, 0, 10},
      {1000, 1, 100, 40, 0, "1000", 50, 20, 90},
      {-5, 1, 0, 0, 0, "0", 0, 0, 10},
      {42, 1, 200, 0, 1, "42", 80, 0, 100},
      {7, 1, 200, 0, 2, "7", 95, 0, 105},
      {42, 2, 200, 100, 3, "42", 80, 38, 120},
      {987654321, 1, 0, 0, 0, "987654321", 0, 0, 90},
      // Values from 10^9 on keep their last nine digits, without the leading zeros.
      {2147483647, 1, 0, 0, 0, "147483647", 0, 0, 90},
      {1000000005, 1, 0, 0, 0, "5", 0, 0, 10},
  };
  for (const auto& c : kCases) {
    rig_->gpu.sprites.clear();
    float returned = DrawNumber(c.value, c.size, c.x, c.y, c.align);
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Glyphs(Drawn()), c.digits);
    EXPECT_FLOAT_EQ(returned, c.returned);
    ASSERT_FALSE(Drawn().empty());
    EXPECT_FLOAT_EQ(Drawn()[0].x, c.firstX);
    EXPECT_FLOAT_EQ(Drawn()[0].y, c.firstY);
    for (std::size_t i = 0; i < Drawn().size(); ++i) {
      const platform::SpriteDraw& s = Drawn()[i];
      EXPECT_FLOAT_EQ(s.x, c.firstX + 10 * c.size * static_cast<float>(i));
      EXPECT_FLOAT_EQ(s.scaleX, c.size * 0.5f);
      EXPECT_FLOAT_EQ(s.scaleY, c.size * 0.5f);
      EXPECT_FLOAT_EQ(s.top, 0);
      EXPECT_FLOAT_EQ(s.bottom, 24);
      EXPECT_EQ(s.colour, 0xFFFFFFFFu);
      EXPECT_EQ(s.texture, sheet_);
    }
  }
}

TEST_F(DrawTest, TimesListTheirGlyphsAndWidth) {
  const struct {
    int ticks;
    float size, x;
    int align;
    bool force;
    const char* glyphs;
    float firstX, returned;
  } kCases[] = {
      {4500, 1, 0, 0, true, "0h1m15", 0, 45},        // 75 s
      {3725 * 60, 1, 0, 0, true, "1h02m05", 0, 55},  // 1 h 2 min 5 s
      {0, 1, 200, 1, true, "0h0m0", 65, 100},        // width 70
      {0, 2, 200, 1, true, "0h0m0", 30, 100},        // width 140
      {0, 1, 200, 2, true, "0h0m0", 82.5f, 117.5f},  // centred
      {4500, 1, 0, 0, false, "1m15", 0, 32.5f},      // first half of the second: separator on
      {4545, 1, 0, 0, false, "115", 0, 30},          // second half: it blinks off
      {600, 1, 0, 0, false, "10", 0, 20},            // seconds only
      {600, 1, 0, 0, true, "0h0m10", 0, 45},
      {36 * 216000 + 59 * 3600, 1, 0, 0, true, "36h59m00", 0, 65},
  };
  for (const auto& c : kCases) {
    rig_->gpu.sprites.clear();
    float returned = DrawTime(c.ticks, c.size, c.x, 0, c.align, c.force);
    SCOPED_TRACE(c.ticks);
    EXPECT_EQ(Glyphs(Drawn()), c.glyphs);
    EXPECT_FLOAT_EQ(returned, c.returned);
    ASSERT_FALSE(Drawn().empty());
    EXPECT_FLOAT_EQ(Drawn()[0].x, c.firstX);
  }
}

TEST_F(DrawTest, TimeSeparatorsSitOneSizeUnitLeftOfTheirSlot) {
  DrawTime(0, 2, 0, 40, 0, true);
  ASSERT_EQ(Glyphs(Drawn()), "0h0m0");
  // Field slots: 0, 40 (separator), 50, 90 (separator), 100; separators drawn at slot - 2.
  const float kScreenX[] = {0, 19, 25, 44, 50};
  for (int i = 0; i < 5; ++i) {
    EXPECT_FLOAT_EQ(Drawn()[i].x, kScreenX[i]) << i;
    EXPECT_FLOAT_EQ(Drawn()[i].y, 20) << i;
  }
  EXPECT_FLOAT_EQ(Drawn()[1].right - Drawn()[1].left, 9);
}

class PromptTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    KeyboardSetup();
    frameClock.frameStep = 3.333333f;
  }
  void Keys(bool y, bool n) {
    rig_->keyboard.keys[KEY_Y] = y ? 0x80 : 0;
    rig_->keyboard.keys[KEY_N] = n ? 0x80 : 0;
  }
};

TEST_F(PromptTest, AnswersFollowTheKeysAndTheMode) {
  const struct {
    int mode;
    bool y, n, click;
    int answer;
  } kCases[] = {
      {0, true, true, false, 1092},    // Y wins over N in the same frame
      {0, false, true, false, 0},      // N says no
      {0, false, false, true, -1},     // a click does not answer the shown prompt
      {99, false, false, true, 1092},  // the hidden prompt takes a click as yes
      {99, false, true, false, 0},    {0, false, false, false, -1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.mode * 100 + c.y * 4 + c.n * 2 + c.click);
    prompt = PromptState{};
    Keys(false, false);
    KeyPressed(KEY_Y, true);  // both keys start up in the keys' memory
    KeyPressed(KEY_N, true);
    ConfirmPrompt(1092, c.mode);
    Keys(c.y, c.n);
    mouse.leftWentDown = c.click;
    EXPECT_EQ(ConfirmPrompt(0, 0), c.answer);
    EXPECT_EQ(prompt.answer, c.answer);
    if (c.answer != -1) {
      EXPECT_EQ(prompt.mode, -1);
      EXPECT_EQ(prompt.armedCode, 1);
    } else {
      EXPECT_EQ(prompt.mode, c.mode);
      EXPECT_EQ(prompt.armedCode, 1092);
    }
  }
}

TEST_F(PromptTest, UnknownModeGoesIdleAndIdleDoesNothing) {
  ConfirmPrompt(1092, 5);
  Keys(true, false);
  EXPECT_EQ(ConfirmPrompt(0, 0), -1);
  EXPECT_EQ(prompt.mode, -2);
  EXPECT_EQ(ConfirmPrompt(0, 0), -1);  // idle: Y is not even read
  EXPECT_EQ(prompt.mode, -2);
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(PromptTest, PictureBlinksOnAbove125OfEvery200Units) {
  ConfirmPrompt(1092, 0);
  frameClock.frameStep = 25;
  // Timer after each frame: 25, 50, ... 200, then past 200 it restarts at 0.
  const bool kShown[] = {false, false, false, false, false, true, true, true, false, false};
  for (bool shown : kShown) {
    rig_->gpu.sprites.clear();
    ConfirmPrompt(0, 0);
    SCOPED_TRACE(prompt.blinkTimer);
    ASSERT_EQ(Drawn().size(), shown ? 1u : 0u);
    if (shown) {
      const platform::SpriteDraw& s = Drawn()[0];
      EXPECT_FLOAT_EQ(s.x, 150.25f);
      EXPECT_FLOAT_EQ(s.y, 250);
      EXPECT_FLOAT_EQ(s.scaleX, 1.5f);
      EXPECT_FLOAT_EQ(s.left, 254);
      EXPECT_FLOAT_EQ(s.bottom, 176);
    }
  }
}

TEST_F(PromptTest, HiddenPromptDrawsNothing) {
  ConfirmPrompt(1092, 99);
  frameClock.frameStep = 150;
  ConfirmPrompt(0, 0);
  ConfirmPrompt(0, 0);
  EXPECT_TRUE(Drawn().empty());
}

}  // namespace
}  // namespace vx
