// Numbers and times drawn from the digit glyphs of the shared character sheet, and the
// yes/no prompt.
#pragma once

namespace vx {

// Position in field units (x 1024 wide); align 1 puts the right edge on x, 2 centres on x,
// 3 centres on (x, y), anything else puts the left edge on x. Returns the surface x just
// after the last digit.
float DrawNumber(int value, float size, float x, float y, int align);
// Ticks in sixtieths of a second as hours:minutes:seconds; align as DrawNumber without the
// vertical centring. Returns the surface x just after the last glyph.
float DrawTime(int ticks, float size, float x, float y, int align, bool force);

// Decimal digits of value (negative counts as 0, taken below 10^9), most significant first,
// without leading zeros but at least one. Returns the count.
int SplitDigits(int value, int digits[9]);

struct PromptState {
  int mode = -1;  // -1 idle, 0 shown waiting for Y/N, 99 hidden and a click says yes
  int armedCode = 1;
  int answer = -1;  // -1 none this frame, armedCode for yes, 0 for no
  float blinkTimer = 0;
};
extern PromptState prompt;

// A non-zero code arms the prompt with that code and mode; code 0 is the per-frame
// processing, which returns the answer of this frame.
int ConfirmPrompt(int code, int mode);

}  // namespace vx
