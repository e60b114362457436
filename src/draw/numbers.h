// Numbers, times and the yes/no prompt.
#pragma once

namespace vx {

float DrawNumber(int value, float size, float x, float y, int align);
float DrawTime(int ticks, float size, float x, float y, int align, bool force);
// A non-zero code arms the prompt; code 0 is the per-frame processing.
int ConfirmPrompt(int code, int mode);

}  // namespace vx
