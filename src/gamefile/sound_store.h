// The sound store as far as the player has one: the names of the game
// file's sound records, by sound number, so that scripts can name sounds.
// Playing them belongs to the audio layer.
#pragma once

#include <cstdint>

#include "runtime/game_image.h"

// The SOND chunk: a table of record offsets (0 for an absent sound); each
// record starts with its name. A record running past the file fails the load.
bool Sound_Load(const GameImage& image, uint64_t data, uint32_t size);
// Empties the store (before a game file is read, and at the end).
void Sound_FreeAll();

int32_t Sound_Count();
bool Sound_Exists(int32_t index);
// The first present sound with exactly this name; -1 when there is none.
int32_t Sound_Find(const char* name);
