// The compiled-code chunks: CODE (one entry per piece of code), then VARI
// and FUNC, whose records chain every operand that names a variable or a
// function so that the loader can write the player's ids in place.
#pragma once

#include "mkgame/bytecode_compile.h"
#include "mkgame/file_builder.h"

namespace mkgame {

void CodeChunks_Write(FileBuilder& out, const CompiledGame& compiled);

}  // namespace mkgame
