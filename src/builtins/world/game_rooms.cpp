// Room changes, the game's end, restart, saving and loading, room
// transitions and sleeping. Room changes and loads only set the pending
// room-change code; the frame acts on it after the step.
#include <cstring>
#include <vector>

#include "builtins/world/game_handlers.h"
#include "graphics/transition_define.h"
#include "runtime/console.h"
#include "runtime/numeric.h"
#include "runtime/timer.h"
#include "shell/file_layer.h"
#include "world/room_store.h"
#include "world/run_state.h"
#include "world/world_actions.h"

namespace {

void SetBool(ScriptValue* result, bool value) { Result_SetReal(result, value ? 1 : 0); }

// The one string argument the save and load functions take.
bool OneName(const BuiltinArgs& a) { return a.Count() == 1 && a.IsString(0); }

// The name mapped onto a root, in a buffer sized for the longest root and
// the whole name; empty when it maps nowhere.
std::vector<char> Mapped(const char* name, bool toSave) {
  const size_t size = std::strlen(LoadSave_GetSaveDirectory()) + std::strlen(LoadSave_GetProgramDirectory()) +
                      std::strlen(name) + 2;
  std::vector<char> out(size, '\0');
  const bool mapped = toSave ? LoadSave_MapToSaveDir(out.data(), size, name)
                             : LoadSave_MapToProgramDir(out.data(), size, name);
  if (!mapped) out.assign(1, '\0');
  return out;
}

}  // namespace

GAME_BUILTIN(F_RoomGoto) {
  BuiltinArgs a(argc, args);
  Run_RoomGoto(a.Int(0));
}

GAME_BUILTIN(F_RoomGotoPrevious) { Run_RoomGotoPrevious(); }
GAME_BUILTIN(F_RoomGotoNext) { Run_RoomGotoNext(); }

GAME_BUILTIN(F_RoomPrevious) {
  BuiltinArgs a(argc, args);
  const int32_t room = a.Int(0);
  Result_SetReal(result, Room_Exists(room) ? Room_Previous(room) : -1);
}

GAME_BUILTIN(F_RoomNext) {
  BuiltinArgs a(argc, args);
  const int32_t room = a.Int(0);
  Result_SetReal(result, Room_Exists(room) ? Room_Next(room) : -1);
}

GAME_BUILTIN(F_RoomRestart) { Run_RoomRestart(); }
GAME_BUILTIN(F_GameEnd) { Run_GameEnd(); }
GAME_BUILTIN(F_GameRestart) { Run_GameRestart(); }

// The save folder first, then the program folder. A found file becomes the
// pending load, carried out at the end of the frame.
GAME_BUILTIN(F_GameLoad) {
  Result_SetReal(result, -1);
  BuiltinArgs a(argc, args);
  if (!OneName(a)) return;
  const char* name = a.Text(0);
  std::vector<char> path;
  if (LoadSave_SaveFileExists(name)) {
    path = Mapped(name, true);
  } else if (LoadSave_ProgramFileExists(name)) {
    path = Mapped(name, false);
  } else {
    g_debugConsole->Output("game_load - unable to find file %s\n", name);
    Result_SetReal(result, 0);
    return;
  }
  Result_SetReal(result, 1);
  g_runValues.loadFileName = path.data();
  g_newRoom = kRoomChangeLoadGame;
}

// The answer is -1 whatever happens; there is no saved-game writer yet, so
// nothing is written.
GAME_BUILTIN(F_GameSave) { Result_SetReal(result, -1); }

GAME_BUILTIN(F_TransitionDefine) {
  BuiltinArgs a(argc, args);
  SetBool(result, GR_Transition_Define(a.Int(0), a.Text(1)));
}

GAME_BUILTIN(F_TransitionExists) {
  BuiltinArgs a(argc, args);
  SetBool(result, TransFunctionExists(a.Int(0)));
}

GAME_BUILTIN(F_Sleep) {
  BuiltinArgs a(argc, args);
  Timer_WaitMicroseconds(Num_RoundInt64(a.Real(0) * 1000.0));
}
