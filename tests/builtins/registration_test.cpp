// The registry after start-up against the family tables: every row in table
// order, in both registration modes, each family alone, and the rows
// themselves whole and unique.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "builtins/registration.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/function_registry.h"
#include "script/snippet_runner.h"

namespace {

using Record = std::tuple<std::string, BuiltinFunction, int32_t>;

bool Registered(const BuiltinRow& row, bool storeMode) {
  return !storeMode || row.mode != BuiltinMode::kNotInStoreMode;
}

std::vector<Record> Rows(std::span<const BuiltinRow> rows, bool storeMode) {
  std::vector<Record> records;
  for (const BuiltinRow& row : rows) {
    if (Registered(row, storeMode)) records.emplace_back(row.name, row.handler, row.argumentCount);
  }
  return records;
}

std::vector<Record> AllRows(bool storeMode) {
  std::vector<Record> records;
  for (const BuiltinFamily& family : Builtins_Families()) {
    const std::vector<Record> rows = Rows(family.rows, storeMode);
    records.insert(records.end(), rows.begin(), rows.end());
  }
  return records;
}

std::vector<Record> Registry() {
  std::vector<Record> records;
  for (int32_t id = 0; id < Function_Count(); ++id) {
    const BuiltinFunctionRecord* record = Function_GetRecord(id);
    records.emplace_back(record->name, record->handler, record->argumentCount);
  }
  return records;
}

class BuiltinRegistration : public testing::Test {
 protected:
  void SetUp() override { Function_Free(); }
  void TearDown() override {
    Function_Free();
    g_runFlags.steamMode = savedStoreMode_;
  }

 private:
  bool savedStoreMode_ = g_runFlags.steamMode;
};

TEST_F(BuiltinRegistration, TheRegistryHoldsEveryRowInTableOrderInBothModes) {
  for (const bool storeMode : {false, true}) {
    SCOPED_TRACE(storeMode ? "store mode" : "normal mode");
    g_runFlags.steamMode = storeMode;
    Function_Free();
    Builtins_RegisterAll();
    EXPECT_EQ(Registry(), AllRows(storeMode));
  }
  EXPECT_LT(AllRows(true).size(), AllRows(false).size());
}

TEST_F(BuiltinRegistration, EachFamilyRegistersAloneInItsTableOrder) {
  ASSERT_EQ(Builtins_Families().size(), 15u);
  for (const BuiltinFamily& family : Builtins_Families()) {
    SCOPED_TRACE(family.name);
    EXPECT_EQ(&Builtins_Family(family.id), &family);
    Function_Free();
    Builtins_RegisterFamily(family.id);
    EXPECT_EQ(Registry(), Rows(family.rows, false));
  }
}

TEST_F(BuiltinRegistration, EveryRowIsWholeAndEveryNameUnique) {
  std::set<std::string> names;
  for (const BuiltinFamily& family : Builtins_Families()) {
    for (const BuiltinRow& row : family.rows) {
      ASSERT_NE(row.name, nullptr) << family.name;
      EXPECT_LT(std::strlen(row.name), static_cast<size_t>(kFunctionNameBytes)) << row.name;
      EXPECT_NE(row.handler, nullptr) << row.name;
      EXPECT_GE(row.argumentCount, kAnyArgumentCount) << row.name;
      EXPECT_TRUE(names.insert(row.name).second) << row.name << " twice";
      EXPECT_EQ(BuiltinRow_DocFault(row), "");
    }
  }
}

// The reference page is refused for a row whose text is missing or whose
// argument names disagree with what the compiler holds calls to.
TEST_F(BuiltinRegistration, ARowsReferenceTextIsChecked) {
  const struct {
    BuiltinRow row;
    const char* fault;
  } cases[] = {
      {{"f", nullptr, 2, "x, y", "real: the sum", "Adds."}, ""},
      {{"f", nullptr, 0, "", "nothing", "Does it."}, ""},
      {{"f", nullptr, kAnyArgumentCount, "id, value, ...", "id: it", "Adds them."}, ""},
      {{"f", nullptr, kAnyArgumentCount, "...", "any: one", "Picks."}, ""},
      {{"f", nullptr, 2}, "f: its arguments are not named"},
      {{"f", nullptr, 2, "x, y", nullptr, "Adds."}, "f: what it answers is not said"},
      {{"f", nullptr, 2, "x, y", "a real", "Adds."}, "f: what it answers does not begin with its kind"},
      {{"f", nullptr, 2, "x, y", "real:", "Adds."}, "f: what it answers does not begin with its kind"},
      {{"f", nullptr, 2, "x, y", "real", ""}, "f: what it does is not said"},
      {{"f", nullptr, 2, "x, y", "real", "Adds.\nTwo lines."}, "f: what it does is not said"},
      {{"f", nullptr, 3, "x, y", "real", "Adds."}, "f: 2 arguments named, 3 taken"},
      {{"f", nullptr, 1, "", "real", "Adds."}, "f: 0 arguments named, 1 taken"},
      {{"f", nullptr, kAnyArgumentCount, "x, y", "real", "Adds."}, "f: 2 arguments named, any number taken"},
      {{"f", nullptr, 2, "x, ...", "real", "Adds."}, "f: any number arguments named, 2 taken"},
      {{"f", nullptr, 2, "x,y", "real", "Adds."}, "f: \"x,y\" are not argument names"},
      {{"f", nullptr, 2, "x, ..., y", "real", "Adds."}, "f: \"x, ..., y\" are not argument names"},
  };
  for (const auto& [row, fault] : cases) EXPECT_EQ(BuiltinRow_DocFault(row), fault);
}

// A row given a neighbour's handler by a slip shows up as a new group.
TEST_F(BuiltinRegistration, OnlyTheIntendedNamesShareAHandler) {
  std::map<BuiltinFunction, std::vector<std::string>> byHandler;
  for (const Record& record : AllRows(false)) byHandler[std::get<1>(record)].push_back(std::get<0>(record));
  std::set<std::vector<std::string>> shared;
  for (const auto& [handler, names] : byHandler) {
    if (names.size() > 1) shared.insert(names);
  }
  const std::set<std::vector<std::string>> expected = {
      {"move_bounce", "move_bounce_solid"},
      {"action_draw_font", "action_draw_font_old", "action_fill_color", "action_highscore", "action_line_color",
       "action_path_old", "action_save_game"},
      {"move_snap", "action_snap"},
      {"place_snapped", "action_if_aligned"},
      {"path_start", "action_path"},
      {"path_end", "action_path_end"},
      {"screen_save", "action_snapshot"},
      {"action_inherited", "event_inherited"},
      {"action_cd_play", "cd_play"},
      {"action_cd_stop", "cd_stop"},
      {"action_cd_pause", "cd_pause"},
      {"action_cd_resume", "cd_resume"},
      {"action_cd_present", "cd_present"},
      {"action_cd_playing", "cd_playing"},
      {"display_get_orientation", "window_get_showborder", "window_get_showicons", "window_get_stayontop",
       "window_get_sizeable"},
      {"window_set_visible", "window_set_showborder", "window_set_showicons", "window_set_stayontop",
       "window_set_sizeable", "window_default", "window_view_mouse_set", "window_views_mouse_set"},
      {"make_color", "make_color_rgb"},
      {"part_type_color3", "part_type_color"},
      {"part_type_alpha3", "part_type_alpha"},
      {"filename_path", "filename_dir"},
      {"registry_write_string_ext", "registry_write_real_ext", "registry_set_root"},
      {"registry_read_real_ext", "registry_exists_ext"},
      {"date_current_datetime", "date_current_date", "date_current_time"},
      {"external_call0", "external_call1", "external_call2", "external_call3", "external_call4", "external_call5",
       "external_call6", "external_call7", "external_call8"},
      {"sound_pan", "sound_effect_set", "sound_effect_chorus", "sound_effect_compressor", "sound_effect_echo",
       "sound_effect_flanger", "sound_effect_gargle", "sound_effect_equalizer", "sound_effect_reverb",
       "sound_3d_set_sound_position"},
      {"sound_background_tempo", "sound_set_search_directory"},
      {"sound_3d_set_sound_velocity", "sound_3d_set_sound_distance", "sound_3d_set_sound_cone"},
      {"sprite_name", "sprite_get_name"},
      {"background_name", "background_get_name"},
      {"sprite_set_cache_size", "sprite_set_cache_size_ext", "font_set_cache_size", "sprite_get_tpe"},
      {"sprite_add_sprite", "sprite_replace_sprite", "background_add_background", "background_replace_background"},
      {"sound_name", "sound_get_name"},
      {"font_name", "font_get_name"},
      {"path_name", "path_get_name"},
      {"script_name", "script_get_name"},
      {"timeline_name", "timeline_get_name"},
      {"object_name", "object_get_name"},
      {"room_name", "room_get_name"},
      {"Vexa_AddVirtualKey", "virtual_key_add"},
      {"Vexa_DeleteVirtualKey", "virtual_key_delete"},
      {"Vexa_ShowVirtualKey", "virtual_key_show"},
      {"Vexa_HideVirtualKey", "virtual_key_hide"},
      {"Vexa_LoginAchievements", "achievement_login"},
      {"Vexa_LogoutAchievements", "achievement_logout"},
      {"Vexa_PostAchievement", "achievement_post"},
      {"Vexa_PostScore", "achievement_post_score"},
      {"Vexa_AchievementsAvailable", "achievement_available"},
      {"Vexa_OpenURL", "url_open", "Vexa_OpenURL_ext", "url_open_ext", "Vexa_OpenURL_full", "url_open_full"},
      {"Vexa_EnableAds", "ads_enable", "ads_move", "Vexa_DisableAds", "ads_disable", "ads_get_display_width",
       "ads_get_display_height", "ads_engagement_available", "ads_engagement_active", "ads_engagement_launch",
       "ads_setup", "pocketchange_display_reward", "pocketchange_display_shop", "clickable_add", "clickable_add_ext",
       "clickable_change", "clickable_change_ext", "clickable_delete"},
      {"Vexa_LeaveRating", "shop_leave_rating"},
      {"Vexa_GetTimer", "get_timer"},
      {"Vexa_EnableAlphaBlend", "draw_enable_alphablend"},
      {"Vexa_GetConfig", "os_get_config"},
      {"display_get_dpi_x", "display_get_dpi_y"},
      {"Vexa_SelectPicture", "device_ios_get_imagename"},
      {"Vexa_GetPictureSprite", "device_ios_get_image"},
      {"Vexa_MouseCheckButton", "device_mouse_check_button"},
      {"Vexa_MouseCheckButtonPressed", "device_mouse_check_button_pressed"},
      {"Vexa_MouseCheckButtonReleased", "device_mouse_check_button_released"},
      {"Vexa_MouseX", "device_mouse_x"},
      {"Vexa_MouseY", "device_mouse_y"},
      {"Vexa_MouseXRaw", "device_mouse_raw_x"},
      {"Vexa_MouseYRaw", "device_mouse_raw_y"},
      {"Vexa_GetTiltX", "device_get_tilt_x"},
      {"Vexa_GetTiltY", "device_get_tilt_y"},
      {"Vexa_GetTiltZ", "device_get_tilt_z"},
      {"Vexa_IsKeypadOpen", "device_is_keypad_open"},
      {"Vexa_OSPauseEvent", "os_is_paused"},
      {"Vexa_OF_StartDashboard", "openfeint_start"},
      {"Vexa_OF_AddAchievement", "achievement_map_achievement"},
      {"Vexa_OF_AddLeaderboard", "achievement_map_leaderboard"},
      {"Vexa_OF_SendChallenge", "openfeint_send_challenge"},
      {"Vexa_OF_SendInvite", "openfeint_send_invite"},
      {"Vexa_OF_SendSocial", "openfeint_send_social"},
      {"Vexa_OF_SetURL", "openfeint_set_url"},
      {"Vexa_OF_AcceptChallenge", "openfeint_accept_challenge"},
      {"Vexa_OF_IsOnline", "achievement_is_online"},
      {"Vexa_OF_SendChallengeResult", "openfeint_send_result"},
      {"iap_acquire", "iap_consume", "iap_is_purchased", "iap_is_downloaded", "iap_restore_all", "iap_store_status",
       "iap_product_status", "iap_product_details", "iap_product_files"},
      {"facebook_init", "facebook_login", "facebook_graph_request", "facebook_dialog", "facebook_launch_offerwall",
       "facebook_post_message", "facebook_send_invite", "facebook_logout"},
      {"duskmolderLogin", "duskmolderSave", "duskmolderLoad", "duskmolderIsLoggedIn", "duskmolderIsLoaded"},
      {"win8_livetile_tile_notification",
       "win8_livetile_tile_clear",
       "win8_livetile_badge_notification",
       "win8_livetile_badge_clear",
       "win8_livetile_queue_enable",
       "win8_secondarytile_pin",
       "win8_secondarytile_notification",
       "win8_secondarytile_badge_notification",
       "win8_secondarytile_delete",
       "win8_appbar_enable",
       "win8_appbar_add_element",
       "win8_appbar_remove_element",
       "win8_settingscharm_add_entry",
       "win8_settingscharm_add_html_entry",
       "win8_settingscharm_remove_entry",
       "win8_share_image",
       "win8_share_screenshot",
       "win8_share_file",
       "win8_share_url",
       "win8_share_text",
       "win8_search_enable",
       "win8_search_disable",
       "win8_search_add_suggestions",
       "win8_device_touchscreen_available"},
  };
  EXPECT_EQ(shared, expected);
}

// "" when the call compiles, else the compiler's message.
std::string CompileCall(const std::string& name, int32_t count) {
  std::string text = name + "(";
  for (int32_t i = 0; i < count; ++i) text += i == 0 ? "0" : ", 0";
  text += ")";
  CCode code(text.c_str(), false);
  const bool compiled = code.Compile("snippet");
  const std::string message = compiled ? "" : snippet::ErrorMessage();
  Code_Error_Clear();
  return message;
}

TEST_F(BuiltinRegistration, EachCallCompilesWithItsRegisteredCountOnly) {
  Builtins_RegisterAll();
  snippet::Runner runner;
  constexpr const char* kWrongCount = "Wrong number of arguments to function or script.";
  for (const auto& [name, handler, count] : AllRows(false)) {
    if (count == kAnyArgumentCount) continue;
    EXPECT_EQ(CompileCall(name, count), "") << name;
    EXPECT_EQ(CompileCall(name, count + 1), kWrongCount) << name;
    if (count > 0) {
      EXPECT_EQ(CompileCall(name, count - 1), kWrongCount) << name;
    }
  }
}

#ifndef NDEBUG
TEST_F(BuiltinRegistration, RegisteringAFamilyTwiceIsCaughtInDebugBuilds) {
  Builtins_RegisterFamily(BuiltinFamilyId::kDataStructures);
  EXPECT_DEATH(Builtins_RegisterFamily(BuiltinFamilyId::kDataStructures), "registered twice");
}
#endif

}  // namespace
