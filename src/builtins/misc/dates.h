// Date built-ins: making, testing, changing, splitting, comparing and
// printing date values (see dates_calendar.h for what a date value is).
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_DateCurrentDateTime);
KV_BUILTIN(F_DateCreateDateTime);
KV_BUILTIN(F_DateCreateDate);
KV_BUILTIN(F_DateCreateTime);
KV_BUILTIN(F_DateValidDateTime);
KV_BUILTIN(F_DateValidDate);
KV_BUILTIN(F_DateValidTime);
KV_BUILTIN(F_DateIncYear);
KV_BUILTIN(F_DateIncMonth);
KV_BUILTIN(F_DateIncWeek);
KV_BUILTIN(F_DateIncDay);
KV_BUILTIN(F_DateIncHour);
KV_BUILTIN(F_DateIncMinute);
KV_BUILTIN(F_DateIncSecond);

KV_BUILTIN(F_DateGetYear);
KV_BUILTIN(F_DateGetMonth);
KV_BUILTIN(F_DateGetWeek);
KV_BUILTIN(F_DateGetDay);
KV_BUILTIN(F_DateGetWeekday);
KV_BUILTIN(F_DateGetHour);
KV_BUILTIN(F_DateGetMinute);
KV_BUILTIN(F_DateGetSecond);
KV_BUILTIN(F_DateGetDayOfYear);
KV_BUILTIN(F_DateGetHourOfYear);
KV_BUILTIN(F_DateGetMinuteOfYear);
KV_BUILTIN(F_DateGetSecondOfYear);
KV_BUILTIN(F_DateDaysInMonth);
KV_BUILTIN(F_DateDaysInYear);
KV_BUILTIN(F_DateLeapYear);
KV_BUILTIN(F_DateIsToday);

KV_BUILTIN(F_DateYearSpan);
KV_BUILTIN(F_DateMonthSpan);
KV_BUILTIN(F_DateWeekSpan);
KV_BUILTIN(F_DateDaySpan);
KV_BUILTIN(F_DateHourSpan);
KV_BUILTIN(F_DateMinuteSpan);
KV_BUILTIN(F_DateSecondSpan);
KV_BUILTIN(F_DateCompareDateTime);
KV_BUILTIN(F_DateCompareDate);
KV_BUILTIN(F_DateCompareTime);
KV_BUILTIN(F_DateDateOf);
KV_BUILTIN(F_DateTimeOf);
KV_BUILTIN(F_DateDateTimeString);
KV_BUILTIN(F_DateDateString);
KV_BUILTIN(F_DateTimeString);
