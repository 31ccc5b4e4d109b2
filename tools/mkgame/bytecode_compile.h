// Compiled code for a described game, made by the player's own compiler and
// bytecode generator, with every reference the game file must carry by name
// instead of by this process's numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mkgame/game_model.h"

namespace mkgame {

// One operand the file writer fills in: a variable or function reference
// (chained through VARI/FUNC, resolved by name when the file is loaded) or a
// string constant (its index in the string table).
struct CodeReference {
  enum Kind : uint8_t { kVariable, kFunction, kString };
  Kind kind = kVariable;
  uint32_t at = 0;   // byte offset of the instruction word in its entry
  std::string name;  // the variable or function name, or the string's text
};

struct CompiledCode {
  std::string name;  // the compile name, as the player would give it
  std::vector<uint8_t> bytes;
  std::vector<CodeReference> references;  // in instruction order
  std::string source;                     // the text compiled
  std::vector<uint8_t> pairs;             // u32 (code offset, source position) pairs
};

// Code indices, -1 where a place has no code.
struct CompiledGame {
  std::vector<CompiledCode> entries;
  std::vector<int32_t> scripts;
  std::vector<std::vector<int32_t>> events;   // per object, parallel to Object::events
  std::vector<std::vector<int32_t>> moments;  // per time line, parallel to its moments
  std::vector<int32_t> rooms;
  std::vector<std::vector<int32_t>> instances;  // per room, parallel to its instances
};

// Compiles every piece of code of the game in the player's preparation
// order (scripts, time lines, objects, rooms). A piece that does not compile
// throws DescriptionError naming its place and the compiler's message.
CompiledGame Bytecode_Compile(const Game& game);

// Refuses, by its place, a constant whose text is not one value or one
// expression, whose name is not a name, or whose value cannot be worked out
// (see constant_check.h); both code forms ask it before anything is
// written. Without `compiling`, values from the first that calls a function
// on are left to the player.
void Constants_Check(const Game& game, bool compiling);

}  // namespace mkgame
