// Moving and placing the caller: random free places, snapping, contact,
// bounce and wrap movement, motion, distances and paths.
#include <algorithm>
#include <cmath>

#include "builtins/motion/handlers.h"
#include "gamefile/sprite.h"
#include "runtime/numeric.h"
#include "runtime/random.h"
#include "world/room.h"
#include "world/room_change.h"
#include "world/world_actions.h"
#include "world/world_actions_select.h"

namespace {

constexpr int32_t kRandomTries = 100;
constexpr double kSnapTolerance = 0.001;
constexpr double kFarAway = 1000000.0;

bool HasShape(const CInstance* instance) {
  return Sprite_Exists(instance->sprite_index) || Sprite_Exists(instance->mask_index);
}

// One random coordinate from [low, high) (low when the range is empty),
// snapped down to a multiple of snap when snap is positive.
double RandomCoordinate(int32_t low, int32_t high, int32_t snap) {
  const int64_t range = std::clamp<int64_t>(static_cast<int64_t>(high) - low, INT32_MIN + 1, INT32_MAX);
  double value = static_cast<double>(low);
  if (range != 0) value += Random_Int(static_cast<int32_t>(range));
  if (snap > 0) value = std::floor(value / snap) * snap;
  return value;
}

// False when the coordinate is off the snap grid by the tolerance or more.
bool OnGrid(double value, double snap) {
  if (!(snap > 0.0)) return true;
  return std::fabs(value - std::nearbyint(value / snap) * snap) < kSnapTolerance;
}

// Moves the coordinate across the room when it has left it by more than
// the margin on either side.
double Wrapped(double value, double size, double margin) {
  if (value < -margin) value = value + size + 2.0 * margin;
  if (value > size + margin) value = value - size - 2.0 * margin;
  return value;
}

// The gap between two boxes along one axis; 0 when they overlap or touch.
int64_t BoxGap(int32_t aLow, int32_t aHigh, int32_t bLow, int32_t bHigh) {
  if (aLow > bHigh) return static_cast<int64_t>(aLow) - bHigh;
  if (aHigh < bLow) return static_cast<int64_t>(aHigh) - bLow;
  return 0;
}

double BoxDistance(CInstance* candidate, CInstance* self) {
  if (candidate == nullptr || candidate == self || candidate->markedForDeletion != 0) return kFarAway;
  candidate->RefreshBoundingBox();
  const int64_t dx = BoxGap(candidate->bbox_left, candidate->bbox_right, self->bbox_left, self->bbox_right);
  const int64_t dy = BoxGap(candidate->bbox_top, candidate->bbox_bottom, self->bbox_top, self->bbox_bottom);
  return std::sqrt(static_cast<double>(dx * dx + dy * dy));
}

// The smallest box distance from self to the instances the selector names.
double NearestBoxDistance(CInstance* self, CInstance* other, int32_t selector) {
  double best = kFarAway;
  auto consider = [&](CInstance* candidate) { best = std::min(best, BoxDistance(candidate, self)); };
  if (selector == game::kOther) {
    consider(other);
  } else if (selector == kSelectAll) {
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

}  // namespace

KV_BUILTIN(F_MoveRandom) {
  if (self == nullptr || g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  int32_t low[2] = {0, 0};
  int32_t high[2] = {g_currentRoom->width, g_currentRoom->height};
  if (HasShape(self)) {
    self->RefreshBoundingBox();
    low[0] = Num_RoundInt32(static_cast<double>(self->x) - self->bbox_left);
    high[0] = Num_RoundInt32(static_cast<double>(g_currentRoom->width) + self->x - self->bbox_right);
    low[1] = Num_RoundInt32(static_cast<double>(self->y) - self->bbox_top);
    high[1] = Num_RoundInt32(static_cast<double>(g_currentRoom->height) + self->y - self->bbox_bottom);
  }
  const int32_t hsnap = a.Int(0), vsnap = a.Int(1);
  for (int32_t attempt = 0; attempt < kRandomTries; ++attempt) {
    const float x = game::NarrowToFloat(RandomCoordinate(low[0], high[0], hsnap));
    const float y = game::NarrowToFloat(RandomCoordinate(low[1], high[1], vsnap));
    if (Run_PlaceFree(self, x, y)) {
      self->SetPosition(x, y);
      return;
    }
  }
}

KV_BUILTIN(F_PlaceFree) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Run_PlaceFree(self, game::Float(a, 0), game::Float(a, 1)) ? 1 : 0);
}

KV_BUILTIN(F_PlaceEmpty) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Run_PlaceEmpty(self, game::Float(a, 0), game::Float(a, 1)) ? 1 : 0);
}

KV_BUILTIN(F_PlaceMeeting) {
  BuiltinArgs a(argc, args);
  const int32_t selector = game::SelfOrOther(a.Int(2), self, other);
  Result_SetReal(result, Run_PlaceMeeting(self, selector, game::Float(a, 0), game::Float(a, 1)) ? 1 : 0);
}

KV_BUILTIN(F_PlaceSnapped) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  Result_SetReal(result, OnGrid(self->x, a.Real(0)) && OnGrid(self->y, a.Real(1)) ? 1 : 0);
}

KV_BUILTIN(F_MoveSnap) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveSnap(self, game::Float(a, 0), game::Float(a, 1));
}

KV_BUILTIN(F_MoveTowardsPoint) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveTowardsPoint(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2));
}

// Towards contact from a free place, otherwise out of what it overlaps.
KV_BUILTIN(F_MoveContact) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const float direction = game::Float(a, 0);
  if (Run_PlaceFree(self, self->x, self->y)) {
    Run_MoveContact(self, direction, -1.0f, false);
  } else {
    Run_MoveOutside(self, direction, -1.0f, false);
  }
}

KV_BUILTIN(F_MoveContactSolid) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveContact(self, game::Float(a, 0), game::Float(a, 1), false);
}

KV_BUILTIN(F_MoveContactAll) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveContact(self, game::Float(a, 0), game::Float(a, 1), true);
}

KV_BUILTIN(F_MoveOutsideSolid) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveOutside(self, game::Float(a, 0), game::Float(a, 1), false);
}

KV_BUILTIN(F_MoveOutsideAll) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveOutside(self, game::Float(a, 0), game::Float(a, 1), true);
}

KV_BUILTIN(F_MoveBounce) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveBounce(self, a.Bool(0), false);
}

KV_BUILTIN(F_MoveBounceAll) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveBounce(self, a.Bool(0), true);
}

KV_BUILTIN(F_MoveWrap) {
  if (self == nullptr || g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  const double margin = a.Real(2);
  if (a.Bool(0)) {
    const double x = Wrapped(self->x, g_currentRoom->width, margin);
    if (x != self->x) self->SetPosition(game::NarrowToFloat(x), self->y);
  }
  if (a.Bool(1)) {
    const double y = Wrapped(self->y, g_currentRoom->height, margin);
    if (y != self->y) self->SetPosition(self->x, game::NarrowToFloat(y));
  }
}

KV_BUILTIN(F_MotionSet) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->SetDirection(game::Float(a, 0));
  self->SetSpeed(game::Float(a, 1));
}

KV_BUILTIN(F_MotionAdd) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) self->AddMotion(game::Float(a, 0), game::Float(a, 1));
}

KV_BUILTIN(F_DistanceToPoint) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->RefreshBoundingBox();
  const double x = a.Real(0), y = a.Real(1);
  const double dx = x > self->bbox_right ? x - self->bbox_right : (x < self->bbox_left ? x - self->bbox_left : 0.0);
  const double dy = y > self->bbox_bottom ? y - self->bbox_bottom : (y < self->bbox_top ? y - self->bbox_top : 0.0);
  Result_SetReal(result, std::sqrt(dx * dx + dy * dy));
}

KV_BUILTIN(F_DistanceToObject) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->RefreshBoundingBox();
  Result_SetReal(result, NearestBoxDistance(self, other, a.Int(0)));
}

KV_BUILTIN(F_PathStart) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->StartPath(a.Int(0), game::Float(a, 1), 1.0f, 0.0f, !a.Bool(3), a.Int(2));
}

KV_BUILTIN(F_PathEnd) {
  if (self != nullptr) self->StartPath(-1, 0.0f, 1.0f, 0.0f, false, 0);
}
