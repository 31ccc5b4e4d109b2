// A physics world for the tests, with plain owners standing in for
// instances and helpers to make bodies of boxes and circles.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include <deque>
#include <string>
#include <vector>

#include "physics/physics_fixture.h"
#include "physics/physics_joint.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "runtime/run_flags.h"
#include "runtime/runtime_error.h"
#include "script/events/error_report.h"
#include "support/test_support.h"

namespace physics_test {

// What an instance is to the world: an owner with a slot for its body.
struct Owner {
  int32_t id = 0;
  CPhysicsObject* body = nullptr;
};

class PhysicsTest : public ::testing::Test {
 protected:
  PhysicsTest() {
    Physics_ResetRecords();
    Error_ResetState();
    RuntimeError_SetReporter(Error_Show);
    g_runFlags.showErrorDialog = false;
  }
  ~PhysicsTest() override { Error_ResetState(); }

  static CPhysicsFixture Box(float halfWidth, float halfHeight, float density) {
    CPhysicsFixture f;
    f.SetBox(halfWidth, halfHeight);
    f.density = density;
    return f;
  }
  static CPhysicsFixture Circle(float radius, float density) {
    CPhysicsFixture f;
    f.SetCircle(radius);
    f.density = density;
    return f;
  }

  // Binds at (x, y) in metres for an object with the given partners.
  Owner& Bind(const CPhysicsFixture& f, float x, float y, int32_t object = -1, std::vector<int32_t> partners = {}) {
    Owner& owner = owners_.emplace_back();
    owner.id = static_cast<int32_t>(owners_.size());
    BindTo(owner, f, x, y, object, std::move(partners));
    return owner;
  }
  CPhysicsObject* BindTo(Owner& owner, const CPhysicsFixture& f, float x, float y, int32_t object = -1,
                         std::vector<int32_t> partners = {}) {
    PhysicsBindRequest request;
    request.owner = &owner;
    request.slot = &owner.body;
    request.x = x / world->scale;
    request.y = y / world->scale;
    request.representative = object;
    request.partners = std::move(partners);
    request.objectName = "obj" + std::to_string(object);
    return world->BindFixture(f, request);
  }

  // Owners outlive the world, which clears their slots as it goes.
  std::deque<Owner> owners_;
  std::unique_ptr<CPhysicsWorld> world = std::make_unique<CPhysicsWorld>(0.1f, 60);
};

// Every runtime error of a scope, as the debug console saw it.
inline bool Reported(const testsupport::ConsoleCapture& capture, const std::string& text) {
  return capture.Text().find(text) != std::string::npos;
}

}  // namespace physics_test
