// Motion planning: the straight-line and potential-field planners and the
// grids with their path search.
#include "builtins/motion/handlers.h"
#include "resources/path.h"
#include "world/planning/motion_planning.h"
#include "world/actions/world_actions.h"

using game::SetBool;

namespace {

// Path-filling planners refuse a path that does not exist, before planning.
bool PathExists(int32_t path) {
  if (Path_Exists(path)) return true;
  Builtin_Error("Trying to assign to a non-existing path.");
  return false;
}

}  // namespace

KV_BUILTIN(F_MpLinearStep) {
  BuiltinArgs a(argc, args);
  SetBool(result, Motion_Linear_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), kInstanceAll,
                                     a.Bool(3)));
}

KV_BUILTIN(F_MpLinearStepObject) {
  BuiltinArgs a(argc, args);
  SetBool(result, Motion_Linear_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), a.Int(3), true));
}

KV_BUILTIN(F_MpLinearPath) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result, Motion_Linear_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3),
                                     kInstanceAll, a.Bool(4)));
}

KV_BUILTIN(F_MpLinearPathObject) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result, Motion_Linear_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3),
                                     a.Int(4), true));
}

KV_BUILTIN(F_MpPotentialSettings) {
  BuiltinArgs a(argc, args);
  Motion_Potential_Settings(game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), a.Bool(3));
}

KV_BUILTIN(F_MpPotentialStep) {
  BuiltinArgs a(argc, args);
  SetBool(result, Motion_Potential_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), kInstanceAll,
                                        a.Bool(3)));
}

KV_BUILTIN(F_MpPotentialStepObject) {
  BuiltinArgs a(argc, args);
  SetBool(result,
          Motion_Potential_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), a.Int(3), true));
}

KV_BUILTIN(F_MpPotentialPath) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result, Motion_Potential_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3),
                                        game::Float(a, 4), kInstanceAll, a.Bool(5)));
}

KV_BUILTIN(F_MpPotentialPathObject) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result, Motion_Potential_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3),
                                        game::Float(a, 4), a.Int(5), true));
}

KV_BUILTIN(F_MpGridCreate) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Motion_Grid_Create(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5)));
}

KV_BUILTIN(F_MpGridDestroy) {
  BuiltinArgs a(argc, args);
  Motion_Grid_Destroy(a.Int(0));
}

KV_BUILTIN(F_MpGridClearAll) {
  BuiltinArgs a(argc, args);
  Motion_Grid_ClearAll(a.Int(0));
}

KV_BUILTIN(F_MpGridClearCell) {
  BuiltinArgs a(argc, args);
  Motion_Grid_ClearCell(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_MpGridClearRectangle) {
  BuiltinArgs a(argc, args);
  Motion_Grid_ClearRectangle(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
}

KV_BUILTIN(F_MpGridAddCell) {
  BuiltinArgs a(argc, args);
  Motion_Grid_AddCell(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_MpGridAddRectangle) {
  BuiltinArgs a(argc, args);
  Motion_Grid_AddRectangle(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
}

// Self and other become their ids; the grid walks every other selector.
KV_BUILTIN(F_MpGridAddInstances) {
  BuiltinArgs a(argc, args);
  Motion_Grid_AddInstances(a.Int(0), game::SelfOrOther(a.Int(1), self, other), a.Bool(2));
}

KV_BUILTIN(F_MpGridPath) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(1))) return;
  SetBool(result, Motion_Grid_Path(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Bool(6)));
}

KV_BUILTIN(F_MpGridDraw) {
  BuiltinArgs a(argc, args);
  Motion_Grid_Draw(a.Int(0));
}
