// Making, testing and moving date values.
#include <climits>
#include <cmath>

#include "builtins/misc/dates.h"
#include "builtins/misc/dates_calendar.h"
#include "runtime/numeric.h"

namespace {

constexpr int64_t kTmYearBase = 1900;

// A calendar field from a 64-bit sum; false when the calendar cannot take it.
bool Field(int64_t value, int* out) {
  if (value < INT_MIN || value > INT_MAX) return false;
  *out = static_cast<int>(value);
  return true;
}

// Seconds of local calendar fields with daylight saving not in force; -1
// when a field does not fit.
int64_t ComposeStandardTime(const BuiltinArgs& in, bool withTime) {
  struct tm fields = {};
  bool ok = Field(static_cast<int64_t>(in.Int(0)) - kTmYearBase, &fields.tm_year) &&
            Field(static_cast<int64_t>(in.Int(1)) - 1, &fields.tm_mon) && Field(in.Int(2), &fields.tm_mday);
  if (withTime) {
    ok =
        ok && Field(in.Int(3), &fields.tm_hour) && Field(in.Int(4), &fields.tm_min) && Field(in.Int(5), &fields.tm_sec);
  }
  fields.tm_isdst = 0;
  return ok ? Date_Compose(fields) : -1;
}

// A whole real argument: not a string, no fraction.
bool Whole(const BuiltinArgs& in, int32_t i) {
  if (!in.IsReal(i)) return false;
  const double value = in.Real(i);
  return value == static_cast<double>(Num_TruncInt32(value));
}

bool AllWhole(const BuiltinArgs& in, int32_t count) {
  if (in.Count() != count) return false;
  for (int32_t i = 0; i < count; ++i) {
    if (!Whole(in, i)) return false;
  }
  return true;
}

bool ValidDate(const BuiltinArgs& in) {
  const int32_t year = in.Int(0);
  const int32_t month = in.Int(1);
  const int32_t day = in.Int(2);
  if (year < 0 || month < 1 || month > 12) return false;
  return day >= 1 && day <= Date_DaysInMonth(year, month - 1);
}

bool ValidTime(const BuiltinArgs& in, int32_t first) {
  const int32_t hour = in.Int(first);
  const int32_t minute = in.Int(first + 1);
  const int32_t second = in.Int(first + 2);
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

enum class Unit { kYear, kMonth, kWeek, kDay, kHour, kMinute, kSecond };

// Adds the rounded amount to one local calendar field and composes again.
// The day units read the value through the date conversion, the time units
// through the time conversion.
double Increase(const BuiltinArgs& in, Unit unit) {
  const bool timeUnit = unit == Unit::kHour || unit == Unit::kMinute || unit == Unit::kSecond;
  const double value = in.Real(0);
  struct tm fields = Date_Local(timeUnit ? Date_TimeToSeconds(value) : Date_ToSeconds(value));
  int64_t amount = in.Int(1);
  int* field = &fields.tm_sec;
  switch (unit) {
    case Unit::kYear: field = &fields.tm_year; break;
    case Unit::kMonth: field = &fields.tm_mon; break;
    case Unit::kWeek: field = &fields.tm_mday, amount *= 7; break;
    case Unit::kDay: field = &fields.tm_mday; break;
    case Unit::kHour: field = &fields.tm_hour; break;
    case Unit::kMinute: field = &fields.tm_min; break;
    case Unit::kSecond: break;
  }
  const int64_t seconds = Field(*field + amount, field) ? Date_Compose(fields) : -1;
  return timeUnit ? Date_TimeFromSeconds(seconds) : Date_FromSeconds(seconds);
}

}  // namespace

void F_DateCurrentDateTime(KV_BUILTIN_PARAMS) { Result_SetReal(result, Date_FromSeconds(Date_Now())); }

void F_DateCreateDateTime(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Date_FromSeconds(ComposeStandardTime(BuiltinArgs(argc, args), true)));
}

void F_DateCreateDate(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Date_FromSeconds(ComposeStandardTime(BuiltinArgs(argc, args), false)));
}

// A time of day on its own: the second of 1 January 1970 (or of the day
// next to it, whichever lies in the first day after the epoch) whose local
// time is the one given, so that the time conversion reads it back in any
// zone. It lies outside the range of calendar dates on purpose.
void F_DateCreateTime(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  struct tm fields = {};
  fields.tm_year = 70;
  fields.tm_mday = 1;
  fields.tm_isdst = -1;
  int64_t seconds = -1;
  if (Field(in.Int(0), &fields.tm_hour) && Field(in.Int(1), &fields.tm_min) && Field(in.Int(2), &fields.tm_sec)) {
    seconds = static_cast<int64_t>(mktime(&fields));
  }
  const int64_t day = static_cast<int64_t>(kSecondsPerDay);
  Result_SetReal(result, Date_TimeFromSeconds(((seconds % day) + day) % day));
}

void F_DateValidDateTime(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, AllWhole(in, 6) && ValidDate(in) && ValidTime(in, 3) ? 1.0 : 0.0);
}

void F_DateValidDate(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, AllWhole(in, 3) && ValidDate(in) ? 1.0 : 0.0);
}

void F_DateValidTime(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, AllWhole(in, 3) && ValidTime(in, 0) ? 1.0 : 0.0);
}

void F_DateIncYear(KV_BUILTIN_PARAMS) { Result_SetReal(result, Increase(BuiltinArgs(argc, args), Unit::kYear)); }
void F_DateIncMonth(KV_BUILTIN_PARAMS) { Result_SetReal(result, Increase(BuiltinArgs(argc, args), Unit::kMonth)); }
void F_DateIncWeek(KV_BUILTIN_PARAMS) { Result_SetReal(result, Increase(BuiltinArgs(argc, args), Unit::kWeek)); }
void F_DateIncDay(KV_BUILTIN_PARAMS) { Result_SetReal(result, Increase(BuiltinArgs(argc, args), Unit::kDay)); }
void F_DateIncHour(KV_BUILTIN_PARAMS) { Result_SetReal(result, Increase(BuiltinArgs(argc, args), Unit::kHour)); }
void F_DateIncMinute(KV_BUILTIN_PARAMS) { Result_SetReal(result, Increase(BuiltinArgs(argc, args), Unit::kMinute)); }
void F_DateIncSecond(KV_BUILTIN_PARAMS) { Result_SetReal(result, Increase(BuiltinArgs(argc, args), Unit::kSecond)); }
