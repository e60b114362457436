// Fuzzes the WAVE check: any bytes as an effect file. Whatever it accepts must lie inside
// the input and be whole PCM frames of a layout the mixer plays.
#include <cstdint>
#include <cstring>
#include <memory>

// The reader is compiled into this target (the core library is built without coverage
// instrumentation), so the fuzzer can see which branches an input reaches.
#include "audio/wav_reader.cpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so a read one byte past the end is caught.
  auto copy = std::make_unique<unsigned char[]>(size ? size : 1);
  if (size) std::memcpy(copy.get(), data, size);
  vx::WavFile wav;
  if (vx::ReadWav(copy.get(), size, &wav) != vx::WavResult::Ok) return 0;
  const unsigned char* begin = copy.get();
  if (wav.data < begin || wav.size == 0 || wav.size > size || wav.data + wav.size > begin + size)
    __builtin_trap();
  if (wav.format.formatTag != 1 || wav.format.blockAlign <= 0 ||
      wav.size % static_cast<std::size_t>(wav.format.blockAlign) != 0)
    __builtin_trap();
  volatile unsigned char sink = wav.data[0] ^ wav.data[wav.size - 1];
  (void)sink;
  return 0;
}
