// Making, copying, changing and destroying instances.
#include "builtins/motion/handlers.h"
#include "script/event.h"
#include "script/event_perform.h"
#include "world/room.h"
#include "world/room_change.h"
#include "world/world_actions.h"

KV_BUILTIN(F_InstanceCreate) {
  Result_SetReal(result, -1);
  BuiltinArgs a(argc, args);
  if (a.IsString(0) || a.IsString(1) || a.IsString(2)) {
    Builtin_Error("instance_create( ) error: Illegal type");
    return;
  }
  CInstance* made = Run_CreateInstance(a.Int(2), game::Float(a, 0), game::Float(a, 1));
  if (made != nullptr) Result_SetReal(result, made->id);
}

// The copy takes every field of the caller but keeps its own id, and takes
// its place in the room by the depth it was given.
KV_BUILTIN(F_InstanceCopy) {
  if (self == nullptr || g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  CInstance* copy = g_currentRoom->AddInstance(self->x, self->y, self->object_index);
  const int32_t id = copy->id;
  copy->Assign(*self, true);
  copy->id = id;
  InstanceList_Unlink(&g_currentRoom->active, copy);
  InstanceList_InsertByDepth(&g_currentRoom->active, copy);
  if (a.Bool(0)) {
    Perform_Event_Instance(copy, copy, kEventCreate, 0);
    copy->created = 1;
  }
  Result_SetReal(result, id);
}

KV_BUILTIN(F_InstanceChange) {
  BuiltinArgs a(argc, args);
  Run_ChangeInstance(self, a.Int(0), a.Bool(1));
}

KV_BUILTIN(F_InstanceDestroy) { Run_DestroyInstance(self); }

KV_BUILTIN(F_InstanceSprite) {
  BuiltinArgs a(argc, args);
  Run_SetSprite(self, a.Int(0));
}

KV_BUILTIN(F_PositionDestroy) {
  BuiltinArgs a(argc, args);
  Run_PositionDestroy(game::Float(a, 0), game::Float(a, 1));
}

KV_BUILTIN(F_PositionChange) {
  BuiltinArgs a(argc, args);
  Run_PositionChange(game::Float(a, 0), game::Float(a, 1), a.Int(2), a.Bool(3));
}
