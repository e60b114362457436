// The intro's three models, written as text X files.
#pragma once

#include <string>

namespace vx::art {

// Writes the model member (xfile/logo.x, xfile/music.x or xfile/copyright.x) as X file text.
std::string ModelText(const std::string& member);

}  // namespace vx::art
