// The stage editor.
#pragma once

namespace vx {

int UpdateEditor();

}  // namespace vx
