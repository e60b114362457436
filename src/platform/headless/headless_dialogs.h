// Message boxes recorded instead of shown; answers come from a queue (Yes when empty).
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace vx::platform {

struct ShownMessage {
  std::string text;
  std::string caption;
  Buttons buttons;
};

class HeadlessDialogs : public Dialogs {
 public:
  Answer Show(const char* text, const char* caption, Buttons buttons) override;

  std::vector<ShownMessage> shown;
  std::deque<Answer> answers;  // scripted answers for Yes/No questions
  bool echoToStderr = false;
};

}  // namespace vx::platform
