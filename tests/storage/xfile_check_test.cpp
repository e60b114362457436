#include "storage/xfile_check.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx_fixtures.h"

namespace vx {
namespace {

// A quad with its blocks spelled out so that single numbers can be damaged.
std::string Quad(const std::string& vertexCount, const std::string& face,
                 const std::string& normalFace = "3;0,0,0;") {
  return "xof 0303txt 0032\n"
         "template Mesh {\n <3D82AB44-62DA-11cf-AB39-0020AF71E433>\n DWORD nVertices;\n}\n"
         "Mesh quad {\n " +
         vertexCount +
         ";\n -1.000000;-1.000000;0.000000;,\n -1.000000;1.000000;0.000000;,\n"
         " 1.000000;1.000000;0.000000;,\n 1.000000;-1.000000;0.000000;;\n"
         " 2;\n " +
         face +
         ",\n 3;0,2,3;;\n"
         " MeshNormals {\n  1;\n  0.000000;0.000000;-1.000000;;\n  2;\n  " +
         normalFace + ",\n  3;0,0,0;;\n }\n}\n";
}

TEST(XFileCheckTest, TextMeshesWithSoundCountsAndIndicesPass) {
  const struct {
    const char* what;
    std::string text;
    bool ok;
  } kCases[] = {
      {"the test quad", test::QuadXFile(), true},
      {"spelled-out quad with a template", Quad("4", "3;0,1,2;"), true},
      {"a four-corner face", Quad("4", "4;0,1,2,3;"), true},
      {"binary X file", "xof 0303bin 0032" + std::string(40, '\1'), false},
      {"compressed X file", "xof 0303tzip0032" + std::string(40, 'a'), false},
      {"no header", "Mesh quad { 1; 0.0;0.0;0.0;; 1; 3;0,0,0;; }", false},
      {"negative count", Quad("-4", "3;0,1,2;"), false},
      {"count beyond the file", Quad("400000", "3;0,1,2;"), false},
      {"fewer vertices than the count", Quad("5", "3;0,1,2;"), false},
      {"no vertices", Quad("0", "3;0,1,2;"), false},
      {"a face names a missing vertex", Quad("4", "3;0,1,4;"), false},
      {"a face without corners", Quad("4", "0;"), false},
      {"a normal face names a missing normal", Quad("4", "3;0,1,2;", "3;0,1,0;"), false},
      {"cut short", Quad("4", "3;0,1,2;").substr(0, 150), false},
      {"no mesh at all", "xof 0303txt 0032\nFrame root {\n}\n", true},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(PlausibleXFile(reinterpret_cast<const unsigned char*>(c.text.data()),
                             static_cast<long>(c.text.size())),
              c.ok)
        << c.what;
}

}  // namespace
}  // namespace vx
