// What the platform handlers share: their error texts and the argument-count
// check of the names that take any number of arguments.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"

inline constexpr const char* kPlatformBadCount = "Illegal argument count";
inline constexpr const char* kPlatformBadType = "Illegal argument type";

// True when the first `count` arguments are all strings (kText) or all
// reals; else the type error.
template <bool kText>
bool Platform_AllOfKind(const BuiltinArgs& a, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    if (kText ? !a.IsString(i) : !a.IsReal(i)) {
      Builtin_Error(kPlatformBadType);
      return false;
    }
  }
  return true;
}

// True when exactly `count` arguments came; else the count error.
inline bool Platform_CountIs(int32_t argc, int32_t count) {
  if (argc == count) return true;
  Builtin_Error(kPlatformBadCount);
  return false;
}
