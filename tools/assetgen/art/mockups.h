// Mock-ups for the contact sheet: screens composed from the generated pictures the way the
// game layers them, and lit previews of the intro's models, so a reviewer sees the pictures
// together as a player will.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "canvas.h"

namespace vx::art {

struct Mockup {
  std::string title;
  std::unique_ptr<Canvas> canvas;
};

// `img` maps every image member to its painted canvas.
std::vector<Mockup> Mockups(const std::map<std::string, const Canvas*>& img);

}  // namespace vx::art
