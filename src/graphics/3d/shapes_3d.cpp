// Blocks, cylinders, cones, ellipsoids, walls and floors, built as 3D
// primitives in the current colour. Texture coordinates run 0..repeat over
// each face, so texture repeat is on while a shape draws.
#include <cmath>

#include "graphics/3d/primitive_3d.h"
#include "graphics/device/draw_state.h"

namespace {

enum : int32_t { kTriangleList = 4, kTriangleStrip = 5, kTriangleFan = 6 };
constexpr double kPi = 3.1415927410125732;
constexpr int32_t kMinSteps = 3, kMaxSteps = 128;

struct Point3 {
  float x, y, z;
};

// Flushes before and after, with texture repeat on in between and put back
// as it was afterwards (also when nothing is drawn).
class ShapeScope {
 public:
  ShapeScope() : repeat_(g_drawState.textureRepeat != 0) {
    Graphics::FlushBatch();
    GR_Texture_Set_Repeat(true);
  }
  ~ShapeScope() {
    Graphics::FlushBatch();
    GR_Texture_Set_Repeat(repeat_);
  }
  ShapeScope(const ShapeScope&) = delete;
  ShapeScope& operator=(const ShapeScope&) = delete;

 private:
  bool repeat_;
};

void Vertex(const Point3& p, float nx, float ny, float nz, float u, float v) {
  GR_3D_Vertex_Normal_Texture(p.x, p.y, p.z, nx, ny, nz, u, v);
}

int32_t ClampSteps(int32_t steps) { return steps < kMinSteps ? kMinSteps : steps > kMaxSteps ? kMaxSteps : steps; }

// cos and sin of 2 pi i / steps for i = 0..steps, as floats.
struct Rim {
  explicit Rim(int32_t steps) : steps(steps) {
    for (int32_t i = 0; i <= steps; ++i) {
      const double a = 2.0 * i * kPi / steps;
      cosines[i] = static_cast<float>(std::cos(a));
      sines[i] = static_cast<float>(std::sin(a));
    }
  }
  int32_t steps;
  float cosines[kMaxSteps + 1];
  float sines[kMaxSteps + 1];
};

// The centre and radii of the box in x and y.
struct Ellipse {
  Ellipse(float x1, float y1, float x2, float y2)
      : cx((x1 + x2) / 2.0f), cy((y1 + y2) / 2.0f), rx((x2 - x1) / 2.0f), ry((y2 - y1) / 2.0f) {}
  Point3 At(const Rim& rim, int32_t i, float z) const {
    return Point3{cx + rim.cosines[i] * rx, cy + rim.sines[i] * ry, z};
  }
  float cx, cy, rx, ry;
};

// A closed end: a fan round the centre at height z, its rim walked forward
// (top, facing +z) or backward (bottom, facing -z).
void End(const Ellipse& e, const Rim& rim, float z, bool top, int64_t texture, float v) {
  const float nz = top ? 1.0f : -1.0f;
  GR_3D_Primitive_Begin(kTriangleFan, texture);
  Vertex(Point3{e.cx, e.cy, z}, 0, 0, nz, 0, v);
  for (int32_t k = 0; k <= rim.steps; ++k) Vertex(e.At(rim, top ? k : rim.steps - k, z), 0, 0, nz, 0, v);
  GR_3D_Primitive_End();
}

void Round(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hr, float vr, bool closed,
           int32_t steps, bool cone) {
  ShapeScope scope;
  const Rim rim(ClampSteps(steps));
  const Ellipse e(x1, y1, x2, y2);
  if (closed && !cone) End(e, rim, z2, true, texture, vr);
  GR_3D_Primitive_Begin(kTriangleStrip, texture);
  for (int32_t i = 0; i <= rim.steps; ++i) {
    const float u = static_cast<float>(i) * hr / static_cast<float>(rim.steps);
    const float c = rim.cosines[i], s = rim.sines[i];
    if (cone) {
      Vertex(Point3{e.cx, e.cy, z2}, 0, 0, 1, u, vr);
    } else {
      Vertex(e.At(rim, i, z2), c, s, 0, u, vr);
    }
    Vertex(e.At(rim, i, z1), c, s, 0, u, 0);
  }
  GR_3D_Primitive_End();
  if (closed) End(e, rim, z1, false, texture, 0);
}

}  // namespace

void GR_3D_Draw_Block(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hr, float vr) {
  ShapeScope scope;
  struct Face {
    float nx, ny, nz;
    Point3 p, q, r, s;
  };
  const Face faces[6] = {
      {0, 0, -1, {x1, y1, z1}, {x1, y2, z1}, {x2, y2, z1}, {x2, y1, z1}},
      {0, 0, 1, {x1, y1, z2}, {x1, y2, z2}, {x2, y2, z2}, {x2, y1, z2}},
      {0, 1, 0, {x1, y2, z1}, {x1, y2, z2}, {x2, y2, z2}, {x2, y2, z1}},
      {1, 0, 0, {x2, y2, z1}, {x2, y2, z2}, {x2, y1, z2}, {x2, y1, z1}},
      {0, -1, 0, {x2, y1, z1}, {x2, y1, z2}, {x1, y1, z2}, {x1, y1, z1}},
      {-1, 0, 0, {x1, y1, z1}, {x1, y1, z2}, {x1, y2, z2}, {x1, y2, z1}},
  };
  GR_3D_Primitive_Begin(kTriangleList, texture);
  for (int32_t i = 0; i < 6; ++i) {
    const Face& f = faces[i];
    // The top face turns the other way round: P, S, R, R, Q, P.
    const Point3& second = i == 1 ? f.s : f.q;
    const Point3& fifth = i == 1 ? f.q : f.s;
    const float u2 = i == 1 ? hr : 0, v2 = i == 1 ? 0 : vr, u5 = i == 1 ? 0 : hr, v5 = i == 1 ? vr : 0;
    Vertex(f.p, f.nx, f.ny, f.nz, 0, 0);
    Vertex(second, f.nx, f.ny, f.nz, u2, v2);
    Vertex(f.r, f.nx, f.ny, f.nz, hr, vr);
    Vertex(f.r, f.nx, f.ny, f.nz, hr, vr);
    Vertex(fifth, f.nx, f.ny, f.nz, u5, v5);
    Vertex(f.p, f.nx, f.ny, f.nz, 0, 0);
  }
  GR_3D_Primitive_End();
}

void GR_3D_Draw_Cylinder(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hr,
                         float vr, bool closed, int32_t steps) {
  Round(x1, y1, z1, x2, y2, z2, texture, hr, vr, closed, steps, false);
}

void GR_3D_Draw_Cone(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hr, float vr,
                     bool closed, int32_t steps) {
  Round(x1, y1, z1, x2, y2, z2, texture, hr, vr, closed, steps, true);
}

void GR_3D_Draw_Ellipsoid(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hr,
                          float vr, int32_t steps) {
  ShapeScope scope;
  const Rim rim(ClampSteps(steps));
  const Ellipse e(x1, y1, x2, y2);
  const float cz = (z1 + z2) / 2.0f, rz = (z2 - z1) / 2.0f;
  const int32_t rings = (rim.steps + 1) / 2;
  auto at = [&](int32_t j, int32_t ring) {
    const double t = ring * kPi / rings;
    const auto st = static_cast<float>(std::sin(t)), ct = static_cast<float>(std::cos(t));
    const float nx = rim.cosines[j] * st, ny = rim.sines[j] * st;
    Vertex(Point3{e.cx + nx * e.rx, e.cy + ny * e.ry, cz + ct * rz}, nx, ny, ct,
           static_cast<float>(j) * hr / static_cast<float>(rim.steps),
           static_cast<float>(ring) * vr / static_cast<float>(rings));
  };
  for (int32_t i = 0; i < rings; ++i) {
    GR_3D_Primitive_Begin(kTriangleStrip, texture);
    for (int32_t j = 0; j <= rim.steps; ++j) {
      at(j, i);
      at(j, i + 1);
    }
    GR_3D_Primitive_End();
  }
}

void GR_3D_Draw_Wall(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hr, float vr) {
  ShapeScope scope;
  const float dx = x2 - x1, dy = y2 - y1;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (length == 0.0f) return;
  const float nx = dy / length, ny = -dx / length;
  GR_3D_Primitive_Begin(kTriangleFan, texture);
  Vertex(Point3{x1, y1, z1}, nx, ny, 0, 0, 0);
  Vertex(Point3{x2, y2, z1}, nx, ny, 0, hr, 0);
  Vertex(Point3{x2, y2, z2}, nx, ny, 0, hr, vr);
  Vertex(Point3{x1, y1, z2}, nx, ny, 0, 0, vr);
  GR_3D_Primitive_End();
}

void GR_3D_Draw_Floor(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hr, float vr) {
  ShapeScope scope;
  GR_3D_Primitive_Begin(kTriangleFan, texture);
  Vertex(Point3{x1, y1, z1}, 0, 0, 1, 0, 0);
  Vertex(Point3{x1, y2, z1}, 0, 0, 1, 0, vr);
  Vertex(Point3{x2, y2, z2}, 0, 0, 1, hr, vr);
  Vertex(Point3{x2, y1, z2}, 0, 0, 1, hr, 0);
  GR_3D_Primitive_End();
}
