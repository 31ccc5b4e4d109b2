#include "runtime/ds_grid.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "runtime/console.h"
#include "runtime/ds_text.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

namespace {

constexpr double kStartMax = -100000000.0;
constexpr double kStartMin = 100000000.0;

int32_t NonNegative(int32_t size) { return size < 0 ? 0 : size; }

bool InDisk(int32_t x, int32_t y, const double* disk) {
  if (disk == nullptr) return true;
  double dx = x - disk[0];
  double dy = y - disk[1];
  return dx * dx + dy * dy <= disk[2] * disk[2];
}

// Column (or row) range of a disk: floor(centre - r) .. ceil(centre + r),
// clipped to 0 .. size - 1. NaN ends up as the whole range, and then no
// cell passes the distance test.
void DiskRange(double centre, double r, int32_t size, int32_t* low, int32_t* high) {
  double from = std::floor(centre - r);
  double to = std::ceil(centre + r);
  *low = from > 0.0 ? (from < size ? static_cast<int32_t>(from) : size) : 0;
  *high = to < size - 1.0 ? (to > -1.0 ? static_cast<int32_t>(to) : -1) : size - 1;
}

}  // namespace

bool DS_GridSizeAllowed(int64_t width, int64_t height) {
  int64_t cells = std::max<int64_t>(width, 0) * std::max<int64_t>(height, 0);
  if (cells > INT32_MAX) return false;
  // Every column holds at least one cell when there are any, so the cell
  // bound also bounds the column array.
  return cells * static_cast<int64_t>(sizeof(ScriptValue)) <= static_cast<int64_t>(MemoryManager::kMaxSize);
}

CDS_Grid::CDS_Grid(int32_t width, int32_t height) { Resize(width, height); }

CDS_Grid::~CDS_Grid() { FreeColumns(0); }

// Frees the columns from `from` on and cuts the column array there.
void CDS_Grid::FreeColumns(int32_t from) {
  for (int32_t x = from; x < m_columnCount; ++x) {
    DS_ResetSlots(m_columns[x].cells, m_columns[x].height);
    MemoryManager::Free(m_columns[x].cells);
  }
  if (from < m_columnCount) {
    MemoryManager::SetLength(&m_columns, static_cast<size_t>(from) * sizeof(DSGridColumn), __FILE__, __LINE__);
    m_columnCount = from;
  }
}

// A grid without rows keeps no columns, so a wide empty grid costs nothing.
bool CDS_Grid::Resize(int32_t width, int32_t height) {
  width = NonNegative(width);
  height = NonNegative(height);
  if (!DS_GridSizeAllowed(width, height)) {
    g_debugConsole->Output("Grid of %d x %d cells is too large\n", width, height);
    return false;
  }
  int32_t columns = height == 0 ? 0 : width;
  FreeColumns(columns);
  MemoryManager::SetLength(&m_columns, static_cast<size_t>(columns) * sizeof(DSGridColumn), __FILE__, __LINE__);
  m_columnCount = columns;
  for (int32_t x = 0; x < columns; ++x) {
    DSGridColumn& column = m_columns[x];
    if (column.height > height) DS_ResetSlots(column.cells + height, column.height - height);
    DS_ResizeSlots(&column.cells, height);
    column.height = height;
  }
  m_width = width;
  m_height = height;
  return true;
}

bool CDS_Grid::Contains(int32_t x, int32_t y) const { return x >= 0 && x < m_width && y >= 0 && y < m_height; }

ScriptValue* CDS_Grid::Get(int32_t index, int32_t x, int32_t y) {
  if (Contains(x, y)) return Cell(x, y);
  g_releaseConsole->Output("Grid %d, index out of bounds reading [%d,%d] - size is [%d,%d]\n", index, x, y, m_width,
                           m_height);
  return nullptr;
}

void CDS_Grid::Operate(int32_t op, int32_t index, int32_t x, int32_t y, const ScriptValue* value) {
  if (Contains(x, y)) {
    DS_OperateValue(op, Cell(x, y), value);
    return;
  }
  g_releaseConsole->Output("Grid %d, index out of bounds writing [%d,%d] - size is [%d,%d]\n", index, x, y, m_width,
                           m_height);
}

DSGridArea CDS_Grid::Area(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
  DSGridArea area;
  area.lowX = std::max(std::min(x1, x2), 0);
  area.highX = std::min(std::max(x1, x2), m_width - 1);
  area.lowY = std::max(std::min(y1, y2), 0);
  area.highY = std::min(std::max(y1, y2), m_height - 1);
  return area;
}

DSGridArea CDS_Grid::DiskArea(double x, double y, double r) const {
  DSGridArea area;
  DiskRange(x, r, m_width, &area.lowX, &area.highX);
  DiskRange(y, r, m_height, &area.lowY, &area.highY);
  return area;
}

template <typename Visit>
void CDS_Grid::ForEach(const DSGridArea& area, const double* disk, Visit visit) const {
  if (area.lowY > area.highY) return;
  for (int32_t x = area.lowX; x <= area.highX; ++x) {
    for (int32_t y = area.lowY; y <= area.highY; ++y) {
      if (InDisk(x, y, disk) && !visit(x, y, Cell(x, y))) return;
    }
  }
}

void CDS_Grid::OperateRegion(int32_t op, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const ScriptValue* value) {
  ForEach(Area(x1, y1, x2, y2), nullptr, [&](int32_t, int32_t, ScriptValue* cell) {
    DS_OperateValue(op, cell, value);
    return true;
  });
}

void CDS_Grid::OperateDisk(int32_t op, double x, double y, double r, const ScriptValue* value) {
  const double disk[3] = {x, y, r};
  ForEach(DiskArea(x, y, r), disk, [&](int32_t, int32_t, ScriptValue* cell) {
    DS_OperateValue(op, cell, value);
    return true;
  });
}

void CDS_Grid::OperateGridRegion(int32_t op, const CDS_Grid* source, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                 int32_t x, int32_t y) {
  if (source == nullptr) return;
  DSGridArea from = source->Area(x1, y1, x2, y2);
  int64_t sx = from.lowX;
  int64_t sy = from.lowY;
  int64_t dx = x;
  int64_t dy = y;
  // A negative target position cuts the front of the source rectangle.
  if (dx < 0) sx -= dx, dx = 0;
  if (dy < 0) sy -= dy, dy = 0;
  int64_t w = std::min<int64_t>(from.highX - sx + 1, m_width - dx);
  int64_t h = std::min<int64_t>(from.highY - sy + 1, m_height - dy);
  if (w <= 0 || h <= 0) return;
  // On the same grid, walk away from the direction of the move so every
  // source cell is read before it is overwritten.
  bool backX = source == this && dx > sx;
  bool backY = source == this && dy > sy;
  for (int64_t i = 0; i < w; ++i) {
    int64_t ix = backX ? w - 1 - i : i;
    for (int64_t j = 0; j < h; ++j) {
      int64_t jy = backY ? h - 1 - j : j;
      const ScriptValue* cell = source->Cell(static_cast<int32_t>(sx + ix), static_cast<int32_t>(sy + jy));
      DS_OperateValue(op, Cell(static_cast<int32_t>(dx + ix), static_cast<int32_t>(dy + jy)), cell);
    }
  }
}

DSGridTotals CDS_Grid::Tally(const DSGridArea& area, const double* disk) const {
  DSGridTotals totals{0.0, kStartMax, kStartMin, 0};
  ForEach(area, disk, [&](int32_t, int32_t, const ScriptValue* cell) {
    if (DS_IsString(*cell)) return true;
    totals.sum += cell->real;
    totals.max = std::max(totals.max, cell->real);
    totals.min = std::min(totals.min, cell->real);
    ++totals.reals;
    return true;
  });
  return totals;
}

double DSGridTotals::Mean() const { return reals == 0 ? 0.0 : sum / static_cast<double>(reals); }

DSGridTotals CDS_Grid::Totals(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
  return Tally(Area(x1, y1, x2, y2), nullptr);
}

DSGridTotals CDS_Grid::DiskTotals(double x, double y, double r) const {
  const double disk[3] = {x, y, r};
  return Tally(DiskArea(x, y, r), disk);
}

bool CDS_Grid::Search(const DSGridArea& area, const double* disk, const ScriptValue* value, int32_t* foundX,
                      int32_t* foundY) const {
  bool found = false;
  ForEach(area, disk, [&](int32_t x, int32_t y, const ScriptValue* cell) {
    if (DS_CompareValues(cell, value) != 0) return true;
    found = true;
    *foundX = x;
    *foundY = y;
    return false;
  });
  return found;
}

bool CDS_Grid::FindValue(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const ScriptValue* value, int32_t* foundX,
                         int32_t* foundY) const {
  return Search(Area(x1, y1, x2, y2), nullptr, value, foundX, foundY);
}

bool CDS_Grid::FindValueDisk(double x, double y, double r, const ScriptValue* value, int32_t* foundX,
                             int32_t* foundY) const {
  const double disk[3] = {x, y, r};
  return Search(DiskArea(x, y, r), disk, value, foundX, foundY);
}

void CDS_Grid::Clear(const ScriptValue* value) {
  ForEach(Area(0, 0, m_width - 1, m_height - 1), nullptr, [&](int32_t, int32_t, ScriptValue* cell) {
    DS_StoreValue(cell, value);
    return true;
  });
}

void CDS_Grid::Copy(const CDS_Grid* source) {
  if (source == this || source == nullptr) return;
  if (!Resize(source->m_width, source->m_height)) return;
  for (int32_t x = 0; x < m_columnCount; ++x) {
    for (int32_t y = 0; y < m_height; ++y) DS_StoreValue(Cell(x, y), source->Cell(x, y));
  }
}

void CDS_Grid::Swap(CDS_Grid& other) {
  std::swap(m_width, other.m_width);
  std::swap(m_height, other.m_height);
  std::swap(m_columnCount, other.m_columnCount);
  std::swap(m_columns, other.m_columns);
}

char* CDS_Grid::WriteText() const {
  DSTextOut out;
  out.Int(kDSTextGrid);
  out.Int(m_width);
  out.Int(m_height);
  for (int32_t x = 0; x < m_columnCount; ++x) {
    for (int32_t y = 0; y < m_height; ++y) out.Value(*Cell(x, y));
  }
  return out.Finish();
}

bool CDS_Grid::ReadText(const char* text) {
  DSTextIn in;
  int32_t width = 0;
  int32_t height = 0;
  if (!in.Open(text) || !in.Expect(kDSTextGrid) || !in.Int(&width) || !in.Int(&height)) return false;
  if (width < 0 || height < 0) return false;
  if (!in.CanHold(static_cast<int64_t>(width) * height) || !DS_GridSizeAllowed(width, height)) {
    return false;
  }
  CDS_Grid read(width, height);
  for (int32_t x = 0; x < read.m_columnCount; ++x) {
    for (int32_t y = 0; y < height; ++y) {
      if (!in.Value(read.Cell(x, y))) return false;
    }
  }
  Swap(read);
  return true;
}
