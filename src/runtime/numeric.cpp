#include "runtime/numeric.h"

#include <cmath>

namespace {

constexpr double kInt32Low = -2147483648.0;
constexpr double kInt32High = 2147483647.0;
// 2^63 is the first double past INT64_MAX.
constexpr double kInt64Low = -9223372036854775808.0;
constexpr double kInt64End = 9223372036854775808.0;

int32_t ToInt32(double whole) {
  if (!(whole >= kInt32Low && whole <= kInt32High)) return INT32_MIN;
  return static_cast<int32_t>(whole);
}

int64_t ToInt64(double whole) {
  if (!(whole >= kInt64Low && whole < kInt64End)) return INT64_MIN;
  return static_cast<int64_t>(whole);
}

// nearbyint rounds halves to even under the default rounding mode, which the
// program never changes.
double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace

int32_t Num_RoundInt32(double value) { return ToInt32(RoundHalfEven(value)); }
int64_t Num_RoundInt64(double value) { return ToInt64(RoundHalfEven(value)); }
int32_t Num_TruncInt32(double value) { return ToInt32(std::trunc(value)); }
int64_t Num_TruncInt64(double value) { return ToInt64(std::trunc(value)); }
