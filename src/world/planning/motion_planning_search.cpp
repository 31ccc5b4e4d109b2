#include <cstring>

#include "resources/path.h"
#include "runtime/memory.h"
#include "world/planning/motion_planning.h"

namespace {

constexpr int32_t kFirstQueueCapacity = 4096;
constexpr float kPointSpeed = 100.0f;

// One queue of cell indices for every search; it keeps its capacity (a
// power of two) between searches.
struct CellQueue {
  int32_t* cells = nullptr;
  int32_t capacity = 0;
  int32_t head = 0;
  int32_t tail = 0;
  int32_t count = 0;

  void Clear() { head = tail = count = 0; }
  void Grow() {
    const int32_t larger = capacity == 0 ? kFirstQueueCapacity : capacity * 2;
    auto* moved = static_cast<int32_t*>(KV_ALLOC(static_cast<size_t>(larger) * sizeof(int32_t), false));
    for (int32_t i = 0; i < count; ++i) moved[i] = cells[(head + i) & (capacity - 1)];
    if (cells != nullptr) MemoryManager::Free(cells);
    cells = moved;
    capacity = larger;
    head = 0;
    tail = count;
  }
  void Push(int32_t cell) {
    if (count == capacity) Grow();
    cells[tail] = cell;
    tail = (tail + 1) & (capacity - 1);
    ++count;
  }
  int32_t Pop() {
    const int32_t cell = cells[head];
    head = (head + 1) & (capacity - 1);
    --count;
    return cell;
  }
};

CellQueue g_queue;

struct Offset {
  int32_t dx, dy;
};
constexpr Offset kOrthogonal[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr Offset kExpandDiagonal[4] = {{-1, 1}, {-1, -1}, {1, 1}, {1, -1}};
constexpr Offset kTraceDiagonal[4] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};

bool PointCell(const CGrid& grid, int32_t px, int32_t py, int32_t* cx, int32_t* cy) {
  const int64_t rx = static_cast<int64_t>(px) - grid.left, ry = static_cast<int64_t>(py) - grid.top;
  if (rx < 0 || ry < 0) return false;
  if (rx >= static_cast<int64_t>(grid.hcells) * grid.cellWidth) return false;
  if (ry >= static_cast<int64_t>(grid.vcells) * grid.cellHeight) return false;
  *cx = static_cast<int32_t>(rx / grid.cellWidth);
  *cy = static_cast<int32_t>(ry / grid.cellHeight);
  return true;
}

// A cell outside the grid is never free.
int32_t ValueAt(CGrid& grid, int32_t x, int32_t y) { return grid.Inside(x, y) ? grid.Cell(x, y) : kCellForbidden; }

void Reach(CGrid& grid, int32_t x, int32_t y, int32_t value) {
  grid.Cell(x, y) = value;
  g_queue.Push(x * grid.vcells + y);
}

// One cell's wave: the neighbours' states are read before any is given the
// next value, so a diagonal needs both cells beside it free beforehand.
void Expand(CGrid& grid, int32_t x, int32_t y, bool diagonal) {
  bool free[3][3];
  for (int32_t dx = -1; dx <= 1; ++dx) {
    for (int32_t dy = -1; dy <= 1; ++dy) free[dx + 1][dy + 1] = ValueAt(grid, x + dx, y + dy) == kCellFree;
  }
  const int32_t next = grid.Cell(x, y) + 1;
  for (const Offset& o : kOrthogonal) {
    if (free[o.dx + 1][o.dy + 1]) Reach(grid, x + o.dx, y + o.dy, next);
  }
  if (!diagonal) return;
  for (const Offset& o : kExpandDiagonal) {
    if (free[o.dx + 1][o.dy + 1] && free[o.dx + 1][1] && free[1][o.dy + 1]) Reach(grid, x + o.dx, y + o.dy, next);
  }
}

bool Search(CGrid& grid, int32_t sx, int32_t sy, int32_t gx, int32_t gy, bool diagonal) {
  Reach(grid, sx, sy, 1);
  const int32_t goal = gx * grid.vcells + gy;
  while (g_queue.count > 0) {
    const int32_t cell = g_queue.Pop();
    if (cell == goal) return true;
    Expand(grid, cell / grid.vcells, cell % grid.vcells, diagonal);
  }
  return false;
}

// A diagonal step back must not pass the corner of a forbidden cell.
bool TraceStepAllowed(CGrid& grid, int32_t x, int32_t y, const Offset& o) {
  if (o.dx == 0 || o.dy == 0) return true;
  return ValueAt(grid, x + o.dx, y) != kCellForbidden && ValueAt(grid, x, y + o.dy) != kCellForbidden;
}

bool TraceStep(CGrid& grid, int32_t* x, int32_t* y, bool diagonal) {
  const int32_t wanted = grid.Cell(*x, *y) - 1;
  auto tryOffset = [&](const Offset& o) {
    if (ValueAt(grid, *x + o.dx, *y + o.dy) != wanted || !TraceStepAllowed(grid, *x, *y, o)) return false;
    *x += o.dx;
    *y += o.dy;
    return true;
  };
  for (const Offset& o : kOrthogonal) {
    if (tryOffset(o)) return true;
  }
  if (!diagonal) return false;
  for (const Offset& o : kTraceDiagonal) {
    if (tryOffset(o)) return true;
  }
  return false;
}

float CentreOf(int32_t origin, int32_t cell, int32_t size) {
  return static_cast<float>(origin + static_cast<int64_t>(cell) * size + size / 2);
}

void FillPath(CPath& path, CGrid& grid, int32_t start[2], int32_t goal[2], int32_t startCell[2], int32_t goalCell[2],
              bool diagonal) {
  path.Clear();
  path.SetKind(kPathStraight);
  path.SetClosed(false);
  path.AddPoint(static_cast<float>(goal[0]), static_cast<float>(goal[1]), kPointSpeed);
  int32_t x = goalCell[0], y = goalCell[1];
  while ((x != startCell[0] || y != startCell[1]) && TraceStep(grid, &x, &y, diagonal)) {
    if (x == startCell[0] && y == startCell[1]) break;
    path.AddPoint(CentreOf(grid.left, x, grid.cellWidth), CentreOf(grid.top, y, grid.cellHeight), kPointSpeed);
  }
  path.AddPoint(static_cast<float>(start[0]), static_cast<float>(start[1]), kPointSpeed);
  path.Reverse();
}

void ClearWave(CGrid& grid) {
  const int64_t count = static_cast<int64_t>(grid.hcells) * grid.vcells;
  for (int64_t i = 0; i < count; ++i) {
    if (grid.cells[i] > 0) grid.cells[i] = kCellFree;
  }
}

}  // namespace

int32_t Motion_QueueCapacity() { return g_queue.capacity; }

bool Motion_Grid_Path(int32_t id, int32_t path, int32_t xstart, int32_t ystart, int32_t xgoal, int32_t ygoal,
                      bool allowDiagonal) {
  CGrid* grid = Motion_Grid_Get(id);
  CPath* target = Path_Get(path);
  g_queue.Clear();
  if (grid == nullptr || target == nullptr) return false;
  int32_t startCell[2], goalCell[2];
  if (!PointCell(*grid, xstart, ystart, &startCell[0], &startCell[1])) return false;
  if (!PointCell(*grid, xgoal, ygoal, &goalCell[0], &goalCell[1])) return false;
  if (grid->Cell(startCell[0], startCell[1]) == kCellForbidden) return false;
  if (grid->Cell(goalCell[0], goalCell[1]) == kCellForbidden) return false;
  const bool found = Search(*grid, startCell[0], startCell[1], goalCell[0], goalCell[1], allowDiagonal);
  if (found) {
    int32_t start[2] = {xstart, ystart}, goal[2] = {xgoal, ygoal};
    FillPath(*target, *grid, start, goal, startCell, goalCell, allowDiagonal);
  }
  ClearWave(*grid);
  return found;
}
