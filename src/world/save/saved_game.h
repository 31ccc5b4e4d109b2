// Saved games: the whole running world in one file (the run values, the
// global scope, every runtime room with its instances and tiles, the id
// counters). Saving writes at once; loading is staged: the whole file is
// read and checked first, and only a file that reads cleanly replaces the
// world, so a refused file changes nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "script/variables/variable_registry.h"
#include "world/room/room_saved.h"

class CStream;

// A saved game read in full, not yet in force.
struct SavedGame {
  int32_t roomIndex = -1;
  int32_t score = 0;
  int32_t lives = 0;
  double health = 0.0;
  int32_t cursorSprite = -1;
  int32_t stepCount = 0;
  uint8_t automaticDraw = 0;
  GlobalScopeStage globals;
  std::vector<std::unique_ptr<SavedRoom>> rooms;  // null where the slot was empty
  int32_t lastInstanceId = 0;
  int32_t lastTileId = 0;
};

inline constexpr int32_t kSavedGameVersion = 540;

// The texts of the two refusals a player can meet in ordinary use.
inline constexpr const char* kSavedGameOtherVersion = "Cannot load game saved with other version.";
inline constexpr const char* kSavedGameOtherGame = "This is a save file for a different game!";

void SavedGame_Write(CStream& stream);
// Null when the stream holds a saved game of this game, else the fault.
const char* SavedGame_Parse(CStream& stream, SavedGame* out);
// Puts the staged game in force; cannot fail. Empties the stage.
void SavedGame_Apply(SavedGame& game);

// Writes the world to a full path; a failed write leaves an earlier file as
// it was and says so on the console.
bool Run_SaveGame(const char* path);
// game_save: the same to name mapped onto the save folder; a name mapping
// nowhere, or behind a link leading out of the save folder, is said to lie
// outside it, and nothing is written.
bool Run_SaveGameAs(const char* name);
// Loads a full path into the world. A missing file does nothing; a refused
// one shows a non-fatal runtime error and changes nothing.
bool Run_LoadGame(const char* path);
