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
KV_BUILTIN(F_DsGridCreate) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, g_dsGrids.Add(new CDS_Grid(in.Int(0), in.Int(1))));
}

KV_BUILTIN(F_DsGridDestroy) { GridShared::Destroy(g_dsGrids, BuiltinArgs(argc, args)); }
KV_BUILTIN(F_DsGridCopy) { GridShared::Copy(g_dsGrids, BuiltinArgs(argc, args)); }
KV_BUILTIN(F_DsGridWrite) { GridShared::Write(g_dsGrids, BuiltinArgs(argc, args), result); }
KV_BUILTIN(F_DsGridRead) { GridShared::Read(g_dsGrids, BuiltinArgs(argc, args)); }

// An impossible size leaves the grid as it was.
KV_BUILTIN(F_DsGridResize) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) grid->Resize(in.Int(1), in.Int(2));
}

KV_BUILTIN(F_DsGridWidth) {
  if (const CDS_Grid* grid = TargetGrid(argc, args)) Result_SetReal(result, grid->Width());
}

KV_BUILTIN(F_DsGridHeight) {
  if (const CDS_Grid* grid = TargetGrid(argc, args)) Result_SetReal(result, grid->Height());
}

KV_BUILTIN(F_DsGridClear) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) grid->Clear(DS_ArgValue(in, 1));
}

KV_BUILTIN(F_DsGridShuffle) {
  if (CDS_Grid* grid = TargetGrid(argc, args)) grid->Shuffle();
}

KV_BUILTIN(F_DsGridSet) { OperateCell(kDSOpSet, argc, args); }
KV_BUILTIN(F_DsGridAdd) { OperateCell(kDSOpAdd, argc, args); }
KV_BUILTIN(F_DsGridMultiply) { OperateCell(kDSOpMultiply, argc, args); }
KV_BUILTIN(F_DsGridSetRegion) { OperateRegion(kDSOpSet, argc, args); }
KV_BUILTIN(F_DsGridAddRegion) { OperateRegion(kDSOpAdd, argc, args); }
KV_BUILTIN(F_DsGridMultiplyRegion) { OperateRegion(kDSOpMultiply, argc, args); }
KV_BUILTIN(F_DsGridSetDisk) { OperateDisk(kDSOpSet, argc, args); }
KV_BUILTIN(F_DsGridAddDisk) { OperateDisk(kDSOpAdd, argc, args); }
KV_BUILTIN(F_DsGridMultiplyDisk) { OperateDisk(kDSOpMultiply, argc, args); }
KV_BUILTIN(F_DsGridSetGridRegion) { OperateGridRegion(kDSOpSet, argc, args); }
KV_BUILTIN(F_DsGridAddGridRegion) { OperateGridRegion(kDSOpAdd, argc, args); }
KV_BUILTIN(F_DsGridMultiplyGridRegion) { OperateGridRegion(kDSOpMultiply, argc, args); }

// Outside the grid the grid prints its reading line and the result stays 0.
KV_BUILTIN(F_DsGridGet) {
  BuiltinArgs in(argc, args);
  if (CDS_Grid* grid = DS_Target(g_dsGrids, in)) DS_ReturnValue(result, grid->Get(in.Int(0), in.Int(1), in.Int(2)));
}

KV_BUILTIN(F_DsGridGetSum) { RegionStatistic(Statistic::kSum, result, argc, args); }
KV_BUILTIN(F_DsGridGetMax) { RegionStatistic(Statistic::kMax, result, argc, args); }
KV_BUILTIN(F_DsGridGetMin) { RegionStatistic(Statistic::kMin, result, argc, args); }
KV_BUILTIN(F_DsGridGetMean) { RegionStatistic(Statistic::kMean, result, argc, args); }
KV_BUILTIN(F_DsGridGetDiskSum) { DiskStatistic(Statistic::kSum, result, argc, args); }
KV_BUILTIN(F_DsGridGetDiskMax) { DiskStatistic(Statistic::kMax, result, argc, args); }
KV_BUILTIN(F_DsGridGetDiskMin) { DiskStatistic(Statistic::kMin, result, argc, args); }
KV_BUILTIN(F_DsGridGetDiskMean) { DiskStatistic(Statistic::kMean, result, argc, args); }

KV_BUILTIN(F_DsGridValueExists) { RegionSearch(Found::kExists, result, argc, args); }
KV_BUILTIN(F_DsGridValueX) { RegionSearch(Found::kX, result, argc, args); }
KV_BUILTIN(F_DsGridValueY) { RegionSearch(Found::kY, result, argc, args); }
KV_BUILTIN(F_DsGridValueDiskExists) { DiskSearch(Found::kExists, result, argc, args); }
KV_BUILTIN(F_DsGridValueDiskX) { DiskSearch(Found::kX, result, argc, args); }
KV_BUILTIN(F_DsGridValueDiskY) { DiskSearch(Found::kY, result, argc, args); }
