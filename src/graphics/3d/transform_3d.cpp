#include "graphics/3d/transform_3d.h"

#include <cmath>

#include "graphics/device/draw_state.h"
#include "graphics/device/render_states.h"
#include "runtime/matrix.h"

namespace {

constexpr int32_t kView = 0, kProjection = 1, kWorld = 2;
// Degrees to radians as the perspective setters have always turned them,
// and the float pi the orthographic setter divides.
constexpr double kDegreesToRadians = 0.01745329238474369;
constexpr double kPi = 3.1415927410125732;
constexpr float kNear = 1.0f, kFar = 32000.0f, kOrthoEyeDistance = -16000.0f;

Matrix g_stack[kTransformStackSlots];
int32_t g_stackTop = -1;

Matrix Identity() { return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix Translation(float x, float y, float z) {
  Matrix m = Identity();
  m.m[12] = x;
  m.m[13] = y;
  m.m[14] = z;
  return m;
}

Matrix Scaling(float x, float y, float z) {
  Matrix m = Identity();
  m.m[0] = x;
  m.m[5] = y;
  m.m[10] = z;
  return m;
}

Matrix RotationX(float angle) {
  Matrix m;
  Matrix_RotationX(m, angle);
  return m;
}
Matrix RotationY(float angle) {
  Matrix m;
  Matrix_RotationY(m, angle);
  return m;
}
Matrix RotationZ(float angle) {
  Matrix m;
  Matrix_RotationZ(m, angle);
  return m;
}
// Matrix_RotationAxis turns the other way to the three above.
Matrix RotationAxis(float xa, float ya, float za, float angle) {
  Matrix m;
  Vec3 axis{xa, ya, za};
  Matrix_RotationAxis(m, axis, -angle);
  return m;
}

Matrix World() {
  Matrix m;
  Graphics::GetTransform(kWorld, m);
  return m;
}

void SetWorld(const Matrix& m) { Graphics::SetTransform(kWorld, m); }

void AddToWorld(const Matrix& m) {
  Matrix world;
  Matrix_Multiply(world, World(), m);
  SetWorld(world);
}

void LookAt(float xFrom, float yFrom, float zFrom, float xTo, float yTo, float zTo, float xUp, float yUp, float zUp) {
  Matrix view;
  Matrix_LookAt(view, Vec3{xFrom, yFrom, zFrom}, Vec3{xTo, yTo, zTo}, Vec3{xUp, yUp, zUp});
  Graphics::SetTransform(kView, view);
}

// The view straight down the z axis onto the rectangle's centre, its up
// turned by the angle (radians).
void LookAtRectangle(float x, float y, float w, float h, float eyeZ, float radians) {
  const float cx = x + w / 2.0f, cy = y + h / 2.0f;
  LookAt(cx, cy, eyeZ, cx, cy, 0.0f, std::sin(radians), std::cos(radians), 0.0f);
}

}  // namespace

void GR_3D_Set_Projection(float xFrom, float yFrom, float zFrom, float xTo, float yTo, float zTo, float xUp, float yUp,
                          float zUp) {
  LookAt(xFrom, yFrom, zFrom, xTo, yTo, zTo, xUp, yUp, zUp);
}

void GR_3D_Set_Projection_Ext(float xFrom, float yFrom, float zFrom, float xTo, float yTo, float zTo, float xUp,
                              float yUp, float zUp, float angle, float aspect, float zNear, float zFar) {
  LookAt(xFrom, yFrom, zFrom, xTo, yTo, zTo, xUp, yUp, zUp);
  Matrix projection;
  Matrix_PerspectiveFov(projection, static_cast<float>(static_cast<double>(angle) * kDegreesToRadians), aspect, zNear,
                        zFar);
  Graphics::SetTransform(kProjection, projection);
  g_orthoProjection = 0;
}

void GR_3D_Set_Projection_Ortho(float x, float y, float w, float h, float angle) {
  const auto radians = static_cast<float>(-static_cast<double>(angle) * kPi / 180.0);
  LookAtRectangle(x, y, w, h, kOrthoEyeDistance, radians);
  Matrix projection;
  Matrix_Ortho(projection, w, static_cast<float>(g_yFlip) * -h, kNear, kFar);
  Graphics::SetTransform(kProjection, projection);
  g_orthoProjection = 1;
}

void GR_3D_Set_Projection_Perspective(float x, float y, float w, float h, float angle) {
  const auto radians = static_cast<float>(-static_cast<double>(angle) * kDegreesToRadians);
  LookAtRectangle(x, y, w, h, -w, radians);
  Matrix projection;
  Matrix_Perspective(projection, w / w, h / w, kNear, kFar);
  Graphics::SetTransform(kProjection, projection);
  g_orthoProjection = 0;
}

void GR_3D_Transform_Set_Identity() { SetWorld(Identity()); }
void GR_3D_Transform_Set_Translation(float x, float y, float z) { SetWorld(Translation(x, y, z)); }
void GR_3D_Transform_Set_Scaling(float x, float y, float z) { SetWorld(Scaling(x, y, z)); }
void GR_3D_Transform_Set_Rotation_X(float angle) { SetWorld(RotationX(angle)); }
void GR_3D_Transform_Set_Rotation_Y(float angle) { SetWorld(RotationY(angle)); }
void GR_3D_Transform_Set_Rotation_Z(float angle) { SetWorld(RotationZ(angle)); }
void GR_3D_Transform_Set_Rotation_Axis(float xa, float ya, float za, float angle) {
  SetWorld(RotationAxis(xa, ya, za, angle));
}

void GR_3D_Transform_Add_Translation(float x, float y, float z) { AddToWorld(Translation(x, y, z)); }
void GR_3D_Transform_Add_Scaling(float x, float y, float z) { AddToWorld(Scaling(x, y, z)); }
void GR_3D_Transform_Add_Rotation_X(float angle) { AddToWorld(RotationX(angle)); }
void GR_3D_Transform_Add_Rotation_Y(float angle) { AddToWorld(RotationY(angle)); }
void GR_3D_Transform_Add_Rotation_Z(float angle) { AddToWorld(RotationZ(angle)); }
void GR_3D_Transform_Add_Rotation_Axis(float xa, float ya, float za, float angle) {
  AddToWorld(RotationAxis(xa, ya, za, angle));
}

void GR_3D_Transform_Stack_Clear() { g_stackTop = -1; }

bool GR_3D_Transform_Stack_Empty() { return g_stackTop < 0; }

bool GR_3D_Transform_Stack_Push() {
  if (g_stackTop >= kTransformStackSlots - 1) return false;
  g_stack[++g_stackTop] = World();
  return true;
}

bool GR_3D_Transform_Stack_Pop() {
  if (g_stackTop < 0) return false;
  Graphics::RestoreTransform(kWorld, g_stack[g_stackTop--]);
  return true;
}

bool GR_3D_Transform_Stack_Top() {
  if (g_stackTop < 0) return false;
  Graphics::RestoreTransform(kWorld, g_stack[g_stackTop]);
  return true;
}

bool GR_3D_Transform_Stack_Discard() {
  if (g_stackTop < 0) return false;
  --g_stackTop;
  return true;
}
