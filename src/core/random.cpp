#include "core/random.h"

#include <cstdlib>

namespace vx {

RandomSource randomSource;

int GameRand() {
  return randomSource.next ? randomSource.next() : std::rand();
}

}  // namespace vx
