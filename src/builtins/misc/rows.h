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
    {"event_inherited", F_EventInherited, 0, "", "nothing",
     "Runs the version of the current event that the parent object has or inherits, for the same self and other; "
     "nothing when the object has no parent, or in a time-line moment."},
    {"event_perform", F_EventPerform, 2, "type, numb", "nothing",
     "Runs at once the event of self's object (or of its nearest ancestor that has it) given by type and numb, such as "
     "`ev_step` and `ev_step_normal`, with self and other unchanged; nothing while a room change is pending."},
    {"event_user", F_EventUser, 1, "numb", "nothing",
     "Runs user event numb, 0 to 15, of self's object as `event_perform(ev_other, ev_user0 + numb)` would."},
    {"event_perform_object", F_EventPerformObject, 3, "obj, type, numb", "nothing",
     "Runs the event of object obj (or of its nearest ancestor that has it) for self, which need not be an instance of "
     "obj."},

    {"external_define", F_ExternalDefine, kAnyArgumentCount, "dll, name, calltype, restype, argnumb, ...",
     "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library: restype and the argnumb argument types after it are 1 (`ty_string`) "
     "for a text, anything else for a real; at most 16 arguments, all reals above 4. Both calling conventions act as "
     "the C one here; libraries are looked for in the save folder, then the game file's folder, then the system's "
     "path.",
     BuiltinMode::kNotInStoreMode},
    {"external_call", F_ExternalCall, kAnyArgumentCount, "id, ...",
     "any: the function's result, 0 when it cannot be called",
     "Calls definition id with the values after it, as many as it was defined with; texts are copied for the call and "
     "at most 16 values are passed.",
     BuiltinMode::kNotInStoreMode},
    {"external_free", F_ExternalFree, 1, "dll", "nothing",
     "Frees the library of that name, written as it was when defining (letter case counts); the functions defined from "
     "it can no longer be called.",
     BuiltinMode::kNotInStoreMode},
    {"external_define0", F_ExternalDefine0, 3, "dll, name, restype", "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking no argument; restype is 1 (`ty_string`) for a text, anything "
     "else for a real.",
     BuiltinMode::kNotInStoreMode},
    {"external_call0", F_ExternalCallN, 1, "id", "any: the function's result, 0 when it cannot be called",
     "Calls definition id without values; a definition made for another count answers 0.",
     BuiltinMode::kNotInStoreMode},
    {"external_define1", F_ExternalDefine1, 4, "dll, name, argtype1, restype",
     "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 1 argument; each type and restype is 1 (`ty_string`) for a "
     "text, anything else for a real.",
     BuiltinMode::kNotInStoreMode},
    {"external_call1", F_ExternalCallN, 2, "id, arg1", "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 1 value; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"external_define2", F_ExternalDefine2, 5, "dll, name, argtype1, argtype2, restype",
     "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 2 arguments; each type and restype is 1 (`ty_string`) for a "
     "text, anything else for a real.",
     BuiltinMode::kNotInStoreMode},
    {"external_call2", F_ExternalCallN, 3, "id, arg1, arg2", "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 2 values; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"external_define3", F_ExternalDefine3, 6, "dll, name, argtype1, argtype2, argtype3, restype",
     "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 3 arguments; each type and restype is 1 (`ty_string`) for a "
     "text, anything else for a real.",
     BuiltinMode::kNotInStoreMode},
    {"external_call3", F_ExternalCallN, 4, "id, arg1, arg2, arg3",
     "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 3 values; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"external_define4", F_ExternalDefine4, 7, "dll, name, argtype1, argtype2, argtype3, argtype4, restype",
     "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 4 arguments; each type and restype is 1 (`ty_string`) for a "
     "text, anything else for a real.",
     BuiltinMode::kNotInStoreMode},
    {"external_call4", F_ExternalCallN, 5, "id, arg1, arg2, arg3, arg4",
     "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 4 values; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"external_define5", F_ExternalDefine5, 3, "dll, name, restype", "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 5 reals; restype 1 (`ty_string`) makes its result a text.",
     BuiltinMode::kNotInStoreMode},
    {"external_call5", F_ExternalCallN, 6, "id, arg1, arg2, arg3, arg4, arg5",
     "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 5 values; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"external_define6", F_ExternalDefine6, 3, "dll, name, restype", "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 6 reals; restype 1 (`ty_string`) makes its result a text.",
     BuiltinMode::kNotInStoreMode},
    {"external_call6", F_ExternalCallN, 7, "id, arg1, arg2, arg3, arg4, arg5, arg6",
     "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 6 values; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"external_define7", F_ExternalDefine7, 3, "dll, name, restype", "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 7 reals; restype 1 (`ty_string`) makes its result a text.",
     BuiltinMode::kNotInStoreMode},
    {"external_call7", F_ExternalCallN, 8, "id, arg1, arg2, arg3, arg4, arg5, arg6, arg7",
     "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 7 values; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"external_define8", F_ExternalDefine8, 3, "dll, name, restype", "id: the definition's id, -1 when it is refused",
     "Defines function name of a native library taking 8 reals; restype 1 (`ty_string`) makes its result a text.",
     BuiltinMode::kNotInStoreMode},
    {"external_call8", F_ExternalCallN, 9, "id, arg1, arg2, arg3, arg4, arg5, arg6, arg7, arg8",
     "any: the function's result, 0 when it cannot be called",
     "Calls definition id with 8 values; a definition made for another count answers 0.", BuiltinMode::kNotInStoreMode},
    {"execute_string", F_ExecuteString, kAnyArgumentCount, "str, ...",
     "any: the value the code gives with `return`; without one, 0 on the bytecode machine and the value of the last "
     "assignment or call on the tree interpreter",
     "Compiles str as script code and runs it for self and other, the values after it being `argument0` onwards (at "
     "most 15, the rest 0); the arguments are put back afterwards. Code that does not compile reports an error.",
     BuiltinMode::kNotInStoreMode},
    {"execute_file", F_ExecuteFile, kAnyArgumentCount, "fname, ...",
     "any: the value the code gives with `return`; without one, 0 on the bytecode machine and the value of the last "
     "assignment or call on the tree interpreter",
     "Reads the file, the path as given and not looked for in the save folder or the game file's folder, and runs it "
     "as "
     "`execute_string` runs a text; a missing file reports an error.",
     BuiltinMode::kNotInStoreMode},

    {"window_handle", F_WindowHandle, 0, "", "real: the window's native id, 0 when there is none",
     "Answers the id the desktop gives the main window, of use only to pass to a library; 0 in headless runs and on "
     "desktops that give none."},
    {"show_debug_message", F_ShowDebugMessage, 1, "str", "nothing",
     "Writes str and a line break to the console output; a real is written as `string` would show it."},
    {"set_program_priority", F_SetProgramPriority, 1, "priority", "nothing",
     "Asks for less or more processor time, from -3 (idle) through 0 (normal) to 3 (real time); other values act as 0. "
     "A raise above normal usually needs privileges the game lacks, and then nothing changes."},
    {"set_application_title", F_SetApplicationTitle, 1, "title", "nothing",
     "Shows title on the window's title bar without changing the caption that `window_get_caption` answers; a real "
     "does nothing."},

    {"variable_global_exists", F_VariableGlobalExists, 1, "name",
     "bool: 1 when the global variable has been given a value",
     "Looks up a global variable by its name given as text."},
    {"variable_local_exists", F_VariableLocalExists, 1, "name", "bool: 1 when self has the variable",
     "Looks up a variable of self by its name given as text; built-in instance variables such as `x` count as "
     "present."},
    {"variable_global_get", F_VariableGlobalGet, 1, "name", "any: the variable's value, 0 when it has none",
     "Reads a global variable named by text."},
    {"variable_global_array_get", F_VariableGlobalArrayGet, 2, "name, i",
     "any: the element's value, 0 when it has none",
     "Reads element i of a global array named by text; an index of 32000 or more reports an error."},
    {"variable_global_array2_get", F_VariableGlobalArray2Get, 3, "name, i, j",
     "any: the element's value, 0 when it has none",
     "Reads element (i, j) of a global two-index array named by text; each index must stay below 32000."},
    {"variable_local_get", F_VariableLocalGet, 1, "name", "any: the variable's value, 0 when it has none",
     "Reads a variable of self named by text, built-in ones such as `x` included."},
    {"variable_local_array_get", F_VariableLocalArrayGet, 2, "name, i", "any: the element's value, 0 when it has none",
     "Reads element i of an array of self named by text; an index of 32000 or more reports an error."},
    {"variable_local_array2_get", F_VariableLocalArray2Get, 3, "name, i, j",
     "any: the element's value, 0 when it has none",
     "Reads element (i, j) of a two-index array of self named by text; each index must stay below 32000."},
    {"variable_global_set", F_VariableGlobalSet, 2, "name, value", "nothing",
     "Sets a global variable named by text to value."},
    {"variable_global_array_set", F_VariableGlobalArraySet, 3, "name, i, value", "nothing",
     "Sets element i of a global array named by text; a negative index does nothing and one of 32000 or more reports "
     "an error."},
    {"variable_global_array2_set", F_VariableGlobalArray2Set, 4, "name, i, j, value", "nothing",
     "Sets element (i, j) of a global two-index array named by text; element (0, j) is element j of the one-index "
     "form."},
    {"variable_local_set", F_VariableLocalSet, 2, "name, value", "nothing",
     "Sets a variable of self named by text; a built-in one goes through its own rules, and a read-only one stays as "
     "it is."},
    {"variable_local_array_set", F_VariableLocalArraySet, 3, "name, i, value", "nothing",
     "Sets element i of an array of self named by text; a negative index does nothing and one of 32000 or more reports "
     "an error."},
    {"variable_local_array2_set", F_VariableLocalArray2Set, 4, "name, i, j, value", "nothing",
     "Sets element (i, j) of a two-index array of self named by text; element (0, j) is element j of the one-index "
     "form."},

    {"clipboard_has_text", F_ClipboardHasText, 0, "", "bool: 1 when the clipboard holds text",
     "Tells whether there is text to paste, an empty text the game put there included; in headless runs the clipboard "
     "lives inside the game."},
    {"clipboard_set_text", F_ClipboardSetText, 1, "str", "nothing",
     "Puts str on the clipboard in place of what was there; a real puts the empty text."},
    {"clipboard_get_text", F_ClipboardGetText, 0, "", "string: the clipboard's text, \"\" when it holds none",
     "Reads the text on the clipboard."},

    {"date_current_datetime", F_DateCurrentDateTime, 0, "", "real: now, as a date value",
     "Answers the system clock's date and time as days since 30 December 1899, the fraction being the time of day."},
    {"date_current_date", F_DateCurrentDateTime, 0, "", "real: now, as a date value with its time of day",
     "Answers the same as `date_current_datetime`: the time of day is not cut off, so use `date_date_of` for the day "
     "alone."},
    {"date_current_time", F_DateCurrentDateTime, 0, "", "real: now, as a date value with its date",
     "Answers the same as `date_current_datetime`: the date is not removed, so use `date_time_of` for the time alone."},
    {"date_create_datetime", F_DateCreateDateTime, 6, "year, month, day, hour, minute, second", "real: the date value",
     "Makes a date value from local calendar fields, each rounded, month and day counting from 1, daylight saving not "
     "in force; fields that overflow roll over, and a time outside 1970 to 3000 gives a value just before 1970."},
    {"date_create_date", F_DateCreateDate, 3, "year, month, day", "real: the date value at midnight",
     "Makes a date value at 00:00:00 local time from the rounded fields, as `date_create_datetime` does."},
    {"date_create_time", F_DateCreateTime, 3, "hour, minute, second", "real: the time of day, a value below 1",
     "Makes a time of day alone from the rounded fields, which `date_get_hour` and `date_time_string` read back; "
     "fields that overflow wrap within the day."},
    {"date_valid_datetime", F_DateValidDateTime, 6, "year, month, day, hour, minute, second",
     "bool: 1 when the fields make a real date and time",
     "Needs whole reals: a year of 0 or more, month 1-12, a day the month has (29 February only in leap years), hour "
     "0-23, minute and second 0-59."},
    {"date_valid_date", F_DateValidDate, 3, "year, month, day", "bool: 1 when the fields make a real date",
     "Needs whole reals: a year of 0 or more, month 1-12 and a day the month has."},
    {"date_valid_time", F_DateValidTime, 3, "hour, minute, second", "bool: 1 when the fields make a time of day",
     "Needs whole reals: hour 0-23, minute and second 0-59."},
    {"date_inc_year", F_DateIncYear, 2, "date, amount", "real: the moved date value",
     "Adds the rounded amount to the year on the local calendar, keeping month, day and time; 29 February of a year "
     "without one rolls over to 1 March."},
    {"date_inc_month", F_DateIncMonth, 2, "date, amount", "real: the moved date value",
     "Adds the rounded amount of months on the local calendar; a day the new month lacks rolls over, so 31 January and "
     "one month is 3 March (2 March in a leap year)."},
    {"date_inc_week", F_DateIncWeek, 2, "date, amount", "real: the moved date value",
     "Adds 7 days for each of the rounded amount of weeks on the local calendar."},
    {"date_inc_day", F_DateIncDay, 2, "date, amount", "real: the moved date value",
     "Adds the rounded amount of days on the local calendar."},
    {"date_inc_hour", F_DateIncHour, 2, "date, amount", "real: the moved date or time value",
     "Adds the rounded amount of hours; it works on time values from `date_create_time` as well as on dates."},
    {"date_inc_minute", F_DateIncMinute, 2, "date, amount", "real: the moved date or time value",
     "Adds the rounded amount of minutes, as `date_inc_hour` does hours."},
    {"date_inc_second", F_DateIncSecond, 2, "date, amount", "real: the moved date or time value",
     "Adds the rounded amount of seconds, as `date_inc_hour` does hours."},
    {"date_get_year", F_DateGetYear, 1, "date", "real: the year",
     "Reads the year of the date on the local calendar. Like every calendar reader here, it takes a value below 25569 "
     "(before 1970) as that many days after 1 January 1970."},
    {"date_get_month", F_DateGetMonth, 1, "date", "real: the month 1-12",
     "Reads the month of the date on the local calendar."},
    {"date_get_week", F_DateGetWeek, 1, "date", "real: the week of the year, counting from 0",
     "Counts whole weeks since 1 January: days 1 to 7 of the year are week 0, whatever their weekdays."},
    {"date_get_day", F_DateGetDay, 1, "date", "real: the day of the month 1-31",
     "Reads the day of the month on the local calendar."},
    {"date_get_weekday", F_DateGetWeekday, 1, "date", "real: the day of the week, 0 for Sunday to 6 for Saturday",
     "Reads the weekday on the local calendar."},
    {"date_get_hour", F_DateGetHour, 1, "date", "real: the hour 0-23",
     "Reads the hour of the local time of day; it works on time values as well as dates."},
    {"date_get_minute", F_DateGetMinute, 1, "date", "real: the minute 0-59",
     "Reads the minute of the local time of day."},
    {"date_get_second", F_DateGetSecond, 1, "date", "real: the second 0-59",
     "Reads the second of the local time of day."},
    {"date_get_day_of_year", F_DateGetDayOfYear, 1, "date", "real: the day of the year, 1 for 1 January",
     "Counts the days of the date's year up to and including it."},
    {"date_get_hour_of_year", F_DateGetHourOfYear, 1, "date", "real: the whole hours since 1 January 00:00",
     "Counts the whole hours from the start of the date's year."},
    {"date_get_minute_of_year", F_DateGetMinuteOfYear, 1, "date", "real: the whole minutes since 1 January 00:00",
     "Counts the whole minutes from the start of the date's year."},
    {"date_get_second_of_year", F_DateGetSecondOfYear, 1, "date", "real: the seconds since 1 January 00:00",
     "Counts the seconds from the start of the date's year."},
    {"date_year_span", F_DateYearSpan, 2, "date1, date2", "real: the years between the dates, with a fraction",
     "Measures the distance between two date values in years of 365.25 days; never negative, whichever comes first."},
    {"date_month_span", F_DateMonthSpan, 2, "date1, date2", "real: the months between the dates, with a fraction",
     "Measures the distance in months of 30.4375 days; never negative."},
    {"date_week_span", F_DateWeekSpan, 2, "date1, date2", "real: the weeks between the dates, with a fraction",
     "Measures the distance in weeks of 7 days; never negative."},
    {"date_day_span", F_DateDaySpan, 2, "date1, date2", "real: the days between the dates, with a fraction",
     "Measures the distance in days; never negative."},
    {"date_hour_span", F_DateHourSpan, 2, "date1, date2", "real: the hours between the dates, with a fraction",
     "Measures the distance in hours; never negative."},
    {"date_minute_span", F_DateMinuteSpan, 2, "date1, date2", "real: the minutes between the dates, with a fraction",
     "Measures the distance in minutes; never negative."},
    {"date_second_span", F_DateSecondSpan, 2, "date1, date2", "real: the whole seconds between the dates",
     "Measures the distance in seconds, both dates taken to the whole second; never negative."},
    {"date_compare_datetime", F_DateCompareDateTime, 2, "date1, date2",
     "real: -1 when date1 is earlier, 1 when later, 0 when the same",
     "Compares two date values, time of day included."},
    {"date_compare_date", F_DateCompareDate, 2, "date1, date2",
     "real: -1 when date1's day is earlier, 1 when later, 0 when the same",
     "Compares only the days, the whole parts of the values."},
    {"date_compare_time", F_DateCompareTime, 2, "date1, date2",
     "real: -1 when date1's time of day is earlier, 1 when later, 0 when the same",
     "Compares only the times of day, the fractions of the values, whatever their days."},
    {"date_date_of", F_DateDateOf, 1, "date", "real: the whole day number",
     "Cuts off the time of day. The calendar readers such as `date_get_day` take a whole day number as the last second "
     "of the day before, in UTC."},
    {"date_time_of", F_DateTimeOf, 1, "date", "real: the time of day, the fraction",
     "Cuts off the date; the result suits `date_get_hour` and `date_time_string`."},
    {"date_datetime_string", F_DateDateTimeString, 1, "date", "string: the date and time as DD/MM/YYYY HH:MM:SS",
     "Writes the value in local time with leading zeros, day before month."},
    {"date_date_string", F_DateDateString, 1, "date", "string: the date as DD/MM/YYYY",
     "Writes the date in local time with leading zeros, day before month."},
    {"date_time_string", F_DateTimeString, 1, "date", "string: the time of day as HH:MM:SS",
     "Writes the local time of day with leading zeros; it works on time values as well as dates."},
    {"date_days_in_month", F_DateDaysInMonth, 1, "date", "real: the days of the date's month, 28 to 31",
     "Counts the days of the date's month, 29 for February of a leap year."},
    {"date_days_in_year", F_DateDaysInYear, 1, "date", "real: 365, or 366 in a leap year",
     "Counts the days of the date's year."},
    {"date_leap_year", F_DateLeapYear, 1, "date", "bool: 1 when the date's year is a leap year",
     "Tells whether the year has 29 February: divisible by 4, and by 400 when it is a hundredth year."},
    {"date_is_today", F_DateIsToday, 1, "date", "bool: 1 when the date falls on today",
     "Compares the date's local calendar day with today's."},
};
