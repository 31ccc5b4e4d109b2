// The player's entry point.
#include <clocale>
#include <cstdio>

#include "builtins/files/files.h"
#include "builtins/misc/platform_misc.h"
#include "builtins/platform/handlers.h"
#include "builtins/registration.h"
#include "debugger/debug_form.h"
#include "gamefile/code_chunks.h"
#include "physics/physics_table.h"
#include "platform/device_window.h"
#include "runtime/globals.h"
#include "script/compiler/constants.h"
#include "shell/window.h"
#include "world/save/highscores.h"
#include "world/services/platform_services.h"
#include "world/start/runner.h"

namespace {

uint32_t NativeWindow() { return DeviceWindow_NativeHandle(DeviceWindow_Current()); }
// The application title is only shown: window_get_caption keeps answering
// the caption.
void SetTitle(const char* title) { Win_SetTitle(title); }

// Runs once the game's header has named the save folder. Only the player
// reads the highscore table; mkgame registers the built-ins without it.
// The platform services start with the built-ins, once the save folder that
// holds their cache is known.
void RegisterForPlayer() {
  Score_Load();
  Builtins_RegisterAll();
  Services_Start();
}

// window_handle and set_application_title reach the main window.
void InstallWindowHooks() {
  ApplicationWindowHooks hooks;
  hooks.handle = NativeWindow;
  hooks.setTitle = SetTitle;
  Application_InstallWindowHooks(hooks);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  Globals_Init();
  PhysicsTable_Init();
  GameFile_SetBuiltinRegistration(RegisterForPlayer);
  Code_Constant_SetPlatformHook(PlatformBuiltins_AddConstants);
  PlatformServices_SetHooks(PlatformServices_Real());
  Runner_SetFileRelease(FileBuiltins_Release);
  InstallWindowHooks();
  Debugger_Install();
  return Runner_Main(argc, argv);
}
