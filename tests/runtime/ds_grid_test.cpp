// Priority queues and grids.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "runtime/ds_grid.h"
#include "runtime/ds_priority.h"
#include "runtime/ds_test_support.h"
#include "runtime/ds_value.h"
#include "runtime/random.h"

namespace {

using Cells = std::set<std::pair<int, int>>;

// The cells an operation touched: every cell starts at 0 and gets 1 added.
Cells Touched(CDS_Grid& grid) {
  Cells cells;
  for (int x = 0; x < grid.Width(); ++x) {
    for (int y = 0; y < grid.Height(); ++y) {
      if (grid.Get(0, x, y)->real != 0.0) cells.insert({x, y});
    }
  }
  return cells;
}

std::string Row(CDS_Grid& grid, int y) {
  std::string out;
  for (int x = 0; x < grid.Width(); ++x) out += Describe(grid.Get(0, x, y)) + " ";
  return out;
}

void Number(CDS_Grid& grid) {
  for (int x = 0; x < grid.Width(); ++x) {
    for (int y = 0; y < grid.Height(); ++y) {
      TestValue v(x * 10 + y);
      grid.Operate(kDSOpSet, 0, x, y, &v);
    }
  }
}

TEST(DSPriority, MinAndMaxTakeTheFirstOfEqualsAndRemovalMovesTheLast) {
  CDS_Priority queue;
  TestValue a("a"), b("b"), c("c"), two(2.0), one(1.0);
  queue.Add(&a, &two);
  queue.Add(&b, &one);
  queue.Add(&c, &one);
  EXPECT_EQ(Describe(queue.FindMin()), "s:b");
  EXPECT_EQ(Describe(queue.FindMax()), "s:a");
  ScriptValue taken{};
  queue.DeleteMin(&taken);
  EXPECT_EQ(Describe(&taken), "s:b");
  EXPECT_EQ(queue.Size(), 2);
  EXPECT_EQ(Describe(queue.FindMin()), "s:c");  // moved into the second place
  queue.ChangePriority(&c, &two);
  EXPECT_EQ(Describe(queue.FindPriority(&c)), "r:2");
  EXPECT_EQ(queue.FindPriority(&b), nullptr);
  queue.DeleteValue(&a);
  EXPECT_EQ(Describe(queue.FindMax()), "s:c");
  queue.DeleteMax(&taken);
  queue.DeleteMax(&taken);
  EXPECT_EQ(Describe(&taken), "r:0");
  EXPECT_EQ(queue.FindMin(), nullptr);
  ScriptValue_Release(&taken);
}

TEST(DSGrid, OutOfBoundsCellsPrintAndChangeNothing) {
  CaptureConsole console(&g_releaseConsole);
  CDS_Grid grid(3, 2);
  EXPECT_EQ(grid.Get(0, 3, 0), nullptr);
  EXPECT_EQ(console.lines, "Grid 0, index out of bounds reading [3,0] - size is [3,2]\n");
  console.lines.clear();
  TestValue v(1.0);
  grid.Operate(kDSOpSet, 7, -1, 1, &v);
  EXPECT_EQ(console.lines, "Grid 7, index out of bounds writing [-1,1] - size is [3,2]\n");
  EXPECT_TRUE(Touched(grid).empty());
}

TEST(DSGrid, RectanglesAndDisksAreClipped) {
  CDS_Grid grid(4, 4);
  TestValue one(1.0);
  grid.OperateRegion(kDSOpAdd, 5, 5, -2, 1, &one);
  Cells expected;
  for (int x = 0; x < 4; ++x) {
    for (int y = 1; y < 4; ++y) expected.insert({x, y});
  }
  EXPECT_EQ(Touched(grid), expected);

  CDS_Grid disk(4, 4);
  disk.OperateDisk(kDSOpAdd, 1, 1, 0, &one);
  EXPECT_EQ(Touched(disk), (Cells{{1, 1}}));
  disk.OperateDisk(kDSOpAdd, 1, 1, 1, &one);
  EXPECT_EQ(Touched(disk).size(), 5u);
  EXPECT_DOUBLE_EQ(disk.DiskTotals(1, 1, 1).sum, 6.0);

  CDS_Grid empty(4, 4);
  empty.OperateRegion(kDSOpAdd, -1, 5, -3, 9, &one);
  empty.OperateDisk(kDSOpAdd, std::nan(""), 1, 2, &one);
  empty.OperateDisk(kDSOpAdd, 1e300, -1e300, 1e10, &one);
  EXPECT_TRUE(Touched(empty).empty());
}

TEST(DSGrid, TotalsSkipStringsAndSearchesScanColumnByColumn) {
  CDS_Grid grid(3, 3);
  TestValue s("s");
  grid.Clear(&s);
  DSGridTotals none = grid.Totals(0, 0, 2, 2);
  EXPECT_EQ(none.max, -100000000.0);
  EXPECT_EQ(none.min, 100000000.0);
  EXPECT_EQ(none.Mean(), 0.0);
  TestValue four(4.0), two(2.0);
  grid.Operate(kDSOpSet, 0, 2, 0, &four);
  grid.Operate(kDSOpSet, 0, 1, 2, &two);
  DSGridTotals t = grid.Totals(2, 2, 0, 0);
  EXPECT_EQ(t.sum, 6.0);
  EXPECT_EQ(t.max, 4.0);
  EXPECT_EQ(t.min, 2.0);
  EXPECT_EQ(t.Mean(), 3.0);
  int32_t x = -5, y = -5;
  EXPECT_TRUE(grid.FindValue(0, 0, 2, 2, &s, &x, &y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_TRUE(grid.FindValue(0, 0, 2, 2, &two, &x, &y));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
  TestValue absent(9.0);
  EXPECT_FALSE(grid.FindValue(0, 0, 2, 2, &absent, &x, &y));
  EXPECT_FALSE(grid.FindValueDisk(0, 0, 1, &four, &x, &y));
  EXPECT_TRUE(grid.FindValueDisk(2, 1, 1, &four, &x, &y));
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 0);
}

TEST(DSGrid, OverlappingRegionOnItselfEqualsACopyThroughAnotherGrid) {
  const int moves[][2] = {{1, 1}, {-1, 0}, {0, 2}, {2, -1}, {0, 0}};
  for (const auto& move : moves) {
    for (int32_t op : {kDSOpSet, kDSOpAdd}) {
      CDS_Grid same(5, 5), target(5, 5), through(5, 5);
      Number(same);
      Number(target);
      through.Copy(&same);
      same.OperateGridRegion(op, &same, 0, 0, 3, 3, move[0], move[1]);
      target.OperateGridRegion(op, &through, 0, 0, 3, 3, move[0], move[1]);
      for (int y = 0; y < 5; ++y) EXPECT_EQ(Row(same, y), Row(target, y)) << move[0] << "," << move[1];
    }
  }
}

TEST(DSGrid, GridRegionShiftsANegativeTargetAndNeverWritesOutside) {
  CDS_Grid source(3, 3), target(2, 2);
  Number(source);
  target.OperateGridRegion(kDSOpSet, &source, 0, 0, 2, 2, -1, 0);
  EXPECT_EQ(Row(target, 0), "r:10 r:20 ");
  EXPECT_EQ(Row(target, 1), "r:11 r:21 ");
  CDS_Grid far(2, 2);
  far.OperateGridRegion(kDSOpSet, &source, 2, 2, 1, 1, 1, 1);
  EXPECT_EQ(Row(far, 0), "r:0 r:0 ");
  EXPECT_EQ(Row(far, 1), "r:0 r:11 ");
  far.OperateGridRegion(kDSOpSet, &source, 0, 0, 2, 2, INT32_MIN, INT32_MAX);
  EXPECT_EQ(Row(far, 0), "r:0 r:0 ");
  EXPECT_EQ(Row(far, 1), "r:0 r:11 ");
}

TEST(DSGrid, ResizeKeepsOverlapAndRefusesHugeOrNegativeSizes) {
  CDS_Grid grid(2, 2);
  Number(grid);
  EXPECT_TRUE(grid.Resize(3, 1));
  EXPECT_EQ(Row(grid, 0), "r:0 r:10 r:0 ");
  CaptureConsole console(&g_debugConsole);
  EXPECT_FALSE(grid.Resize(70000, 70000));
  EXPECT_FALSE(console.lines.empty());
  EXPECT_EQ(grid.Width(), 3);
  CDS_Grid huge(70000, 70000);
  EXPECT_EQ(huge.Width(), 0);
  EXPECT_EQ(huge.Height(), 0);
  CDS_Grid negative(-1, 5);
  EXPECT_EQ(negative.Width(), 0);
  EXPECT_EQ(negative.Height(), 5);
  TestValue one(1.0);
  negative.OperateRegion(kDSOpSet, 0, 0, 9, 9, &one);
  EXPECT_DOUBLE_EQ(negative.Totals(0, 0, 9, 9).sum, 0.0);
  // Rows are what costs memory: a grid without rows may be as wide as it likes.
  CDS_Grid wide(INT32_MAX, 0);
  EXPECT_EQ(wide.Width(), INT32_MAX);
  wide.OperateRegion(kDSOpSet, 0, 0, INT32_MAX, 9, &one);
  wide.Shuffle();
  CDS_Grid back(1, 1);
  EXPECT_TRUE(back.ReadText(TakeText(wide.WriteText()).c_str()));
  EXPECT_EQ(back.Width(), INT32_MAX);
  EXPECT_TRUE(back.Resize(2, 0));
  EXPECT_TRUE(back.Resize(2, 2));
  EXPECT_EQ(Row(back, 1), "r:0 r:0 ");
}

TEST(DSGrid, ShuffleKeepsTheCellsAndFollowsTheSeed) {
  CDS_Grid a(3, 4), b(3, 4);
  Number(a);
  Number(b);
  Random_Seed(7);
  a.Shuffle();
  Random_Seed(7);
  b.Shuffle();
  for (int y = 0; y < 4; ++y) EXPECT_EQ(Row(a, y), Row(b, y));
  EXPECT_DOUBLE_EQ(a.Totals(0, 0, 2, 3).sum, 0 + 1 + 2 + 3 + 10 + 11 + 12 + 13 + 20 + 21 + 22 + 23);
  CDS_Grid empty(0, 3);
  empty.Shuffle();
  a.Copy(&a);
  EXPECT_EQ(Row(a, 0), Row(b, 0));
}

}  // namespace
