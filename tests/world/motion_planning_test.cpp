#include <cstdlib>
#include <random>
#include <utility>

#include "world/actions/world_actions.h"
#include "world/planning/motion_planning.h"
#include "world_actions_test_support.h"

namespace {

using Points = std::vector<std::pair<float, float>>;

Points PathPoints(int32_t path) {
  Points points;
  const CPath* p = Path_Get(path);
  for (int32_t i = 0; i < p->GetCount(); ++i) points.emplace_back(p->GetPoint(i).x, p->GetPoint(i).y);
  return points;
}

std::vector<int32_t> Cells(const CGrid& grid) {
  return std::vector<int32_t>(grid.cells, grid.cells + static_cast<size_t>(grid.hcells) * grid.vcells);
}

class Planning : public ActionWorld {
 protected:
  void SetUp() override {
    ActionWorld::SetUp();
    path_ = Path_Add();
  }
  void TearDown() override {
    Motion_Grid_DestroyAll();
    Motion_Potential_Settings(30, 10, 3, true);
    ActionWorld::TearDown();
  }

  // 5 x 5 cells of 10 x 10 at (0, 0) with a wall in column 2, rows 0 to 3.
  int32_t WalledGrid() {
    const int32_t id = Motion_Grid_Create(0, 0, 5, 5, 10, 10);
    for (int32_t y = 0; y <= 3; ++y) Motion_Grid_AddCell(id, 2, y);
    return id;
  }

  int32_t path_ = -1;
};

TEST_F(Planning, GridPathGoesRoundTheWallAndLeavesTheCellsAsTheyWere) {
  const int32_t id = WalledGrid();
  const std::vector<int32_t> before = Cells(*Motion_Grid_Get(id));
  ASSERT_TRUE(Motion_Grid_Path(id, path_, 3, 7, 47, 3, false));
  EXPECT_EQ(PathPoints(path_), (Points{{3, 7},
                                       {5, 15},
                                       {5, 25},
                                       {5, 35},
                                       {5, 45},
                                       {15, 45},
                                       {25, 45},
                                       {35, 45},
                                       {35, 35},
                                       {35, 25},
                                       {35, 15},
                                       {35, 5},
                                       {47, 3}}));
  EXPECT_EQ(Path_Get(path_)->GetKind(), kPathStraight);
  EXPECT_FALSE(Path_Get(path_)->GetClosed());
  EXPECT_EQ(Cells(*Motion_Grid_Get(id)), before);

  ASSERT_TRUE(Motion_Grid_Path(id, path_, 3, 7, 47, 3, true));
  const Points diagonal = PathPoints(path_);
  ASSERT_EQ(diagonal.size(), 11u);
  EXPECT_EQ(diagonal[0], std::make_pair(3.0f, 7.0f));
  EXPECT_EQ(diagonal[1], std::make_pair(15.0f, 15.0f));
  EXPECT_EQ(diagonal[9], std::make_pair(45.0f, 15.0f));
  EXPECT_EQ(diagonal[10], std::make_pair(47.0f, 3.0f));
  EXPECT_EQ(Cells(*Motion_Grid_Get(id)), before);

  ASSERT_TRUE(Motion_Grid_Path(id, path_, 1, 1, 8, 8, true));
  EXPECT_EQ(PathPoints(path_), (Points{{1, 1}, {8, 8}}));
}

TEST_F(Planning, GridPathRefusesBadEndsAndChangesNothing) {
  const int32_t id = WalledGrid();
  const std::vector<int32_t> before = Cells(*Motion_Grid_Get(id));
  Path_Get(path_)->AddPoint(1, 2, 3);
  EXPECT_FALSE(Motion_Grid_Path(id, path_, 25, 5, 47, 3, false));  // forbidden start
  EXPECT_FALSE(Motion_Grid_Path(id, path_, 3, 7, 25, 35, false));  // forbidden goal
  EXPECT_FALSE(Motion_Grid_Path(id, path_, 3, 7, 50, 3, false));   // goal outside
  EXPECT_FALSE(Motion_Grid_Path(id, path_, -1, 7, 47, 3, false));
  EXPECT_FALSE(Motion_Grid_Path(id, path_ + 5, 3, 7, 47, 3, false));
  EXPECT_FALSE(Motion_Grid_Path(id + 3, path_, 3, 7, 47, 3, false));
  EXPECT_EQ(Cells(*Motion_Grid_Get(id)), before);
  EXPECT_EQ(Path_Get(path_)->GetCount(), 1);

  // Walled in: no way, and the wave is wiped.
  const int32_t closed = Motion_Grid_Create(0, 0, 3, 3, 10, 10);
  for (int32_t x = 0; x < 3; ++x) Motion_Grid_AddCell(closed, x, 1);
  const std::vector<int32_t> walled = Cells(*Motion_Grid_Get(closed));
  EXPECT_FALSE(Motion_Grid_Path(closed, path_, 5, 5, 5, 25, true));
  EXPECT_EQ(Cells(*Motion_Grid_Get(closed)), walled);
}

// Random mazes: every path steps between neighbouring open cells, never
// past the corner of a forbidden cell, and without diagonals it is a
// shortest one.
TEST_F(Planning, GridPathsStepThroughOpenCellsAndAreShortest) {
  std::mt19937 random(7);
  const int32_t size = 16;
  for (int32_t round = 0; round < 2000; ++round) {
    const int32_t id = Motion_Grid_Create(0, 0, size, size, 10, 10);
    CGrid* grid = Motion_Grid_Get(id);
    for (int32_t x = 0; x < size; ++x) {
      for (int32_t y = 0; y < size; ++y) {
        if (random() % 100 < static_cast<uint32_t>(20 + round % 30)) Motion_Grid_AddCell(id, x, y);
      }
    }
    Motion_Grid_ClearCell(id, 0, 0);
    Motion_Grid_ClearCell(id, size - 1, size - 1);
    const bool diagonal = round % 2 == 1;
    if (!Motion_Grid_Path(id, path_, 5, 5, size * 10 - 5, size * 10 - 5, diagonal)) {
      Motion_Grid_Destroy(id);
      continue;
    }
    const Points points = PathPoints(path_);
    for (size_t i = 1; i + 1 < points.size(); ++i) {
      const int32_t x = static_cast<int32_t>(points[i].first) / 10, y = static_cast<int32_t>(points[i].second) / 10;
      const int32_t px = static_cast<int32_t>(points[i - 1].first) / 10;
      const int32_t py = static_cast<int32_t>(points[i - 1].second) / 10;
      ASSERT_NE(grid->Cell(x, y), kCellForbidden);
      ASSERT_LE(std::abs(x - px) + std::abs(y - py), diagonal ? 2 : 1);
      ASSERT_TRUE(std::abs(x - px) <= 1 && std::abs(y - py) <= 1);
      if (x != px && y != py) {
        ASSERT_NE(grid->Cell(px, y), kCellForbidden) << "corner cut in round " << round;
        ASSERT_NE(grid->Cell(x, py), kCellForbidden) << "corner cut in round " << round;
      }
    }
    if (!diagonal) {
      // Breadth-first distance in the test's own terms.
      std::vector<int32_t> distance(size * size, -1);
      std::vector<int32_t> queue = {0};
      distance[0] = 0;
      for (size_t head = 0; head < queue.size(); ++head) {
        const int32_t c = queue[head], cx = c / size, cy = c % size;
        const int32_t steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& s : steps) {
          const int32_t nx = cx + s[0], ny = cy + s[1];
          if (nx < 0 || ny < 0 || nx >= size || ny >= size) continue;
          if (grid->Cell(nx, ny) == kCellForbidden || distance[nx * size + ny] >= 0) continue;
          distance[nx * size + ny] = distance[c] + 1;
          queue.push_back(nx * size + ny);
        }
      }
      EXPECT_EQ(static_cast<int32_t>(points.size()), distance[size * size - 1] + 1);
    }
    Motion_Grid_Destroy(id);
  }
}

TEST_F(Planning, LargeOpenGridGrowsTheQueue) {
  const int32_t id = Motion_Grid_Create(0, 0, 3000, 3000, 1, 1);
  ASSERT_GE(id, 0);
  ASSERT_TRUE(Motion_Grid_Path(id, path_, 1500, 1500, 0, 0, false));
  EXPECT_GT(Motion_QueueCapacity(), 4096);
  EXPECT_EQ(Path_Get(path_)->GetCount(), 3001);
  EXPECT_EQ(PathPoints(path_).front(), std::make_pair(1500.0f, 1500.0f));
}

TEST_F(Planning, GridCreationRefusesUnusableSizesAndReusesSlots) {
  EXPECT_EQ(Motion_Grid_Create(0, 0, 0, 5, 10, 10), -1);
  EXPECT_EQ(Motion_Grid_Create(0, 0, 5, -1, 10, 10), -1);
  EXPECT_EQ(Motion_Grid_Create(0, 0, 5, 5, 0, 10), -1);
  EXPECT_EQ(Motion_Grid_Create(0, 0, 5, 5, 10, -3), -1);
  EXPECT_EQ(Motion_Grid_Create(0, 0, 65536, 65536, 1, 1), -1);
  const int32_t a = Motion_Grid_Create(0, 0, 2, 2, 1, 1);
  const int32_t b = Motion_Grid_Create(0, 0, 2, 2, 1, 1);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
  Motion_Grid_Destroy(a);
  EXPECT_EQ(Motion_Grid_Get(a), nullptr);
  Motion_Grid_AddCell(a, 0, 0);
  Motion_Grid_ClearAll(a);
  Motion_Grid_AddRectangle(a, 0, 0, 9, 9);
  Motion_Grid_AddInstances(-1, kInstanceAll, false);
  Motion_Grid_Draw(77);
  EXPECT_EQ(Motion_Grid_Create(0, 0, 2, 2, 1, 1), 0);
}

TEST_F(Planning, CellAndRectangleChangesStayInsideTheGrid) {
  const int32_t id = Motion_Grid_Create(100, 200, 10, 2, 10, 10);
  CGrid* grid = Motion_Grid_Get(id);
  Motion_Grid_AddCell(id, 3, 5);
  Motion_Grid_AddCell(id, -1, 0);
  Motion_Grid_AddCell(id, 10, 1);
  EXPECT_EQ(Cells(*grid), std::vector<int32_t>(20, 0));
  Motion_Grid_AddCell(id, 9, 1);
  EXPECT_EQ(grid->Cell(9, 1), kCellForbidden);
  Motion_Grid_ClearCell(id, 9, 5);
  EXPECT_EQ(grid->Cell(9, 1), kCellForbidden);
  Motion_Grid_ClearCell(id, 9, 1);
  EXPECT_EQ(grid->Cell(9, 1), kCellFree);

  // Corners in either order; columns (125 - 100) / 10 = 2 back to 0.
  Motion_Grid_AddRectangle(id, 125, 205, 105, 200);
  int32_t forbidden = 0;
  for (int32_t v : Cells(*grid)) forbidden += v == kCellForbidden;
  EXPECT_EQ(forbidden, 3);
  EXPECT_EQ(grid->Cell(2, 0), kCellForbidden);
  Motion_Grid_AddRectangle(id, -100000, -100000, 100000, 100000);
  for (int32_t v : Cells(*grid)) EXPECT_EQ(v, kCellForbidden);
  Motion_Grid_ClearRectangle(id, 100, 200, 119, 219);
  EXPECT_EQ(grid->Cell(0, 0), kCellFree);
  EXPECT_EQ(grid->Cell(1, 1), kCellFree);
  EXPECT_EQ(grid->Cell(2, 0), kCellForbidden);
  Motion_Grid_ClearAll(id);
  EXPECT_EQ(Cells(*grid), std::vector<int32_t>(20, 0));
}

TEST_F(Planning, InstancesForbidTheCellsUnderTheirBoxes) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1);
  StartRooms(1);
  Add(0, 12, 12);
  Add(1, 55, 55);  // no sprite: covers nothing
  const int32_t id = Motion_Grid_Create(0, 0, 10, 10, 10, 10);
  Motion_Grid_AddInstances(id, 1, false);
  EXPECT_EQ(Cells(*Motion_Grid_Get(id)), std::vector<int32_t>(100, 0));
  Motion_Grid_AddInstances(id, kInstanceAll, true);
  std::vector<int32_t> expected(100, 0);
  for (int32_t x = 1; x <= 2; ++x) {
    for (int32_t y = 1; y <= 2; ++y) expected[x * 10 + y] = kCellForbidden;
  }
  EXPECT_EQ(Cells(*Motion_Grid_Get(id)), expected);
}

TEST_F(Planning, PotentialSettingsAreAtLeastOne) {
  Motion_Potential_Settings(0, 0, 0, false);
  const PotentialSettings s = Motion_Potential_Get();
  EXPECT_EQ(s.maxRotation, 1.0f);
  EXPECT_EQ(s.rotationStep, 1.0f);
  EXPECT_EQ(s.ahead, 1.0f);
  EXPECT_FALSE(s.onSpot);
  Motion_Potential_Settings(45, 5, 2.5f, true);
  EXPECT_EQ(Motion_Potential_Get().maxRotation, 45.0f);
  EXPECT_EQ(Motion_Potential_Get().ahead, 2.5f);
}

TEST_F(Planning, LinearStepsAndPaths) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box, true);
  StartRooms(1);
  CInstance* mover = Add(0, 0, 0);
  EXPECT_FALSE(Motion_Linear_Step(mover, 0, -100, 10, kInstanceAll, false));
  EXPECT_EQ(mover->y, -10.0f);
  EXPECT_EQ(mover->direction, 90.0f);
  EXPECT_TRUE(Motion_Linear_Step(mover, 0, -15, 10, kInstanceAll, false));
  EXPECT_EQ(mover->y, -15.0f);
  EXPECT_TRUE(Motion_Linear_Step(mover, 0, -15, 10, kInstanceAll, false));

  mover->SetPosition(0, 0);
  mover->SetDirection(123);
  ASSERT_TRUE(Motion_Linear_Path(mover, path_, 35, 0, 10, kInstanceAll, false));
  EXPECT_EQ(PathPoints(path_), (Points{{0, 0}, {10, 0}, {20, 0}, {30, 0}, {35, 0}}));
  EXPECT_EQ(mover->x, 0.0f);
  EXPECT_EQ(mover->direction, 123.0f);

  CInstance* wall = Add(1, 50, 0);
  EXPECT_FALSE(Motion_Linear_Path(mover, path_, 100, 0, 10, kInstanceAll, false));
  EXPECT_EQ(mover->x, 0.0f);
  EXPECT_EQ(mover->direction, 123.0f);
  // Only the named object blocks; the others are passed through.
  EXPECT_TRUE(Motion_Linear_Path(mover, path_, 100, 0, 10, 0, true));
  EXPECT_FALSE(Motion_Linear_Path(mover, path_, 100, 0, 10, wall->id, true));
  EXPECT_FALSE(Motion_Linear_Path(mover, path_, 100, 0, 0, kInstanceAll, false));
  EXPECT_FALSE(Motion_Linear_Path(mover, path_ + 9, 100, 0, 10, kInstanceAll, false));
}

TEST_F(Planning, PotentialPathsGoRoundObstaclesWithinTheirLength) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box, true);
  StartRooms(1);
  CInstance* mover = Add(0, 0, 100);
  Add(1, 100, 92);
  mover->SetDirection(0);
  // Turning at most 30 degrees it meets the block head on and would have
  // to turn on the spot, which ends the path.
  EXPECT_FALSE(Motion_Potential_Path(mover, path_, 200, 100, 4, 4, kInstanceAll, false));
  EXPECT_EQ(mover->x, 0.0f);
  Motion_Potential_Settings(90, 10, 3, true);
  ASSERT_TRUE(Motion_Potential_Path(mover, path_, 200, 100, 4, 4, kInstanceAll, false));
  const Points points = PathPoints(path_);
  EXPECT_EQ(points.front(), std::make_pair(0.0f, 100.0f));
  EXPECT_EQ(points.back(), std::make_pair(200.0f, 100.0f));
  for (const auto& [px, py] : points) EXPECT_TRUE(Run_PlaceFree(mover, px, py)) << px << ", " << py;
  EXPECT_EQ(mover->x, 0.0f);
  EXPECT_EQ(mover->direction, 0.0f);

  EXPECT_FALSE(Motion_Potential_Path(mover, path_, 200, 100, 4, 0.5f, kInstanceAll, false));
  EXPECT_FALSE(Motion_Potential_Path(mover, path_, 200, 100, 0, 4, kInstanceAll, false));
  EXPECT_EQ(mover->x, 0.0f);
}

TEST_F(Planning, PotentialStepTurnsOnTheSpotWhenBoxedIn) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box, true);
  StartRooms(1);
  CInstance* mover = Add(0, 100, 100);
  for (auto [x, y] : Points{{82, 82}, {100, 82}, {118, 82}, {82, 100}, {118, 100}, {82, 118}, {100, 118}, {118, 118}}) {
    Add(1, x, y);
  }
  mover->SetDirection(0);
  EXPECT_FALSE(Motion_Potential_Step(mover, 300, 100, 4, kInstanceAll, false));
  EXPECT_EQ(mover->x, 100.0f);
  EXPECT_EQ(mover->direction, 10.0f);
  Motion_Potential_Settings(30, 10, 3, false);
  EXPECT_FALSE(Motion_Potential_Step(mover, 300, 100, 4, kInstanceAll, false));
  EXPECT_EQ(mover->direction, 10.0f);
  // Next to the goal: reached, and it jumps there only when that is free.
  EXPECT_TRUE(Motion_Potential_Step(mover, 104, 100, 4, kInstanceAll, false));
  EXPECT_EQ(mover->x, 100.0f);
  EXPECT_TRUE(Motion_Potential_Step(mover, 102, 100, 4, kInstanceAll, false));
  EXPECT_EQ(mover->x, 102.0f);
  EXPECT_EQ(mover->direction, 0.0f);
}

}  // namespace
