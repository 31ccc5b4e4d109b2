// The player's entry point.
#include <clocale>
#include <csignal>
#include <cstdio>
#include <new>

#include "builtins/files/files.h"
#include "builtins/platform/handlers.h"
#include "builtins/registration.h"
#include "debugger/debug_form.h"
#include "gamefile/code_chunks.h"
#include "physics/physics_table.h"
#include "platform/crash_signals.h"
#include "runtime/fatal.h"
#include "runtime/globals.h"
#include "world/save/highscores.h"
#include "world/services/platform_services.h"
#include "world/start/runner.h"

namespace {

// Runs once the game's header has named the save folder. Only the player
// reads the highscore table, and writes it back at any end but a signal;
// mkgame registers the built-ins without it.
// The platform services start with the built-ins, once the save folder that
// holds their cache is known.
void RegisterForPlayer() {
  Score_Load();
  Runner_WriteAtAnyExit();
  Builtins_RegisterAll();
  Services_Start();
}

void InstallBuiltinRegistration() { GameFile_SetBuiltinRegistration(RegisterForPlayer); }
void InstallFileRelease() { Runner_SetFileRelease(FileBuiltins_Release); }

// What lies above the world, for the wiring list (world/start/wiring.cpp)
// to install at its place: the built-ins registered once the header is
// read, the files the file built-ins leave open, and the debugger; and
// the platform family's constants.
constexpr WiringRow kAboveWorldRows[] = {InstallBuiltinRegistration, InstallFileRelease, Debugger_Install};

}  // namespace

int main(int argc, char** argv) {
  CrashSignals_Install();
  // A write past the file-size limit fails as any failed write does (one
  // line, the earlier file kept), and a console that nobody reads any more
  // is no reason to stop: its lines are dropped.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  std::setlocale(LC_ALL, "C");
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  // Memory the library's allocation cannot have ends the run as the
  // memory manager's does, never by an abort.
  std::set_new_handler([] { Fatal_OutOfMemory(0); });
  Globals_Init();
  PhysicsTable_Init();
  return Runner_Main(argc, argv, AboveWorld{kAboveWorldRows, PlatformBuiltins_AddConstants});
}
