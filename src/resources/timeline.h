// Time lines: moments, each a step with one event, in strictly ascending
// order of step. They come only from the game file; the event dispatch asks
// for the moments between two positions and runs them.
#pragma once

#include <cstdint>

#include "runtime/containers.h"
#include "runtime/game_image.h"
#include "script/events/event.h"

class CTimeLine {
 public:
  CTimeLine() = default;
  virtual ~CTimeLine();
  CTimeLine(const CTimeLine&) = delete;
  CTimeLine& operator=(const CTimeLine&) = delete;

  int32_t GetMomentCount() const { return steps.length; }
  // 0 for an index out of range.
  int32_t GetMomentStep(int32_t moment) const;
  // Null for an index out of range.
  CEvent* GetMomentEvent(int32_t moment) const;
  // The first moment at or after the position; the count when none.
  int32_t FindMomentFrom(double position) const;
  // The last moment at or before the position; -1 when none.
  int32_t FindMomentUpTo(double position) const;
  // Removes the moment with exactly this step, if there is one.
  void DeleteMoment(int32_t step);

  cARRAY_CLASS<CEvent> events;
  cARRAY_STRUCTURE<int32_t> steps;
};

void TimeLine_Init();
// Moment `moment` of time line `timeLine` with its step in *step; null when
// either is absent.
CEvent* TimeLine_MomentEvent(int32_t timeLine, int32_t moment, int32_t* step);
bool TimeLine_Load(const GameImage& image, uint64_t data, uint32_t size);
int32_t TimeLine_Count();
bool TimeLine_Exists(int32_t index);
CTimeLine* TimeLine_Get(int32_t index);
// "<undefined>" for no time line.
const char* TimeLine_GetName(int32_t index);
int32_t TimeLine_Find(const char* name);
bool TimeLine_Prepare();
// Later time lines and their names move down one index.
bool TimeLine_Delete(int32_t index);
// Time lines cannot be made at run time: always -1.
int32_t TimeLine_Add();
void TimeLine_Shutdown();
