// Motion planning: the straight-line and potential-field planners and the
// grids with their path search.
#include "builtins/motion/handlers.h"
#include "resources/path.h"
#include "world/actions/world_actions.h"
#include "world/planning/motion_planning.h"

using game::SetBool;

namespace {

// Path-filling planners refuse a path that does not exist, before planning.
bool PathExists(int32_t path) {
  if (Path_Exists(path)) return true;
  Builtin_Error("Trying to assign to a non-existing path.");
  return false;
}

}  // namespace

void F_MpLinearStep(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetBool(result,
          Motion_Linear_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), kInstanceAll, a.Bool(3)));
}

void F_MpLinearStepObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetBool(result, Motion_Linear_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), a.Int(3), true));
}

void F_MpLinearPath(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result, Motion_Linear_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3),
                                     kInstanceAll, a.Bool(4)));
}

void F_MpLinearPathObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result,
          Motion_Linear_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3), a.Int(4), true));
}

void F_MpPotentialSettings(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Potential_Settings(game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), a.Bool(3));
}

void F_MpPotentialStep(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetBool(result, Motion_Potential_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), kInstanceAll,
                                        a.Bool(3)));
}

void F_MpPotentialStepObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetBool(result, Motion_Potential_Step(self, game::Float(a, 0), game::Float(a, 1), game::Float(a, 2), a.Int(3), true));
}

void F_MpPotentialPath(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result, Motion_Potential_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3),
                                        game::Float(a, 4), kInstanceAll, a.Bool(5)));
}

void F_MpPotentialPathObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(0))) return;
  SetBool(result, Motion_Potential_Path(self, a.Int(0), game::Float(a, 1), game::Float(a, 2), game::Float(a, 3),
                                        game::Float(a, 4), a.Int(5), true));
}

void F_MpGridCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Motion_Grid_Create(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5)));
}

void F_MpGridDestroy(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_Destroy(a.Int(0));
}

void F_MpGridClearAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_ClearAll(a.Int(0));
}

void F_MpGridClearCell(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_ClearCell(a.Int(0), a.Int(1), a.Int(2));
}

void F_MpGridClearRectangle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_ClearRectangle(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
}

void F_MpGridAddCell(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_AddCell(a.Int(0), a.Int(1), a.Int(2));
}

void F_MpGridAddRectangle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_AddRectangle(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
}

// Self and other become their ids; the grid walks every other selector.
void F_MpGridAddInstances(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_AddInstances(a.Int(0), game::SelfOrOther(a.Int(1), self, other), a.Bool(2));
}

void F_MpGridPath(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!PathExists(a.Int(1))) return;
  SetBool(result, Motion_Grid_Path(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Bool(6)));
}

void F_MpGridDraw(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Motion_Grid_Draw(a.Int(0));
}
