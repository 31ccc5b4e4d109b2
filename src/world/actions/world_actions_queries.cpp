#include <limits>

#include "world/actions/world_actions.h"
#include "world/actions/world_actions_select.h"

namespace {

// The first instance of the selector, other than the instance itself, that
// the instance meets at its present place; only solid ones when asked.
CInstance* FirstMet(CInstance* instance, int32_t selector, bool solidOnly) {
  return Select_Find(selector, [&](CInstance* other) {
    return (!solidOnly || other->solid != 0) && instance->CollisionInstance(other, 1);
  });
}

template <typename Test>
CInstance* FirstOther(CInstance* self, int32_t selector, bool notMe, Test test) {
  return Select_Find(selector, [&](CInstance* other) { return !(notMe && other == self) && test(other); });
}

double SquaredDistance(const CInstance* instance, float x, float y) {
  const double dx = static_cast<double>(instance->x) - x;
  const double dy = static_cast<double>(instance->y) - y;
  return dx * dx + dy * dy;
}

// Keeps the first instance whose distance `better` prefers over the best so
// far; an id selector finds none.
template <typename Better>
CInstance* Extreme(float x, float y, int32_t selector, double start, Better better) {
  if (selector >= kFirstInstanceId) return nullptr;
  CInstance* best = nullptr;
  double bestDistance = start;
  Select_Find(selector, [&](CInstance* instance) {
    const double distance = SquaredDistance(instance, x, y);
    if (better(distance, bestDistance)) {
      best = instance;
      bestDistance = distance;
    }
    return false;
  });
  return best;
}

}  // namespace

bool Run_PlaceEmpty(CInstance* instance, float x, float y) {
  if (instance == nullptr) return true;
  PlaceProbe probe(instance, x, y);
  return FirstMet(instance, kInstanceAll, false) == nullptr;
}

bool Run_PlaceFree(CInstance* instance, float x, float y) {
  if (instance == nullptr) return true;
  PlaceProbe probe(instance, x, y);
  return FirstMet(instance, kInstanceAll, true) == nullptr;
}

CInstance* Run_InstancePlace(CInstance* instance, float x, float y, int32_t selector) {
  if (instance == nullptr) return nullptr;
  PlaceProbe probe(instance, x, y);
  return FirstMet(instance, selector, false);
}

bool Run_PlaceMeeting(CInstance* instance, int32_t selector, float x, float y) {
  return Run_InstancePlace(instance, x, y, selector) != nullptr;
}

CInstance* Run_InstancePosition(float x, float y, int32_t selector) {
  return Select_Find(selector, [&](CInstance* instance) { return instance->CollisionPoint(x, y, 1); });
}

bool Run_PositionMeeting(float x, float y, int32_t selector) { return Run_InstancePosition(x, y, selector) != nullptr; }

CInstance* Run_CollisionPoint(CInstance* self, float x, float y, int32_t selector, bool precise, bool notMe) {
  return FirstOther(self, selector, notMe,
                    [&](CInstance* other) { return other->CollisionPoint(x, y, precise ? 1 : 0); });
}

CInstance* Run_CollisionRectangle(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector,
                                  bool precise, bool notMe) {
  return FirstOther(self, selector, notMe,
                    [&](CInstance* other) { return other->CollisionRectangle(x1, y1, x2, y2, precise ? 1 : 0); });
}

CInstance* Run_CollisionEllipse(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector, bool precise,
                                bool notMe) {
  return FirstOther(self, selector, notMe,
                    [&](CInstance* other) { return other->CollisionEllipse(x1, y1, x2, y2, precise ? 1 : 0); });
}

CInstance* Run_CollisionLine(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector, bool precise,
                             bool notMe) {
  return FirstOther(self, selector, notMe,
                    [&](CInstance* other) { return other->CollisionLine(x1, y1, x2, y2, precise ? 1 : 0); });
}

int32_t Run_InstanceNumber(int32_t selector) {
  int32_t count = 0;
  Select_Find(selector, [&](CInstance*) {
    ++count;
    return false;
  });
  return count;
}

CInstance* Run_InstanceFind(int32_t selector, int32_t n) {
  if (n < 0) return nullptr;
  if (selector >= kFirstInstanceId && n != 0) return nullptr;
  int32_t seen = 0;
  return Select_Find(selector, [&](CInstance*) { return seen++ == n; });
}

bool Run_InstanceExists(int32_t selector) {
  if (selector < 0 && selector != kInstanceAll) return false;
  return Select_Find(selector, [](CInstance*) { return true; }) != nullptr;
}

// Starting from a squared distance of 100000000: an instance 10000 pixels
// away or more is never the nearest.
CInstance* Run_InstanceNearest(float x, float y, int32_t selector) {
  return Extreme(x, y, selector, 100000000.0, [](double distance, double best) { return distance < best; });
}

CInstance* Run_InstanceFurthest(float x, float y, int32_t selector) {
  return Extreme(x, y, selector, -1.0, [](double distance, double best) { return distance > best; });
}
