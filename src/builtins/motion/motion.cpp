// Moving and placing the caller: random free places, snapping, contact,
// bounce and wrap movement, motion, distances and paths.
#include "builtins/motion/handlers.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/actions/world_actions.h"

KV_BUILTIN(F_MoveRandom) {
  BuiltinArgs a(argc, args);
  Run_MoveRandom(self, a.Int(0), a.Int(1));
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
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Run_PlaceSnapped(self, a.Real(0), a.Real(1)) ? 1 : 0);
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
    const double x = Run_WrapCoordinate(self->x, g_currentRoom->width, margin);
    if (x != self->x) self->SetPosition(NarrowToFloat(x), self->y);
  }
  if (a.Bool(1)) {
    const double y = Run_WrapCoordinate(self->y, g_currentRoom->height, margin);
    if (y != self->y) self->SetPosition(self->x, NarrowToFloat(y));
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
  Result_SetReal(result, Run_DistanceToPoint(self, a.Real(0), a.Real(1)));
}

KV_BUILTIN(F_DistanceToObject) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const int32_t selector = a.Int(0);
  Result_SetReal(result, selector == kInstanceOther ? Run_DistanceToInstance(self, other)
                                                  : Run_DistanceToNearest(self, selector));
}

KV_BUILTIN(F_PathStart) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->StartPath(a.Int(0), game::Float(a, 1), 1.0f, 0.0f, !a.Bool(3), a.Int(2));
}

KV_BUILTIN(F_PathEnd) {
  if (self != nullptr) self->StartPath(-1, 0.0f, 1.0f, 0.0f, false, 0);
}
