// One row of a built-in family's table: the name scripts call, the handler,
// the argument count the compiler holds every call to, and what the
// reference of built-in names (docs/builtins.md) says of it.
#pragma once

#include <cstdint>
#include <string>

#include "script/compiler/function_registry.h"

// The count of a built-in that takes any number of arguments.
constexpr int32_t kAnyArgumentCount = -1;

enum class BuiltinMode : uint8_t {
  kAlways,
  // Left out in store mode: the names that reach outside the game, calling
  // libraries or compiling text at run time. The rows after them then take
  // lower ids.
  kNotInStoreMode,
};

struct BuiltinRow {
  const char* name;
  BuiltinFunction handler;
  int32_t argumentCount;
  // The arguments' names in order, ", " between them: "" for none, and
  // ending in "..." for any count ("value, ...").
  const char* arguments = nullptr;
  // What a call answers: its type and meaning ("real: the grid's id").
  const char* answers = nullptr;
  // What the call does, and where it differs from what one would guess.
  const char* meaning = nullptr;
  BuiltinMode mode = BuiltinMode::kAlways;
};

// What is wrong with a row's reference text: "" when nothing, else one line
// (a missing text, or argument names that disagree with the count).
std::string BuiltinRow_DocFault(const BuiltinRow& row);
