// Distances between an instance's bounding box and a point or other boxes.
#include <algorithm>
#include <cmath>

#include "world/actions/world_actions.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

namespace {

// The gap between two boxes along one axis; 0 when they overlap or touch.
int64_t BoxGap(int32_t aLow, int32_t aHigh, int32_t bLow, int32_t bHigh) {
  if (aLow > bHigh) return static_cast<int64_t>(aLow) - bHigh;
  if (aHigh < bLow) return static_cast<int64_t>(aHigh) - bLow;
  return 0;
}

// The instance's box must be fresh; the candidate's is refreshed here.
double BoxDistance(CInstance* candidate, CInstance* instance) {
  if (candidate == nullptr || candidate == instance || candidate->markedForDeletion != 0) return kFarAway;
  candidate->RefreshBoundingBox();
  // Gaps reach 2^32 between boxes at opposite ends of the 32-bit range, so
  // they are squared in double precision, never as 64-bit integers.
  const auto dx = static_cast<double>(
      BoxGap(candidate->bbox_left, candidate->bbox_right, instance->bbox_left, instance->bbox_right));
  const auto dy = static_cast<double>(
      BoxGap(candidate->bbox_top, candidate->bbox_bottom, instance->bbox_top, instance->bbox_bottom));
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

double Run_DistanceToPoint(CInstance* instance, double x, double y) {
  instance->RefreshBoundingBox();
  const double right = instance->bbox_right, left = instance->bbox_left;
  const double bottom = instance->bbox_bottom, top = instance->bbox_top;
  const double dx = x > right ? x - right : (x < left ? x - left : 0.0);
  const double dy = y > bottom ? y - bottom : (y < top ? y - top : 0.0);
  return std::sqrt(dx * dx + dy * dy);
}

double Run_DistanceToInstance(CInstance* instance, CInstance* other) {
  instance->RefreshBoundingBox();
  return BoxDistance(other, instance);
}

double Run_DistanceToNearest(CInstance* instance, int32_t selector) {
  instance->RefreshBoundingBox();
  double best = kFarAway;
  auto consider = [&](CInstance* candidate) { best = std::min(best, BoxDistance(candidate, instance)); };
  if (selector == kInstanceAll) {
    if (g_currentRoom == nullptr) return best;
    for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next) consider(i);
  } else if (selector >= kFirstInstanceId) {
    CInstance* found = Instance_Find(selector);
    if (found != nullptr) consider(found);
  } else if (CObject* object = Object_Get(selector); object != nullptr && selector >= 0) {
    for (ObjectInstanceNode* node = object->descendants.head; node != nullptr && node->instance != nullptr;
         node = node->next) {
      consider(node->instance);
    }
  }
  return best;
}
