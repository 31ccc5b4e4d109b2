// Debug drawing: the library draws through the drawer, which turns metres
// into pixels and the library's colours into bytes.
#include <algorithm>

#include "physics/box2d/box2d_world.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr float kAxisLength = 0.4f;

uint32_t Byte(float c) { return static_cast<uint32_t>(std::clamp(c * 256.0f, 0.0f, 255.0f)); }

uint32 LibraryFlags(int32_t flags) {
  uint32 out = 0;
  if ((flags & kPhysicsDrawShapes) != 0) out |= b2Draw::e_shapeBit;
  if ((flags & kPhysicsDrawJoints) != 0) out |= b2Draw::e_jointBit;
  if ((flags & kPhysicsDrawCentres) != 0) out |= b2Draw::e_centerOfMassBit;
  if ((flags & kPhysicsDrawBoxes) != 0) out |= b2Draw::e_aabbBit;
  return out;
}

// The library no longer draws its touching pairs; they show as segments
// between the two fixtures' box centres.
void DrawPairs(b2World& world, DebugDrawer& drawer) {
  for (b2Contact* c = world.GetContactList(); c != nullptr; c = c->GetNext()) {
    if (!c->IsTouching()) continue;
    b2Vec2 a = c->GetFixtureA()->GetAABB(0).GetCenter();
    b2Vec2 b = c->GetFixtureB()->GetAABB(0).GetCenter();
    drawer.DrawSegment(a, b, b2Color(0.3f, 0.9f, 0.9f));
  }
}

}  // namespace

uint32_t Physics_ColourBytes(const b2Color& colour) {
  return 0xFF000000u | Byte(colour.r) << 16 | Byte(colour.g) << 8 | Byte(colour.b);
}

void DebugDrawer::DrawPolygon(const b2Vec2* v, int32 count, const b2Color& colour) {
  uint32_t argb = Physics_ColourBytes(colour);
  for (int32 i = 0; i < count; ++i) {
    const b2Vec2& a = v[i];
    const b2Vec2& b = v[(i + 1) % count];
    sink_.Line(a.x / scale_, a.y / scale_, b.x / scale_, b.y / scale_, argb);
  }
}

void DebugDrawer::DrawSolidPolygon(const b2Vec2* v, int32 count, const b2Color& colour) {
  DrawPolygon(v, count, colour);
}

void DebugDrawer::DrawCircle(const b2Vec2& centre, float radius, const b2Color& colour) {
  sink_.Circle(centre.x / scale_, centre.y / scale_, radius / scale_, Physics_ColourBytes(colour));
}

void DebugDrawer::DrawSolidCircle(const b2Vec2& centre, float radius, const b2Vec2&, const b2Color& colour) {
  DrawCircle(centre, radius, colour);
}

void DebugDrawer::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& colour) {
  sink_.Line(p1.x / scale_, p1.y / scale_, p2.x / scale_, p2.y / scale_, Physics_ColourBytes(colour));
}

void DebugDrawer::DrawTransform(const b2Transform& xf) {
  b2Vec2 o = xf.p;
  b2Vec2 x = o + kAxisLength * xf.q.GetXAxis();
  b2Vec2 y = o + kAxisLength * xf.q.GetYAxis();
  sink_.Line(o.x / scale_, o.y / scale_, x.x / scale_, x.y / scale_, kRed);
  sink_.Line(o.x / scale_, o.y / scale_, y.x / scale_, y.y / scale_, kBlue);
}

void DebugDrawer::DrawPoint(const b2Vec2&, float, const b2Color&) {}

void CPhysicsWorld::DebugDraw(int32_t flags, PhysicsDebugSink& sink) {
  if (!(scale > 0.0f)) return;
  DebugDrawer drawer(sink, scale);
  drawer.SetFlags(LibraryFlags(flags));
  impl_->world.SetDebugDraw(&drawer);
  impl_->world.DebugDraw();
  if ((flags & kPhysicsDrawPairs) != 0) DrawPairs(impl_->world, drawer);
  impl_->world.SetDebugDraw(nullptr);
}

void CPhysicsWorld::DebugDrawBody(const CPhysicsObject& object, PhysicsDebugSink& sink) {
  if (!(scale > 0.0f)) return;
  DebugDrawer drawer(sink, scale);
  const b2Body* body = BodyOf(&object);
  const b2Transform& xf = body->GetTransform();
  const b2Color colour(0.9f, 0.7f, 0.7f);
  for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext()) {
    if (f->GetType() == b2Shape::e_circle) {
      const auto* circle = static_cast<const b2CircleShape*>(f->GetShape());
      drawer.DrawCircle(b2Mul(xf, circle->m_p), circle->m_radius, colour);
      continue;
    }
    if (f->GetType() != b2Shape::e_polygon) continue;
    const auto* polygon = static_cast<const b2PolygonShape*>(f->GetShape());
    b2Vec2 points[b2_maxPolygonVertices];
    for (int32 i = 0; i < polygon->m_count; ++i) points[i] = b2Mul(xf, polygon->m_vertices[i]);
    drawer.DrawPolygon(points, polygon->m_count, colour);
  }
}
