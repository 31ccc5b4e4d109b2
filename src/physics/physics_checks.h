// Every value a script can reach is checked before it is handed to the
// physics library, whose own checks end the process. A refused call is
// reported as a non-fatal runtime error, the failed condition followed by
// a space, and the call is skipped with its failure result.
#pragma once

#include <cmath>
#include <initializer_list>

// Reports the refusal of a call whose condition failed; always false, so
// that a check reads `if (!ok) return Physics_Refuse("...")`.
bool Physics_Refuse(const char* condition);

// The largest magnitude handed over: the library multiplies coordinates
// up to four times, and a float must not overflow on the way.
constexpr double kPhysicsLargest = 1e9;

// Finite and not beyond the largest magnitude.
inline bool Physics_AllUsable(std::initializer_list<double> values) {
  for (double v : values) {
    if (!(std::fabs(v) <= kPhysicsLargest)) return false;
  }
  return true;
}

// A mass or inertia the library inverts: above 0 with a finite inverse.
inline bool Physics_Invertible(float value) { return value > 0.0f && std::isfinite(1.0f / value); }
