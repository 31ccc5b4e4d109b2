// The grid built-ins. Cells, corners and positions are rounded to integers;
// disk centres and radii stay reals.
#include "builtins/ds/support.h"

namespace {

using GridShared = DSShared<CDS_Grid>;

enum class Statistic { kSum, kMax, kMin, kMean };
enum class Found { kExists, kX, kY };

CDS_Grid* TargetGrid(int32_t argc, ScriptValue* args) { return DS_Target(g_dsGrids, BuiltinArgs(argc, args)); }

// (id, x, y, val)
void OperateCell(int32_t op, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) grid->Operate(op, in.Int(0), in.Int(1), in.Int(2), DS_ArgValue(in, 3));
}

// (id, x1, y1, x2, y2, val)
void OperateRegion(int32_t op, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) {
    grid->OperateRegion(op, in.Int(1), in.Int(2), in.Int(3), in.Int(4), DS_ArgValue(in, 5));
  }
}

// (id, xm, ym, r, val)
void OperateDisk(int32_t op, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) {
    grid->OperateDisk(op, in.Real(1), in.Real(2), in.Real(3), DS_ArgValue(in, 4));
  }
}

// (id, source, x1, y1, x2, y2, xpos, ypos); the destination is checked first.
void OperateGridRegion(int32_t op, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  CDS_Grid* grid = DS_Target(g_dsGrids, in);
  if (grid == nullptr) return;
  const CDS_Grid* source = DS_Lookup(g_dsGrids, in.Int(1));
  if (source == nullptr) return;
  grid->OperateGridRegion(op, source, in.Int(2), in.Int(3), in.Int(4), in.Int(5), in.Int(6), in.Int(7));
}

double Pick(const DSGridTotals& totals, Statistic statistic) {
  switch (statistic) {
    case Statistic::kSum: return totals.sum;
    case Statistic::kMax: return totals.max;
    case Statistic::kMin: return totals.min;
    case Statistic::kMean: return totals.Mean();
  }
  return 0.0;
}

// (id, x1, y1, x2, y2)
void RegionStatistic(Statistic statistic, ScriptValue* result, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  if (const CDS_Grid* grid = DS_Target(g_dsGrids, in)) {
    Result_SetReal(result, Pick(grid->Totals(in.Int(1), in.Int(2), in.Int(3), in.Int(4)), statistic));
  }
}

// (id, xm, ym, r)
void DiskStatistic(Statistic statistic, ScriptValue* result, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  if (const CDS_Grid* grid = DS_Target(g_dsGrids, in)) {
    Result_SetReal(result, Pick(grid->DiskTotals(in.Real(1), in.Real(2), in.Real(3)), statistic));
  }
}

// Nothing found leaves the result real 0 whatever was asked.
void Report(Found what, bool found, int32_t x, int32_t y, ScriptValue* result) {
  if (!found) return;
  Result_SetReal(result, what == Found::kExists ? 1.0 : (what == Found::kX ? x : y));
}

// (id, x1, y1, x2, y2, val)
void RegionSearch(Found what, ScriptValue* result, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  const CDS_Grid* grid = DS_Target(g_dsGrids, in);
  if (grid == nullptr) return;
  int32_t x = 0;
  int32_t y = 0;
  bool found = grid->FindValue(in.Int(1), in.Int(2), in.Int(3), in.Int(4), DS_ArgValue(in, 5), &x, &y);
  Report(what, found, x, y, result);
}

// (id, xm, ym, r, val)
void DiskSearch(Found what, ScriptValue* result, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  const CDS_Grid* grid = DS_Target(g_dsGrids, in);
  if (grid == nullptr) return;
  int32_t x = 0;
  int32_t y = 0;
  bool found = grid->FindValueDisk(in.Real(1), in.Real(2), in.Real(3), DS_ArgValue(in, 4), &x, &y);
  Report(what, found, x, y, result);
}

}  // namespace

// Negative sizes count as 0; a size the program cannot hold gives an empty
// grid (the grid reports it on the debug console).
void F_DsGridCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, g_dsGrids.Add(new CDS_Grid(in.Int(0), in.Int(1))));
}

void F_DsGridDestroy(KV_BUILTIN_PARAMS) { GridShared::Destroy(g_dsGrids, BuiltinArgs(argc, args)); }
void F_DsGridCopy(KV_BUILTIN_PARAMS) { GridShared::Copy(g_dsGrids, BuiltinArgs(argc, args)); }
void F_DsGridWrite(KV_BUILTIN_PARAMS) { GridShared::Write(g_dsGrids, BuiltinArgs(argc, args), result); }
void F_DsGridRead(KV_BUILTIN_PARAMS) { GridShared::Read(g_dsGrids, BuiltinArgs(argc, args)); }

// An impossible size leaves the grid as it was.
void F_DsGridResize(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) grid->Resize(in.Int(1), in.Int(2));
}

void F_DsGridWidth(KV_BUILTIN_PARAMS) {
  if (const CDS_Grid* grid = TargetGrid(argc, args)) Result_SetReal(result, grid->Width());
}

void F_DsGridHeight(KV_BUILTIN_PARAMS) {
  if (const CDS_Grid* grid = TargetGrid(argc, args)) Result_SetReal(result, grid->Height());
}

void F_DsGridClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) grid->Clear(DS_ArgValue(in, 1));
}

void F_DsGridShuffle(KV_BUILTIN_PARAMS) {
  if (CDS_Grid* grid = TargetGrid(argc, args)) grid->Shuffle();
}

void F_DsGridSet(KV_BUILTIN_PARAMS) { OperateCell(kDSOpSet, argc, args); }
void F_DsGridAdd(KV_BUILTIN_PARAMS) { OperateCell(kDSOpAdd, argc, args); }
void F_DsGridMultiply(KV_BUILTIN_PARAMS) { OperateCell(kDSOpMultiply, argc, args); }
void F_DsGridSetRegion(KV_BUILTIN_PARAMS) { OperateRegion(kDSOpSet, argc, args); }
void F_DsGridAddRegion(KV_BUILTIN_PARAMS) { OperateRegion(kDSOpAdd, argc, args); }
void F_DsGridMultiplyRegion(KV_BUILTIN_PARAMS) { OperateRegion(kDSOpMultiply, argc, args); }
void F_DsGridSetDisk(KV_BUILTIN_PARAMS) { OperateDisk(kDSOpSet, argc, args); }
void F_DsGridAddDisk(KV_BUILTIN_PARAMS) { OperateDisk(kDSOpAdd, argc, args); }
void F_DsGridMultiplyDisk(KV_BUILTIN_PARAMS) { OperateDisk(kDSOpMultiply, argc, args); }
void F_DsGridSetGridRegion(KV_BUILTIN_PARAMS) { OperateGridRegion(kDSOpSet, argc, args); }
void F_DsGridAddGridRegion(KV_BUILTIN_PARAMS) { OperateGridRegion(kDSOpAdd, argc, args); }
void F_DsGridMultiplyGridRegion(KV_BUILTIN_PARAMS) { OperateGridRegion(kDSOpMultiply, argc, args); }

// Outside the grid the grid prints its reading line and the result stays 0.
void F_DsGridGet(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) DS_ReturnValue(result, grid->Get(in.Int(0), in.Int(1), in.Int(2)));
}

void F_DsGridGetSum(KV_BUILTIN_PARAMS) { RegionStatistic(Statistic::kSum, result, argc, args); }
void F_DsGridGetMax(KV_BUILTIN_PARAMS) { RegionStatistic(Statistic::kMax, result, argc, args); }
void F_DsGridGetMin(KV_BUILTIN_PARAMS) { RegionStatistic(Statistic::kMin, result, argc, args); }
void F_DsGridGetMean(KV_BUILTIN_PARAMS) { RegionStatistic(Statistic::kMean, result, argc, args); }
void F_DsGridGetDiskSum(KV_BUILTIN_PARAMS) { DiskStatistic(Statistic::kSum, result, argc, args); }
void F_DsGridGetDiskMax(KV_BUILTIN_PARAMS) { DiskStatistic(Statistic::kMax, result, argc, args); }
void F_DsGridGetDiskMin(KV_BUILTIN_PARAMS) { DiskStatistic(Statistic::kMin, result, argc, args); }
void F_DsGridGetDiskMean(KV_BUILTIN_PARAMS) { DiskStatistic(Statistic::kMean, result, argc, args); }

void F_DsGridValueExists(KV_BUILTIN_PARAMS) { RegionSearch(Found::kExists, result, argc, args); }
void F_DsGridValueX(KV_BUILTIN_PARAMS) { RegionSearch(Found::kX, result, argc, args); }
void F_DsGridValueY(KV_BUILTIN_PARAMS) { RegionSearch(Found::kY, result, argc, args); }
void F_DsGridValueDiskExists(KV_BUILTIN_PARAMS) { DiskSearch(Found::kExists, result, argc, args); }
void F_DsGridValueDiskX(KV_BUILTIN_PARAMS) { DiskSearch(Found::kX, result, argc, args); }
void F_DsGridValueDiskY(KV_BUILTIN_PARAMS) { DiskSearch(Found::kY, result, argc, args); }
