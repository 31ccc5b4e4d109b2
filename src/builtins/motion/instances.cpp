// Making, copying, changing and destroying instances.
#include "builtins/motion/handlers.h"
#include "world/actions/world_actions.h"

void F_InstanceCreate(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1);
  BuiltinArgs a(argc, args);
  if (a.IsString(0) || a.IsString(1) || a.IsString(2)) {
    Builtin_Error("instance_create( ) error: Illegal type");
    return;
  }
  CInstance* made = Run_CreateInstance(a.Int(2), game::Float(a, 0), game::Float(a, 1));
  if (made != nullptr) Result_SetReal(result, made->id);
}

void F_InstanceCopy(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CInstance* copy = Run_CopyInstance(self, a.Bool(0))) Result_SetReal(result, copy->id);
}

void F_InstanceChange(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_ChangeInstance(self, a.Int(0), a.Bool(1));
}

void F_InstanceDestroy(KV_BUILTIN_PARAMS) { Run_DestroyInstance(self); }

void F_InstanceSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_SetSprite(self, a.Int(0));
}

void F_PositionDestroy(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_PositionDestroy(game::Float(a, 0), game::Float(a, 1));
}

void F_PositionChange(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_PositionChange(game::Float(a, 0), game::Float(a, 1), a.Int(2), a.Bool(3));
}
