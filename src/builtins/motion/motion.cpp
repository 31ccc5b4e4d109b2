// Moving and placing the caller: random free places, snapping, contact,
// bounce and wrap movement, motion, distances and paths.
#include "builtins/motion/handlers.h"
#include "world/actions/world_actions.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

void F_MoveRandom(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_MoveRandom(self, a.Int(0), a.Int(1));
}

void F_PlaceFree(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Run_PlaceFree(self, game::Float(a, 0), game::Float(a, 1)) ? 1 : 0);
}

void F_PlaceEmpty(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Run_PlaceEmpty(self, game::Float(a, 0), game::Float(a, 1)) ? 1 : 0);
}

void F_PlaceMeeting(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t selector = game::SelfOrOther(a.Int(2), self, other);
  Result_SetReal(result, Run_PlaceMeeting(self, selector, game::Float(a, 0), game::Float(a, 1)) ? 1 : 0);
}

void F_PlaceSnapped(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Run_PlaceSnapped(self, a.Real(0), a.Real(1)) ? 1 : 0);
}

void F_MoveSnap(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveSnap(self, game::Float(a, 0), game::Float(a, 1));
}

void F_MoveTowardsPoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveTowardsPoint(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2));
}

// Towards contact from a free place, otherwise out of what it overlaps.
void F_MoveContact(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const float direction = game::Float(a, 0);
  if (Run_PlaceFree(self, self->x, self->y)) {
    Run_MoveContact(self, direction, -1.0f, false);
  } else {
    Run_MoveOutside(self, direction, -1.0f, false);
  }
}

void F_MoveContactSolid(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveContact(self, game::Float(a, 0), game::Float(a, 1), false);
}

void F_MoveContactAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveContact(self, game::Float(a, 0), game::Float(a, 1), true);
}

void F_MoveOutsideSolid(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveOutside(self, game::Float(a, 0), game::Float(a, 1), false);
}

void F_MoveOutsideAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveOutside(self, game::Float(a, 0), game::Float(a, 1), true);
}

void F_MoveBounce(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveBounce(self, a.Bool(0), false);
}

void F_MoveBounceAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) Run_MoveBounce(self, a.Bool(0), true);
}

void F_MoveWrap(KV_BUILTIN_PARAMS) {
  if (self == nullptr || g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  const double margin = a.Real(2);
  if (a.Bool(0)) {
    const double x = Run_WrapCoordinate(self->x, g_currentRoom->width, margin);
    if (x != self->x) self->SetPosition(NarrowToFloat(x), self->y);
  }
  if (a.Bool(1)) {
    const double y = Run_WrapCoordinate(self->y, g_currentRoom->height, margin);
    if (y != self->y) self->SetPosition(self->x, NarrowToFloat(y));
  }
}

void F_MotionSet(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->SetDirection(game::Float(a, 0));
  self->SetSpeed(game::Float(a, 1));
}

void F_MotionAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (self != nullptr) self->AddMotion(game::Float(a, 0), game::Float(a, 1));
}

void F_DistanceToPoint(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Run_DistanceToPoint(self, a.Real(0), a.Real(1)));
}

void F_DistanceToObject(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const int32_t selector = a.Int(0);
  Result_SetReal(
      result, selector == kInstanceOther ? Run_DistanceToInstance(self, other) : Run_DistanceToNearest(self, selector));
}

void F_PathStart(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->StartPath(a.Int(0), game::Float(a, 1), 1.0f, 0.0f, !a.Bool(3), a.Int(2));
}

void F_PathEnd(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->StartPath(-1, 0.0f, 1.0f, 0.0f, false, 0);
}
