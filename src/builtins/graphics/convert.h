// How the graphics built-ins turn script reals into what the drawing core
// takes. Every conversion has a defined answer for NaN, infinities and
// values out of range: reals too large for a float become infinities, and
// integers saturate as Num_RoundInt32 and Num_TruncInt32 say.
#pragma once

#include <cmath>
#include <cstdint>

#include "builtins/builtin_args.h"
#include "runtime/numeric.h"

namespace gfx {

// Coordinates, sizes, scales, angles and alphas.
inline float Float(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }
// Colours: rounded from the float form.
inline uint32_t Colour(const BuiltinArgs& a, int32_t i) { return static_cast<uint32_t>(Num_RoundInt32(Float(a, i))); }
// Integers that the core takes rounded from the float form.
inline int32_t RoundedFloat(const BuiltinArgs& a, int32_t i) { return Num_RoundInt32(Float(a, i)); }
// Flags: true at 0.5 or more, tested on the float.
inline bool Flag(const BuiltinArgs& a, int32_t i) { return Float(a, i) >= 0.5f; }
inline int32_t FlagInt(const BuiltinArgs& a, int32_t i) { return Flag(a, i) ? 1 : 0; }
// Frame arguments: floored after narrowing.
inline int32_t FlooredFloat(const BuiltinArgs& a, int32_t i) { return Num_TruncInt32(std::floor(Float(a, i))); }
inline int32_t Floored(float value) { return Num_TruncInt32(std::floor(value)); }

}  // namespace gfx
