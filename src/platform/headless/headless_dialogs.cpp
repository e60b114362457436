#include "platform/headless/headless_dialogs.h"

#include <cstdio>

namespace vx::platform {

Answer HeadlessDialogs::Show(const char* text, const char* caption, Buttons buttons) {
  shown.push_back({text ? text : "", caption ? caption : "", buttons});
  if (echoToStderr) std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
  if (buttons == Buttons::Ok) return Answer::Ok;
  if (answers.empty()) return Answer::Yes;
  Answer a = answers.front();
  answers.pop_front();
  return a;
}

}  // namespace vx::platform
