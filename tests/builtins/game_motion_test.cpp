#include <cmath>

#include "game_test_support.h"
#include "runtime/random.h"
#include "world/actions/world_actions.h"
#include "world/planning/motion_planning.h"

namespace {

// The words a freshly seeded generator gives after `skip` draws.
uint32_t WordAfter(int32_t seed, int32_t skip) {
  Random_Seed(seed);
  for (int32_t i = 0; i < skip; ++i) Random_Next();
  return Random_Next();
}

TEST_F(GameWorld, MoveRandomDrawsXThenYInsideTheRoomAndSnapsDown) {
  StartRooms(1);
  CInstance* mover = Boxed(0, 0, 0, 32, 32);
  ASSERT_EQ(mover->bbox_right, 31);
  Random_Seed(77);
  const int32_t x = Random_Int(640 - 31);
  const int32_t y = Random_Int(480 - 31);
  Random_Seed(77);
  Call("move_random", {R(32), R(16.4)}, mover);
  EXPECT_EQ(mover->x, std::floor(x / 32.0) * 32);
  EXPECT_EQ(mover->y, std::floor(y / 16.0) * 16);
  const uint32_t next = Random_Next();
  EXPECT_EQ(next, WordAfter(77, 2));
}

TEST_F(GameWorld, MoveRandomInARoomAsWideAsTheBoxKeepsXAndDrawsOnlyY) {
  StartRooms(1, 31, 480);
  CInstance* mover = Boxed(0, 5, 7, 32, 16);
  ASSERT_EQ(mover->bbox_right - mover->bbox_left, 31);
  Random_Seed(5);
  const int32_t y = Random_Int(480 - 15);
  Random_Seed(5);
  Call("move_random", {R(0), R(0)}, mover);
  EXPECT_EQ(mover->x, 0.0f);
  EXPECT_EQ(mover->y, static_cast<float>(y));
  const uint32_t next = Random_Next();
  EXPECT_EQ(next, WordAfter(5, 1));
}

TEST_F(GameWorld, MoveRandomWithoutAFreePlaceStaysAfterAHundredTries) {
  StartRooms(1);
  Boxed(1, 0, 0, 640, 480, true);
  CInstance* mover = Boxed(0, 3, 4, 8, 8);
  Random_Seed(9);
  Call("move_random", {R(0), R(0)}, mover);
  EXPECT_EQ(mover->x, 3.0f);
  EXPECT_EQ(mover->y, 4.0f);
  const uint32_t next = Random_Next();
  EXPECT_EQ(next, WordAfter(9, 200));
}

TEST_F(GameWorld, PlaceSnappedAllowsAThousandthAndSkipsSnapsOfZeroOrLess) {
  StartRooms(1);
  CInstance* self = Add(0, 32.0005f, 48);
  EXPECT_EQ(Call("place_snapped", {R(0), R(0)}, self), 1);
  EXPECT_EQ(Call("place_snapped", {R(16), R(16)}, self), 1);
  EXPECT_EQ(Call("place_snapped", {R(-16), R(7)}, self), 0);
  EXPECT_EQ(Call("place_snapped", {R(-16), R(NAN)}, self), 1);
  self->SetPosition(32.002f, 48);
  EXPECT_EQ(Call("place_snapped", {R(16), R(16)}, self), 0);
  EXPECT_EQ(Call("place_snapped", {R(0), R(16)}, self), 1);
  self->SetPosition(-47.9995f, 48);
  EXPECT_EQ(Call("place_snapped", {R(16), R(16)}, self), 1);
}

TEST_F(GameWorld, MoveWrapCrossesOnlyPastTheMarginAndOnlyOnTheAxesAsked) {
  StartRooms(1);
  CInstance* self = Add(0, -1, -50);
  Call("move_wrap", {R(1), R(0), R(0)}, self);
  EXPECT_EQ(self->x, 639.0f);
  EXPECT_EQ(self->y, -50.0f);
  self->SetPosition(641, 0);
  Call("move_wrap", {R(1), R(0), R(0)}, self);
  EXPECT_EQ(self->x, 1.0f);
  self->SetPosition(640, 0);
  Call("move_wrap", {R(1), R(1), R(0)}, self);
  EXPECT_EQ(self->x, 640.0f);
  self->SetPosition(-11, 495);
  Call("move_wrap", {R(1), R(1), R(10)}, self);
  EXPECT_EQ(self->x, 649.0f);
  EXPECT_EQ(self->y, 495.0f - 480 - 20);
}

TEST_F(GameWorld, DistancesAreMeasuredBetweenBoxes) {
  StartRooms(1);
  CInstance* self = Boxed(0, 0, 0, 10, 10);  // box 0..9
  EXPECT_EQ(Call("distance_to_point", {R(5), R(5)}, self), 0);
  EXPECT_EQ(Call("distance_to_point", {R(12), R(13)}, self), 5);
  EXPECT_EQ(Call("distance_to_point", {R(-3), R(4)}, self), 3);
  EXPECT_EQ(Call("distance_to_point", {R(-3), R(-4)}, self), 5);

  EXPECT_EQ(Call("distance_to_object", {R(self->id)}, self), 1000000);
  EXPECT_EQ(Call("distance_to_object", {R(-3)}, self), 1000000);
  CInstance* touching = Boxed(1, 9, 0, 10, 10);  // box 9..18 shares a column
  EXPECT_EQ(Call("distance_to_object", {R(touching->id)}, self), 0);
  touching->SetPosition(12, 13);  // gaps of 3 and 4
  EXPECT_EQ(Call("distance_to_object", {R(1)}, self), 5);
  CInstance* near = Boxed(1, -12, 0, 10, 10);
  EXPECT_EQ(Call("distance_to_object", {R(-3)}, self), 3);
  EXPECT_EQ(Call("distance_to_object", {R(-2)}, self, touching), 5);
  near->markedForDeletion = 1;
  EXPECT_EQ(Call("distance_to_object", {R(1)}, self), 5);
  EXPECT_EQ(Call("distance_to_object", {R(near->id)}, self), 1000000);
  EXPECT_EQ(Call("distance_to_object", {R(-1)}, self), 1000000);
  EXPECT_EQ(Call("distance_to_object", {R(42)}, self), 1000000);
}

// Boxes at the two ends of the 32-bit range lie 2^32 - 128 apart: the
// squared gap passes the largest signed 64-bit integer. Squared as integers,
// the sum with a vertical gap of 2^20 came back as 2^14, a distance of 128.
TEST_F(GameWorld, DistanceBetweenBoxesAtTheIntegerLimitsIsFar) {
  StartRooms(1);
  CInstance* self = Boxed(0, -2147483648.0f, 0, 10, 10);
  CInstance* far = Boxed(1, 2147483520.0f, 1048585.0f, 10, 10);
  ASSERT_EQ(int64_t{far->bbox_left} - self->bbox_right, 4294967168);
  ASSERT_EQ(int64_t{far->bbox_top} - self->bbox_bottom, 1048576);
  EXPECT_EQ(Call("distance_to_object", {R(far->id)}, self), 1000000);
  EXPECT_EQ(Call("distance_to_object", {R(1)}, self), 1000000);
  EXPECT_EQ(Call("distance_to_object", {R(-3)}, self), 1000000);
  EXPECT_DOUBLE_EQ(Call("distance_to_object", {R(-2)}, self, far), std::hypot(4294967168.0, 1048576.0));
}

TEST_F(GameWorld, PlaceMeetingTurnsSelfAndOtherIntoIdsButCollisionsDoNot) {
  StartRooms(1);
  CInstance* self = Boxed(0, 0, 0, 10, 10);
  CInstance* other = Boxed(1, 100, 100, 10, 10);
  EXPECT_EQ(Call("place_meeting", {R(95), R(95), R(-2)}, self, other), 1);
  EXPECT_EQ(Call("place_meeting", {R(95), R(95), R(-2)}, self), 0);
  EXPECT_EQ(Call("place_meeting", {R(0), R(0), R(1)}, self), 0);
  EXPECT_EQ(Call("position_meeting", {R(105), R(105), R(-2)}, self, other), 1);
  EXPECT_EQ(Call("position_meeting", {R(5), R(5), R(-1)}, self, other), 1);
  EXPECT_EQ(Call("collision_point", {R(5), R(5), R(-1), R(0), R(0)}, self, other), -4);
  EXPECT_EQ(Call("collision_point", {R(105), R(105), R(-3), R(0), R(0)}, self), other->id);
  EXPECT_EQ(Call("collision_rectangle", {R(0), R(0), R(200), R(200), R(-3), R(0), R(1)}, self), other->id);
  EXPECT_EQ(Call("collision_line", {R(0), R(0), R(50), R(50), R(-3), R(0), R(1)}, self), -4);
  EXPECT_EQ(Call("position_empty", {R(50), R(50)}, self), 1);
  EXPECT_EQ(Call("position_empty", {R(101), R(109)}, self), 0);
}

TEST_F(GameWorld, CollisionCircleTestsTheEllipseInTheSquareAroundIt) {
  StartRooms(1);
  CInstance* probe = Boxed(1, 0, 0, 1, 1);
  int32_t hits = 0, misses = 0;
  for (float x = 84; x <= 116; x += 1) {
    for (float y : {84.0f, 93.0f, 100.0f, 110.0f, 111.0f}) {
      probe->SetPosition(x, y);
      const CInstance* expected = Run_CollisionEllipse(nullptr, 90, 90, 110, 110, -3, false, false);
      const double got = Call("collision_circle", {R(100), R(100), R(10), R(-3), R(0), R(0)});
      EXPECT_EQ(got, expected != nullptr ? probe->id : -4) << x << "," << y;
      (got == -4 ? misses : hits) += 1;
    }
  }
  EXPECT_GT(hits, 0);
  EXPECT_GT(misses, 0);
}

TEST_F(GameWorld, PathFillingPlannersRefuseAMissingPathFirst) {
  StartRooms(1);
  CInstance* self = Add(0, 10, 10);
  for (const char* name : {"mp_linear_path", "mp_linear_path_object"}) {
    Error_ResetState();
    EXPECT_EQ(Call(name, {R(3), R(50), R(50), R(4), R(1)}, self), 0) << name;
    EXPECT_TRUE(Said("Trying to assign to a non-existing path.")) << name;
  }
  EXPECT_EQ(Call("mp_potential_path", {R(3), R(50), R(50), R(4), R(2), R(1)}, self), 0);
  EXPECT_EQ(Call("mp_grid_path", {R(0), R(3), R(0), R(0), R(5), R(5), R(1)}, self), 0);
  EXPECT_EQ(Call("mp_linear_step", {R(12), R(10), R(4), R(0)}, self), 1);
  EXPECT_EQ(self->x, 12.0f);
}

TEST_F(GameWorld, GridsAreMadeAndFilledThroughTheirIds) {
  StartRooms(1);
  CInstance* self = Boxed(0, 40, 40, 16, 16);
  const double grid = Call("mp_grid_create", {R(0), R(0), R(10.4), R(8), R(16), R(16)});
  ASSERT_GE(grid, 0);
  CGrid* cells = Motion_Grid_Get(static_cast<int32_t>(grid));
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->hcells, 10);
  Call("mp_grid_add_instances", {R(grid), R(-1), R(0)}, self);
  EXPECT_EQ(cells->Cell(2, 2), kCellForbidden);
  EXPECT_EQ(cells->Cell(3, 3), kCellForbidden);
  Call("mp_grid_clear_cell", {R(grid), R(2), R(2)});
  EXPECT_EQ(cells->Cell(2, 2), kCellFree);
  Call("mp_grid_add_cell", {R(grid), R(0), R(7)});
  EXPECT_EQ(cells->Cell(0, 7), kCellForbidden);
  Call("mp_grid_clear_all", {R(grid)});
  EXPECT_EQ(cells->Cell(3, 3), kCellFree);
  Call("mp_grid_destroy", {R(grid)});
  EXPECT_EQ(Motion_Grid_Get(static_cast<int32_t>(grid)), nullptr);
  Motion_Grid_DestroyAll();
}

}  // namespace
