// The debug-information file written beside a compiled game: the source
// text of every code entry and the pairs that tie its bytecode offsets to
// positions in that text, so that the player's machine errors name lines.
#pragma once

#include <cstdint>
#include <vector>

#include "mkgame/bytecode_compile.h"

namespace mkgame {

// A FORM file of three chunks: STRG (the source texts), DBGI (per code
// entry {u32 n; n pairs of u32 offset, u32 position}) and SCPT (per code
// entry {u32 offset of its source text}), both tables in code-entry order.
std::vector<uint8_t> DebugFile_Write(const CompiledGame& compiled);

}  // namespace mkgame
