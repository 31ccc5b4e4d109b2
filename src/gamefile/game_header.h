// The game header chunk ("GEN8", older "GEN7"/"GENL"): names, ids, window
// size and flags, and the room order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/game_image.h"

struct GameHeader {
  uint32_t flags = 0;  // bit 0 clear: debug mode
  const char* displayName = nullptr;
  const char* configName = nullptr;
  int32_t lastInstanceId = 0;
  int32_t lastTileId = 0;
  uint64_t carried[2] = {0, 0};  // kept, not interpreted
  // An old header with no first room to size the window by; the reading
  // has said so on the console.
  bool sizeless = false;
};

// Window flag bits of the header.
constexpr uint32_t kWindowPopup = 0x1;
constexpr uint32_t kWindowArrowCursor = 0x20;
constexpr uint32_t kWindowResizable = 0x40;

extern GameHeader g_gameHeader;
extern int32_t g_formatVersion;
extern int32_t g_gameId;
extern int32_t g_windowWidth;
extern int32_t g_windowHeight;
extern uint32_t g_windowFlags;
extern std::string g_gameName;
extern std::vector<int32_t> g_roomOrder;
// 800 after the header pre-pass; 700 once an old header chunk is met.
extern int32_t g_formatGeneration;

// The pre-pass reading of a header chunk: names and window. The game name
// (format 8 and later) names the save folder. False when the chunk is
// damaged (the reason is on the console).
bool GameHeader_ReadNames(const GameImage& image, uint64_t data, uint32_t size);
// A header of format 7 or older holds no window size: the window takes the
// size of the first room of the header's room order, read from the ROOM
// chunk (`rooms` 0 when the file has none). Nothing for later formats.
// Without such a room the size stays 0 x 0, which the graphics start
// refuses; the reason is on the console, said once, and `sizeless` is set.
void GameHeader_SizeByFirstRoom(const GameImage& image, uint64_t header, uint32_t headerSize, uint64_t rooms,
                                uint32_t roomsSize);
// The chunk walk's reading: ids, window again, the room order.
bool GEN8_Load(const GameImage& image, uint64_t data, uint32_t size);
void GameHeader_Reset();
