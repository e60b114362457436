#include "platform/platform.h"

#include "platform/dialog.h"

namespace vx::platform {

Backend backend;

void ShowMessage(const char* text, const char* caption) {
  if (backend.dialogs) backend.dialogs->Show(text, caption, Buttons::Ok);
}

}  // namespace vx::platform
