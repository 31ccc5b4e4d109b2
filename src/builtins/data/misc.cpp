#include "builtins/data/misc.h"

#include <string>

#include "builtins/data/dates.h"
#include "builtins/data/events.h"
#include "builtins/data/execute.h"
#include "builtins/data/external.h"
#include "builtins/data/platform_misc.h"
#include "builtins/data/strings.h"
#include "builtins/data/variables.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/function_registry.h"

namespace {

constexpr int32_t kAnyCount = -1;

void RegisterEvents() {
  Function_Add("event_inherited", F_EventInherited, 0);
  Function_Add("event_perform", F_EventPerform, 2);
  Function_Add("event_user", F_EventUser, 1);
  Function_Add("event_perform_object", F_EventPerformObject, 3);
}

// Library calls and text compiled at run time; a store build leaves them out.
void RegisterExternalAndExecute() {
  static const BuiltinFunction kDefines[] = {F_ExternalDefine0, F_ExternalDefine1, F_ExternalDefine2,
                                             F_ExternalDefine3, F_ExternalDefine4, F_ExternalDefine5,
                                             F_ExternalDefine6, F_ExternalDefine7, F_ExternalDefine8};
  Function_Add("external_define", F_ExternalDefine, kAnyCount);
  Function_Add("external_call", F_ExternalCall, kAnyCount);
  Function_Add("external_free", F_ExternalFree, 1);
  for (int32_t n = 0; n <= 8; ++n) {
    const std::string suffix = std::to_string(n);
    // dll, name, the argument types up to four, the result type.
    Function_Add(("external_define" + suffix).c_str(), kDefines[n], n <= 4 ? n + 3 : 3);
    Function_Add(("external_call" + suffix).c_str(), F_ExternalCallN, n + 1);
  }
  Function_Add("execute_string", F_ExecuteString, kAnyCount);
  Function_Add("execute_file", F_ExecuteFile, kAnyCount);
}

void RegisterVariables() {
  Function_Add("variable_global_exists", F_VariableGlobalExists, 1);
  Function_Add("variable_local_exists", F_VariableLocalExists, 1);
  Function_Add("variable_global_get", F_VariableGlobalGet, 1);
  Function_Add("variable_global_array_get", F_VariableGlobalArrayGet, 2);
  Function_Add("variable_global_array2_get", F_VariableGlobalArray2Get, 3);
  Function_Add("variable_local_get", F_VariableLocalGet, 1);
  Function_Add("variable_local_array_get", F_VariableLocalArrayGet, 2);
  Function_Add("variable_local_array2_get", F_VariableLocalArray2Get, 3);
  Function_Add("variable_global_set", F_VariableGlobalSet, 2);
  Function_Add("variable_global_array_set", F_VariableGlobalArraySet, 3);
  Function_Add("variable_global_array2_set", F_VariableGlobalArray2Set, 4);
  Function_Add("variable_local_set", F_VariableLocalSet, 2);
  Function_Add("variable_local_array_set", F_VariableLocalArraySet, 3);
  Function_Add("variable_local_array2_set", F_VariableLocalArray2Set, 4);
}

void RegisterDates() {
  Function_Add("date_current_datetime", F_DateCurrentDateTime, 0);
  Function_Add("date_current_date", F_DateCurrentDateTime, 0);
  Function_Add("date_current_time", F_DateCurrentDateTime, 0);
  Function_Add("date_create_datetime", F_DateCreateDateTime, 6);
  Function_Add("date_create_date", F_DateCreateDate, 3);
  Function_Add("date_create_time", F_DateCreateTime, 3);
  Function_Add("date_valid_datetime", F_DateValidDateTime, 6);
  Function_Add("date_valid_date", F_DateValidDate, 3);
  Function_Add("date_valid_time", F_DateValidTime, 3);
  Function_Add("date_inc_year", F_DateIncYear, 2);
  Function_Add("date_inc_month", F_DateIncMonth, 2);
  Function_Add("date_inc_week", F_DateIncWeek, 2);
  Function_Add("date_inc_day", F_DateIncDay, 2);
  Function_Add("date_inc_hour", F_DateIncHour, 2);
  Function_Add("date_inc_minute", F_DateIncMinute, 2);
  Function_Add("date_inc_second", F_DateIncSecond, 2);
  Function_Add("date_get_year", F_DateGetYear, 1);
  Function_Add("date_get_month", F_DateGetMonth, 1);
  Function_Add("date_get_week", F_DateGetWeek, 1);
  Function_Add("date_get_day", F_DateGetDay, 1);
  Function_Add("date_get_weekday", F_DateGetWeekday, 1);
  Function_Add("date_get_hour", F_DateGetHour, 1);
  Function_Add("date_get_minute", F_DateGetMinute, 1);
  Function_Add("date_get_second", F_DateGetSecond, 1);
  Function_Add("date_get_day_of_year", F_DateGetDayOfYear, 1);
  Function_Add("date_get_hour_of_year", F_DateGetHourOfYear, 1);
  Function_Add("date_get_minute_of_year", F_DateGetMinuteOfYear, 1);
  Function_Add("date_get_second_of_year", F_DateGetSecondOfYear, 1);
  Function_Add("date_year_span", F_DateYearSpan, 2);
  Function_Add("date_month_span", F_DateMonthSpan, 2);
  Function_Add("date_week_span", F_DateWeekSpan, 2);
  Function_Add("date_day_span", F_DateDaySpan, 2);
  Function_Add("date_hour_span", F_DateHourSpan, 2);
  Function_Add("date_minute_span", F_DateMinuteSpan, 2);
  Function_Add("date_second_span", F_DateSecondSpan, 2);
  Function_Add("date_compare_datetime", F_DateCompareDateTime, 2);
  Function_Add("date_compare_date", F_DateCompareDate, 2);
  Function_Add("date_compare_time", F_DateCompareTime, 2);
  Function_Add("date_date_of", F_DateDateOf, 1);
  Function_Add("date_time_of", F_DateTimeOf, 1);
  Function_Add("date_datetime_string", F_DateDateTimeString, 1);
  Function_Add("date_date_string", F_DateDateString, 1);
  Function_Add("date_time_string", F_DateTimeString, 1);
  Function_Add("date_days_in_month", F_DateDaysInMonth, 1);
  Function_Add("date_days_in_year", F_DateDaysInYear, 1);
  Function_Add("date_leap_year", F_DateLeapYear, 1);
  Function_Add("date_is_today", F_DateIsToday, 1);
}

}  // namespace

// A real prints as string() would show it.
KV_BUILTIN(F_ShowDebugMessage) {
  (void)result, (void)self, (void)other;
  BuiltinArgs in(argc, args);
  if (in.IsString(0)) {
    g_releaseConsole->Output("%s\n", ScriptValue_Text(args[0]));
    return;
  }
  char* text = Strings_FromReal(in.Real(0));
  g_releaseConsole->Output("%s\n", text);
  MemoryManager::Free(text);
}

void Builtins_RegisterMisc() {
  RegisterEvents();
  if (!g_runFlags.steamMode) RegisterExternalAndExecute();
  Function_Add("window_handle", F_WindowHandle, 0);
  Function_Add("show_debug_message", F_ShowDebugMessage, 1);
  Function_Add("set_program_priority", F_SetProgramPriority, 1);
  Function_Add("set_application_title", F_SetApplicationTitle, 1);
  RegisterVariables();
  Function_Add("clipboard_has_text", F_ClipboardHasText, 0);
  Function_Add("clipboard_set_text", F_ClipboardSetText, 1);
  Function_Add("clipboard_get_text", F_ClipboardGetText, 0);
  RegisterDates();
}
