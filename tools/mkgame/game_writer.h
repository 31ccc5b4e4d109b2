// Writes a described game as a game file.
#pragma once

#include <cstdint>
#include <vector>

#include "mkgame/bytecode_compile.h"
#include "mkgame/game_model.h"

namespace mkgame {

// With compiled code (not null) every code place holds a code index and the
// CODE, VARI and FUNC chunks follow the objects; otherwise code is text.
std::vector<uint8_t> GameWriter_Write(const Game& game, const CompiledGame* compiled = nullptr);

}  // namespace mkgame
