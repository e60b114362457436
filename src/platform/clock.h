// The high-resolution clock the frame step is measured with.
#pragma once
#include <cstdint>

namespace vx::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Counts per second of the performance counter; 0 when there is none.
  virtual std::uint64_t CounterFrequency() = 0;
  virtual std::uint64_t Counter() = 0;
  // Milliseconds since some fixed point (the fallback clock).
  virtual std::uint32_t Milliseconds() = 0;
};

}  // namespace vx::platform
