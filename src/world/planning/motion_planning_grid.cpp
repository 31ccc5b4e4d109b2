#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/draw/draw_primitives.h"
#include "runtime/memory.h"
#include "world/actions/world_actions_select.h"
#include "world/instance/instance.h"
#include "world/planning/motion_planning.h"

namespace {

// A grid larger than this many cells is refused rather than allocated.
constexpr int64_t kMaxCells = int64_t{1} << 26;
constexpr uint32_t kForbiddenColour = 0x0000FF;
constexpr uint32_t kFreeColour = 0x008000;

std::vector<CGrid*> g_grids;

// Cells [first, last] of one axis covering room coordinates a..b.
struct Span {
  int32_t first, last;
};

Span CellSpan(int64_t a, int64_t b, int32_t origin, int32_t size, int32_t count) {
  auto cell = [&](int64_t v) {
    const int64_t index = (v - origin) / size;
    return static_cast<int32_t>(std::clamp<int64_t>(index, 0, count - 1));
  };
  return {cell(std::min(a, b)), cell(std::max(a, b))};
}

void FillRectangle(int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t value) {
  CGrid* grid = Motion_Grid_Get(id);
  if (grid == nullptr) return;
  const Span columns = CellSpan(x1, x2, grid->left, grid->cellWidth, grid->hcells);
  const Span rows = CellSpan(y1, y2, grid->top, grid->cellHeight, grid->vcells);
  for (int32_t x = columns.first; x <= columns.last; ++x) {
    for (int32_t y = rows.first; y <= rows.last; ++y) grid->Cell(x, y) = value;
  }
}

void SetCell(int32_t id, int32_t x, int32_t y, int32_t value) {
  CGrid* grid = Motion_Grid_Get(id);
  if (grid != nullptr && grid->Inside(x, y)) grid->Cell(x, y) = value;
}

// The room rectangle of a cell, right and bottom inclusive.
void CellRectangle(const CGrid& grid, int32_t x, int32_t y, float* r) {
  r[0] = static_cast<float>(grid.left + static_cast<int64_t>(x) * grid.cellWidth);
  r[1] = static_cast<float>(grid.top + static_cast<int64_t>(y) * grid.cellHeight);
  r[2] = static_cast<float>(grid.left + (static_cast<int64_t>(x) + 1) * grid.cellWidth - 1);
  r[3] = static_cast<float>(grid.top + (static_cast<int64_t>(y) + 1) * grid.cellHeight - 1);
}

void ForbidUnder(CGrid* grid, CInstance* instance, bool precise) {
  instance->RefreshBoundingBox();
  // Without a collision sprite there is no box to cover any cell.
  if (instance->bbox_left == kInstanceNoBox && instance->bbox_right == kInstanceNoBox) return;
  const Span columns = CellSpan(instance->bbox_left, instance->bbox_right, grid->left, grid->cellWidth, grid->hcells);
  const Span rows = CellSpan(instance->bbox_top, instance->bbox_bottom, grid->top, grid->cellHeight, grid->vcells);
  for (int32_t x = columns.first; x <= columns.last; ++x) {
    for (int32_t y = rows.first; y <= rows.last; ++y) {
      int32_t& cell = grid->Cell(x, y);
      if (cell == kCellForbidden) continue;
      float r[4];
      CellRectangle(*grid, x, y, r);
      if (!precise || instance->CollisionRectangle(r[0], r[1], r[2], r[3], 1)) cell = kCellForbidden;
    }
  }
}

}  // namespace

CGrid::CGrid(int32_t gridLeft, int32_t gridTop, int32_t columns, int32_t rows, int32_t width, int32_t height)
    : left(gridLeft), top(gridTop), cellWidth(width), cellHeight(height), hcells(columns), vcells(rows) {
  const size_t count = static_cast<size_t>(columns) * static_cast<size_t>(rows);
  cells = static_cast<int32_t*>(KV_ALLOC(count * sizeof(int32_t), true));
}

CGrid::~CGrid() { MemoryManager::Free(cells); }

int32_t Motion_Grid_Create(int32_t left, int32_t top, int32_t hcells, int32_t vcells, int32_t cellWidth,
                           int32_t cellHeight) {
  if (hcells < 1 || vcells < 1 || cellWidth < 1 || cellHeight < 1) return -1;
  if (static_cast<int64_t>(hcells) * vcells > kMaxCells) return -1;
  auto* grid = new CGrid(left, top, hcells, vcells, cellWidth, cellHeight);
  auto slot = std::find(g_grids.begin(), g_grids.end(), nullptr);
  if (slot != g_grids.end()) {
    *slot = grid;
    return static_cast<int32_t>(slot - g_grids.begin());
  }
  g_grids.push_back(grid);
  return static_cast<int32_t>(g_grids.size() - 1);
}

CGrid* Motion_Grid_Get(int32_t id) {
  if (id < 0 || static_cast<size_t>(id) >= g_grids.size()) return nullptr;
  return g_grids[static_cast<size_t>(id)];
}

void Motion_Grid_Destroy(int32_t id) {
  CGrid* grid = Motion_Grid_Get(id);
  if (grid == nullptr) return;
  delete grid;
  g_grids[static_cast<size_t>(id)] = nullptr;
}

void Motion_Grid_DestroyAll() {
  for (CGrid* grid : g_grids) delete grid;
  g_grids.clear();
  g_grids.shrink_to_fit();
}

void Motion_Grid_ClearAll(int32_t id) {
  CGrid* grid = Motion_Grid_Get(id);
  if (grid == nullptr) return;
  std::memset(grid->cells, 0, static_cast<size_t>(grid->hcells) * static_cast<size_t>(grid->vcells) * sizeof(int32_t));
}

void Motion_Grid_ClearCell(int32_t id, int32_t x, int32_t y) { SetCell(id, x, y, kCellFree); }
void Motion_Grid_AddCell(int32_t id, int32_t x, int32_t y) { SetCell(id, x, y, kCellForbidden); }

void Motion_Grid_ClearRectangle(int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  FillRectangle(id, x1, y1, x2, y2, kCellFree);
}

void Motion_Grid_AddRectangle(int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  FillRectangle(id, x1, y1, x2, y2, kCellForbidden);
}

void Motion_Grid_AddInstances(int32_t id, int32_t selector, bool precise) {
  CGrid* grid = Motion_Grid_Get(id);
  if (grid == nullptr) return;
  Select_Find(selector, [&](CInstance* instance) {
    ForbidUnder(grid, instance, precise);
    return false;
  });
}

void Motion_Grid_Draw(int32_t id) {
  CGrid* grid = Motion_Grid_Get(id);
  if (grid == nullptr) return;
  for (int32_t x = 0; x < grid->hcells; ++x) {
    for (int32_t y = 0; y < grid->vcells; ++y) {
      const uint32_t colour = grid->Cell(x, y) == kCellForbidden ? kForbiddenColour : kFreeColour;
      float r[4];
      CellRectangle(*grid, x, y, r);
      GR_Draw_Rectangle_Color(r[0], r[1], r[2], r[3], colour, colour, colour, colour, 0);
    }
  }
}
