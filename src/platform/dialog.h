// Message boxes.
#pragma once

namespace vx::platform {

enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows text with caption and waits for the answer.
  virtual Answer Show(const char* text, const char* caption, Buttons buttons) = 0;
};

}  // namespace vx::platform
