// The end sequence after the fifth world: a scripted scene of about 40 seconds that ends with
// a craft flying off over a starfield, then the title.
#pragma once

namespace vx {

enum EndSection : int {
  END_OPENING = 0,   // the scenery with the three characters and their captions
  END_ASSEMBLY = 1,  // the craft's three parts come together
  END_LAUNCH = 2,    // the beam, the parts close up
  END_FLIGHT = 3,    // over the starfield, then off to the right
};

struct EndState {
  float endClock = 0;         // frame-step units since the sequence opened
  int section = END_OPENING;  // the section entered last, so each entry step runs once
  // The opening's pulses; they keep their phase from one run to the next.
  float pulse1 = 1, pulse2 = 0.5f, pulse3 = 60, pulse4 = 80;
  float zoom = 0;    // zoom or speed of the later sections
  float flyOff = 0;  // the craft's final move to the right, 0..512
};
extern EndState ending;

// code -1 opens the sequence, 0 is the per-frame call; ends with TitleLoad.
void EndSequence(int code);

}  // namespace vx
