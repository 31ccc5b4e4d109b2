#include "resources/timeline.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/load_error.h"
#include "runtime/memory.h"
#include "runtime/text.h"

namespace {

cARRAY_CLASS<CTimeLine> g_timeLines;
cARRAY_MEMORY<char> g_timeLineNames;

// Moments and time lines that scripts removed. The code being removed may
// be the code that is running (a moment that clears itself or deletes its
// own time line), so they are freed only with the store. Nothing adds time
// lines or moments while a game runs, so this holds at most what the game
// file brought.
std::vector<CEvent*> g_retiredEvents;
std::vector<CTimeLine*> g_retiredTimeLines;

void FreeRetired() {
  for (CEvent* event : g_retiredEvents) delete event;
  for (CTimeLine* line : g_retiredTimeLines) delete line;
  g_retiredEvents.clear();
  g_retiredTimeLines.clear();
}

// Removes slot `at` of a slot array, moving the later slots down; the
// caller has freed what the slot held.
template <typename Array>
void RemoveSlot(Array& array, int32_t at) {
  for (int32_t i = at; i + 1 < array.length; ++i) array[i] = array[i + 1];
  array[array.length - 1] = {};
  array.SetLength(array.length - 1);
}

// One TMLN record; null on success, else what was wrong.
const char* ReadTimeLine(CTimeLine* line, const GameImage& image, ImageReader& r) {
  uint32_t moments = r.U32();
  if (r.Failed() || moments > r.Remaining() / 8) return "its moments run past the file";
  line->steps.SetLength(static_cast<int32_t>(moments));
  line->events.SetLength(static_cast<int32_t>(moments));
  for (int32_t i = 0; i < static_cast<int32_t>(moments); ++i) {
    line->steps[i] = r.I32();
    uint32_t record = r.U32();
    if (i > 0 && line->steps[i] <= line->steps[i - 1]) return "its moments are not in ascending order of step";
    line->events[i] = new CEvent();
    if (!line->events[i]->Load(image, record)) return "a moment's event lies outside the file";
  }
  return nullptr;
}

}  // namespace

CTimeLine::~CTimeLine() {
  events.SetLength(0);
  steps.SetLength(0);
}

int32_t CTimeLine::GetMomentStep(int32_t moment) const {
  return moment >= 0 && moment < steps.length ? steps[moment] : 0;
}

CEvent* CTimeLine::GetMomentEvent(int32_t moment) const {
  return moment >= 0 && moment < events.length ? events[moment] : nullptr;
}

int32_t CTimeLine::FindMomentFrom(double position) const {
  if (std::isnan(position)) return steps.length;
  int32_t lo = 0;
  int32_t hi = steps.length;
  while (lo < hi) {
    int32_t mid = lo + (hi - lo) / 2;
    if (static_cast<double>(steps[mid]) >= position)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

int32_t CTimeLine::FindMomentUpTo(double position) const {
  if (std::isnan(position)) return -1;
  int32_t lo = 0;
  int32_t hi = steps.length;
  while (lo < hi) {
    int32_t mid = lo + (hi - lo) / 2;
    if (static_cast<double>(steps[mid]) <= position)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo - 1;
}

void CTimeLine::DeleteMoment(int32_t step) {
  if (steps.length == 0) return;
  int32_t at = FindMomentFrom(step);
  if (at == steps.length) at = steps.length - 1;
  if (steps[at] != step) return;
  g_retiredEvents.push_back(events[at]);
  events[at] = nullptr;
  RemoveSlot(events, at);
  RemoveSlot(steps, at);
}

void TimeLine_Init() { TimeLine_Shutdown(); }

CEvent* TimeLine_MomentEvent(int32_t timeLine, int32_t moment, int32_t* step) {
  CTimeLine* line = TimeLine_Get(timeLine);
  CEvent* event = line != nullptr ? line->GetMomentEvent(moment) : nullptr;
  if (event != nullptr) *step = line->GetMomentStep(moment);
  return event;
}

bool TimeLine_Load(const GameImage& image, uint64_t data, uint32_t size) {
  TimeLine_Init();
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("TMLN", "the time-line count runs past the chunk");
  g_timeLines.SetLength(static_cast<int32_t>(offsets.size()));
  g_timeLineNames.SetLength(static_cast<int32_t>(offsets.size()));
  for (int32_t i = 0; i < static_cast<int32_t>(offsets.size()); ++i) {
    if (offsets[i] == 0) continue;
    ImageReader record = ImageReader::AtOffset(image, offsets[i]);
    const char* name = record.Text();
    if (record.Failed()) return LoadError_Report("TMLN", "time line %d: its name lies outside the file", i);
    g_timeLines[i] = new CTimeLine();
    g_timeLineNames[i] = String_Duplicate(name != nullptr ? name : "");
    const char* fault = ReadTimeLine(g_timeLines[i], image, record);
    if (fault != nullptr) return LoadError_Report("TMLN", "time line %d (%s): %s", i, g_timeLineNames[i], fault);
  }
  return true;
}

int32_t TimeLine_Count() { return g_timeLines.length; }

bool TimeLine_Exists(int32_t index) {
  return index >= 0 && index < g_timeLines.length && g_timeLines[index] != nullptr;
}

CTimeLine* TimeLine_Get(int32_t index) { return TimeLine_Exists(index) ? g_timeLines[index] : nullptr; }

const char* TimeLine_GetName(int32_t index) { return TimeLine_Exists(index) ? g_timeLineNames[index] : "<undefined>"; }

int32_t TimeLine_Find(const char* name) {
  if (name == nullptr) return -1;
  for (int32_t i = 0; i < g_timeLines.length; ++i) {
    if (TimeLine_Exists(i) && std::strcmp(g_timeLineNames[i], name) == 0) return i;
  }
  return -1;
}

bool TimeLine_Prepare() {
  for (int32_t i = 0; i < g_timeLines.length; ++i) {
    CTimeLine* line = TimeLine_Get(i);
    if (line == nullptr) continue;
    g_eventObject = i;
    g_eventType = kEventTimeLine;
    for (int32_t m = 0; m < line->GetMomentCount(); ++m) {
      g_eventNumber = line->steps[m];
      if (!line->events[m]->Compile()) return false;
    }
  }
  return true;
}

bool TimeLine_Delete(int32_t index) {
  if (!TimeLine_Exists(index)) return false;
  g_retiredTimeLines.push_back(g_timeLines[index]);
  g_timeLines[index] = nullptr;
  MemoryManager::Free(g_timeLineNames[index]);
  g_timeLineNames[index] = nullptr;
  RemoveSlot(g_timeLines, index);
  RemoveSlot(g_timeLineNames, index);
  return true;
}

int32_t TimeLine_Add() { return -1; }

void TimeLine_Shutdown() {
  g_timeLines.SetLength(0);
  g_timeLineNames.SetLength(0);
  FreeRetired();
}
