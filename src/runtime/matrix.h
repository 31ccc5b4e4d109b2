// Single-precision vector and 4x4 matrix maths for view, projection and world
// transforms. Matrices are row-major and points are row vectors multiplied on
// the left (p' = p * M), so a translation sits in elements 12, 13 and 14.
// Element (r, c) is m[4 * r + c]. The space is left-handed and projections map
// depth to 0 at the near plane and 1 at the far plane. Angles in degrees.
//
// No length is checked: normalising a zero vector, or a view whose eye is its
// target, yields NaN.
#pragma once

struct Vec3 {
  float x, y, z;
};

struct Matrix {
  float m[16];
};

// out = a - b.
Vec3& Vec3_Subtract(Vec3& out, const Vec3& a, const Vec3& b);
float Vec3_Dot(const Vec3& a, const Vec3& b);
void Vec3_Normalise(Vec3& v);
void Vec3_Normalised(const Vec3& v, Vec3& out);
// out = a x b; out may be a or b.
void Vec3_Cross(const Vec3& a, Vec3& out, const Vec3& b);

// out = a * b; out may be a or b.
void Matrix_Multiply(Matrix& out, const Matrix& a, const Matrix& b);
// out may be m.
void Matrix_Transpose(Matrix& out, const Matrix& m);

// Rotation about the axis in the usual left-handed sense; the axis is
// normalised in place.
void Matrix_RotationAxis(Matrix& out, Vec3& axis, float degrees);
// These three turn the opposite way to Matrix_RotationAxis about the same axis.
void Matrix_RotationX(Matrix& out, float degrees);
void Matrix_RotationY(Matrix& out, float degrees);
void Matrix_RotationZ(Matrix& out, float degrees);

void Matrix_LookAt(Matrix& out, const Vec3& eye, const Vec3& target, const Vec3& up);
void Matrix_PerspectiveFov(Matrix& out, float fovRadians, float aspect, float zNear, float zFar);
void Matrix_Perspective(Matrix& out, float width, float height, float zNear, float zFar);
void Matrix_Ortho(Matrix& out, float width, float height, float zNear, float zFar);
