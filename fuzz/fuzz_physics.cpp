// Random sequences of physics operations on a real world, stepped as it
// goes: bodies, fixtures, forces, mass, joints and their values, with 0,
// negatives, NaN, infinities, 1e30 and 2^31 among the numbers. The library
// stops the process on a failed check, so any input it would refuse must
// be caught before it is called. Bytes are taken in a fixed order (never
// two takes in one argument list, whose order compilers choose): the gcc
// replay must read a saved input as the clang fuzzer did.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "physics/physics_fixture.h"
#include "physics/physics_joint.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "runtime/run_flags.h"
#include "runtime/runtime_error.h"
#include "script/events/error_report.h"

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  float Number() {
    static const float kPalette[] = {0.0f,
                                     1.0f,
                                     -1.0f,
                                     0.5f,
                                     2.0f,
                                     10.0f,
                                     -10.0f,
                                     1e-6f,
                                     1e30f,
                                     -1e30f,
                                     2147483648.0f,
                                     std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(),
                                     3.0f,
                                     0.01f};
    uint8_t b = Byte();
    if (b < 240) return kPalette[b % 16];
    float raw = 0.0f;
    uint8_t bytes[4] = {Byte(), Byte(), Byte(), Byte()};
    std::memcpy(&raw, bytes, sizeof raw);
    return raw;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

class NullSink : public PhysicsDebugSink {
 public:
  void Line(float, float, float, float, uint32_t) override {}
  void Circle(float, float, float, uint32_t) override {}
};

struct Owner {
  CPhysicsObject* body = nullptr;
};

struct Session {
  explicit Session(Bytes& in) : in(in) {}
  Bytes& in;
  // Owners outlive the world, which clears their slots as it goes.
  std::vector<std::unique_ptr<Owner>> owners;
  std::unique_ptr<CPhysicsWorld> world = std::make_unique<CPhysicsWorld>(0.1f, 60);
  CPhysicsFixture fixture;
  std::vector<int32_t> joints;
  // The library's step looks at every touching pair of fixtures again after
  // each time-of-impact event, so its cost grows with the square of the
  // pairs: a hundred fixtures piled on one static body with a few dozen on
  // a moving one take minutes a step. Only answers are checked here, not
  // that pace, so a session binds a few dozen fixtures at most.
  static constexpr int32_t kMostBindings = 32;
  int32_t bindings = 0;

  CPhysicsObject* AnyBody() {
    if (owners.empty()) return nullptr;
    return owners[in.Byte() % owners.size()]->body;
  }
  int32_t AnyJoint() { return joints.empty() ? static_cast<int32_t>(in.Byte()) : joints[in.Byte() % joints.size()]; }
  PhysicsPoint Point() { return {in.Number(), in.Number()}; }
  PhysicsLimitMotor Limits() {
    PhysicsLimitMotor l;
    l.lower = in.Number();
    l.upper = in.Number();
    l.enableLimit = in.Byte() & 1;
    l.maxMotor = in.Number();
    l.motorSpeed = in.Number();
    l.enableMotor = in.Byte() & 1;
    return l;
  }
  void Keep(int32_t id) {
    if (id > 0) joints.push_back(id);
  }

  void ShapeFixture() {
    switch (in.Byte() % 4) {
      case 0: fixture.SetCircle(in.Number()); break;
      case 1: {
        const float halfWidth = in.Number();
        fixture.SetBox(halfWidth, in.Number());
        break;
      }
      case 2: fixture.SetPolygon(); break;
      default: {
        const float x = in.Number();
        fixture.AddPoint(x, in.Number());
        break;
      }
    }
  }
  void TuneFixture() {
    float v = in.Number();
    switch (in.Byte() % 8) {
      case 0: fixture.density = v; break;
      case 1: fixture.friction = v; break;
      case 2: fixture.restitution = v; break;
      case 3: fixture.linearDamping = v; break;
      case 4: fixture.angularDamping = v; break;
      case 5: fixture.sensor ^= 1; break;
      case 6: fixture.kinematic ^= 1; break;
      default: fixture.group = static_cast<int16_t>(in.Byte()) - 128; break;
    }
  }
  void BindFixture() {
    if (++bindings > kMostBindings) return;
    bool fresh = owners.empty() || (in.Byte() & 1) != 0;
    if (fresh) owners.push_back(std::make_unique<Owner>());
    Owner& owner = fresh ? *owners.back() : *owners[in.Byte() % owners.size()];
    PhysicsBindRequest request;
    request.owner = &owner;
    request.slot = &owner.body;
    request.x = in.Number();
    request.y = in.Number();
    request.imageAngle = in.Number();
    request.representative = in.Byte() % 20;
    for (uint8_t n = in.Byte() % 3; n > 0; --n) request.partners.push_back(in.Byte() % 20);
    world->BindFixture(fixture, request);
  }
  void Push(CPhysicsObject* body) {
    float a = in.Number(), b = in.Number(), c = in.Number(), d = in.Number();
    switch (in.Byte() % 6) {
      case 0: body->ApplyForce(a, b, c, d); break;
      case 1: body->ApplyImpulse(a, b, c, d); break;
      case 2: body->ApplyLocalForce(a, b, c, d); break;
      case 3: body->ApplyLocalImpulse(a, b, c, d); break;
      case 4: body->ApplyTorque(a); break;
      default: body->SetMassData({a, b, c, d}); break;
    }
  }
  void Place(CPhysicsObject* body) {
    float a = in.Number(), b = in.Number();
    switch (in.Byte() % 5) {
      case 0: body->SetPosition(a, b); break;
      case 1: body->SetRotationDegrees(a); break;
      case 2: body->SetLinearVelocity(a, b); break;
      case 3: body->SetAngularVelocityDegrees(a); break;
      default: body->FollowPath(a, b); break;
    }
  }
  void Join() {
    CPhysicsObject* a = AnyBody();
    CPhysicsObject* b = AnyBody();
    switch (in.Byte() % 5) {
      case 0: {
        const PhysicsPoint p1 = Point(), p2 = Point();
        Keep(Physics_CreateDistanceJoint(a, b, p1, p2, in.Byte() & 1));
        break;
      }
      case 1: {
        const PhysicsPoint p = Point();
        const PhysicsLimitMotor limits = Limits();
        Keep(Physics_CreateRevoluteJoint(a, b, p, limits, in.Byte() & 1));
        break;
      }
      case 2: {
        const PhysicsPoint p = Point(), axis = Point();
        const PhysicsLimitMotor limits = Limits();
        Keep(Physics_CreatePrismaticJoint(a, b, p, axis, limits, in.Byte() & 1));
        break;
      }
      case 3: {
        const PhysicsPoint g1 = Point(), g2 = Point(), p1 = Point(), p2 = Point();
        const float ratio = in.Number(), length1 = in.Number(), length2 = in.Number();
        Keep(Physics_CreatePulleyJoint(a, b, g1, g2, p1, p2, ratio, length1, length2, in.Byte() & 1));
        break;
      }
      default: {
        const int32_t j1 = AnyJoint(), j2 = AnyJoint();
        Keep(Physics_CreateGearJoint(a, b, j1, j2, in.Number()));
        break;
      }
    }
  }
  void Step() {
    world->Advance(static_cast<int32_t>(in.Byte() % 70) - 5);
    world->ForEachPlace([](void*, const PhysicsPlace&, void*) {}, nullptr);
    for (int32_t i = world->ContactCount() - 1; i >= 0; --i) {
      void* a = nullptr;
      void* b = nullptr;
      world->BeginDispatch(i, &a, &b);
      float x = 0.0f, y = 0.0f;
      world->CollisionPoint(a, in.Byte() % 20, &x, &y);
      world->CollisionNormal(b, in.Byte() % 20, &x, &y);
    }
    world->EndDispatch();
  }
  void WorldChange() {
    switch (in.Byte() % 5) {
      case 0: {
        const float x = in.Number();
        world->SetGravity(x, in.Number());
        break;
      }
      case 1: world->updateSpeed = static_cast<int32_t>(in.Byte()) - 8; break;
      case 2: world->paused = !world->paused; break;
      case 3: {
        NullSink sink;
        world->DebugDraw(in.Byte(), sink);
        break;
      }
      default: world = CPhysicsWorld::WithSettingsOf(*world); break;
    }
  }

  void Run() {
    while (in.More()) {
      CPhysicsObject* body = nullptr;
      switch (in.Byte() % 12) {
        case 0: ShapeFixture(); break;
        case 1: TuneFixture(); break;
        case 2: BindFixture(); break;
        case 3:
          if ((body = AnyBody()) != nullptr) Push(body);
          break;
        case 4:
          if ((body = AnyBody()) != nullptr) Place(body);
          break;
        case 5: Join(); break;
        case 6: {
          const int32_t joint = AnyJoint();
          const int32_t value = in.Byte() % 20;
          Physics_JointSetValue(joint, value, in.Number());
          break;
        }
        case 7: {
          int32_t joint = AnyJoint();
          Physics_JointGetValue(joint, in.Byte() % 20);
          joint = AnyJoint();
          Physics_JointEnableMotor(joint, in.Byte() & 1);
          break;
        }
        case 8: Physics_DeleteJoint(AnyJoint()); break;
        case 9:
          if ((body = AnyBody()) != nullptr) Physics_DestroyObject(body);
          break;
        case 10: {
          CPhysicsObject* first = AnyBody();
          const float x = in.Number(), y = in.Number(), angle = in.Number();
          Physics_TestOverlap(first, x, y, angle, AnyBody());
          break;
        }
        default:
          if ((in.Byte() & 7) == 0)
            WorldChange();
          else
            Step();
          break;
      }
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  g_runFlags.showErrorDialog = false;
  Error_ResetState();
  RuntimeError_SetReporter(Error_Show);
  Physics_ResetRecords();
  Bytes in(data, size);
  Session session(in);
  session.Run();
  return 0;
}
