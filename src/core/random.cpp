#include "core/random.h"

namespace vx {

RandomSource randomSource;

int GameRand() {
  return randomSource.next ? randomSource.next() : randomSource.generator.Next();
}

}  // namespace vx
