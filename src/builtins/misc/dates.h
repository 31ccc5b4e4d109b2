// Date built-ins: making, testing, changing, splitting, comparing and
// printing date values (see dates_calendar.h for what a date value is).
#pragma once

#include "builtins/builtin_args.h"

void F_DateCurrentDateTime(KV_BUILTIN_PARAMS);
void F_DateCreateDateTime(KV_BUILTIN_PARAMS);
void F_DateCreateDate(KV_BUILTIN_PARAMS);
void F_DateCreateTime(KV_BUILTIN_PARAMS);
void F_DateValidDateTime(KV_BUILTIN_PARAMS);
void F_DateValidDate(KV_BUILTIN_PARAMS);
void F_DateValidTime(KV_BUILTIN_PARAMS);
void F_DateIncYear(KV_BUILTIN_PARAMS);
void F_DateIncMonth(KV_BUILTIN_PARAMS);
void F_DateIncWeek(KV_BUILTIN_PARAMS);
void F_DateIncDay(KV_BUILTIN_PARAMS);
void F_DateIncHour(KV_BUILTIN_PARAMS);
void F_DateIncMinute(KV_BUILTIN_PARAMS);
void F_DateIncSecond(KV_BUILTIN_PARAMS);

void F_DateGetYear(KV_BUILTIN_PARAMS);
void F_DateGetMonth(KV_BUILTIN_PARAMS);
void F_DateGetWeek(KV_BUILTIN_PARAMS);
void F_DateGetDay(KV_BUILTIN_PARAMS);
void F_DateGetWeekday(KV_BUILTIN_PARAMS);
void F_DateGetHour(KV_BUILTIN_PARAMS);
void F_DateGetMinute(KV_BUILTIN_PARAMS);
void F_DateGetSecond(KV_BUILTIN_PARAMS);
void F_DateGetDayOfYear(KV_BUILTIN_PARAMS);
void F_DateGetHourOfYear(KV_BUILTIN_PARAMS);
void F_DateGetMinuteOfYear(KV_BUILTIN_PARAMS);
void F_DateGetSecondOfYear(KV_BUILTIN_PARAMS);
void F_DateDaysInMonth(KV_BUILTIN_PARAMS);
void F_DateDaysInYear(KV_BUILTIN_PARAMS);
void F_DateLeapYear(KV_BUILTIN_PARAMS);
void F_DateIsToday(KV_BUILTIN_PARAMS);

void F_DateYearSpan(KV_BUILTIN_PARAMS);
void F_DateMonthSpan(KV_BUILTIN_PARAMS);
void F_DateWeekSpan(KV_BUILTIN_PARAMS);
void F_DateDaySpan(KV_BUILTIN_PARAMS);
void F_DateHourSpan(KV_BUILTIN_PARAMS);
void F_DateMinuteSpan(KV_BUILTIN_PARAMS);
void F_DateSecondSpan(KV_BUILTIN_PARAMS);
void F_DateCompareDateTime(KV_BUILTIN_PARAMS);
void F_DateCompareDate(KV_BUILTIN_PARAMS);
void F_DateCompareTime(KV_BUILTIN_PARAMS);
void F_DateDateOf(KV_BUILTIN_PARAMS);
void F_DateTimeOf(KV_BUILTIN_PARAMS);
void F_DateDateTimeString(KV_BUILTIN_PARAMS);
void F_DateDateString(KV_BUILTIN_PARAMS);
void F_DateTimeString(KV_BUILTIN_PARAMS);
