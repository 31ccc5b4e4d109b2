#include "runtime/numeric.h"

#include <charconv>
#include <system_error>

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

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The white space of the "C" locale, whatever locale the process runs in.
bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Decimal exponent of the first non-zero digit of a checked number, so a
// value outside the double range can be told an overflow or an underflow.
long LeadingExponent(const char* start, long exponent) {
  const char* p = start;
  while (IsDigit(*p)) ++p;
  const long integerDigits = static_cast<long>(p - start);
  for (long i = 0; i < integerDigits; ++i) {
    if (start[i] != '0') return exponent + integerDigits - 1 - i;
  }
  if (*p != '.') return 0;
  for (long j = 1; IsDigit(p[j]); ++j) {
    if (p[j] != '0') return exponent - j;
  }
  return 0;
}

}  // namespace

double Num_ParseReal(const char* text) {
  if (text == nullptr) return 0.0;
  const char* p = text;
  while (IsWhiteSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const char* digits = p;
  bool anyDigit = false;
  while (IsDigit(*p)) ++p, anyDigit = true;
  if (*p == '.') {
    ++p;
    while (IsDigit(*p)) ++p, anyDigit = true;
  }
  if (!anyDigit) return 0.0;
  long exponent = 0;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (*q == '+' || *q == '-') negativeExponent = *q++ == '-';
    if (IsDigit(*q)) {
      while (IsDigit(*q)) {
        if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
        ++q;
      }
      if (negativeExponent) exponent = -exponent;
      p = q;
    }
  }
  double value = 0.0;
  auto done = std::from_chars(digits, p, value, std::chars_format::general);
  if (done.ec == std::errc::result_out_of_range) {
    value = LeadingExponent(digits, exponent) > 0 ? HUGE_VAL : 0.0;
  } else if (done.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}
