// Planning instance movement: grids of free and forbidden cells with a
// breadth-first path search, and two step-by-step planners (straight line
// and potential field) that can also fill a path point by point.
#pragma once

#include <cstdint>

class CInstance;

constexpr int32_t kCellFree = 0;
constexpr int32_t kCellForbidden = -1;

class CGrid {
 public:
  CGrid(int32_t left, int32_t top, int32_t hcells, int32_t vcells, int32_t cellWidth, int32_t cellHeight);
  virtual ~CGrid();
  CGrid(const CGrid&) = delete;
  CGrid& operator=(const CGrid&) = delete;

  bool Inside(int32_t x, int32_t y) const { return x >= 0 && x < hcells && y >= 0 && y < vcells; }
  // Column-major: cell (x, y) is at x * vcells + y.
  int32_t& Cell(int32_t x, int32_t y) { return cells[static_cast<int64_t>(x) * vcells + y]; }

  int32_t left, top;
  int32_t cellWidth, cellHeight;
  int32_t hcells, vcells;
  int32_t* cells;
};

// Counts and cell sizes below 1 and grids too large to hold are refused
// with -1; otherwise the new grid's id, every cell free.
int32_t Motion_Grid_Create(int32_t left, int32_t top, int32_t hcells, int32_t vcells, int32_t cellWidth,
                           int32_t cellHeight);
// Ids out of range or of destroyed grids are ignored by every operation.
void Motion_Grid_Destroy(int32_t id);
void Motion_Grid_ClearAll(int32_t id);
void Motion_Grid_ClearCell(int32_t id, int32_t x, int32_t y);
void Motion_Grid_AddCell(int32_t id, int32_t x, int32_t y);
void Motion_Grid_ClearRectangle(int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void Motion_Grid_AddRectangle(int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Forbids the cells under the boxes of the selector's instances; precise
// forbids only cells the instance's shape meets.
void Motion_Grid_AddInstances(int32_t id, int32_t selector, bool precise);
// Fills the path (straight, open) from the start to the goal through cell
// centres; false when either point is outside or forbidden or no way exists.
bool Motion_Grid_Path(int32_t id, int32_t path, int32_t xstart, int32_t ystart, int32_t xgoal, int32_t ygoal,
                      bool allowDiagonal);
void Motion_Grid_Draw(int32_t id);
void Motion_Grid_DestroyAll();
// The grid behind an id, or null.
CGrid* Motion_Grid_Get(int32_t id);
// The search queue's capacity: 0 before the first search.
int32_t Motion_QueueCapacity();

// Linear and potential-field planners. The selector is kInstanceAll (with
// `checkAll` choosing all instances or only solid ones) or what to avoid.
bool Motion_Linear_Step(CInstance* instance, float x, float y, float stepSize, int32_t selector, bool checkAll);
bool Motion_Linear_Path(CInstance* instance, int32_t path, float x, float y, float stepSize, int32_t selector,
                        bool checkAll);
// The first three are raised to 1 when below.
void Motion_Potential_Settings(float maxRotation, float rotationStep, float ahead, bool onSpot);
bool Motion_Potential_Step(CInstance* instance, float x, float y, float stepSize, int32_t selector, bool checkAll);
bool Motion_Potential_Path(CInstance* instance, int32_t path, float x, float y, float stepSize, float factor,
                           int32_t selector, bool checkAll);

struct PotentialSettings {
  float maxRotation, rotationStep, ahead;
  bool onSpot;
};
PotentialSettings Motion_Potential_Get();
