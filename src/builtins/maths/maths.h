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
void F_IsReal(KV_BUILTIN_PARAMS);
void F_IsString(KV_BUILTIN_PARAMS);
void F_Random(KV_BUILTIN_PARAMS);
void F_RandomRange(KV_BUILTIN_PARAMS);
void F_IRandom(KV_BUILTIN_PARAMS);
void F_IRandomRange(KV_BUILTIN_PARAMS);
void F_RandomSetSeed(KV_BUILTIN_PARAMS);
void F_RandomGetSeed(KV_BUILTIN_PARAMS);
void F_Randomize(KV_BUILTIN_PARAMS);
void F_Choose(KV_BUILTIN_PARAMS);

// Rounding, powers and logarithms.
void F_Abs(KV_BUILTIN_PARAMS);
void F_Round(KV_BUILTIN_PARAMS);
void F_Floor(KV_BUILTIN_PARAMS);
void F_Ceil(KV_BUILTIN_PARAMS);
void F_Sign(KV_BUILTIN_PARAMS);
void F_Frac(KV_BUILTIN_PARAMS);
void F_Sqrt(KV_BUILTIN_PARAMS);
void F_Sqr(KV_BUILTIN_PARAMS);
void F_Exp(KV_BUILTIN_PARAMS);
void F_Ln(KV_BUILTIN_PARAMS);
void F_Log2(KV_BUILTIN_PARAMS);
void F_Log10(KV_BUILTIN_PARAMS);
void F_Power(KV_BUILTIN_PARAMS);
void F_LogN(KV_BUILTIN_PARAMS);

// Aggregates and interpolation.
void F_Min(KV_BUILTIN_PARAMS);
void F_Max(KV_BUILTIN_PARAMS);
void F_Min3(KV_BUILTIN_PARAMS);
void F_Max3(KV_BUILTIN_PARAMS);
void F_Mean(KV_BUILTIN_PARAMS);
void F_Median(KV_BUILTIN_PARAMS);
void F_Clamp(KV_BUILTIN_PARAMS);
void F_Lerp(KV_BUILTIN_PARAMS);

// Trigonometry and degree conversion.
void F_Sin(KV_BUILTIN_PARAMS);
void F_Cos(KV_BUILTIN_PARAMS);
void F_Tan(KV_BUILTIN_PARAMS);
void F_ArcSin(KV_BUILTIN_PARAMS);
void F_ArcCos(KV_BUILTIN_PARAMS);
void F_ArcTan(KV_BUILTIN_PARAMS);
void F_ArcTan2(KV_BUILTIN_PARAMS);
void F_DegToRad(KV_BUILTIN_PARAMS);
void F_RadToDeg(KV_BUILTIN_PARAMS);

// Plane and space geometry.
void F_PointDistance(KV_BUILTIN_PARAMS);
void F_PointDistance3D(KV_BUILTIN_PARAMS);
void F_PointDirection(KV_BUILTIN_PARAMS);
void F_LengthDirX(KV_BUILTIN_PARAMS);
void F_LengthDirY(KV_BUILTIN_PARAMS);
void F_DotProduct(KV_BUILTIN_PARAMS);
void F_DotProduct3D(KV_BUILTIN_PARAMS);
void F_DotProductNormalised(KV_BUILTIN_PARAMS);
void F_DotProduct3DNormalised(KV_BUILTIN_PARAMS);

// A real rounded to single precision and back. Values beyond the float range
// become infinities, as the hardware conversion gives.
inline double Maths_Single(double x) { return static_cast<float>(x); }
