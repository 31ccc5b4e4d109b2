// Collision tests and the instance queries: finding, counting and testing
// instances by selector, place and position.
#include "builtins/motion/handlers.h"
#include "world/world_actions.h"
#include "world/world_actions_select.h"

namespace {

void SetBool(ScriptValue* result, bool value) { Result_SetReal(result, value ? 1 : 0); }

// The n-th live instance (from 0) the selector names; an id names only
// itself, at n = 0.
CInstance* NthInstance(int32_t selector, int32_t n) {
  if (n < 0) return nullptr;
  if (selector >= kFirstInstanceId && n != 0) return nullptr;
  int32_t seen = 0;
  return Select_Find(selector, [&](CInstance*) { return seen++ == n; });
}

bool AnyInstance(int32_t selector, const CInstance* self, const CInstance* other) {
  if (selector == game::kSelf) return game::Live(self);
  if (selector == game::kOther) return game::Live(other);
  if (selector < 0 && selector != kSelectAll) return false;
  return Select_Find(selector, [](CInstance*) { return true; }) != nullptr;
}

}  // namespace

KV_BUILTIN(F_CollisionPoint) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_CollisionPoint(self, game::Float(a, 0), game::Float(a, 1), a.Int(2),
                                                       a.Bool(3), a.Bool(4))));
}

KV_BUILTIN(F_CollisionRectangle) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result,
                 game::IdOf(Run_CollisionRectangle(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2),
                                                   game::Float(a, 3), a.Int(4), a.Bool(5), a.Bool(6))));
}

KV_BUILTIN(F_CollisionEllipse) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result,
                 game::IdOf(Run_CollisionEllipse(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2),
                                                 game::Float(a, 3), a.Int(4), a.Bool(5), a.Bool(6))));
}

// The ellipse test on the circle's bounding square.
KV_BUILTIN(F_CollisionCircle) {
  BuiltinArgs a(argc, args);
  const double x = a.Real(0), y = a.Real(1), radius = a.Real(2);
  Result_SetReal(result, game::IdOf(Run_CollisionEllipse(
                             self, game::NarrowToFloat(x - radius), game::NarrowToFloat(y - radius),
                             game::NarrowToFloat(x + radius), game::NarrowToFloat(y + radius), a.Int(3), a.Bool(4),
                             a.Bool(5))));
}

KV_BUILTIN(F_CollisionLine) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_CollisionLine(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2),
                                                      game::Float(a, 3), a.Int(4), a.Bool(5), a.Bool(6))));
}

KV_BUILTIN(F_InstanceFind) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(NthInstance(a.Int(0), a.Int(1))));
}

KV_BUILTIN(F_InstanceExists) {
  BuiltinArgs a(argc, args);
  SetBool(result, AnyInstance(a.Int(0), self, other));
}

KV_BUILTIN(F_InstanceNumber) {
  BuiltinArgs a(argc, args);
  const int32_t selector = a.Int(0);
  if (selector == game::kSelf) return SetBool(result, game::Live(self));
  if (selector == game::kOther) return SetBool(result, game::Live(other));
  Result_SetReal(result, Run_InstanceNumber(selector));
}

KV_BUILTIN(F_InstancePosition) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstancePosition(game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

KV_BUILTIN(F_InstanceNearest) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstanceNearest(game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

KV_BUILTIN(F_InstanceFurthest) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstanceFurthest(game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

KV_BUILTIN(F_InstancePlace) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, game::IdOf(Run_InstancePlace(self, game::Float(a, 0), game::Float(a, 1), a.Int(2))));
}

KV_BUILTIN(F_PositionEmpty) {
  BuiltinArgs a(argc, args);
  SetBool(result, !Run_PositionMeeting(game::Float(a, 0), game::Float(a, 1), kSelectAll));
}

KV_BUILTIN(F_PositionMeeting) {
  BuiltinArgs a(argc, args);
  const int32_t selector = game::SelfOrOther(a.Int(2), self, other);
  SetBool(result, Run_PositionMeeting(game::Float(a, 0), game::Float(a, 1), selector));
}
