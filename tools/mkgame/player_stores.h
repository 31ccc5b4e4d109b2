// The player's own resource stores, filled from the described game, so that
// compiling here finds every resource name exactly where the player does.
#pragma once

#include "mkgame/game_model.h"

namespace mkgame {

// Writes the game as source text and reads it with the player's chunk walk
// (textures are not made). The stores keep the image until the process ends.
// A game the player cannot read throws std::logic_error with its reason.
void PlayerStores_Load(const Game& game);
// Frees the objects and rooms the walk made, once compiling is done with
// them, so that a run under the leak checker ends clean.
void PlayerStores_Free();

}  // namespace mkgame
