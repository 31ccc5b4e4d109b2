// Grids through their handlers: cells, rectangles, disks, grid regions,
// statistics, searches and the out-of-bounds console lines.
#include <cmath>

#include "ds_builtin_support.h"
#include "runtime/console.h"

namespace {

using DSGrids = DSBuiltins;

// The grid's cells row by row, "." for real 0.
std::string Picture(int32_t grid) {
  std::string out;
  int32_t w = static_cast<int32_t>(BuiltinCall(F_DsGridWidth, {R(grid)}).Real());
  int32_t h = static_cast<int32_t>(BuiltinCall(F_DsGridHeight, {R(grid)}).Real());
  for (int32_t y = 0; y < h; ++y) {
    if (y) out += "/";
    for (int32_t x = 0; x < w; ++x) {
      BuiltinCall cell(F_DsGridGet, {R(grid), R(x), R(y)});
      out += cell.IsString() ? cell.Text() : (cell.Real() == 0 ? "." : std::to_string(static_cast<int>(cell.Real())));
    }
  }
  return out;
}

TEST_F(DSGrids, OutOfBoundsCellsPrintTheirLineAndChangeNothing) {
  testsupport::ConsoleCapture console(&g_releaseConsole);
  int32_t grid = Make(F_DsGridCreate);
  BuiltinCall(F_DsGridResize, {R(grid), R(3), R(2)});
  EXPECT_EQ(Value(F_DsGridGet, {R(grid), R(3), R(0)}), "real 0");
  BuiltinCall(F_DsGridSet, {R(grid), R(-1), R(1), R(5)});
  BuiltinCall(F_DsGridAdd, {R(grid), R(0), R(2), R(5)});
  ErrorCapture errors;
  BuiltinCall(F_DsGridSet, {R(grid), R(2.5), R(0.5), R(4)});
  ASSERT_EQ(console.Lines().size(), 3u);
  EXPECT_EQ(console.Lines()[0], "Grid 0, index out of bounds reading [3,0] - size is [3,2]\n");
  EXPECT_EQ(console.Lines()[1], "Grid 0, index out of bounds writing [-1,1] - size is [3,2]\n");
  EXPECT_EQ(console.Lines()[2], "Grid 0, index out of bounds writing [0,2] - size is [3,2]\n");
  EXPECT_TRUE(errors.Messages().empty()) << "console lines, not runtime errors";
  EXPECT_EQ(Picture(grid), "..4/...") << "2.5 and 0.5 round to (2, 0)";
}

TEST_F(DSGrids, CellOperationsSetAddAndMultiply) {
  int32_t grid = Make(F_DsGridCreate);
  BuiltinCall(F_DsGridResize, {R(grid), R(2), R(1)});
  BuiltinCall(F_DsGridSet, {R(grid), R(0), R(0), R(3)});
  BuiltinCall(F_DsGridAdd, {R(grid), R(0), R(0), R(4)});
  BuiltinCall(F_DsGridMultiply, {R(grid), R(0), R(0), R(2)});
  BuiltinCall(F_DsGridSet, {R(grid), R(1), R(0), S("a")});
  BuiltinCall(F_DsGridAdd, {R(grid), R(1), R(0), S("b")});
  BuiltinCall(F_DsGridMultiply, {R(grid), R(1), R(0), R(3)});
  EXPECT_EQ(Picture(grid), "14ab");
  BuiltinCall(F_DsGridClear, {R(grid), S("z")});
  EXPECT_EQ(Picture(grid), "zz");
}

TEST_F(DSGrids, RectanglesTakeCornersInAnyOrderAndAreClipped) {
  BuiltinCall(F_DsGridCreate, {R(8), R(8)});
  BuiltinCall(F_DsGridSetRegion, {R(0), R(5), R(5), R(-3), R(-3), R(1)});
  EXPECT_EQ(Real(F_DsGridGetSum, {R(0), R(0), R(0), R(7), R(7)}), 36.0);
  EXPECT_EQ(Value(F_DsGridGet, {R(0), R(6), R(5)}), "real 0");
  EXPECT_EQ(Value(F_DsGridGet, {R(0), R(5), R(5)}), "real 1");
  int32_t small = Make(F_DsGridCreate);
  BuiltinCall(F_DsGridResize, {R(small), R(4), R(4)});
  BuiltinCall(F_DsGridAddRegion, {R(small), R(5), R(5), R(-2), R(1), R(2)});
  BuiltinCall(F_DsGridMultiplyRegion, {R(small), R(0), R(0), R(0), R(3), R(3)});
  EXPECT_EQ(Picture(small), "..../6222/6222/6222");
  BuiltinCall(F_DsGridSetRegion, {R(small), R(10), R(10), R(20), R(20), R(9)});
  EXPECT_EQ(Picture(small), "..../6222/6222/6222") << "a rectangle wholly outside touches nothing";
}

TEST_F(DSGrids, DisksUseTheUnroundedCentreAndRadius) {
  BuiltinCall(F_DsGridCreate, {R(4), R(4)});
  BuiltinCall(F_DsGridSetDisk, {R(0), R(1), R(1), R(0), R(1)});
  EXPECT_EQ(Real(F_DsGridGetSum, {R(0), R(0), R(0), R(3), R(3)}), 1.0);
  BuiltinCall(F_DsGridAddDisk, {R(0), R(1), R(1), R(1), R(1)});
  EXPECT_EQ(Picture(0), ".1../121./.1../....");
  EXPECT_EQ(Real(F_DsGridGetDiskSum, {R(0), R(1), R(1), R(1)}), 6.0);
  EXPECT_EQ(Real(F_DsGridGetDiskMean, {R(0), R(1), R(1), R(1)}), 6.0 / 5.0);
  // A centre of (1.5, 1.5) with radius 0.75 holds the four cells around it,
  // while rounding it to (2, 2) would hold one.
  BuiltinCall(F_DsGridClear, {R(0), R(0)});
  BuiltinCall(F_DsGridSetDisk, {R(0), R(1.5), R(1.5), R(0.75), R(1)});
  EXPECT_EQ(Picture(0), "..../.11./.11./....");
  BuiltinCall(F_DsGridMultiplyDisk, {R(0), R(1.5), R(1.5), R(0.75), R(5)});
  EXPECT_EQ(Real(F_DsGridGetDiskMax, {R(0), R(2), R(2), R(0)}), 5.0);
  EXPECT_EQ(Real(F_DsGridGetDiskMin, {R(0), R(0), R(0), R(0.5)}), 0.0);
}

TEST_F(DSGrids, StatisticsSkipStringCellsAndKeepTheirStartingValues) {
  BuiltinCall(F_DsGridCreate, {R(3), R(1)});
  BuiltinCall(F_DsGridClear, {R(0), S("s")});
  EXPECT_EQ(Real(F_DsGridGetMax, {R(0), R(0), R(0), R(2), R(0)}), -100000000.0);
  EXPECT_EQ(Real(F_DsGridGetMin, {R(0), R(0), R(0), R(2), R(0)}), 100000000.0);
  EXPECT_EQ(Real(F_DsGridGetSum, {R(0), R(0), R(0), R(2), R(0)}), 0.0);
  EXPECT_EQ(Real(F_DsGridGetMean, {R(0), R(0), R(0), R(2), R(0)}), 0.0);
  EXPECT_EQ(Real(F_DsGridGetDiskMax, {R(0), R(1), R(0), R(5)}), -100000000.0);
  BuiltinCall(F_DsGridSet, {R(0), R(0), R(0), R(-4)});
  BuiltinCall(F_DsGridSet, {R(0), R(2), R(0), R(10)});
  EXPECT_EQ(Real(F_DsGridGetMean, {R(0), R(0), R(0), R(2), R(0)}), 3.0) << "two real cells";
  EXPECT_EQ(Real(F_DsGridGetMin, {R(0), R(2), R(0), R(0), R(0)}), -4.0);
}

TEST_F(DSGrids, SearchesRunColumnByColumnAndAnswerZeroWhenMissing) {
  BuiltinCall(F_DsGridCreate, {R(3), R(3)});
  BuiltinCall(F_DsGridSet, {R(0), R(2), R(0), R(7)});
  BuiltinCall(F_DsGridSet, {R(0), R(1), R(2), R(7)});
  EXPECT_EQ(Real(F_DsGridValueExists, {R(0), R(0), R(0), R(2), R(2), R(7)}), 1.0);
  EXPECT_EQ(Real(F_DsGridValueX, {R(0), R(2), R(2), R(0), R(0), R(7)}), 1.0) << "column 1 comes before column 2";
  EXPECT_EQ(Real(F_DsGridValueY, {R(0), R(0), R(0), R(2), R(2), R(7)}), 2.0);
  EXPECT_EQ(Real(F_DsGridValueExists, {R(0), R(0), R(0), R(2), R(2), S("7")}), 0.0);
  EXPECT_EQ(Real(F_DsGridValueX, {R(0), R(0), R(0), R(2), R(2), R(8)}), 0.0);
  EXPECT_EQ(Real(F_DsGridValueDiskExists, {R(0), R(2), R(0), R(0), R(7)}), 1.0);
  EXPECT_EQ(Real(F_DsGridValueDiskX, {R(0), R(2), R(1), R(1), R(7)}), 2.0);
  EXPECT_EQ(Real(F_DsGridValueDiskY, {R(0), R(1), R(1), R(1), R(7)}), 2.0);
  EXPECT_EQ(Real(F_DsGridValueDiskExists, {R(0), R(0), R(0), R(1), R(7)}), 0.0);
  BuiltinCall(F_DsSetPrecision, {R(0.5)});
  EXPECT_EQ(Real(F_DsGridValueY, {R(0), R(0), R(0), R(2), R(2), R(7.3)}), 2.0) << "equal within the precision";
}

TEST_F(DSGrids, GridRegionsCopyBetweenGridsAndWithinOne) {
  BuiltinCall(F_DsGridCreate, {R(4), R(1)});
  for (int x = 0; x < 4; ++x) BuiltinCall(F_DsGridSet, {R(0), R(x), R(0), R(x + 1)});
  // Shifting right by one on the same grid reads each cell before it is
  // overwritten.
  BuiltinCall(F_DsGridSetGridRegion, {R(0), R(0), R(0), R(0), R(2), R(0), R(1), R(0)});
  EXPECT_EQ(Picture(0), "1123");
  BuiltinCall(F_DsGridSetGridRegion, {R(0), R(0), R(1), R(0), R(3), R(0), R(0), R(0)});
  EXPECT_EQ(Picture(0), "1233");
  int32_t other = Make(F_DsGridCreate);
  BuiltinCall(F_DsGridResize, {R(other), R(3), R(2)});
  BuiltinCall(F_DsGridAddGridRegion, {R(other), R(0), R(3), R(0), R(0), R(0), R(1), R(1)});
  EXPECT_EQ(Picture(other), ".../.12") << "cut at the destination's edge";
  BuiltinCall(F_DsGridMultiplyGridRegion, {R(other), R(0), R(0), R(0), R(3), R(0), R(-2), R(1)});
  EXPECT_EQ(Picture(other), ".../.32") << "a negative position moves the source start";
  ErrorCapture errors;
  BuiltinCall(F_DsGridSetGridRegion, {R(9), R(0), R(0), R(0), R(1), R(1), R(0), R(0)});
  BuiltinCall(F_DsGridSetGridRegion, {R(other), R(9), R(0), R(0), R(1), R(1), R(0), R(0)});
  EXPECT_EQ(errors.Messages().size(), 2u);
  EXPECT_EQ(Picture(other), ".../.32");
}

TEST_F(DSGrids, SizesAreRoundedAndImpossibleSizesCostNothing) {
  EXPECT_EQ(Make(F_DsGridCreate), 0);
  int32_t negative = static_cast<int32_t>(Real(F_DsGridCreate, {R(-4), R(3)}));
  EXPECT_EQ(Real(F_DsGridWidth, {R(negative)}), 0.0);
  EXPECT_EQ(Real(F_DsGridHeight, {R(negative)}), 3.0);
  int32_t huge = static_cast<int32_t>(Real(F_DsGridCreate, {R(70000), R(70000)}));
  EXPECT_EQ(Real(F_DsGridWidth, {R(huge)}), 0.0);
  EXPECT_EQ(Real(F_DsGridHeight, {R(huge)}), 0.0);
  int32_t odd = static_cast<int32_t>(Real(F_DsGridCreate, {R(2.5), R(3.5)}));
  EXPECT_EQ(Real(F_DsGridWidth, {R(odd)}), 2.0);
  EXPECT_EQ(Real(F_DsGridHeight, {R(odd)}), 4.0);
  BuiltinCall(F_DsGridSet, {R(odd), R(1), R(1), R(5)});
  BuiltinCall(F_DsGridResize, {R(odd), R(70000), R(70000)});
  EXPECT_EQ(Real(F_DsGridWidth, {R(odd)}), 2.0) << "an impossible resize changes nothing";
  EXPECT_EQ(Real(F_DsGridGet, {R(odd), R(1), R(1)}), 5.0);
  BuiltinCall(F_DsGridResize, {R(odd), R(3), R(1)});
  EXPECT_EQ(Picture(odd), "...");
  int32_t nan = static_cast<int32_t>(Real(F_DsGridCreate, {R(std::nan("")), R(2)}));
  EXPECT_EQ(Real(F_DsGridWidth, {R(nan)}), 0.0);
}

TEST_F(DSGrids, TextFormShuffleAndCopy) {
  BuiltinCall(F_DsGridCreate, {R(2), R(3)});
  for (int i = 0; i < 6; ++i) BuiltinCall(F_DsGridSet, {R(0), R(i % 2), R(i / 2), R(i + 1)});
  std::string text = Written(F_DsGridWrite, 0);
  int32_t copy = Make(F_DsGridCreate);
  BuiltinCall(F_DsGridRead, {R(copy), S(text.c_str())});
  EXPECT_EQ(Picture(copy), "12/34/56");
  BuiltinCall(F_DsGridRead, {R(copy), S(text.substr(0, text.size() - 2).c_str())});
  BuiltinCall(F_DsGridRead, {R(copy), R(601)});
  EXPECT_EQ(Picture(copy), "12/34/56") << "refused texts leave the grid";
  BuiltinCall(F_DsGridShuffle, {R(copy)});
  EXPECT_EQ(Real(F_DsGridGetSum, {R(copy), R(0), R(0), R(1), R(2)}), 21.0) << "a shuffle keeps every cell";
  int32_t third = Make(F_DsGridCreate);
  BuiltinCall(F_DsGridCopy, {R(third), R(0)});
  EXPECT_EQ(Picture(third), "12/34/56");
  BuiltinCall(F_DsGridCopy, {R(third), R(third)});
  EXPECT_EQ(Picture(third), "12/34/56");
}

}  // namespace
