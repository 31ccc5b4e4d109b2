#include "world/start/runner.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/audio_chunks.h"
#include "audio/hardware_table.h"
#include "audio/sound_play.h"
#include "audio/sound_store.h"
#include "files/file_layer.h"
#include "files/files.h"
#include "files/write_stream.h"
#include "gamefile/chunk_walk.h"
#include "gamefile/code_chunks.h"
#include "gamefile/function_stores.h"
#include "gamefile/runner_load.h"
#include "graphics/particles/particles.h"
#include "graphics/transition/transition_define.h"
#include "platform/desktop_keys.h"
#include "platform/dialog_host.h"
#include "platform/http_transport.h"
#include "platform/joystick.h"
#include "platform/native_messages.h"
#include "platform/quit_signals.h"
#include "requests/http_request.h"
#include "requests/multiplayer.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/process.h"
#include "runtime/run_flags.h"
#include "runtime/timer.h"
#include "script/compiler/code_table.h"
#include "script/compiler/constants.h"
#include "script/compiler/function_registry.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/events/script.h"
#include "script/tree/interpreter_statements.h"
#include "script/variables/variable_registry.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "shell/dialogs.h"
#include "shell/file_dialog.h"
#include "shell/window.h"
#include "world/actions/world_actions.h"
#include "world/draw/room_draw.h"
#include "world/input/input.h"
#include "world/input/virtual_keys.h"
#include "world/loop/game_loop.h"
#include "world/object/event_lists.h"
#include "world/object/object.h"
#include "world/planning/motion_planning.h"
#include "world/room/room_change.h"
#include "world/run/debugger_seam.h"
#include "world/run/run_state.h"
#include "world/save/highscores.h"
#include "world/services/platform_services.h"
#include "world/start/command_line.h"
#include "world/start/game_stores.h"
#include "world/start/prepare_game.h"
#include "world/start/service_list.h"
#include "world/start/startup_graphics.h"
#include "world/start/startup_services.h"
#include "world/start/wiring.h"
#include "world/start/world_hooks.h"
#include "world/variables/builtin_variables.h"

namespace {

ShutdownStep g_fileRelease = nullptr;
// Set once the shutdown has begun: it makes the end-of-run writes itself.
bool g_shutdownBegun = false;

// An end through exit that passes the shutdown by (a machine error, a start
// that cannot go on) still makes the shutdown's writes: the posts waiting
// to be sent, the highscore table, then the files the file built-ins hold
// open, the INI file among them.
void EndWritesAtExit() {
  if (g_shutdownBegun) return;
  g_shutdownBegun = true;
  Services_Shutdown();
  Score_Save();
  if (g_fileRelease != nullptr) g_fileRelease();
}

// The game named on the command line or found beside the program; with
// neither, the open-file dialog asks for one. False when none was chosen.
bool ChooseGame(std::string* path) {
  *path = g_gameFileName;
  if (!path->empty()) return true;
  return Win_GetOpenFileName("All Files (*.*)|*.*", nullptr, nullptr, nullptr, path);
}

}  // namespace

bool Runner_QuitSignalled() { return QuitSignals_Received(); }

// The step's input taken once a step has read it, then the window's
// messages; a quit message, Alt+F4 or a quit signal ends the run after this
// frame.
void Runner_PumpMessages() {
  static int32_t stepsSeen = -1;
  if (IO_StepCount() != stepsSeen) {
    stepsSeen = IO_StepCount();
    Win_InputTaken();
  }
  if (Win_PumpMessages() || Native_TakeStopRequest() || QuitSignals_Received()) g_running = 0;
}

namespace {

// A compiled game carries no source for the tree interpreter, and -oldexec
// turns off the machine its code needs: the game still plays, but none of
// its code runs, which must not pass in silence.
void ReportCodeTheTreeCannotRun() {
  if (g_hasBytecode && !g_runFlags.useBytecode) {
    g_debugConsole->Output(
        "This game holds compiled code only, which -oldexec cannot run: none of its code will run.\n");
  }
}

void InitSystems(const AboveWorld& above) {
  Wiring_Install(above);
  ServiceList_ReportStandIns();
  Particle_Init();
  Code_Constant_Init();
  Run_ResetState();
  Variable_BuiltIn_Init();
  QuitSignals_Install();
  char* base = File_DefaultTempBase();
  File_RemoveLeftoverTempDirectories(base);
  File_MakeTempDirectory(base);
  MemoryManager::Free(base);
  char* temporary = File_GetTempDirectory();
  LoadSave_SetTemporaryDirectory(temporary);
  MemoryManager::Free(temporary);
  Score_Clear();
  Runner_ProcessMessages();
}

}  // namespace

bool Runner_PrepareAndRun() {
  std::srand(2101988);
  if (!LoadGameData()) {
    g_debugConsole->Output("Failed to load the game\n");
    return false;
  }
  // The game has named its save folder by now.
  LoadSave_CheckSaveFolder();
  Variable_Global_Init();
  g_debugConsole->Output("PrepareGame()\n");
  if (!PrepareGame()) return false;
  g_debugConsole->Output("Run_Start\n");
  return Run_Start();
}

bool Runner_Start() {
  // No game chosen: the start fails (status 1) after the shutdown has run.
  std::string path;
  if (!ChooseGame(&path) || !RunnerLoadGame(path.c_str())) return false;
  g_debugConsole->Output("Get Resolution\n");
  if (!LoadGameHeader(g_gameData)) {
    g_debugConsole->Output("Failed to load the game\n");
    return false;
  }
  DebugInfo_Attach();
  ReportCodeTheTreeCannotRun();
  g_debugConsole->Output("Create Window\n");
  StartupServices_CreateWindow();
  g_debugConsole->Output("Init Graphics\n");
  if (!StartupServices_StartGraphics()) return false;
  IO_Init();
  Runner_ProcessMessages();
  StartupServices_LoadingFrames();
  g_debugConsole->Output("Create Score Form\n");
  g_debugConsole->Output("Create Load Form\n");
  g_debugConsole->Output("Create Error Form\n");
  Error_CreateForm();
  return Runner_PrepareAndRun();
}

void Runner_WriteAtAnyExit() { WriteStream_BeforeCloseAtExit(EndWritesAtExit); }

void Runner_Shutdown() {
  g_shutdownBegun = true;
  // Posts still waiting are written before anything they name goes.
  Services_Shutdown();
  // Requests never delivered still hold their buffers and their callers'
  // arguments; the dialogs still queued are among them.
  InputQuery_Forget();
  HTTP_FreeAll();
  HttpTransport_Close();
  Score_Save();
  Motion_Grid_DestroyAll();
  GR_Transition_Shutdown();
  VM_Shutdown();
  Code_Constant_Free();
  Object_FreeEventLists();
  RoomChange_Shutdown();
  GameStores_Free();
  Sound_FreeAll();
  Sound_End();
  DPlay_Free();
  Function_Free();
  Variable_Free();
  RunState_Reset();
  Particle_Shutdown();
  File_DeleteTempDirectory();
  StartupGraphics_Shutdown();
  Library_FreeInitCode();
  if (g_fileRelease != nullptr) g_fileRelease();
  std::fflush(stdout);
}

void Runner_SetFileRelease(ShutdownStep release) { g_fileRelease = release; }

int Runner_Main(int argc, const char* const* argv, const AboveWorld& above) {
  Runner_SetCommandLine(Runner_JoinArguments(argc, argv));
  std::string besideProgram = Runner_DataWinBesideProgram();
  if (!besideProgram.empty()) {
    g_gameFileName = besideProgram;
    Runner_ParseOptions(nullptr);
  } else {
    Runner_ParseOptions(g_commandLine);
  }
  InitSystems(above);
  bool started = Runner_Start();
  while (g_running == 1) {
    Run_Frame();
    Runner_PumpMessages();
    Debugger_BetweenFrames();
  }
  if (g_running == 0) Run_EndGame();
  IO_Free();
  Joystick_Shutdown();
  DesktopKeys_Shutdown();
  Sound_StopAll();
  Runner_Shutdown();
  return started ? 0 : 1;
}
