// The SDL pad backend against a virtual controller that SDL maps with its own layout: no pad
// at first, then one plugged in, its buttons, stick and trigger read, pulled out and plugged
// in again.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl/sdl_devices.h"

namespace vx::platform {
namespace {

// Plugs in a virtual controller with the standard buttons and axes. Returns its device index.
int PlugIn() {
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
  desc.button_mask = (1u << desc.nbuttons) - 1;
  desc.axis_mask = (1u << desc.naxes) - 1;
  desc.name = "Vexorbia test pad";
  return SDL_JoystickAttachVirtualEx(&desc);
}

// The virtual device, opened to set its state.
SDL_Joystick* Device() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickIsVirtual(i)) return SDL_JoystickOpen(i);
  return nullptr;
}

TEST(SdlGamepadTest, APadComesGoesAndIsReadInTheCommonLayout) {
  SdlGamepad pad;
  ASSERT_TRUE(pad.Create()) << SDL_GetError();
  PadReading r;
  pad.Read(&r);
  EXPECT_FALSE(r.connected);

  const int index = PlugIn();
  ASSERT_GE(index, 0) << SDL_GetError();
  ASSERT_TRUE(SDL_IsGameController(index));
  pad.Read(&r);
  ASSERT_TRUE(r.connected);
  for (bool b : r.buttons) EXPECT_FALSE(b);

  SDL_Joystick* device = Device();
  ASSERT_NE(device, nullptr);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTY, -32768);
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  pad.Read(&r);
  EXPECT_TRUE(r.buttons[PAD_A]);
  EXPECT_FALSE(r.buttons[PAD_B]);
  EXPECT_TRUE(r.buttons[PAD_DPAD_LEFT]);
  EXPECT_TRUE(r.buttons[PAD_RIGHT_TRIGGER]);
  EXPECT_FALSE(r.buttons[PAD_LEFT_TRIGGER]);
  EXPECT_FLOAT_EQ(r.leftX, 1.0f);
  EXPECT_FLOAT_EQ(r.leftY, -1.0f);  // -32768 is held at -1
  SDL_JoystickClose(device);

  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  pad.Read(&r);
  EXPECT_FALSE(r.connected);
  EXPECT_FALSE(r.buttons[PAD_A]);

  const int again = PlugIn();
  ASSERT_GE(again, 0);
  pad.Read(&r);
  EXPECT_TRUE(r.connected);
  EXPECT_FALSE(r.buttons[PAD_A]);
  SDL_JoystickDetachVirtual(again);
  pad.Read(&r);
  EXPECT_FALSE(r.connected);
  SDL_Quit();
}

}  // namespace
}  // namespace vx::platform
