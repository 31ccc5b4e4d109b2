// Date values and the local calendar. A date value is a real number of days
// from 30 December 1899; its whole part is the day, its fraction the time of
// day. Two conversions turn a value into seconds since 1970 (UTC): the date
// conversion, which counts from day 25569 (1 January 1970), and the time
// conversion, which reads the value as a time measured from 1970. Calendar
// fields are always those of local time (TZ is honoured).
#pragma once

#include <cstdint>
#include <ctime>

constexpr double kSecondsPerDay = 86400.0;
constexpr double kUnixEpochDay = 25569.0;

// Seconds since 1970 to a date value: the middle of that second.
double Date_FromSeconds(int64_t seconds);
// The date conversion: values before day 25569 count as times from 1970.
int64_t Date_ToSeconds(double value);
// The time conversion.
int64_t Date_TimeToSeconds(double value);
// The time conversion's way back: (seconds + 0.5) / 86400, no epoch added.
double Date_TimeFromSeconds(int64_t seconds);

// Local calendar fields of a second; a second the calendar cannot hold
// breaks down as 1 January 1970 00:00:00 UTC does.
struct tm Date_Local(int64_t seconds);
// Seconds of local calendar fields, normalising fields that overflow; -1
// outside 1 January 1970 00:00:00 to 31 December 3000 23:59:59 (UTC).
int64_t Date_Compose(struct tm fields);

bool Date_IsLeapYear(int64_t year);
// Days of month 0..11 of that year.
int32_t Date_DaysInMonth(int64_t year, int32_t month);
// Day 1..366 of the year.
int32_t Date_DayOfYear(const struct tm& fields);

// The current time in seconds since 1970.
int64_t Date_Now();
