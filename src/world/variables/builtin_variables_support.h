// Conversions shared by the built-in variable families.
#pragma once

#include <cstdint>

#include "runtime/numeric.h"
#include "runtime/script_value.h"

namespace builtin_variables {

// The value's real rounded half to even (a string counts as its real part).
inline int32_t IntOf(const ScriptValue& v) { return Num_RoundInt32(v.real); }
// 1 when int of v is above 0.5.
inline uint8_t FlagOf(const ScriptValue& v) { return IntOf(v) > 0 ? 1 : 0; }
inline float FloatOf(const ScriptValue& v) { return static_cast<float>(v.real); }
// Indices outside 0..count-1 select element 0.
inline int32_t Element(int32_t k, int32_t count) { return k >= 0 && k < count ? k : 0; }

inline bool Real(ScriptValue* out, double value) {
  ScriptValue_SetReal(out, value);
  return true;
}
inline bool Text(ScriptValue* out, const char* text) {
  ScriptValue_SetString(out, text != nullptr ? text : "");
  return true;
}
inline bool Colour(ScriptValue* out, int32_t colour) { return Real(out, static_cast<uint32_t>(colour)); }

}  // namespace builtin_variables
