// Small images, X files and archives made inside the tests, for the texture, model and
// drawing tests.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace vx::test {

// An uncompressed 32-bit TGA (top-left origin) filled with one BGRA colour.
inline std::string MakeTga(int width, int height, std::uint32_t argb = 0xFFFFFFFF) {
  std::string tga(18, '\0');
  tga[2] = 2;
  tga[12] = static_cast<char>(width & 0xFF);
  tga[13] = static_cast<char>(width >> 8);
  tga[14] = static_cast<char>(height & 0xFF);
  tga[15] = static_cast<char>(height >> 8);
  tga[16] = 32;
  tga[17] = 0x28;
  for (int i = 0; i < width * height; ++i)
    for (int b = 0; b < 4; ++b) tga.push_back(static_cast<char>((argb >> (8 * b)) & 0xFF));
  return tga;
}

// A resource archive of (name, bytes) members.
inline void WriteArchive(const std::string& path,
                         const std::vector<std::pair<std::string, std::string>>& members) {
  std::string bytes;
  for (const auto& [name, data] : members)
    bytes += name + ";" + std::to_string(data.size()) + ";" + data;
  WriteFile(path, bytes);
}

// A text X file with one quad facing -z (towards the camera), normals and texture
// coordinates.
inline std::string QuadXFile() {
  return "xof 0303txt 0032\n"
         "Mesh quad {\n 4;\n -1.000000;-1.000000;0.000000;,\n -1.000000;1.000000;0.000000;,\n"
         " 1.000000;1.000000;0.000000;,\n 1.000000;-1.000000;0.000000;;\n"
         " 2;\n 3;0,1,2;,\n 3;0,2,3;;\n"
         " MeshNormals {\n  1;\n  0.000000;0.000000;-1.000000;;\n  2;\n  3;0,0,0;,\n  3;0,0,0;;\n "
         "}\n"
         " MeshTextureCoords {\n  4;\n  0.000000;1.000000;,\n  0.000000;0.000000;,\n"
         "  1.000000;0.000000;,\n  1.000000;1.000000;;\n }\n}\n";
}

}  // namespace vx::test
