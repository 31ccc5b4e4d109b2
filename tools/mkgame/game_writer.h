// Writes a described game as a game file.
#pragma once

#include <cstdint>
#include <vector>

#include "mkgame/game_model.h"

namespace mkgame {

std::vector<uint8_t> GameWriter_Write(const Game& game);

}  // namespace mkgame
