// Field tables compared entry by entry, for tests that play the same frames two ways (a fast
// path against its plain reference) and must end with the same tables, and a random source
// both ways can start from the same draw.
#pragma once
#include <gtest/gtest.h>

#include <random>

#include "core/random.h"
#include "field/field_tables.h"

namespace vx::test {

// A seeded source that counts what it hands out, so two runs can start from the same draw.
struct CountingRandom {
  static inline std::mt19937 engine;
  static inline int calls = 0;
  static int Next() {
    ++calls;
    return static_cast<int>(engine() % 32768u);
  }
  static void Start(unsigned seed) {
    engine.seed(seed);
    calls = 0;
    randomSource.next = &Next;
  }
};

inline ::testing::AssertionResult SameCells(const FieldCells& got, const FieldCells& want) {
  if (got.cellCount != want.cellCount)
    return ::testing::AssertionFailure()
           << "cell count " << got.cellCount << " instead of " << want.cellCount;
  for (int i = 0; i < got.cellCount; ++i)
    if (got.x[i] != want.x[i] || got.y[i] != want.y[i] || got.kind[i] != want.kind[i] ||
        got.flags[i] != want.flags[i] || got.timer[i] != want.timer[i])
      return ::testing::AssertionFailure() << "cell " << i << " differs";
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult SameObjects(const FieldObjects& got, const FieldObjects& want) {
  if (got.objectCount != want.objectCount)
    return ::testing::AssertionFailure()
           << "object count " << got.objectCount << " instead of " << want.objectCount;
  for (int i = 0; i < got.objectCount; ++i)
    if (got.x[i] != want.x[i] || got.y[i] != want.y[i] || got.code[i] != want.code[i] ||
        got.flags[i] != want.flags[i] || got.timer[i] != want.timer[i])
      return ::testing::AssertionFailure() << "object " << i << " differs";
  return ::testing::AssertionSuccess();
}

}  // namespace vx::test
