#include "storage/xfile_check.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx_fixtures.h"
#include "xfile_fixtures.h"

namespace vx {
namespace {

bool Plausible(const std::string& text) {
  return PlausibleXFile(reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<long>(text.size()));
}

TEST(XFileCheckTest, ExportedFilesPassAndDamagedNumbersTheReaderTrustsAreRefused) {
  EXPECT_TRUE(Plausible(test::QuadXFile()));
  for (const test::XFileCase& c : test::XFileCases())
    EXPECT_EQ(Plausible(c.text), c.plausible) << c.what;
}

}  // namespace
}  // namespace vx
