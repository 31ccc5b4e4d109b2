#include "mkgame/player_stores.h"

#include <cstdarg>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "audio/audio_chunks.h"
#include "gamefile/chunk_walk.h"
#include "mkgame/game_writer.h"
#include "resources/texture_pages.h"
#include "runtime/console.h"
#include "runtime/game_image.h"
#include "runtime/runtime_error.h"
#include "script/events/error_report.h"
#include "world/object/object.h"
#include "world/room/room_store.h"
#include "world/start/game_stores.h"

namespace mkgame {

namespace {

// Keeps the player's console lines off mkgame's output; the last one is the
// reason when the walk fails.
class KeepLastLine final : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char* format, ...) override __attribute__((format(printf, 2, 3))) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    last = line;
    while (!last.empty() && last.back() == '\n') last.pop_back();
  }
  std::string last;
};

int32_t NoTexture(const uint8_t*, uint64_t) { return -1; }

}  // namespace

void PlayerStores_Load(const Game& game) {
  g_gameData.Assign(GameWriter_Write(game));
  TexturePage_SetTextureCreator(NoTexture);
  ObjectChunk_Install();
  Room_Init();
  // A room whose physics settings are refused reports it as the player does.
  RuntimeError_SetReporter(Error_Show);
  AudioChunks_Install();
  KeepLastLine console;
  tagIConsole* before = g_debugConsole;
  g_debugConsole = &console;
  bool read = LoadGameChunks(g_gameData);
  g_debugConsole = before;
  if (!read) throw std::logic_error("the player cannot read the written game: " + console.last);
}

void PlayerStores_Free() { GameStores_Free(); }

}  // namespace mkgame
