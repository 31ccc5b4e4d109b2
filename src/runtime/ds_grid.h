// Two-dimensional grid of script values: width columns of height cells;
// cell (x, y) is slot y of column x. Rectangles take their corners in any
// order and are clipped to the grid; disks take a real centre and radius.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

struct DSGridColumn {
  int32_t height;
  ScriptValue* cells;
};

// A clipped rectangle of cells, empty when lowX > highX or lowY > highY.
struct DSGridArea {
  int32_t lowX;
  int32_t lowY;
  int32_t highX;
  int32_t highY;
};

// Statistics over the real cells of an area (string cells are skipped):
// max starts at -1e8 and min at 1e8, so an area without real cells keeps
// them; the mean is 0 then.
struct DSGridTotals {
  double sum;
  double max;
  double min;
  int64_t reals;
  double Mean() const;
};

class CDS_Grid {
 public:
  // Negative sizes count as 0; a size the program cannot hold makes an
  // empty grid and a debug-console line.
  CDS_Grid(int32_t width, int32_t height);
  virtual ~CDS_Grid();
  CDS_Grid(const CDS_Grid&) = delete;
  CDS_Grid& operator=(const CDS_Grid&) = delete;

  // Keeps the overlapping cells; new cells are real 0. A size the program
  // cannot hold changes nothing and answers false.
  bool Resize(int32_t width, int32_t height);
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }

  // `index` is the grid's id, used only in the out-of-bounds console lines.
  ScriptValue* Get(int32_t index, int32_t x, int32_t y);
  void Operate(int32_t op, int32_t index, int32_t x, int32_t y, const ScriptValue* value);
  void OperateRegion(int32_t op, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const ScriptValue* value);
  void OperateDisk(int32_t op, double x, double y, double r, const ScriptValue* value);
  // Applies each cell of the source rectangle to the cell at the same offset
  // from (x, y) here. Cells that would land outside this grid are skipped;
  // the source may be this grid, even overlapping.
  void OperateGridRegion(int32_t op, const CDS_Grid* source, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x,
                         int32_t y);

  // Sum, max, min and mean over the real cells of a rectangle or disk.
  DSGridTotals Totals(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
  DSGridTotals DiskTotals(double x, double y, double r) const;

  // The first cell, column by column, that compares equal to the value;
  // false (outputs untouched) when none does.
  bool FindValue(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const ScriptValue* value, int32_t* foundX,
                 int32_t* foundY) const;
  bool FindValueDisk(double x, double y, double r, const ScriptValue* value, int32_t* foundX, int32_t* foundY) const;

  void Clear(const ScriptValue* value);
  // width * height * 8 exchanges drawn from the script random generator.
  void Shuffle();
  void Copy(const CDS_Grid* source);

  char* WriteText() const;
  bool ReadText(const char* text);

  DSGridArea Area(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
  DSGridArea DiskArea(double x, double y, double r) const;

 private:
  ScriptValue* Cell(int32_t x, int32_t y) const { return &m_columns[x].cells[y]; }
  bool Contains(int32_t x, int32_t y) const;
  // Calls visit(x, y, cell) column by column over the area, keeping only
  // the cells inside the disk {x, y, r} when one is given; stops early when
  // visit answers false.
  template <typename Visit>
  void ForEach(const DSGridArea& area, const double* disk, Visit visit) const;
  DSGridTotals Tally(const DSGridArea& area, const double* disk) const;
  bool Search(const DSGridArea& area, const double* disk, const ScriptValue* value, int32_t* foundX,
              int32_t* foundY) const;
  void FreeColumns(int32_t from);
  void Swap(CDS_Grid& other);

  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_columnCount = 0;
  DSGridColumn* m_columns = nullptr;
};

// Whether a grid of that size may be made: the cell count must fit 31 bits
// and the cells one memory block.
bool DS_GridSizeAllowed(int64_t width, int64_t height);
