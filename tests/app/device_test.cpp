#include "app/device.h"

#include <gtest/gtest.h>

#include <cmath>

#include "storage/texture.h"
#include "test_support.h"

namespace vx {
namespace {

// The device set-up leaves the 3-D state the models are drawn with on the GPU.
TEST(DeviceTest, SetupGivesTheModelsTheirProjectionLightAndAmbient) {
  test::HeadlessRig& rig = test::InstallHeadless();
  ASSERT_TRUE(SetupDevices());
  const float cot = 1.0f / std::tan(0.785398f / 2);
  const float kProjection[16] = {cot, 0, 0,           0, 0, cot, 0,           0,
                                 0,   0, 100 / 99.9f, 1, 0, 0,   -10 / 99.9f, 0};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(rig.gpu.projection[i], kProjection[i], 1e-5) << i;
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(rig.gpu.light.diffuse[i], 1);
    EXPECT_FLOAT_EQ(rig.gpu.light.specular[i], 1);
    EXPECT_FLOAT_EQ(rig.gpu.light.ambient[i], 0);
  }
  EXPECT_FLOAT_EQ(rig.gpu.light.direction[0], 1);
  EXPECT_FLOAT_EQ(rig.gpu.light.direction[1], 0);
  EXPECT_FLOAT_EQ(rig.gpu.light.direction[2], 1);
  EXPECT_EQ(rig.gpu.ambient, 0xFFCE3333u);
  EXPECT_EQ(models.ambient, 0xFFCE3333u);
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

}  // namespace
}  // namespace vx
