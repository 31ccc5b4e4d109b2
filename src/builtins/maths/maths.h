// Script maths built-ins: type tests, the script random generator, rounding,
// powers and logarithms, trigonometry, aggregates, interpolation and plane
// geometry in screen convention (degrees, counter-clockwise, y down).
// Games compare these results exactly, so the single-precision steps and the
// snapping of almost-whole and almost-zero results are part of each answer.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"

// pi as a single-precision value, the one every degree conversion uses.
constexpr double kSinglePi = 3.1415927410125732;

// Type tests and the random generator.
KV_BUILTIN(F_IsReal);
KV_BUILTIN(F_IsString);
KV_BUILTIN(F_Random);
KV_BUILTIN(F_RandomRange);
KV_BUILTIN(F_IRandom);
KV_BUILTIN(F_IRandomRange);
KV_BUILTIN(F_RandomSetSeed);
KV_BUILTIN(F_RandomGetSeed);
KV_BUILTIN(F_Randomize);
KV_BUILTIN(F_Choose);

// Rounding, powers and logarithms.
KV_BUILTIN(F_Abs);
KV_BUILTIN(F_Round);
KV_BUILTIN(F_Floor);
KV_BUILTIN(F_Ceil);
KV_BUILTIN(F_Sign);
KV_BUILTIN(F_Frac);
KV_BUILTIN(F_Sqrt);
KV_BUILTIN(F_Sqr);
KV_BUILTIN(F_Exp);
KV_BUILTIN(F_Ln);
KV_BUILTIN(F_Log2);
KV_BUILTIN(F_Log10);
KV_BUILTIN(F_Power);
KV_BUILTIN(F_LogN);

// Aggregates and interpolation.
KV_BUILTIN(F_Min);
KV_BUILTIN(F_Max);
KV_BUILTIN(F_Min3);
KV_BUILTIN(F_Max3);
KV_BUILTIN(F_Mean);
KV_BUILTIN(F_Median);
KV_BUILTIN(F_Clamp);
KV_BUILTIN(F_Lerp);

// Trigonometry and degree conversion.
KV_BUILTIN(F_Sin);
KV_BUILTIN(F_Cos);
KV_BUILTIN(F_Tan);
KV_BUILTIN(F_ArcSin);
KV_BUILTIN(F_ArcCos);
KV_BUILTIN(F_ArcTan);
KV_BUILTIN(F_ArcTan2);
KV_BUILTIN(F_DegToRad);
KV_BUILTIN(F_RadToDeg);

// Plane and space geometry.
KV_BUILTIN(F_PointDistance);
KV_BUILTIN(F_PointDistance3D);
KV_BUILTIN(F_PointDirection);
KV_BUILTIN(F_LengthDirX);
KV_BUILTIN(F_LengthDirY);
KV_BUILTIN(F_DotProduct);
KV_BUILTIN(F_DotProduct3D);
KV_BUILTIN(F_DotProductNormalised);
KV_BUILTIN(F_DotProduct3DNormalised);

// A real rounded to single precision and back. Values beyond the float range
// become infinities, as the hardware conversion gives.
inline double Maths_Single(double x) { return static_cast<float>(x); }
