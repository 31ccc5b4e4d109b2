#include "physics/physics_fixture.h"

#include <memory>
#include <vector>

#include "runtime/runtime_error.h"

namespace {

std::vector<std::unique_ptr<CPhysicsFixture>> g_fixtures;
int32_t g_lastFixtureId = 0;
int32_t g_lastJointId = 0;

// Every edge must turn left of every other point (y downwards on screen,
// so the points go clockwise there).
bool IsConvex(const float (*p)[2], int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const float* a = p[i];
    const float* b = p[(i + 1) % count];
    for (int32_t k = 0; k < count; ++k) {
      if (k == i || k == (i + 1) % count) continue;
      float cross = (b[0] - a[0]) * (p[k][1] - a[1]) - (b[1] - a[1]) * (p[k][0] - a[0]);
      if (!(cross > 0.0f)) return false;
    }
  }
  return true;
}

}  // namespace

void CPhysicsFixture::SetCircle(float r) {
  shape = PhysicsShape::kCircle;
  radius = r;
  pointCount = 0;
}

void CPhysicsFixture::SetBox(float w, float h) {
  shape = PhysicsShape::kBox;
  halfWidth = w;
  halfHeight = h;
  pointCount = 0;
}

void CPhysicsFixture::SetPolygon() {
  shape = PhysicsShape::kPolygon;
  pointCount = 0;
}

bool CPhysicsFixture::AddPoint(float x, float y) {
  if (shape != PhysicsShape::kPolygon || pointCount >= kPhysicsPolygonPoints) return false;
  points[pointCount][0] = x;
  points[pointCount][1] = y;
  if (pointCount + 1 >= 3 && !IsConvex(points, pointCount + 1)) {
    std::string text =
        "ERROR: The polygon shape for fixture " + std::to_string(id) + " is concave or ordered anti-clockwise";
    RuntimeError_Show(text.c_str(), false);
    return false;
  }
  ++pointCount;
  return true;
}

CPhysicsFixture* Physics_CreateFixture() {
  auto fixture = std::make_unique<CPhysicsFixture>();
  fixture->id = ++g_lastFixtureId;
  g_fixtures.push_back(std::move(fixture));
  return g_fixtures.back().get();
}

CPhysicsFixture* Physics_FindFixture(int32_t id) {
  for (auto& fixture : g_fixtures) {
    if (fixture->id == id) return fixture.get();
  }
  return nullptr;
}

void Physics_DeleteFixture(int32_t id) {
  for (auto it = g_fixtures.begin(); it != g_fixtures.end(); ++it) {
    if ((*it)->id == id) {
      g_fixtures.erase(it);
      return;
    }
  }
}

int32_t Physics_NewJointId() { return ++g_lastJointId; }

void Physics_ResetRecords() {
  g_fixtures.clear();
  g_lastFixtureId = 0;
  g_lastJointId = 0;
}
