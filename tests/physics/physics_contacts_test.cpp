#include "physics_test_support.h"

namespace physics_test {
namespace {

using CategoryTable = PhysicsTest;
using Categories = PhysicsTest;
using Contacts = PhysicsTest;

constexpr int32_t kA = 0, kB = 1, kC = 2;

// Records taken from last to first, each with its two owners.
std::vector<std::pair<int32_t, int32_t>> Dispatch(CPhysicsWorld& world) {
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (int32_t i = world.ContactCount() - 1; i >= 0; --i) {
    void* a = nullptr;
    void* b = nullptr;
    world.BeginDispatch(i, &a, &b);
    pairs.emplace_back(a ? static_cast<Owner*>(a)->id : 0, b ? static_cast<Owner*>(b)->id : 0);
  }
  world.EndDispatch();
  return pairs;
}

TEST_F(CategoryTable, PartnersOpenTheirMasksToEachOther) {
  PhysicsCategories table;
  EXPECT_EQ(table.Assign(kA, {kB}, "A"), 0);
  EXPECT_EQ(table[0].bits, 1u);
  EXPECT_EQ(table[0].mask, 0u);
  EXPECT_EQ(table.Assign(kB, {kA}, "B"), 1);
  EXPECT_EQ(table[1].bits, 2u);
  EXPECT_EQ(table[0].mask, 2u);
  EXPECT_EQ(table[1].mask, 1u);
  EXPECT_EQ(table.Assign(kA, {kB}, "A"), 0);
  EXPECT_EQ(table.Assign(kC, {}, "C"), -1);
  // An object with events for itself collides with its own kind.
  EXPECT_EQ(table.Assign(7, {7}, "self"), 2);
  EXPECT_EQ(table[2].mask, 4u);
}

TEST_F(CategoryTable, SeventeenthObjectIsRefusedWithOneMessage) {
  PhysicsCategories table;
  for (int32_t i = 0; i < kPhysicsCategories; ++i) ASSERT_EQ(table.Assign(i, {100}, "o"), i);
  testsupport::ConsoleCapture capture;
  EXPECT_EQ(table.Assign(16, {100}, "late"), -1);
  EXPECT_EQ(capture.Lines().size(), 1u);
  EXPECT_TRUE(Reported(capture, "Unable to assign a collision category for object late.\nConsider using parenting"));
}

// A and B have events for each other and land on one another; C has none
// and falls through A.
TEST_F(Categories, OnlyPartnersCollide) {
  Owner& floor = Bind(Box(5.0f, 0.5f, 0.0f), 0.0f, 2.0f, kA, {kB});
  Owner& b = Bind(Box(0.5f, 0.5f, 1.0f), 0.0f, 0.0f, kB, {kA});
  Owner& c = Bind(Box(0.5f, 0.5f, 1.0f), 3.0f, 0.0f, kC);
  for (int i = 0; i < 120; ++i) {
    world->Advance(60);
    world->EndDispatch();
  }
  EXPECT_NEAR(b.body->Y(), 1.0f, 0.05f);
  EXPECT_GT(c.body->Y(), 5.0f);
  EXPECT_EQ(floor.body->category, 0);
  EXPECT_EQ(b.body->category, 1);
  EXPECT_EQ(c.body->category, -1);
}

// A negative group keeps partners apart; refreshing the filters when a new
// partner binds keeps the group.
TEST_F(Categories, GroupsSurviveRefreshes) {
  CPhysicsFixture floor = Box(5.0f, 0.5f, 0.0f);
  floor.group = -1;
  CPhysicsFixture box = Box(0.5f, 0.5f, 1.0f);
  box.group = -1;
  Bind(floor, 0.0f, 2.0f, kA, {kB, kC});
  Owner& b = Bind(box, 0.0f, 0.0f, kB, {kA});
  Bind(Box(0.5f, 0.5f, 0.0f), 20.0f, 0.0f, kC, {kA});
  for (int i = 0; i < 120; ++i) world->Advance(60);
  EXPECT_GT(b.body->Y(), 5.0f);
}

// One record for a touching pair, owners A then B; queries answer for
// either owner during its dispatch only.
TEST_F(Contacts, TouchingPairGivesOneRecordAndAnswersQueries) {
  Owner& a = Bind(Box(5.0f, 0.5f, 0.0f), 0.0f, 2.0f, kA, {kB});
  Owner& b = Bind(Box(0.5f, 0.5f, 1.0f), 0.0f, 1.0f, kB, {kA});
  Owner stranger;
  world->Advance(60);
  ASSERT_EQ(world->ContactCount(), 1);
  void* first = nullptr;
  void* second = nullptr;
  float x = 0.0f, y = 0.0f;
  EXPECT_FALSE(world->CollisionPoint(&a, 0, &x, &y));
  EXPECT_EQ(world->CollisionPointCount(&a), 0);
  world->BeginDispatch(0, &first, &second);
  EXPECT_EQ(first, &a);
  EXPECT_EQ(second, &b);
  EXPECT_EQ(world->CollisionPointCount(&a), 2);
  EXPECT_EQ(world->CollisionPointCount(&b), 2);
  EXPECT_EQ(world->CollisionPointCount(&stranger), 0);
  ASSERT_TRUE(world->CollisionPoint(&b, 1, &x, &y));
  EXPECT_NEAR(y, 15.0f, 0.5f);  // pixels: the floor's top at 1.5 m
  EXPECT_NEAR(std::fabs(x), 5.0f, 0.5f);
  ASSERT_TRUE(world->CollisionNormal(&a, 0, &x, &y));
  EXPECT_NEAR(x * x + y * y, 1.0f, 1e-5);
  EXPECT_NEAR(std::fabs(y), 1.0f, 1e-5);
  EXPECT_FALSE(world->CollisionPoint(&a, 2, &x, &y));
  EXPECT_FALSE(world->CollisionPoint(&a, -1, &x, &y));
  EXPECT_FALSE(world->CollisionNormal(&stranger, 0, &x, &y));
  world->EndDispatch();
  EXPECT_EQ(world->ContactCount(), 0);
  EXPECT_EQ(world->CollisionPointCount(&a), 0);
}

// Nine sub-steps of a touching pair: eight manifolds kept, one warning.
TEST_F(Contacts, ManifoldsStopAtEight) {
  world->updateSpeed = 270;
  Owner& a = Bind(Box(5.0f, 0.5f, 0.0f), 0.0f, 2.0f, kA, {kB});
  Bind(Box(0.5f, 0.5f, 1.0f), 0.0f, 1.0f, kB, {kA});
  testsupport::ConsoleCapture capture;
  world->Advance(30);
  ASSERT_EQ(world->ContactCount(), 1);
  EXPECT_EQ(capture.Lines(), std::vector<std::string>{"WARNING: Too many manifolds in collision\n"});
  void* first = nullptr;
  void* second = nullptr;
  world->BeginDispatch(0, &first, &second);
  EXPECT_EQ(world->CollisionPointCount(&a), 16);
  world->EndDispatch();
}

// A sensor reports its entry once, not once a step.
TEST_F(Contacts, SensorEntryIsOneRecord) {
  world->SetGravity(0.0f, 0.0f);
  CPhysicsFixture sensor = Box(1.0f, 1.0f, 0.0f);
  sensor.sensor = 1;
  Owner& zone = Bind(sensor, 0.0f, 0.0f, kA, {kB});
  Owner& mover = Bind(Circle(0.25f, 1.0f), -2.0f, 0.0f, kB, {kA});
  mover.body->SetLinearVelocity(3.0f, 0.0f);
  std::vector<std::pair<int32_t, int32_t>> all;
  for (int i = 0; i < 60; ++i) {
    world->Advance(60);
    for (auto pair : Dispatch(*world)) all.push_back(pair);
  }
  EXPECT_GT(mover.body->X(), 0.0f);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_TRUE(all[0] == std::make_pair(zone.id, mover.id) || all[0] == std::make_pair(mover.id, zone.id));
}

// A body destroyed during the dispatch leaves its records without it.
TEST_F(Contacts, DestroyedBodyLeavesRecordsOwnerless) {
  Owner& a = Bind(Box(5.0f, 0.5f, 0.0f), 0.0f, 2.0f, kA, {kB});
  Owner& b = Bind(Box(0.5f, 0.5f, 1.0f), 0.0f, 1.0f, kB, {kA});
  world->Advance(60);
  ASSERT_EQ(world->ContactCount(), 1);
  Physics_DestroyObject(b.body);
  EXPECT_EQ(b.body, nullptr);
  void* first = nullptr;
  void* second = nullptr;
  world->BeginDispatch(0, &first, &second);
  EXPECT_EQ(first, &a);
  EXPECT_EQ(second, nullptr);
  world->EndDispatch();
}

}  // namespace
}  // namespace physics_test
