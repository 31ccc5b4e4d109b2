// Handles 1 to 31 of the binary and the text tables; 0 is never handed out.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"

constexpr int32_t kFileSlots = 32;

// The handle argument rounded to the nearest integer; 0 (no handle) when it
// lies outside 1 to 31 or is not a number.
int32_t FileSlot_Handle(const BuiltinArgs& args, int32_t index);

// The lowest free handle by the test given, or 0 after reporting that every
// handle is taken.
template <typename IsFree>
int32_t FileSlot_Lowest(IsFree isFree) {
  for (int32_t handle = 1; handle < kFileSlots; ++handle) {
    if (isFree(handle)) return handle;
  }
  Builtin_Error("Cannot open another file (maximum exceeded).");
  return 0;
}
