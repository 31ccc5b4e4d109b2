#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builtins/data/misc.h"
#include "runtime/run_flags.h"
#include "script/function_registry.h"

namespace {

struct Expected {
  const char* name;
  int32_t count;
  bool storeBuild;  // also registered in Steam mode
};

constexpr Expected kFamily[] = {
    {"event_inherited", 0, true}, {"event_perform", 2, true}, {"event_user", 1, true},
    {"event_perform_object", 3, true},
    {"external_define", -1, false}, {"external_call", -1, false}, {"external_free", 1, false},
    {"external_define0", 3, false}, {"external_call0", 1, false}, {"external_define1", 4, false},
    {"external_call1", 2, false}, {"external_define2", 5, false}, {"external_call2", 3, false},
    {"external_define3", 6, false}, {"external_call3", 4, false}, {"external_define4", 7, false},
    {"external_call4", 5, false}, {"external_define5", 3, false}, {"external_call5", 6, false},
    {"external_define6", 3, false}, {"external_call6", 7, false}, {"external_define7", 3, false},
    {"external_call7", 8, false}, {"external_define8", 3, false}, {"external_call8", 9, false},
    {"execute_string", -1, false}, {"execute_file", -1, false},
    {"window_handle", 0, true}, {"show_debug_message", 1, true}, {"set_program_priority", 1, true},
    {"set_application_title", 1, true},
    {"variable_global_exists", 1, true}, {"variable_local_exists", 1, true}, {"variable_global_get", 1, true},
    {"variable_global_array_get", 2, true}, {"variable_global_array2_get", 3, true},
    {"variable_local_get", 1, true}, {"variable_local_array_get", 2, true},
    {"variable_local_array2_get", 3, true}, {"variable_global_set", 2, true},
    {"variable_global_array_set", 3, true}, {"variable_global_array2_set", 4, true},
    {"variable_local_set", 2, true}, {"variable_local_array_set", 3, true},
    {"variable_local_array2_set", 4, true},
    {"clipboard_has_text", 0, true}, {"clipboard_set_text", 1, true}, {"clipboard_get_text", 0, true},
    {"date_current_datetime", 0, true}, {"date_current_date", 0, true}, {"date_current_time", 0, true},
    {"date_create_datetime", 6, true}, {"date_create_date", 3, true}, {"date_create_time", 3, true},
    {"date_valid_datetime", 6, true}, {"date_valid_date", 3, true}, {"date_valid_time", 3, true},
    {"date_inc_year", 2, true}, {"date_inc_month", 2, true}, {"date_inc_week", 2, true},
    {"date_inc_day", 2, true}, {"date_inc_hour", 2, true}, {"date_inc_minute", 2, true},
    {"date_inc_second", 2, true}, {"date_get_year", 1, true}, {"date_get_month", 1, true},
    {"date_get_week", 1, true}, {"date_get_day", 1, true}, {"date_get_weekday", 1, true},
    {"date_get_hour", 1, true}, {"date_get_minute", 1, true}, {"date_get_second", 1, true},
    {"date_get_day_of_year", 1, true}, {"date_get_hour_of_year", 1, true},
    {"date_get_minute_of_year", 1, true}, {"date_get_second_of_year", 1, true},
    {"date_year_span", 2, true}, {"date_month_span", 2, true}, {"date_week_span", 2, true},
    {"date_day_span", 2, true}, {"date_hour_span", 2, true}, {"date_minute_span", 2, true},
    {"date_second_span", 2, true}, {"date_compare_datetime", 2, true}, {"date_compare_date", 2, true},
    {"date_compare_time", 2, true}, {"date_date_of", 1, true}, {"date_time_of", 1, true},
    {"date_datetime_string", 1, true}, {"date_date_string", 1, true}, {"date_time_string", 1, true},
    {"date_days_in_month", 1, true}, {"date_days_in_year", 1, true}, {"date_leap_year", 1, true},
    {"date_is_today", 1, true},
};

// The registry's names and counts after a registration in the given mode.
std::vector<std::pair<std::string, int32_t>> Register(bool steam) {
  const bool saved = g_runFlags.steamMode;
  g_runFlags.steamMode = steam;
  Function_Free();
  Builtins_RegisterMisc();
  std::vector<std::pair<std::string, int32_t>> names;
  for (int32_t id = 0; id < Function_Count(); ++id) {
    const BuiltinFunctionRecord* record = Function_GetRecord(id);
    names.emplace_back(record->name, record->argumentCount);
  }
  Function_Free();
  g_runFlags.steamMode = saved;
  return names;
}

std::vector<std::pair<std::string, int32_t>> Expect(bool steam) {
  std::vector<std::pair<std::string, int32_t>> names;
  for (const Expected& entry : kFamily) {
    if (!steam || entry.storeBuild) names.emplace_back(entry.name, entry.count);
  }
  return names;
}

TEST(MiscRegistration, EveryNameInOrderWithItsArgumentCount) {
  const auto names = Register(false);
  EXPECT_EQ(names.size(), 95u);
  EXPECT_EQ(names, Expect(false));
}

TEST(MiscRegistration, SteamModeLeavesOutTheLibraryCallsAndRunTimeCode) {
  const auto names = Register(true);
  EXPECT_EQ(names.size(), 72u);
  EXPECT_EQ(names, Expect(true));
}

}  // namespace
