#include "platform/gfx/matrix.h"

#include <cmath>

namespace platform {
namespace {

// Unlike UnitOrUnchanged, an infinite or NaN length still divides.
Vec3 Normalize(const Vec3& v) {
  const float length = std::sqrt(Dot(v, v));
  if (length == 0) return v;
  return {v.X / length, v.Y / length, v.Z / length};
}

// The rotation by `angle` that turns axis `from` towards axis `to` (row vectors).
Matrix4 PlaneRotation(int from, int to, float angle) {
  Matrix4 m = Identity();
  const float c = std::cos(angle), s = std::sin(angle);
  m.M[from][from] = c;
  m.M[from][to] = s;
  m.M[to][from] = -s;
  m.M[to][to] = c;
  return m;
}

constexpr int kAxisX = 0, kAxisY = 1, kAxisZ = 2;

}  // namespace

Vec3 UnitOrUnchanged(const Vec3& v) {
  const float length = std::sqrt(Dot(v, v));
  if (!(length > 0) || !std::isfinite(length)) return v;
  return {v.X / length, v.Y / length, v.Z / length};
}

Matrix4 Identity() {
  Matrix4 m;
  for (int i = 0; i < 4; ++i) m.M[i][i] = 1;
  return m;
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.M[i][k] * b.M[k][j];
      r.M[i][j] = sum;
    }
  }
  return r;
}

Matrix4 RotationX(float angle) { return PlaneRotation(kAxisY, kAxisZ, angle); }
Matrix4 RotationY(float angle) { return PlaneRotation(kAxisZ, kAxisX, angle); }
Matrix4 RotationZ(float angle) { return PlaneRotation(kAxisX, kAxisY, angle); }

Matrix4 Translation(float x, float y, float z) {
  Matrix4 m = Identity();
  m.M[3][0] = x;
  m.M[3][1] = y;
  m.M[3][2] = z;
  return m;
}

Matrix4 LookAtRH(const Vec3& eye, const Vec3& at, const Vec3& up) {
  const Vec3 zAxis = Normalize(Subtract(eye, at));
  const Vec3 xAxis = Normalize(Cross(up, zAxis));
  const Vec3 yAxis = Cross(zAxis, xAxis);
  Matrix4 m;
  m.M[0] = {xAxis.X, yAxis.X, zAxis.X, 0};
  m.M[1] = {xAxis.Y, yAxis.Y, zAxis.Y, 0};
  m.M[2] = {xAxis.Z, yAxis.Z, zAxis.Z, 0};
  m.M[3] = {-Dot(xAxis, eye), -Dot(yAxis, eye), -Dot(zAxis, eye), 1};
  return m;
}

Matrix4 PerspectiveFovRH(float fovY, float aspect, float zNear, float zFar) {
  const float yScale = 1.0f / std::tan(fovY / 2);
  const float xScale = yScale / aspect;
  Matrix4 m;
  m.M[0][0] = xScale;
  m.M[1][1] = yScale;
  m.M[2][2] = zFar / (zNear - zFar);
  m.M[2][3] = -1;
  m.M[3][2] = zNear * zFar / (zNear - zFar);
  return m;
}

Vec3 TransformCoord(const Vec3& v, const Matrix4& m) {
  float out[4];
  for (int j = 0; j < 4; ++j) out[j] = v.X * m.M[0][j] + v.Y * m.M[1][j] + v.Z * m.M[2][j] + m.M[3][j];
  const float w = out[3] == 0 ? 1 : out[3];
  return {out[0] / w, out[1] / w, out[2] / w};
}

}  // namespace platform
