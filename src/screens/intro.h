// The intro: the music credit plate and then the copyright plate (models 1 and 2 of the
// title models) fly in, spin, slow down and stop facing front over the scrolling backdrop.
// About 20 seconds, or until Escape or a click; then back to the title.
#pragma once

namespace vx {

struct IntroState {
  float clock = 1501;      // timeline position, 100 a second
  float spinAngle = 0;     // degrees of the model shown
  float spinSpeed = 0.5f;  // degrees per two frame-step units
  bool spinning = true;
  int phase = 0;  // the model slot drawn: 0, 1 or 2
};
extern IntroState intro;

// Puts the sequence back at its start and sets the scene light for the plates.
void ResetIntroSequence();

// start true resets the sequence and then runs one frame; false is the per-frame call.
// Switches to Title at the end of the timeline, on Escape or on a click. Returns whether
// Escape went down.
bool IntroSequence(bool start);

}  // namespace vx
