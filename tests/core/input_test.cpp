#include "core/input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "test_support.h"

namespace vx {
namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &test::InstallHeadless();
    KeyboardSetup();
    MouseSetup();
    mouse.pointerX = mouse.pointerY = 256;
  }
  test::HeadlessRig* rig_ = nullptr;
};

TEST_F(InputTest, HeldKeyIsPressedInTheFirstFrameOnlyButHeldInAll) {
  rig_->keyboard.keys[KEY_Z] = 0x80;
  for (int frame = 0; frame < 5; ++frame) {
    EXPECT_EQ(KeyPressed(KEY_Z, true), frame == 0) << frame;
    EXPECT_TRUE(KeyHeld(KEY_Z)) << frame;
  }
  rig_->keyboard.keys[KEY_Z] = 0;
  EXPECT_FALSE(KeyPressed(KEY_Z, true));
  EXPECT_FALSE(KeyHeld(KEY_Z));
  rig_->keyboard.keys[KEY_Z] = 0x80;
  EXPECT_TRUE(KeyPressed(KEY_Z, true));  // released and pressed again: a new press
}

TEST_F(InputTest, MemoryIsPerKeyAndChangesOnlyWhenThatKeyIsAsked) {
  // Held while nobody asked: the first question still reports it.
  rig_->keyboard.keys[KEY_F2] = 0x80;
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(KeyHeld(KEY_F2));
  EXPECT_TRUE(KeyPressed(KEY_F2, true));
  // Two readers in the same frame: only the first hears the press.
  rig_->keyboard.keys[KEY_ESCAPE] = 0x80;
  EXPECT_TRUE(KeyPressed(KEY_ESCAPE, true));
  EXPECT_FALSE(KeyPressed(KEY_ESCAPE, true));
  // Down and up again between two questions: never reported.
  EXPECT_FALSE(KeyPressed(KEY_Y, true));
  rig_->keyboard.keys[KEY_Y] = 0x80;
  KeyHeld(KEY_RETURN);
  rig_->keyboard.keys[KEY_Y] = 0;
  EXPECT_FALSE(KeyPressed(KEY_Y, true));
}

TEST_F(InputTest, WithoutRereadTheLastReadIsUsed) {
  rig_->keyboard.keys[KEY_N] = 0x80;
  KeyHeld(KEY_RETURN);  // another query reads the keyboard
  int reads = rig_->keyboard.reads;
  EXPECT_TRUE(KeyPressed(KEY_N, false));
  EXPECT_EQ(rig_->keyboard.reads, reads);
}

TEST_F(InputTest, NoKeyboardOrFailedReadsAnswerFalse) {
  rig_->keyboard.keys[KEY_Q] = 0x80;
  rig_->keyboard.failReads = true;
  EXPECT_FALSE(KeyPressed(KEY_Q, true));
  EXPECT_FALSE(KeyHeld(KEY_Q));
  rig_->keyboard.failReads = false;
  rig_->keyboard.available = false;
  KeyboardSetup();
  EXPECT_FALSE(KeyPressed(KEY_Q, true));
  EXPECT_FALSE(KeyHeld(KEY_Q));
  EXPECT_FALSE(KeyPressed(300, true));
}

TEST_F(InputTest, MouseAccumulatesRawMotionAndLatchesTheLeftButton) {
  rig_->mouse.pendingDx = -1000;
  rig_->mouse.pendingDy = 7;
  EXPECT_FALSE(ReadMouse());
  EXPECT_EQ(mouse.pointerX, -744);  // not clamped here; the screens clamp when drawing
  EXPECT_EQ(mouse.pointerY, 263);
  EXPECT_EQ(mouse.lastDx, -1000);

  rig_->mouse.left = true;
  EXPECT_TRUE(ReadMouse());
  EXPECT_TRUE(mouse.leftWentDown);
  EXPECT_FALSE(ReadMouse());  // still held
  EXPECT_FALSE(mouse.leftWentDown);
  rig_->mouse.left = false;
  EXPECT_FALSE(ReadMouse());
  rig_->mouse.left = true;
  EXPECT_TRUE(ReadMouse());
}

TEST_F(InputTest, FailedMouseReadLeavesTheStateAndNoDeviceMeansButtonUp) {
  rig_->mouse.left = true;
  ReadMouse();
  rig_->mouse.failReads = true;
  rig_->mouse.pendingDx = 50;
  EXPECT_FALSE(ReadMouse());
  EXPECT_TRUE(mouse.left);
  EXPECT_EQ(mouse.pointerX, 256);

  rig_->mouse.available = false;
  MouseSetup();
  mouse.pointerX = 5;
  EXPECT_FALSE(ReadMouse());
  EXPECT_FALSE(mouse.left);
  EXPECT_EQ(mouse.pointerX, 5);
}

TEST_F(InputTest, FullScreenKeysAskOnceAndAltReturnNeverReachesTheGame) {
  struct Step {
    std::vector<int> down;  // keys down on the keyboard at this read
    bool toggle;            // a switch of the full screen is asked for
    bool returnSeen;        // the game sees Return held
  };
  const Step steps[] = {
      {{KEY_LALT}, false, false},
      {{KEY_LALT, KEY_RETURN}, true, false},
      {{KEY_LALT, KEY_RETURN}, false, false},  // held: asked once
      {{KEY_RETURN}, false, false},            // Alt let go first: Return stays hidden
      {{}, false, false},
      {{KEY_RETURN}, false, true},            // a Return of its own reaches the game
      {{KEY_RETURN, KEY_RALT}, false, true},  // Alt after Return: not the window's key
      {{}, false, false},
      {{KEY_F11}, true, false},
      {{KEY_F11}, false, false},
      {{}, false, false},
      {{KEY_F11}, true, false},
  };
  int n = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(n++);
    std::fill(std::begin(rig_->keyboard.keys), std::end(rig_->keyboard.keys), 0);
    for (int k : s.down) rig_->keyboard.keys[k] = 0x80;
    EXPECT_EQ(KeyHeld(KEY_RETURN), s.returnSeen);
    EXPECT_EQ(keyboard.fullscreenToggleRequested, s.toggle);
    keyboard.fullscreenToggleRequested = false;  // the main loop takes the request
  }
}

TEST_F(InputTest, ThePadOverlayJoinsTheKeyboardAndTheMouse) {
  padOverlay.connected = true;
  padOverlay.keys[KEY_Z] = 0x80;
  rig_->keyboard.keys[KEY_LEFT] = 0x80;
  EXPECT_TRUE(KeyPressed(KEY_Z, true));
  EXPECT_TRUE(KeyHeld(KEY_LEFT));
  padOverlay.pointerDx = 30;
  padOverlay.pointerDy = -6;
  rig_->mouse.pendingDx = 4;
  padOverlay.left = true;
  EXPECT_TRUE(ReadMouse());
  EXPECT_EQ(mouse.pointerX, 290);
  EXPECT_EQ(mouse.pointerY, 250);
  EXPECT_FALSE(ReadMouse());  // the motion was handed out once; the button is still held
  EXPECT_EQ(mouse.pointerX, 290);
  EXPECT_TRUE(mouse.left);

  // Without a keyboard or a mouse, the pad alone still works them.
  rig_->keyboard.available = false;
  rig_->mouse.available = false;
  KeyboardSetup();
  MouseSetup();
  padOverlay.left = false;
  ReadMouse();
  padOverlay.left = true;
  padOverlay.pointerDx = 12;
  EXPECT_TRUE(ReadMouse());
  EXPECT_EQ(mouse.pointerX, 12);
  EXPECT_TRUE(KeyHeld(KEY_Z));
  EXPECT_FALSE(KeyHeld(KEY_LEFT));
}

}  // namespace
}  // namespace vx
