// What the action handlers share: the relative flag, which adds the
// caller's current value to an argument before the action converts it.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"
#include "runtime/numeric.h"
#include "script/events/event_code_seam.h"
#include "world/instance/instance.h"

namespace actions {

inline bool Relative() { return EventCode_Get().relative(); }

// The argument, plus `current` when the relative flag is set.
inline double Plus(const BuiltinArgs& a, int32_t i, double current) {
  return Relative() ? a.Real(i) + current : a.Real(i);
}
inline float PlusFloat(const BuiltinArgs& a, int32_t i, double current) { return NarrowToFloat(Plus(a, i, current)); }
inline float Float(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }

// A point of the arguments i and i + 1, moved by self's position when
// relative (and there is a self).
struct Point {
  float x, y;
};
inline Point At(const BuiltinArgs& a, int32_t i, const CInstance* self) {
  if (self == nullptr) return {Float(a, i), Float(a, i + 1)};
  return {PlusFloat(a, i, self->x), PlusFloat(a, i + 1, self->y)};
}

inline void SetBool(ScriptValue* result, bool value) { Result_SetReal(result, value ? 1.0 : 0.0); }

}  // namespace actions
