// Reads the header of an image file held in memory: which format it is and how large,
// before any pixel is decoded, so that files that are not images, are cut short or are
// absurdly large can be refused without touching a decoder.
#pragma once
#include "platform/gpu.h"

namespace vx {

inline constexpr int kMaxImageSide = 4096;

struct ImageInfo {
  platform::ImageFormat format = platform::ImageFormat::Tga;
  int width = 0;
  int height = 0;
};

// PNG, JPEG and BMP are recognised by their signatures; TGA has none, so a file whose name
// ends in ".tga" is read as TGA. False when the bytes are none of these, the header is
// damaged, the pixel data of an uncompressed TGA or BMP is cut short, or a side is 0.
bool ProbeImage(const unsigned char* data, long size, const char* name, ImageInfo* info);

}  // namespace vx
