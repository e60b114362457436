#include "storage/matrix.h"

#include <cmath>
#include <cstring>

namespace vx {

void MatrixIdentity(float out[16]) {
  std::memset(out, 0, 16 * sizeof(float));
  out[0] = out[5] = out[10] = out[15] = 1.0f;
}

void MatrixScaling(float out[16], float sx, float sy, float sz) {
  MatrixIdentity(out);
  out[0] = sx;
  out[5] = sy;
  out[10] = sz;
}

void MatrixTranslation(float out[16], float x, float y, float z) {
  MatrixIdentity(out);
  out[12] = x;
  out[13] = y;
  out[14] = z;
}

void MatrixRotationYawPitchRoll(float out[16], float yaw, float pitch, float roll) {
  const float cy = std::cos(yaw), sy = std::sin(yaw);
  const float cp = std::cos(pitch), sp = std::sin(pitch);
  const float cr = std::cos(roll), sr = std::sin(roll);
  float z[16], x[16], y[16];
  MatrixIdentity(z);
  z[0] = cr;
  z[1] = sr;
  z[4] = -sr;
  z[5] = cr;
  MatrixIdentity(x);
  x[5] = cp;
  x[6] = sp;
  x[9] = -sp;
  x[10] = cp;
  MatrixIdentity(y);
  y[0] = cy;
  y[2] = -sy;
  y[8] = sy;
  y[10] = cy;
  MatrixMultiply(out, z, x);
  MatrixMultiply(out, out, y);
}

void MatrixMultiply(float out[16], const float a[16], const float b[16]) {
  float r[16];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[i * 4 + k] * b[k * 4 + j];
      r[i * 4 + j] = sum;
    }
  std::memcpy(out, r, sizeof r);
}

void MatrixPerspectiveFovLH(float out[16], float fovY, float aspect, float zNear, float zFar) {
  std::memset(out, 0, 16 * sizeof(float));
  const float yScale = 1.0f / std::tan(fovY / 2);
  out[0] = yScale / aspect;
  out[5] = yScale;
  out[10] = zFar / (zFar - zNear);
  out[11] = 1.0f;
  out[14] = -zNear * zFar / (zFar - zNear);
}

}  // namespace vx
