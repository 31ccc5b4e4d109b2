// The names of the game file's sounds, by sound number, so that scripts can
// name sounds whichever sound system plays them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/game_image.h"

// Takes the names of the sound records just read (an absent sound has none).
void Sound_SetNames(std::vector<std::optional<std::string>> names);
// The SOND chunk read for its names alone, while the legacy store is not
// built; a damaged chunk fails the load.
bool Sound_Load(const GameImage& image, uint64_t data, uint32_t size);
// Empties the store (before a game file is read, and at the end).
void Sound_FreeAll();

int32_t Sound_Count();
bool Sound_Exists(int32_t index);
// The first present sound with exactly this name; -1 when there is none.
int32_t Sound_Find(const char* name);
