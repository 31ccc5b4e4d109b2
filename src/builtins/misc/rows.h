// The miscellaneous family, in registration order: events, external calls
// and code execution (left out in store mode), program settings, variables
// by name, the clipboard and dates.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/misc/dates.h"
#include "builtins/misc/debug_message.h"
#include "builtins/misc/events.h"
#include "builtins/misc/execute.h"
#include "builtins/misc/external.h"
#include "builtins/misc/platform_misc.h"
#include "builtins/misc/variables.h"

// external_define0 to 4 take the library, the name, a kind per argument and
// the result kind; 5 to 8 take only the library, the name and the result
// kind, their arguments all reals. Every external_callN shares one handler.
inline constexpr BuiltinRow kMiscRows[] = {
    {"event_inherited", F_EventInherited, 0},
    {"event_perform", F_EventPerform, 2},
    {"event_user", F_EventUser, 1},
    {"event_perform_object", F_EventPerformObject, 3},

    {"external_define", F_ExternalDefine, kAnyArgumentCount, BuiltinMode::kNotInStoreMode},
    {"external_call", F_ExternalCall, kAnyArgumentCount, BuiltinMode::kNotInStoreMode},
    {"external_free", F_ExternalFree, 1, BuiltinMode::kNotInStoreMode},
    {"external_define0", F_ExternalDefine0, 3, BuiltinMode::kNotInStoreMode},
    {"external_call0", F_ExternalCallN, 1, BuiltinMode::kNotInStoreMode},
    {"external_define1", F_ExternalDefine1, 4, BuiltinMode::kNotInStoreMode},
    {"external_call1", F_ExternalCallN, 2, BuiltinMode::kNotInStoreMode},
    {"external_define2", F_ExternalDefine2, 5, BuiltinMode::kNotInStoreMode},
    {"external_call2", F_ExternalCallN, 3, BuiltinMode::kNotInStoreMode},
    {"external_define3", F_ExternalDefine3, 6, BuiltinMode::kNotInStoreMode},
    {"external_call3", F_ExternalCallN, 4, BuiltinMode::kNotInStoreMode},
    {"external_define4", F_ExternalDefine4, 7, BuiltinMode::kNotInStoreMode},
    {"external_call4", F_ExternalCallN, 5, BuiltinMode::kNotInStoreMode},
    {"external_define5", F_ExternalDefine5, 3, BuiltinMode::kNotInStoreMode},
    {"external_call5", F_ExternalCallN, 6, BuiltinMode::kNotInStoreMode},
    {"external_define6", F_ExternalDefine6, 3, BuiltinMode::kNotInStoreMode},
    {"external_call6", F_ExternalCallN, 7, BuiltinMode::kNotInStoreMode},
    {"external_define7", F_ExternalDefine7, 3, BuiltinMode::kNotInStoreMode},
    {"external_call7", F_ExternalCallN, 8, BuiltinMode::kNotInStoreMode},
    {"external_define8", F_ExternalDefine8, 3, BuiltinMode::kNotInStoreMode},
    {"external_call8", F_ExternalCallN, 9, BuiltinMode::kNotInStoreMode},
    {"execute_string", F_ExecuteString, kAnyArgumentCount, BuiltinMode::kNotInStoreMode},
    {"execute_file", F_ExecuteFile, kAnyArgumentCount, BuiltinMode::kNotInStoreMode},

    {"window_handle", F_WindowHandle, 0},
    {"show_debug_message", F_ShowDebugMessage, 1},
    {"set_program_priority", F_SetProgramPriority, 1},
    {"set_application_title", F_SetApplicationTitle, 1},

    {"variable_global_exists", F_VariableGlobalExists, 1},
    {"variable_local_exists", F_VariableLocalExists, 1},
    {"variable_global_get", F_VariableGlobalGet, 1},
    {"variable_global_array_get", F_VariableGlobalArrayGet, 2},
    {"variable_global_array2_get", F_VariableGlobalArray2Get, 3},
    {"variable_local_get", F_VariableLocalGet, 1},
    {"variable_local_array_get", F_VariableLocalArrayGet, 2},
    {"variable_local_array2_get", F_VariableLocalArray2Get, 3},
    {"variable_global_set", F_VariableGlobalSet, 2},
    {"variable_global_array_set", F_VariableGlobalArraySet, 3},
    {"variable_global_array2_set", F_VariableGlobalArray2Set, 4},
    {"variable_local_set", F_VariableLocalSet, 2},
    {"variable_local_array_set", F_VariableLocalArraySet, 3},
    {"variable_local_array2_set", F_VariableLocalArray2Set, 4},

    {"clipboard_has_text", F_ClipboardHasText, 0},
    {"clipboard_set_text", F_ClipboardSetText, 1},
    {"clipboard_get_text", F_ClipboardGetText, 0},

    {"date_current_datetime", F_DateCurrentDateTime, 0},
    {"date_current_date", F_DateCurrentDateTime, 0},
    {"date_current_time", F_DateCurrentDateTime, 0},
    {"date_create_datetime", F_DateCreateDateTime, 6},
    {"date_create_date", F_DateCreateDate, 3},
    {"date_create_time", F_DateCreateTime, 3},
    {"date_valid_datetime", F_DateValidDateTime, 6},
    {"date_valid_date", F_DateValidDate, 3},
    {"date_valid_time", F_DateValidTime, 3},
    {"date_inc_year", F_DateIncYear, 2},
    {"date_inc_month", F_DateIncMonth, 2},
    {"date_inc_week", F_DateIncWeek, 2},
    {"date_inc_day", F_DateIncDay, 2},
    {"date_inc_hour", F_DateIncHour, 2},
    {"date_inc_minute", F_DateIncMinute, 2},
    {"date_inc_second", F_DateIncSecond, 2},
    {"date_get_year", F_DateGetYear, 1},
    {"date_get_month", F_DateGetMonth, 1},
    {"date_get_week", F_DateGetWeek, 1},
    {"date_get_day", F_DateGetDay, 1},
    {"date_get_weekday", F_DateGetWeekday, 1},
    {"date_get_hour", F_DateGetHour, 1},
    {"date_get_minute", F_DateGetMinute, 1},
    {"date_get_second", F_DateGetSecond, 1},
    {"date_get_day_of_year", F_DateGetDayOfYear, 1},
    {"date_get_hour_of_year", F_DateGetHourOfYear, 1},
    {"date_get_minute_of_year", F_DateGetMinuteOfYear, 1},
    {"date_get_second_of_year", F_DateGetSecondOfYear, 1},
    {"date_year_span", F_DateYearSpan, 2},
    {"date_month_span", F_DateMonthSpan, 2},
    {"date_week_span", F_DateWeekSpan, 2},
    {"date_day_span", F_DateDaySpan, 2},
    {"date_hour_span", F_DateHourSpan, 2},
    {"date_minute_span", F_DateMinuteSpan, 2},
    {"date_second_span", F_DateSecondSpan, 2},
    {"date_compare_datetime", F_DateCompareDateTime, 2},
    {"date_compare_date", F_DateCompareDate, 2},
    {"date_compare_time", F_DateCompareTime, 2},
    {"date_date_of", F_DateDateOf, 1},
    {"date_time_of", F_DateTimeOf, 1},
    {"date_datetime_string", F_DateDateTimeString, 1},
    {"date_date_string", F_DateDateString, 1},
    {"date_time_string", F_DateTimeString, 1},
    {"date_days_in_month", F_DateDaysInMonth, 1},
    {"date_days_in_year", F_DateDaysInYear, 1},
    {"date_leap_year", F_DateLeapYear, 1},
    {"date_is_today", F_DateIsToday, 1},
};
