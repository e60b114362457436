#include "draw/numbers.h"

#include "core/frame_clock.h"
#include "core/input.h"
#include "draw/sprite.h"

namespace vx {

PromptState prompt;

namespace {

constexpr int kDigitWidth = 20;
constexpr int kDigitHeight = 24;
constexpr int kSeparatorAdvance = 5;  // separators take a quarter of a digit's slot
constexpr int kMaxTimeGlyphs = 16;

SpriteRect DigitRect(int d) {
  return {160 + kDigitWidth * d, 0, 180 + kDigitWidth * d, kDigitHeight};
}
constexpr SpriteRect kHourSeparator = {390, 0, 399, 24};
constexpr SpriteRect kMinuteSeparator = {400, 0, 409, 24};
constexpr SpriteRect kPromptRect = {254, 130, 395, 176};

void DrawGlyph(SpriteRect rect, float size, float screenX, float screenY) {
  DrawTexture(sprites.sheets[kCharacterSheet], rect, size * sprites.screenScaleX,
              size * sprites.screenScaleY, 0, 0, 0, screenX, screenY, 0xFFFFFFFFu);
}

float AlignedStart(float x, float width, int align) {
  if (align == 1) return x - width;
  if (align == 2 || align == 3) return x - width / 2;
  return x;
}

}  // namespace

int SplitDigits(int value, int digits[9]) {
  int v = value < 0 ? 0 : value % 1000000000;
  int n = 1;
  for (int rest = v; rest >= 10; rest /= 10) ++n;
  for (int i = n - 1; i >= 0; --i) {
    digits[i] = v % 10;
    v /= 10;
  }
  return n;
}

float DrawNumber(int value, float size, float x, float y, int align) {
  int digits[9];
  const int n = SplitDigits(value, digits);
  const float width = static_cast<float>(n * kDigitWidth) * size;
  float startX = AlignedStart(x, width, align);
  if (align == 3) y -= kDigitHeight * size / 2;
  float sx = startX * sprites.screenScaleX;
  const float sy = y * sprites.screenScaleY;
  const float advance = kDigitWidth * size * sprites.screenScaleX;
  for (int i = 0; i < n; ++i) {
    DrawGlyph(DigitRect(digits[i]), size, sx, sy);
    sx += advance;
  }
  return sx;
}

float DrawTime(int ticks, float size, float x, float y, int align, bool force) {
  if (ticks < 0) ticks = 0;
  const int hours = ticks / 216000;
  const int minutes = ticks % 216000 / 3600;
  const int seconds = ticks % 3600 / 60;
  const int sixtieths = ticks % 60;

  // The glyph list: a digit 0..9, or -1 / -2 for the two separators.
  int glyphs[kMaxTimeGlyphs];
  int count = 0;
  if (hours > 0 || force) {
    int digits[9];
    int n = SplitDigits(hours % 1000000, digits);
    for (int i = 0; i < n; ++i) glyphs[count++] = digits[i];
    glyphs[count++] = -1;
  }
  if (minutes >= 10 || hours > 0) {
    glyphs[count++] = minutes / 10;
    glyphs[count++] = minutes % 10;
  } else if (minutes > 0 || force) {
    glyphs[count++] = minutes;
  }
  if ((minutes > 0 || hours > 0 || force) && (sixtieths < 30 || force)) glyphs[count++] = -2;
  if (seconds >= 10 || minutes > 0 || hours > 0) {
    glyphs[count++] = seconds / 10;
    glyphs[count++] = seconds % 10;
  } else {
    glyphs[count++] = seconds;
  }

  auto advance = [size](int glyph) {
    return static_cast<float>(glyph < 0 ? kSeparatorAdvance : kDigitWidth) * size;
  };
  float width = 0;
  for (int i = 0; i < count; ++i) width += advance(glyphs[i]);
  float fx = AlignedStart(x, width, align);
  const float sy = y * sprites.screenScaleY;
  for (int i = 0; i < count; ++i) {
    if (glyphs[i] < 0) {
      // Separators are narrow and sit one size-unit left of their slot.
      DrawGlyph(glyphs[i] == -1 ? kHourSeparator : kMinuteSeparator, size,
                (fx - size) * sprites.screenScaleX, sy);
    } else {
      DrawGlyph(DigitRect(glyphs[i]), size, fx * sprites.screenScaleX, sy);
    }
    fx += advance(glyphs[i]);
  }
  return fx * sprites.screenScaleX;
}

int ConfirmPrompt(int code, int mode) {
  if (code != 0) {
    prompt.armedCode = code;
    prompt.mode = mode;
    return 0;
  }
  prompt.answer = -1;
  if (prompt.mode < 0) return prompt.answer;
  bool clickAnswers = false;
  if (prompt.mode == 0) {
    prompt.blinkTimer += frameClock.frameStep;
    if (prompt.blinkTimer > 200) prompt.blinkTimer = 0;
    if (prompt.blinkTimer > 125) {
      // Three times its size, centred across the field.
      const float scale = 3.0f;
      const float width = static_cast<float>(kPromptRect.right - kPromptRect.left) * scale;
      DrawTexture(sprites.sheets[kCharacterSheet], &kPromptRect, scale * sprites.screenScaleX,
                  scale * sprites.screenScaleY, 0, 0, 0,
                  (1024.0f - width) / 2.0f * sprites.screenScaleX, 500.0f * sprites.screenScaleY,
                  0xFFFFFFFFu);
    }
  } else if (prompt.mode == 99) {
    clickAnswers = true;
  } else {
    prompt.mode = -2;
    return prompt.answer;
  }
  if (KeyPressed(KEY_Y, true) || (clickAnswers && mouse.leftWentDown))
    prompt.answer = prompt.armedCode;
  else if (KeyPressed(KEY_N, true))
    prompt.answer = 0;
  if (prompt.answer != -1) {
    prompt.mode = -1;
    prompt.armedCode = 1;
  }
  return prompt.answer;
}

}  // namespace vx
