// Collision tests and the instance queries: finding, counting and testing
// instances by selector, place and position.
#include "builtins/motion/handlers.h"
#include "world/actions/world_actions.h"

using game::SetBool;

namespace {

// Self and other stand for the caller's own instances, which count when
// they are live; false for every other selector, left to the world.
bool AnsweredForCaller(ScriptValue* result, int32_t selector, const CInstance* self, const CInstance* other) {
  if (selector != kInstanceSelf && selector != kInstanceOther) return false;
  SetBool(result, game::Live(selector == kInstanceSelf ? self : other));
  return true;
}

}  // namespace

void F_CollisionPoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_CollisionPoint(self, game::Float(a, 0), game::Float(a, 1), a.Int(2), a.Bool(3),
                                                       a.Bool(4))));
}

void F_CollisionRectangle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result,
                 game::IdOf(Run_CollisionRectangle(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2),
                                                   game::Float(a, 3), a.Int(4), a.Bool(5), a.Bool(6))));
}

void F_CollisionEllipse(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_CollisionEllipse(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2),
                                                         game::Float(a, 3), a.Int(4), a.Bool(5), a.Bool(6))));
}

// The ellipse test on the circle's bounding square.
void F_CollisionCircle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const double x = a.Real(0), y = a.Real(1), radius = a.Real(2);
  Result_SetReal(result, game::IdOf(Run_CollisionEllipse(self, NarrowToFloat(x - radius), NarrowToFloat(y - radius),
                                                         NarrowToFloat(x + radius), NarrowToFloat(y + radius), a.Int(3),
                                                         a.Bool(4), a.Bool(5))));
}

void F_CollisionLine(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_CollisionLine(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2),
                                                      game::Float(a, 3), a.Int(4), a.Bool(5), a.Bool(6))));
}

void F_InstanceFind(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstanceFind(a.Int(0), a.Int(1))));
}

void F_InstanceExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!AnsweredForCaller(result, a.Int(0), self, other)) SetBool(result, Run_InstanceExists(a.Int(0)));
}

void F_InstanceNumber(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!AnsweredForCaller(result, a.Int(0), self, other)) Result_SetReal(result, Run_InstanceNumber(a.Int(0)));
}

void F_InstancePosition(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstancePosition(game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

void F_InstanceNearest(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstanceNearest(game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

void F_InstanceFurthest(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstanceFurthest(game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

void F_InstancePlace(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstancePlace(self, game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

void F_PositionEmpty(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetBool(result, !Run_PositionMeeting(game::Float(a, 0), game::Float(a, 1), kInstanceAll));
}

void F_PositionMeeting(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t selector = game::SelfOrOther(a.Int(2), self, other);
  SetBool(result, Run_PositionMeeting(game::Float(a, 0), game::Float(a, 1), selector));
}
