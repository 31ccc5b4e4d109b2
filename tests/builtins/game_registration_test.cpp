#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "builtins/registration.h"
#include "builtins/world/game.h"
#include "script/code.h"
#include "script/function_registry.h"
#include "script/snippet_runner.h"

namespace {

using Row = std::pair<std::string, int32_t>;

const std::vector<Row> kTable = {
    {"move_random", 2}, {"place_free", 2}, {"place_empty", 2}, {"place_meeting", 3}, {"place_snapped", 2},
    {"move_snap", 2}, {"move_towards_point", 3}, {"move_contact", 1}, {"move_contact_solid", 2},
    {"move_contact_all", 2}, {"move_outside_solid", 2}, {"move_outside_all", 2}, {"move_bounce", 1},
    {"move_bounce_solid", 1}, {"move_bounce_all", 1}, {"move_wrap", 3}, {"motion_set", 2}, {"motion_add", 2},
    {"distance_to_point", 2}, {"distance_to_object", 1}, {"path_start", 4}, {"path_end", 0},
    {"mp_linear_step", 4}, {"mp_linear_step_object", 4}, {"mp_linear_path", 5}, {"mp_linear_path_object", 5},
    {"mp_potential_settings", 4}, {"mp_potential_step", 4}, {"mp_potential_step_object", 4},
    {"mp_potential_path", 6}, {"mp_potential_path_object", 6}, {"mp_grid_create", 6}, {"mp_grid_destroy", 1},
    {"mp_grid_clear_all", 1}, {"mp_grid_clear_cell", 3}, {"mp_grid_clear_rectangle", 5},
    {"mp_grid_add_cell", 3}, {"mp_grid_add_rectangle", 5}, {"mp_grid_add_instances", 3}, {"mp_grid_path", 7},
    {"mp_grid_draw", 1}, {"collision_point", 5}, {"collision_rectangle", 7}, {"collision_ellipse", 7},
    {"collision_circle", 6}, {"collision_line", 7}, {"instance_find", 2}, {"instance_exists", 1},
    {"instance_number", 1}, {"instance_position", 3}, {"instance_nearest", 3}, {"instance_furthest", 3},
    {"instance_place", 3}, {"instance_create", 3}, {"instance_copy", 1}, {"instance_change", 2},
    {"instance_destroy", 0}, {"instance_sprite", 1}, {"position_empty", 2}, {"position_meeting", 3},
    {"position_destroy", 2}, {"position_change", 4}, {"instance_deactivate_all", 1},
    {"instance_deactivate_object", 1}, {"instance_deactivate_region", 6}, {"instance_activate_all", 0},
    {"instance_activate_object", 1}, {"instance_activate_region", 5}, {"room_goto", 1},
    {"room_goto_previous", 0}, {"room_goto_next", 0}, {"room_previous", 1}, {"room_next", 1},
    {"room_restart", 0}, {"game_end", 0}, {"game_restart", 0}, {"game_load", 1}, {"game_save", 1},
    {"transition_define", 2}, {"transition_exists", 1}, {"sleep", 1}};

std::vector<Row> Registered() {
  std::vector<Row> rows;
  for (int32_t id = 0; id < Function_Count(); ++id) {
    rows.emplace_back(Function_GetRecord(id)->name, Function_GetRecord(id)->argumentCount);
  }
  return rows;
}

// A call with count arguments; "" when it compiles, else the message.
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

TEST(GameRegistration, TheFamilyRegistersFirstInTableOrderWithItsCounts) {
  Function_Free();
  Builtins_RegisterAll();
  const std::vector<Row> all = Registered();
  ASSERT_GT(all.size(), kTable.size());
  EXPECT_EQ(std::vector<Row>(all.begin(), all.begin() + static_cast<long>(kTable.size())), kTable);
  for (size_t i = kTable.size(); i < all.size(); ++i) {
    for (const Row& row : kTable) EXPECT_NE(all[i].first, row.first);
  }
  int32_t bounce = -1, bounceSolid = -1, bounceAll = -1;
  ASSERT_TRUE(Function_Find("move_bounce", &bounce));
  ASSERT_TRUE(Function_Find("move_bounce_solid", &bounceSolid));
  ASSERT_TRUE(Function_Find("move_bounce_all", &bounceAll));
  EXPECT_EQ(Function_GetHandler(bounce), Function_GetHandler(bounceSolid));
  EXPECT_NE(Function_GetHandler(bounce), Function_GetHandler(bounceAll));
  Function_Free();
}

TEST(GameRegistration, EachNameCompilesWithItsCountOnly) {
  Function_Free();
  Builtins_RegisterGame();
  {
    snippet::Runner runner;
    for (const auto& [name, count] : kTable) {
      EXPECT_EQ(CompileCall(name, count), "") << name;
      EXPECT_EQ(CompileCall(name, count + 1), "Wrong number of arguments to function or script.") << name;
      if (count > 0) {
        EXPECT_EQ(CompileCall(name, count - 1), "Wrong number of arguments to function or script.") << name;
      }
    }
  }
  Function_Free();
}

}  // namespace
