#pragma once
// 4x4 matrices with the conventions the game's geometry is written in: row vectors
// (a point is multiplied on the left), transforms composed left to right, right-handed
// view and projection with clip depth 0..1.
#include <array>

namespace platform {

struct Vec3 {
  float X = 0, Y = 0, Z = 0;
  bool operator==(const Vec3&) const = default;
};

inline Vec3 Subtract(const Vec3& a, const Vec3& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
inline float Dot(const Vec3& a, const Vec3& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
// v scaled to length 1; v as it is when its length is 0, infinite or not a number.
Vec3 UnitOrUnchanged(const Vec3& v);

struct Matrix4 {
  std::array<std::array<float, 4>, 4> M{};  // M[row][column]
  bool operator==(const Matrix4&) const = default;
};

Matrix4 Identity();
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);  // a then b
Matrix4 RotationX(float angle);                        // rad
Matrix4 RotationY(float angle);                        // rad
Matrix4 RotationZ(float angle);                        // rad
Matrix4 Translation(float x, float y, float z);
Matrix4 LookAtRH(const Vec3& eye, const Vec3& at, const Vec3& up);
Matrix4 PerspectiveFovRH(float fovY, float aspect, float zNear, float zFar);  // fovY in rad

// (x, y, z, 1) times m, divided by w.
Vec3 TransformCoord(const Vec3& v, const Matrix4& m);

}  // namespace platform
