// One row of a built-in family's table: the name scripts call, the handler
// and the argument count the compiler holds every call to.
#pragma once

#include <cstdint>

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
  BuiltinMode mode = BuiltinMode::kAlways;
};
