#include "runtime/matrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Vec4 {
  float x, y, z, w;
};

// p * m, then the divide by w.
Vec4 Project(const Vec4& p, const Matrix& m) {
  float r[4];
  for (int c = 0; c < 4; ++c) r[c] = p.x * m.m[c] + p.y * m.m[4 + c] + p.z * m.m[8 + c] + p.w * m.m[12 + c];
  return {r[0] / r[3], r[1] / r[3], r[2] / r[3], r[3]};
}

void ExpectNear(const Vec4& got, const Vec4& want, float eps = 1e-5f) {
  EXPECT_NEAR(got.x, want.x, eps);
  EXPECT_NEAR(got.y, want.y, eps);
  EXPECT_NEAR(got.z, want.z, eps);
  EXPECT_NEAR(got.w, want.w, eps);
}

void ExpectMatrixNear(const Matrix& a, const Matrix& b) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], b.m[i], 1e-5f) << "element " << i;
}

Matrix Diagonal(float x, float y, float z) { return Matrix{{x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1}}; }

TEST(Matrix, RotationsTurnTheWaysDocumented) {
  Matrix m;
  Matrix_RotationZ(m, 90.0f);
  ExpectNear(Project({1, 0, 0, 1}, m), {0, -1, 0, 1});
  Vec3 z{0, 0, 2};
  Matrix_RotationAxis(m, z, 90.0f);
  ExpectNear(Project({1, 0, 0, 1}, m), {0, 1, 0, 1});
  EXPECT_FLOAT_EQ(z.z, 1.0f) << "the axis is normalised in place";

  for (float deg : {30.0f, -75.0f, 200.0f}) {
    Matrix fixed, general;
    Vec3 x{1, 0, 0}, y{0, 1, 0};
    Matrix_RotationX(fixed, -deg);
    Matrix_RotationAxis(general, x, deg);
    ExpectMatrixNear(general, fixed);
    Matrix_RotationY(fixed, -deg);
    Matrix_RotationAxis(general, y, deg);
    ExpectMatrixNear(general, fixed);
  }
}

TEST(Matrix, MultiplyAndTransposeKeepOrderAndAllowAliasing) {
  Matrix t = Diagonal(1, 1, 1);
  t.m[12] = 1, t.m[13] = 2, t.m[14] = 3;
  const Matrix s = Diagonal(2, 3, 4);
  Matrix ts = t, st = t;
  Matrix_Multiply(ts, ts, s);
  Matrix_Multiply(st, s, st);
  ExpectNear(Project({1, 1, 1, 1}, ts), {4, 9, 16, 1});  // translate, then scale
  ExpectNear(Project({1, 1, 1, 1}, st), {3, 5, 7, 1});   // scale, then translate

  Matrix_Transpose(t, t);
  EXPECT_EQ(t.m[3], 1.0f);
  EXPECT_EQ(t.m[11], 3.0f);
  EXPECT_EQ(t.m[12], 0.0f);

  // A rotation is orthonormal: R * transpose(R) is the identity.
  Vec3 tilted{1, 2, 3};
  Matrix r, rt;
  Matrix_RotationAxis(r, tilted, 123.0f);
  Matrix_Transpose(rt, r);
  Matrix_Multiply(r, r, rt);
  ExpectMatrixNear(r, Diagonal(1, 1, 1));
}

TEST(Matrix, ProjectionsMapDepthToZeroOne) {
  Matrix m;
  Matrix_Ortho(m, 640, 480, 0, 1);
  ExpectNear(Project({320, 240, 1, 1}, m), {1, 1, 1, 1});
  Matrix_Ortho(m, 640, -480, 1, 32000);
  ExpectNear(Project({-320, 240, 32000, 1}, m), {-1, -1, 1, 1});

  // The near rectangle's corner lands on (1, 1, 0), the far plane on depth 1.
  Matrix_Perspective(m, 4, 3, 2, 100);
  ExpectNear(Project({2, 1.5f, 2, 1}, m), {1, 1, 0, 2});
  EXPECT_NEAR(Project({0, 0, 100, 1}, m).z, 1.0f, 1e-5f);
  Matrix_PerspectiveFov(m, 3.14159265f / 2, 2, 1, 100);
  ExpectNear(Project({200, 100, 100, 1}, m), {1, 1, 1, 100});
}

TEST(Matrix, LookAtPutsTheTargetAheadOfTheEye) {
  Matrix m;
  Matrix_LookAt(m, {0, 0, -10}, {0, 0, 0}, {0, 1, 0});
  Matrix want = Diagonal(1, 1, 1);
  want.m[14] = 10;
  ExpectMatrixNear(m, want);

  const Vec3 eye{3, -4, 7}, target{-2, 5, 1};
  Matrix_LookAt(m, eye, target, {0, 5, 0});
  ExpectNear(Project({eye.x, eye.y, eye.z, 1}, m), {0, 0, 0, 1}, 1e-4f);
  ExpectNear(Project({target.x, target.y, target.z, 1}, m), {0, 0, std::sqrt(142.0f), 1}, 1e-4f);
  EXPECT_GT(Project({target.x, target.y + 1, target.z, 1}, m).y, 0.0f) << "up stays up";
}

TEST(Matrix, DegenerateInputsGiveNaN) {
  Vec3 zero{0, 0, 0};
  Vec3_Normalise(zero);
  EXPECT_TRUE(std::isnan(zero.x));
  Matrix m;
  Matrix_LookAt(m, {1, 2, 3}, {1, 2, 3}, {0, 1, 0});
  EXPECT_TRUE(std::isnan(m.m[14]));
}

TEST(Vector, CrossMayWriteOverAnOperand) {
  Vec3 a{1, 0, 0};
  Vec3_Cross(a, a, {0, 1, 0});
  EXPECT_EQ(a.x, 0.0f);
  EXPECT_EQ(a.z, 1.0f);
  EXPECT_EQ(Vec3_Dot({1, 2, 3}, {4, -5, 6}), 12.0f);
}

}  // namespace
