#include "storage/image_probe.h"

#include <cctype>
#include <cstdint>
#include <cstring>

namespace vx {

namespace {

using platform::ImageFormat;

unsigned Le16(const unsigned char* p) {
  return p[0] | (p[1] << 8);
}
long Le32(const unsigned char* p) {
  return static_cast<long>(static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24)));
}
unsigned long Be32(const unsigned char* p) {
  return (static_cast<unsigned long>(p[0]) << 24) | (static_cast<unsigned long>(p[1]) << 16) |
         (static_cast<unsigned long>(p[2]) << 8) | p[3];
}

bool EndsWithTga(const char* name) {
  if (!name) return false;
  std::size_t n = std::strlen(name);
  if (n < 4) return false;
  const char* ext = name + n - 4;
  return ext[0] == '.' && std::tolower(static_cast<unsigned char>(ext[1])) == 't' &&
         std::tolower(static_cast<unsigned char>(ext[2])) == 'g' &&
         std::tolower(static_cast<unsigned char>(ext[3])) == 'a';
}

bool ProbePng(const unsigned char* d, long size, ImageInfo* info) {
  if (size < 33 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
  unsigned long w = Be32(d + 16), h = Be32(d + 20);
  if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  info->format = ImageFormat::Png;
  info->width = static_cast<int>(w);
  info->height = static_cast<int>(h);
  return true;
}

// Walks the JPEG segments up to the first start-of-frame marker.
bool ProbeJpeg(const unsigned char* d, long size, ImageInfo* info) {
  long i = 2;
  while (i + 4 <= size) {
    if (d[i] != 0xFF) return false;
    unsigned char marker = d[i + 1];
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      i += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return false;  // end or scan before any frame
    long length = (d[i + 2] << 8) | d[i + 3];
    if (length < 2) return false;
    bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (i + 9 > size || length < 7) return false;
      int h = (d[i + 5] << 8) | d[i + 6];
      int w = (d[i + 7] << 8) | d[i + 8];
      if (w == 0 || h == 0) return false;
      info->format = ImageFormat::Jpeg;
      info->width = w;
      info->height = h;
      return true;
    }
    i += 2 + length;
  }
  return false;
}

bool ProbeBmp(const unsigned char* d, long size, ImageInfo* info) {
  if (size < 26) return false;
  long offset = Le32(d + 10);
  long header = Le32(d + 14);
  long w = 0, h = 0, bpp = 0;
  if (header == 12) {
    w = Le16(d + 18);
    h = Le16(d + 20);
    bpp = Le16(d + 24);
  } else if (header >= 40 && size >= 30) {
    w = Le32(d + 18);
    h = Le32(d + 22);
    bpp = Le16(d + 28);
    if (size >= 34 && Le32(d + 30) != 0 && Le32(d + 30) != 3) bpp = 0;  // compressed: no check
  } else {
    return false;
  }
  if (h < 0) h = -h;
  if (w <= 0 || h <= 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF || offset < 14 + header) return false;
  if (bpp > 0) {
    // Uncompressed rows are padded to 4 bytes; all of them must be there.
    long long rowBytes = (static_cast<long long>(w) * bpp + 31) / 32 * 4;
    if (offset + rowBytes * h > size) return false;
  }
  info->format = ImageFormat::Bmp;
  info->width = static_cast<int>(w);
  info->height = static_cast<int>(h);
  return true;
}

bool ProbeTga(const unsigned char* d, long size, ImageInfo* info) {
  if (size < 18) return false;
  int idLength = d[0], mapType = d[1], type = d[2];
  unsigned mapLength = Le16(d + 5);
  int mapDepth = d[7];
  int w = static_cast<int>(Le16(d + 12)), h = static_cast<int>(Le16(d + 14));
  int bpp = d[16];
  if (mapType > 1 || w == 0 || h == 0) return false;
  bool mapped = type == 1 || type == 9;
  bool rle = type >= 9;
  if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11) return false;
  if (mapped != (mapType == 1)) return false;
  if (bpp != 8 && bpp != 15 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (mapped &&
      (bpp != 8 || (mapDepth != 15 && mapDepth != 16 && mapDepth != 24 && mapDepth != 32)))
    return false;
  long long need =
      18LL + idLength + (mapType ? static_cast<long long>(mapLength) * ((mapDepth + 7) / 8) : 0);
  // Run-length data can only be checked by decoding; plain data must be all there.
  if (!rle)
    need += static_cast<long long>(w) * h * ((bpp + 7) / 8);
  else
    need += 1;
  if (need > size) return false;
  info->format = ImageFormat::Tga;
  info->width = w;
  info->height = h;
  return true;
}

}  // namespace

bool ProbeImage(const unsigned char* data, long size, const char* name, ImageInfo* info) {
  if (!data || size <= 0 || !info) return false;
  static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return ProbePng(data, size, info);
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    return ProbeJpeg(data, size, info);
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return ProbeBmp(data, size, info);
  if (EndsWithTga(name)) return ProbeTga(data, size, info);
  return false;
}

}  // namespace vx
