// Fuzzes the image path of the texture loader: any bytes as an archive member, through the
// header check and, when that accepts them, the decoder and the conversion to RGBA.
#include <SDL.h>

#include <cstdint>

#include "platform/sdl/sdl_gpu.h"
#include "storage/image_probe.h"

// Leaks inside the library itself are not what this target looks for: SDL keeps its error message
// in a buffer it allocates once per thread.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libSDL2\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the member's extension, so that TGA, which has no signature, is
  // reached as well as the formats that do.
  const char* name = (data[0] & 1) ? "img\\fuzz.tga" : "img\\fuzz.jpg";
  ++data;
  --size;
  vx::ImageInfo info;
  if (!vx::ProbeImage(data, static_cast<long>(size), name, &info)) return 0;
  if (info.width > vx::kMaxImageSide || info.height > vx::kMaxImageSide) return 0;
  SDL_Surface* rgba = vx::platform::DecodeImage(data, static_cast<long>(size), info.format,
                                                info.width, info.height);
  if (!rgba) return 0;
  if (rgba->w != info.width || rgba->h != info.height || rgba->pitch < rgba->w * 4)
    __builtin_trap();
  // Every pixel the uploader will read must be there.
  const auto* pixels = static_cast<const std::uint8_t*>(rgba->pixels);
  volatile std::uint8_t last = pixels[(rgba->h - 1) * rgba->pitch + rgba->w * 4 - 1];
  (void)last;
  SDL_FreeSurface(rgba);
  return 0;
}
