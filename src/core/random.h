// The game's one source of random numbers: the C library's generator, never seeded, so
// every run starts from the same sequence. Tests may put a scripted source in its place.
#pragma once

namespace vx {

struct RandomSource {
  int (*next)() = nullptr;  // null: std::rand
};
extern RandomSource randomSource;

int GameRand();

}  // namespace vx
