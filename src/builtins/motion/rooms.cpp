// Room changes, the game's end, restart, saving and loading, room
// transitions and sleeping. Room changes and loads only set the pending
// room-change code; the frame acts on it after the step.
#include "builtins/motion/rows.h"
#include "graphics/transition/transition_define.h"
#include "runtime/numeric.h"
#include "runtime/timer.h"
#include "script/compiler/function_registry.h"
#include "world/actions/world_actions.h"
#include "world/room/room_store.h"

using game::SetBool;

void F_RoomGoto(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_RoomGoto(a.Int(0));
}

void F_RoomGotoPrevious(KV_BUILTIN_PARAMS) { Run_RoomGotoPrevious(); }
void F_RoomGotoNext(KV_BUILTIN_PARAMS) { Run_RoomGotoNext(); }

void F_RoomPrevious(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t room = a.Int(0);
  Result_SetReal(result, Room_Exists(room) ? Room_Previous(room) : -1);
}

void F_RoomNext(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t room = a.Int(0);
  Result_SetReal(result, Room_Exists(room) ? Room_Next(room) : -1);
}

void F_RoomRestart(KV_BUILTIN_PARAMS) { Run_RoomRestart(); }
void F_GameEnd(KV_BUILTIN_PARAMS) { Run_GameEnd(); }
void F_GameRestart(KV_BUILTIN_PARAMS) { Run_GameRestart(); }

// -1 unless the one argument is a string.
void F_GameLoad(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Count() != 1 || !a.IsString(0)) return Result_SetReal(result, -1);
  Result_SetReal(result, Run_GameLoad(a.Text(0)) ? 1 : 0);
}

// The answer is -1 whatever happens, written or not.
void F_GameSave(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1);
  if (a.Count() == 1 && a.IsString(0)) Run_GameSave(a.Text(0));
}

void MotionBuiltins_Prepare() { GR_Transition_SetFinder(Function_Find); }

void F_TransitionDefine(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetBool(result, GR_Transition_Define(a.Int(0), a.Text(1)));
}

void F_TransitionExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetBool(result, TransFunctionExists(a.Int(0)));
}

void F_Sleep(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Timer_WaitMicroseconds(Num_RoundInt64(a.Real(0) * 1000.0));
}
