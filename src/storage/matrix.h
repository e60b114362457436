// 4 x 4 matrices for row vectors (v' = v x M), stored row by row, as the 3-D models and the
// projection use them.
#pragma once

namespace vx {

void MatrixIdentity(float out[16]);
void MatrixScaling(float out[16], float sx, float sy, float sz);
void MatrixTranslation(float out[16], float x, float y, float z);
// Roll about z first, then pitch about x, then yaw about y; all in radians.
void MatrixRotationYawPitchRoll(float out[16], float yaw, float pitch, float roll);
// out = a x b (a applied first). out may be a or b.
void MatrixMultiply(float out[16], const float a[16], const float b[16]);
// Left-handed perspective: vertical field of view in radians, depth 0 at the near plane
// and 1 at the far plane.
void MatrixPerspectiveFovLH(float out[16], float fovY, float aspect, float zNear, float zFar);

}  // namespace vx
