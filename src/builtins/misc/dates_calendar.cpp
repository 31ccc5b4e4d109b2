#include "builtins/misc/dates_calendar.h"

#include "runtime/numeric.h"

namespace {

// A value a tenth of a millisecond short of a whole second, which products
// like 36526.5 * 86400 easily are, still means that second.
constexpr double kSecondNudge = 1e-4;
// 31 December 3000 23:59:59 UTC.
constexpr int64_t kLastComposableSecond = 32535215999;
constexpr int32_t kTmYearBase = 1900;

constexpr int32_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int64_t Truncate(double seconds) {
  const int64_t whole = Num_TruncInt64(seconds + kSecondNudge);
  return whole == INT64_MIN ? 0 : whole;
}

}  // namespace

double Date_FromSeconds(int64_t seconds) { return Date_TimeFromSeconds(seconds) + kUnixEpochDay; }

double Date_TimeFromSeconds(int64_t seconds) { return (static_cast<double>(seconds) + 0.5) / kSecondsPerDay; }

int64_t Date_ToSeconds(double value) {
  const double days = value >= kUnixEpochDay ? value - kUnixEpochDay : value;
  return Truncate(days * kSecondsPerDay - 0.5);
}

int64_t Date_TimeToSeconds(double value) { return Truncate(value * kSecondsPerDay - 0.5); }

struct tm Date_Local(int64_t seconds) {
  struct tm fields = {};
  const auto when = static_cast<time_t>(seconds);
  if (localtime_r(&when, &fields) != nullptr) return fields;
  const time_t epoch = 0;
  fields = {};
  if (gmtime_r(&epoch, &fields) == nullptr) fields = {};
  return fields;
}

int64_t Date_Compose(struct tm fields) {
  const time_t seconds = mktime(&fields);
  if (seconds < 0 || seconds > kLastComposableSecond) return -1;
  return static_cast<int64_t>(seconds);
}

bool Date_IsLeapYear(int64_t year) { return year % 4 == 0 && (year % 400 == 0 || year % 100 != 0); }

int32_t Date_DaysInMonth(int64_t year, int32_t month) {
  if (month < 0 || month > 11) return 0;
  return month == 1 && Date_IsLeapYear(year) ? 29 : kMonthDays[month];
}

int32_t Date_DayOfYear(const struct tm& fields) {
  const int64_t year = static_cast<int64_t>(fields.tm_year) + kTmYearBase;
  int32_t days = fields.tm_mday;
  for (int32_t month = 0; month < fields.tm_mon && month < 12; ++month) days += Date_DaysInMonth(year, month);
  return days;
}

int64_t Date_Now() { return static_cast<int64_t>(time(nullptr)); }
