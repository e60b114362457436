#include "core/random.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_support.h"

namespace vx {
namespace {

// The replays and every stage the random field generator builds rest on the C library's
// unseeded rand() sequence (the same as after srand(1)): the game's generator must give
// exactly those numbers, from its start and again after a reset.
TEST(RandomTest, TheGeneratorGivesTheUnseededRandSequence) {
  test::ResetCoreState();
  for (int round = 0; round < 2; ++round) {
    std::srand(1);
    for (int i = 0; i < 200000; ++i) {
      const int expected = std::rand();
      const int drawn = GameRand();
      ASSERT_EQ(drawn, expected) << "draw " << i << ", round " << round;
    }
    randomSource = RandomSource{};
  }
}

}  // namespace
}  // namespace vx
