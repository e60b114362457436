// Fuzzes the X-file path of the model loader: any bytes that pass the structure check are read
// as an X file in memory; the mesh handed to the GPU must only index vertices it has.
#include <cstdint>
#include <vector>

#include "platform/sdl/sdl_gpu.h"
#include "storage/xfile_check.h"

// Leaks inside the library itself are not what this target looks for: the X-file reader of the
// Assimp release we build against leaks parts of a scene when it gives up on a malformed file.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libassimp.so\n";
}

// A damaged count makes the reader ask for absurd amounts of memory; outside the sanitizer
// that request fails with an exception the loader catches, so let it fail the same way here.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!vx::PlausibleXFile(data, static_cast<long>(size))) return 0;
  std::vector<vx::platform::MeshVertex> vertices;
  std::vector<GLuint> indices;
  bool ok = vx::platform::ReadXFileMesh(data, static_cast<long>(size), &vertices, &indices);
  if (ok && (indices.empty() || indices.size() % 3 != 0)) __builtin_trap();
  for (GLuint i : indices)
    if (i >= vertices.size()) __builtin_trap();
  return 0;
}
