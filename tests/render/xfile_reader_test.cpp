// The X files the model loader's check lets through are ones the real X-file reader takes, read
// to the triangles they hold: the check and the reader agree on what the file says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sdl/sdl_gpu.h"
#include "storage/xfile_check.h"
#include "xfile_fixtures.h"

namespace vx {
namespace {

TEST(XFileReaderTest, FilesThatPassTheCheckAreReadToTheirTriangles) {
  for (const test::XFileCase& c : test::XFileCases()) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(c.text.data());
    const long size = static_cast<long>(c.text.size());
    // Only files the check passes may reach the reader: a refused one could make it crash.
    if (!PlausibleXFile(bytes, size)) continue;
    std::vector<platform::MeshVertex> vertices;
    std::vector<GLuint> indices;
    const bool read = platform::ReadXFileMesh(bytes, size, &vertices, &indices);
    EXPECT_EQ(read, c.triangles > 0) << c.what;
    EXPECT_EQ(indices.size(), 3u * static_cast<unsigned>(c.triangles)) << c.what;
  }
}

}  // namespace
}  // namespace vx
