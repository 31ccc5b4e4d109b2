#include "runtime/matrix.h"

#include <cmath>

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;

float& At(Matrix& m, int row, int col) { return m.m[4 * row + col]; }
float At(const Matrix& m, int row, int col) { return m.m[4 * row + col]; }

void Clear(Matrix& out) {
  for (float& e : out.m) e = 0.0f;
}

// Rows 0-2 and columns 0-2 given, the rest of an affine identity.
void SetRotation(Matrix& out, const float (&rows)[3][3]) {
  Clear(out);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) At(out, r, c) = rows[r][c];
  }
  At(out, 3, 3) = 1.0f;
}

}  // namespace

Vec3& Vec3_Subtract(Vec3& out, const Vec3& a, const Vec3& b) {
  out = Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
  return out;
}

float Vec3_Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

void Vec3_Normalise(Vec3& v) {
  const float inverse = 1.0f / std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  v.x *= inverse;
  v.y *= inverse;
  v.z *= inverse;
}

void Vec3_Normalised(const Vec3& v, Vec3& out) {
  out = v;
  Vec3_Normalise(out);
}

void Vec3_Cross(const Vec3& a, Vec3& out, const Vec3& b) {
  out = Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void Matrix_Multiply(Matrix& out, const Matrix& a, const Matrix& b) {
  Matrix product;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += At(a, r, k) * At(b, k, c);
      At(product, r, c) = sum;
    }
  }
  out = product;
}

void Matrix_Transpose(Matrix& out, const Matrix& m) {
  Matrix transposed;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) At(transposed, r, c) = At(m, c, r);
  }
  out = transposed;
}

void Matrix_RotationAxis(Matrix& out, Vec3& axis, float degrees) {
  Vec3_Normalise(axis);
  const float angle = degrees * kRadiansPerDegree;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const float t = 1.0f - c;
  const float x = axis.x, y = axis.y, z = axis.z;
  SetRotation(out, {{t * x * x + c, t * x * y + s * z, t * x * z - s * y},
                    {t * x * y - s * z, t * y * y + c, t * y * z + s * x},
                    {t * x * z + s * y, t * y * z - s * x, t * z * z + c}});
}

void Matrix_RotationX(Matrix& out, float degrees) {
  const float c = std::cos(degrees * kRadiansPerDegree);
  const float s = std::sin(degrees * kRadiansPerDegree);
  SetRotation(out, {{1.0f, 0.0f, 0.0f}, {0.0f, c, -s}, {0.0f, s, c}});
}

void Matrix_RotationY(Matrix& out, float degrees) {
  const float c = std::cos(degrees * kRadiansPerDegree);
  const float s = std::sin(degrees * kRadiansPerDegree);
  SetRotation(out, {{c, 0.0f, s}, {0.0f, 1.0f, 0.0f}, {-s, 0.0f, c}});
}

void Matrix_RotationZ(Matrix& out, float degrees) {
  const float c = std::cos(degrees * kRadiansPerDegree);
  const float s = std::sin(degrees * kRadiansPerDegree);
  SetRotation(out, {{c, -s, 0.0f}, {s, c, 0.0f}, {0.0f, 0.0f, 1.0f}});
}

void Matrix_LookAt(Matrix& out, const Vec3& eye, const Vec3& target, const Vec3& up) {
  Vec3 z, x, y, upUnit;
  Vec3_Normalise(Vec3_Subtract(z, target, eye));
  Vec3_Normalised(up, upUnit);
  Vec3_Cross(upUnit, x, z);
  Vec3_Normalise(x);
  Vec3_Cross(z, y, x);
  Clear(out);
  const Vec3* axes[3] = {&x, &y, &z};
  for (int c = 0; c < 3; ++c) {
    At(out, 0, c) = axes[c]->x;
    At(out, 1, c) = axes[c]->y;
    At(out, 2, c) = axes[c]->z;
    At(out, 3, c) = -Vec3_Dot(*axes[c], eye);
  }
  At(out, 3, 3) = 1.0f;
}

void Matrix_PerspectiveFov(Matrix& out, float fovRadians, float aspect, float zNear, float zFar) {
  const float h = 1.0f / std::tan(fovRadians / 2.0f);
  Clear(out);
  At(out, 0, 0) = h / aspect;
  At(out, 1, 1) = h;
  At(out, 2, 2) = zFar / (zFar - zNear);
  At(out, 2, 3) = 1.0f;
  At(out, 3, 2) = -zNear * zFar / (zFar - zNear);
}

void Matrix_Perspective(Matrix& out, float width, float height, float zNear, float zFar) {
  Clear(out);
  At(out, 0, 0) = 2.0f * zNear / width;
  At(out, 1, 1) = 2.0f * zNear / height;
  At(out, 2, 2) = zFar / (zFar - zNear);
  At(out, 2, 3) = 1.0f;
  At(out, 3, 2) = zNear * zFar / (zNear - zFar);
}

void Matrix_Ortho(Matrix& out, float width, float height, float zNear, float zFar) {
  Clear(out);
  At(out, 0, 0) = 2.0f / width;
  At(out, 1, 1) = 2.0f / height;
  At(out, 2, 2) = 1.0f / (zFar - zNear);
  At(out, 3, 2) = zNear / (zNear - zFar);
  At(out, 3, 3) = 1.0f;
}
