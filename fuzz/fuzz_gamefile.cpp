// The game-file reader on arbitrary bytes: the header pre-pass and the
// chunk walk must refuse damaged files without crashing or reading outside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_support.h"
#include "gamefile/chunk_walk.h"
#include "gamefile/code_chunks.h"
#include "resources/background.h"
#include "resources/font.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "resources/texture_pages.h"
#include "resources/timeline.h"
#include "runtime/game_image.h"
#include "runtime/globals.h"
#include "runtime/runtime_error.h"
#include "script/compiler/function_registry.h"
#include "script/events/error_report.h"
#include "script/events/script.h"
#include "world/object/object.h"
#include "world/room/room_store.h"

namespace {

// An unknown name ends the player; here the load simply fails.
void IgnoreUnresolved(const char*) {}

// The player registers its built-ins when the header is read: a file that
// would have them registered twice is a fault.
int g_registrations = 0;
void CountRegistration() {
  if (++g_registrations > 1) std::abort();
}

// The stores keep the last file's resources; free every one of them before
// the leak check, which runs after the stores' own arrays are gone.
void FreeStores() {
  Room_Shutdown();
  Object_Shutdown();
  TimeLine_Shutdown();
  Sprite_Shutdown();
  Background_Shutdown();
  Path_Shutdown();
  Font_Shutdown();
  TexturePage_Clear();
  Script_Clear();
  Function_Free();
}

bool Setup() {
  Globals_Init();
  Fuzz_SilenceConsoles();
  GameFile_SetUnresolvedNameHandler(IgnoreUnresolved);
  GameFile_SetBuiltinRegistration(CountRegistration);
  ObjectChunk_Install();
  Room_Init();
  // Rooms refuse physics settings as runtime errors, as in the player.
  RuntimeError_SetReporter(Error_Show);
  std::atexit(FreeStores);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = Setup();
  (void)ready;
  g_gameData.Assign(std::vector<uint8_t>(data, data + size));
  g_registrations = 0;
  if (LoadGameHeader(g_gameData)) LoadGameChunks(g_gameData);
  return 0;
}
