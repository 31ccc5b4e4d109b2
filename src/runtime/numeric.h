// Every conversion of a script real to an integer or a float, and every
// truth test, goes through here so that halves, NaN, infinities and
// out-of-range values give the same defined answer everywhere. An integer
// that cannot be represented becomes INT32_MIN (INT64_MIN for the 64-bit
// forms).
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

// Nearest integer, halves to the even neighbour.
int32_t Num_RoundInt32(double value);
int64_t Num_RoundInt64(double value);
// Toward zero.
int32_t Num_TruncInt32(double value);
int64_t Num_TruncInt64(double value);

// Reals too large for a float become infinities.
inline float NarrowToFloat(double value) {
  if (value > FLT_MAX) return INFINITY;
  if (value < -FLT_MAX) return -INFINITY;
  return static_cast<float>(value);
}

// Truth of a real, in the forms the engine uses.
inline bool Num_TrueAtHalf(double v) { return v >= 0.5; }
inline bool Num_TrueAboveHalf(double v) { return v > 0.5; }
inline bool Num_TrueAtHalfSingle(double v) { return static_cast<float>(v) >= 0.5f; }
inline bool Num_TrueMagnitudeAboveHalf(double v) { return v > 0.5 || v < -0.5; }

// The one reading of a text as a number (atof's, without the locale):
// leading white space (space, tab, line feed, vertical tab, form feed,
// carriage return) skipped, then an optional sign, digits, decimal point,
// exponent, stopping at the first other byte; 0 when no number starts the
// text (or for null). Hexadecimal, "inf" and "nan" are no number: they
// read 0, as any other word does.
double Num_ParseReal(const char* text);

// A double truncated toward zero to 32 bits.
inline int32_t VCL_Trunc(double x) { return Num_TruncInt32(x); }
