// Reading date values: calendar fields, spans, comparisons and texts.
#include <cmath>
#include <cstdio>

#include "builtins/misc/dates.h"
#include "builtins/misc/dates_calendar.h"

namespace {

constexpr int64_t kTmYearBase = 1900;
constexpr double kDaysPerYear = 365.25;
constexpr double kDaysPerMonth = 30.4375;
constexpr double kDaysPerWeek = 7.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;
constexpr size_t kTextBytes = 1024;

int64_t YearOf(const struct tm& fields) { return static_cast<int64_t>(fields.tm_year) + kTmYearBase; }

// Local fields of the first argument through the date conversion.
struct tm DateFields(int32_t argc, ScriptValue* args) {
  return Date_Local(Date_ToSeconds(BuiltinArgs(argc, args).Real(0)));
}

// Local fields of the first argument through the time conversion.
struct tm TimeFields(int32_t argc, ScriptValue* args) {
  return Date_Local(Date_TimeToSeconds(BuiltinArgs(argc, args).Real(0)));
}

int64_t SecondOfYear(const struct tm& fields) {
  const int64_t days = Date_DayOfYear(fields) - 1;
  return ((days * 24 + fields.tm_hour) * 60 + fields.tm_min) * 60 + fields.tm_sec;
}

double Span(int32_t argc, ScriptValue* args, double secondsPerUnit) {
  BuiltinArgs in(argc, args);
  const double first = static_cast<double>(Date_ToSeconds(in.Real(0)));
  const double second = static_cast<double>(Date_ToSeconds(in.Real(1)));
  return std::fabs(first - second) / secondsPerUnit;
}

double Order(double a, double b) {
  if (a < b) return -1.0;
  return a > b ? 1.0 : 0.0;
}

double Fraction(double value) { return value - std::trunc(value); }

void SetDateText(ScriptValue* result, const struct tm& fields, bool withDate, bool withTime) {
  char text[kTextBytes] = {};
  int used = 0;
  if (withDate) {
    used = std::snprintf(text, sizeof text, "%02d/%02d/%04lld", fields.tm_mday, fields.tm_mon + 1,
                         static_cast<long long>(YearOf(fields)));
  }
  if (withTime && used >= 0 && static_cast<size_t>(used) < sizeof text) {
    std::snprintf(text + used, sizeof text - static_cast<size_t>(used), "%s%02d:%02d:%02d", withDate ? " " : "",
                  fields.tm_hour, fields.tm_min, fields.tm_sec);
  }
  Result_SetText(result, text);
}

}  // namespace

void F_DateGetYear(KV_BUILTIN_PARAMS) { Result_SetReal(result, static_cast<double>(YearOf(DateFields(argc, args)))); }
void F_DateGetMonth(KV_BUILTIN_PARAMS) { Result_SetReal(result, DateFields(argc, args).tm_mon + 1); }
void F_DateGetWeek(KV_BUILTIN_PARAMS) { Result_SetReal(result, DateFields(argc, args).tm_yday / 7); }
void F_DateGetDay(KV_BUILTIN_PARAMS) { Result_SetReal(result, DateFields(argc, args).tm_mday); }
void F_DateGetWeekday(KV_BUILTIN_PARAMS) { Result_SetReal(result, DateFields(argc, args).tm_wday); }
void F_DateGetHour(KV_BUILTIN_PARAMS) { Result_SetReal(result, TimeFields(argc, args).tm_hour); }
void F_DateGetMinute(KV_BUILTIN_PARAMS) { Result_SetReal(result, TimeFields(argc, args).tm_min); }
void F_DateGetSecond(KV_BUILTIN_PARAMS) { Result_SetReal(result, TimeFields(argc, args).tm_sec); }
void F_DateGetDayOfYear(KV_BUILTIN_PARAMS) { Result_SetReal(result, Date_DayOfYear(DateFields(argc, args))); }

void F_DateGetHourOfYear(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, static_cast<double>(SecondOfYear(DateFields(argc, args)) / 3600));
}
void F_DateGetMinuteOfYear(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, static_cast<double>(SecondOfYear(DateFields(argc, args)) / 60));
}
void F_DateGetSecondOfYear(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, static_cast<double>(SecondOfYear(DateFields(argc, args))));
}

void F_DateDaysInMonth(KV_BUILTIN_PARAMS) {
  const struct tm fields = DateFields(argc, args);
  Result_SetReal(result, Date_DaysInMonth(YearOf(fields), fields.tm_mon));
}
void F_DateDaysInYear(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Date_IsLeapYear(YearOf(DateFields(argc, args))) ? 366.0 : 365.0);
}
void F_DateLeapYear(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Date_IsLeapYear(YearOf(DateFields(argc, args))) ? 1.0 : 0.0);
}
void F_DateIsToday(KV_BUILTIN_PARAMS) {
  const struct tm date = DateFields(argc, args);
  const struct tm now = Date_Local(Date_Now());
  Result_SetReal(result, date.tm_year == now.tm_year && date.tm_yday == now.tm_yday ? 1.0 : 0.0);
}

void F_DateYearSpan(KV_BUILTIN_PARAMS) { Result_SetReal(result, Span(argc, args, kSecondsPerDay * kDaysPerYear)); }
void F_DateMonthSpan(KV_BUILTIN_PARAMS) { Result_SetReal(result, Span(argc, args, kSecondsPerDay * kDaysPerMonth)); }
void F_DateWeekSpan(KV_BUILTIN_PARAMS) { Result_SetReal(result, Span(argc, args, kSecondsPerDay * kDaysPerWeek)); }
void F_DateDaySpan(KV_BUILTIN_PARAMS) { Result_SetReal(result, Span(argc, args, kSecondsPerDay)); }
void F_DateHourSpan(KV_BUILTIN_PARAMS) { Result_SetReal(result, Span(argc, args, kSecondsPerHour)); }
void F_DateMinuteSpan(KV_BUILTIN_PARAMS) { Result_SetReal(result, Span(argc, args, kSecondsPerMinute)); }
void F_DateSecondSpan(KV_BUILTIN_PARAMS) { Result_SetReal(result, Span(argc, args, 1.0)); }

void F_DateCompareDateTime(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, Order(in.Real(0), in.Real(1)));
}
void F_DateCompareDate(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, Order(std::trunc(in.Real(0)), std::trunc(in.Real(1))));
}
void F_DateCompareTime(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Result_SetReal(result, Order(Fraction(in.Real(0)), Fraction(in.Real(1))));
}
void F_DateDateOf(KV_BUILTIN_PARAMS) { Result_SetReal(result, std::trunc(BuiltinArgs(argc, args).Real(0))); }
void F_DateTimeOf(KV_BUILTIN_PARAMS) { Result_SetReal(result, Fraction(BuiltinArgs(argc, args).Real(0))); }

void F_DateDateTimeString(KV_BUILTIN_PARAMS) { SetDateText(result, DateFields(argc, args), true, true); }
void F_DateDateString(KV_BUILTIN_PARAMS) { SetDateText(result, DateFields(argc, args), true, false); }
void F_DateTimeString(KV_BUILTIN_PARAMS) { SetDateText(result, TimeFields(argc, args), false, true); }
