#include "builtins/world/game.h"

#include "builtins/world/game_handlers.h"
#include "graphics/transition_define.h"
#include "script/function_registry.h"

namespace {

struct GameRow {
  const char* name;
  BuiltinFunction handler;
  int32_t count;
};

// The family's table order; move_bounce_solid shares move_bounce's handler.
constexpr GameRow kGameRows[] = {
    {"move_random", F_MoveRandom, 2},
    {"place_free", F_PlaceFree, 2},
    {"place_empty", F_PlaceEmpty, 2},
    {"place_meeting", F_PlaceMeeting, 3},
    {"place_snapped", F_PlaceSnapped, 2},
    {"move_snap", F_MoveSnap, 2},
    {"move_towards_point", F_MoveTowardsPoint, 3},
    {"move_contact", F_MoveContact, 1},
    {"move_contact_solid", F_MoveContactSolid, 2},
    {"move_contact_all", F_MoveContactAll, 2},
    {"move_outside_solid", F_MoveOutsideSolid, 2},
    {"move_outside_all", F_MoveOutsideAll, 2},
    {"move_bounce", F_MoveBounce, 1},
    {"move_bounce_solid", F_MoveBounce, 1},
    {"move_bounce_all", F_MoveBounceAll, 1},
    {"move_wrap", F_MoveWrap, 3},
    {"motion_set", F_MotionSet, 2},
    {"motion_add", F_MotionAdd, 2},
    {"distance_to_point", F_DistanceToPoint, 2},
    {"distance_to_object", F_DistanceToObject, 1},
    {"path_start", F_PathStart, 4},
    {"path_end", F_PathEnd, 0},
    {"mp_linear_step", F_MpLinearStep, 4},
    {"mp_linear_step_object", F_MpLinearStepObject, 4},
    {"mp_linear_path", F_MpLinearPath, 5},
    {"mp_linear_path_object", F_MpLinearPathObject, 5},
    {"mp_potential_settings", F_MpPotentialSettings, 4},
    {"mp_potential_step", F_MpPotentialStep, 4},
    {"mp_potential_step_object", F_MpPotentialStepObject, 4},
    {"mp_potential_path", F_MpPotentialPath, 6},
    {"mp_potential_path_object", F_MpPotentialPathObject, 6},
    {"mp_grid_create", F_MpGridCreate, 6},
    {"mp_grid_destroy", F_MpGridDestroy, 1},
    {"mp_grid_clear_all", F_MpGridClearAll, 1},
    {"mp_grid_clear_cell", F_MpGridClearCell, 3},
    {"mp_grid_clear_rectangle", F_MpGridClearRectangle, 5},
    {"mp_grid_add_cell", F_MpGridAddCell, 3},
    {"mp_grid_add_rectangle", F_MpGridAddRectangle, 5},
    {"mp_grid_add_instances", F_MpGridAddInstances, 3},
    {"mp_grid_path", F_MpGridPath, 7},
    {"mp_grid_draw", F_MpGridDraw, 1},
    {"collision_point", F_CollisionPoint, 5},
    {"collision_rectangle", F_CollisionRectangle, 7},
    {"collision_ellipse", F_CollisionEllipse, 7},
    {"collision_circle", F_CollisionCircle, 6},
    {"collision_line", F_CollisionLine, 7},
    {"instance_find", F_InstanceFind, 2},
    {"instance_exists", F_InstanceExists, 1},
    {"instance_number", F_InstanceNumber, 1},
    {"instance_position", F_InstancePosition, 3},
    {"instance_nearest", F_InstanceNearest, 3},
    {"instance_furthest", F_InstanceFurthest, 3},
    {"instance_place", F_InstancePlace, 3},
    {"instance_create", F_InstanceCreate, 3},
    {"instance_copy", F_InstanceCopy, 1},
    {"instance_change", F_InstanceChange, 2},
    {"instance_destroy", F_InstanceDestroy, 0},
    {"instance_sprite", F_InstanceSprite, 1},
    {"position_empty", F_PositionEmpty, 2},
    {"position_meeting", F_PositionMeeting, 3},
    {"position_destroy", F_PositionDestroy, 2},
    {"position_change", F_PositionChange, 4},
    {"instance_deactivate_all", F_InstanceDeactivateAll, 1},
    {"instance_deactivate_object", F_InstanceDeactivateObject, 1},
    {"instance_deactivate_region", F_InstanceDeactivateRegion, 6},
    {"instance_activate_all", F_InstanceActivateAll, 0},
    {"instance_activate_object", F_InstanceActivateObject, 1},
    {"instance_activate_region", F_InstanceActivateRegion, 5},
    {"room_goto", F_RoomGoto, 1},
    {"room_goto_previous", F_RoomGotoPrevious, 0},
    {"room_goto_next", F_RoomGotoNext, 0},
    {"room_previous", F_RoomPrevious, 1},
    {"room_next", F_RoomNext, 1},
    {"room_restart", F_RoomRestart, 0},
    {"game_end", F_GameEnd, 0},
    {"game_restart", F_GameRestart, 0},
    {"game_load", F_GameLoad, 1},
    {"game_save", F_GameSave, 1},
    {"transition_define", F_TransitionDefine, 2},
    {"transition_exists", F_TransitionExists, 1},
    {"sleep", F_Sleep, 1},
};

}  // namespace

void Builtins_RegisterGame() {
  // transition_define looks scripts up by name through the registry.
  GR_Transition_SetFinder(Function_Find);
  for (const GameRow& row : kGameRows) Function_Add(row.name, row.handler, row.count);
}
