// The game's one source of random numbers: the C library's rand() sequence, never seeded, so
// every run starts from the same sequence. Tests may put a scripted source in its place.
#pragma once
#include <array>
#include <cstdint>

namespace vx {

// The C library's generator (an additive feedback generator of degree 31 over 32-bit words,
// which rand() returns shifted right by one), run here on a state of the game's own: the same
// numbers as rand() without a seed, without the lock rand() takes on every call, and untouched
// by the libraries that call rand() or srand() themselves.
struct RandomTable {
  static constexpr int kDegree = 31;
  static constexpr int kSeparation = 3;
  std::array<std::uint32_t, kDegree> words{};
  int front = kSeparation;  // the word that takes the sum
  int rear = 0;             // the word added to it

  constexpr int Next() {
    words[front] += words[rear];
    const std::uint32_t value = words[front] >> 1;
    front = front + 1 == kDegree ? 0 : front + 1;
    rear = rear + 1 == kDegree ? 0 : rear + 1;
    return static_cast<int>(value);
  }

  // The state rand() starts from: seeded with 1 (each word 16807 times the one before, modulo
  // 2^31 - 1), then run ten times round the table.
  static constexpr RandomTable Seeded() {
    RandomTable t;
    std::int32_t word = 1;
    t.words[0] = 1;
    for (int i = 1; i < kDegree; ++i) {
      const std::int32_t hi = word / 127773, lo = word % 127773;
      word = 16807 * lo - 2836 * hi;
      if (word < 0) word += 2147483647;
      t.words[i] = static_cast<std::uint32_t>(word);
    }
    for (int k = 0; k < 10 * kDegree; ++k) t.Next();
    return t;
  }
};

inline constexpr RandomTable kRandomStart = RandomTable::Seeded();

struct RandomSource {
  int (*next)() = nullptr;  // a scripted source; null: the generator below
  RandomTable generator = kRandomStart;
};
extern RandomSource randomSource;

// 0 .. 2^31 - 1.
int GameRand();

}  // namespace vx
