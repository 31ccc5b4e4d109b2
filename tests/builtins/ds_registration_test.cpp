#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "builtins/data/ds_builtins.h"
#include "builtins/registration.h"
#include "script/function_registry.h"

namespace {

struct Expected {
  const char* name;
  int32_t count;
};

// The family as scripts know it, in registration order.
constexpr Expected kNames[] = {
    {"ds_set_precision", 1},
    {"ds_stack_create", 0}, {"ds_stack_destroy", 1}, {"ds_stack_clear", 1}, {"ds_stack_copy", 2},
    {"ds_stack_size", 1}, {"ds_stack_empty", 1}, {"ds_stack_write", 1}, {"ds_stack_read", 2},
    {"ds_stack_push", 2}, {"ds_stack_pop", 1}, {"ds_stack_top", 1},
    {"ds_queue_create", 0}, {"ds_queue_destroy", 1}, {"ds_queue_clear", 1}, {"ds_queue_copy", 2},
    {"ds_queue_size", 1}, {"ds_queue_empty", 1}, {"ds_queue_write", 1}, {"ds_queue_read", 2},
    {"ds_queue_enqueue", 2}, {"ds_queue_dequeue", 1}, {"ds_queue_head", 1}, {"ds_queue_tail", 1},
    {"ds_list_create", 0}, {"ds_list_destroy", 1}, {"ds_list_clear", 1}, {"ds_list_copy", 2},
    {"ds_list_size", 1}, {"ds_list_empty", 1}, {"ds_list_write", 1}, {"ds_list_read", 2},
    {"ds_list_add", 2}, {"ds_list_insert", 3}, {"ds_list_replace", 3}, {"ds_list_delete", 2},
    {"ds_list_find_index", 2}, {"ds_list_find_value", 2}, {"ds_list_sort", 2}, {"ds_list_shuffle", 1},
    {"ds_map_create", 0}, {"ds_map_destroy", 1}, {"ds_map_clear", 1}, {"ds_map_copy", 2},
    {"ds_map_size", 1}, {"ds_map_empty", 1}, {"ds_map_write", 1}, {"ds_map_read", 2},
    {"ds_map_add", 3}, {"ds_map_replace", 3}, {"ds_map_delete", 2}, {"ds_map_exists", 2},
    {"ds_map_find_value", 2}, {"ds_map_find_first", 1}, {"ds_map_find_last", 1},
    {"ds_map_find_next", 2}, {"ds_map_find_previous", 2},
    {"ds_priority_create", 0}, {"ds_priority_destroy", 1}, {"ds_priority_clear", 1},
    {"ds_priority_copy", 2}, {"ds_priority_size", 1}, {"ds_priority_empty", 1},
    {"ds_priority_write", 1}, {"ds_priority_read", 2}, {"ds_priority_add", 3},
    {"ds_priority_change_priority", 3}, {"ds_priority_find_priority", 2},
    {"ds_priority_delete_value", 2}, {"ds_priority_find_min", 1}, {"ds_priority_find_max", 1},
    {"ds_priority_delete_min", 1}, {"ds_priority_delete_max", 1},
    {"ds_grid_create", 2}, {"ds_grid_destroy", 1}, {"ds_grid_copy", 2}, {"ds_grid_resize", 3},
    {"ds_grid_width", 1}, {"ds_grid_height", 1}, {"ds_grid_clear", 2},
    {"ds_grid_set", 4}, {"ds_grid_add", 4}, {"ds_grid_multiply", 4},
    {"ds_grid_set_region", 6}, {"ds_grid_add_region", 6}, {"ds_grid_multiply_region", 6},
    {"ds_grid_set_disk", 5}, {"ds_grid_add_disk", 5}, {"ds_grid_multiply_disk", 5},
    {"ds_grid_set_grid_region", 8}, {"ds_grid_add_grid_region", 8}, {"ds_grid_multiply_grid_region", 8},
    {"ds_grid_get", 3},
    {"ds_grid_get_sum", 5}, {"ds_grid_get_max", 5}, {"ds_grid_get_min", 5}, {"ds_grid_get_mean", 5},
    {"ds_grid_get_disk_sum", 4}, {"ds_grid_get_disk_max", 4}, {"ds_grid_get_disk_min", 4},
    {"ds_grid_get_disk_mean", 4},
    {"ds_grid_value_exists", 6}, {"ds_grid_value_x", 6}, {"ds_grid_value_y", 6},
    {"ds_grid_value_disk_exists", 5}, {"ds_grid_value_disk_x", 5}, {"ds_grid_value_disk_y", 5},
    {"ds_grid_shuffle", 1}, {"ds_grid_write", 1}, {"ds_grid_read", 2},
};

class DSRegistration : public ::testing::Test {
 protected:
  void SetUp() override { Function_Free(); }
  void TearDown() override { Function_Free(); }
};

TEST_F(DSRegistration, RegistersTheWholeFamilyOnceInOrder) {
  Builtins_RegisterDataStructures();
  constexpr int32_t kCount = sizeof kNames / sizeof kNames[0];
  ASSERT_EQ(kCount, 110);
  ASSERT_EQ(Function_Count(), kCount);
  std::set<std::string> seen;
  for (int32_t i = 0; i < kCount; ++i) {
    const BuiltinFunctionRecord* record = Function_GetRecord(i);
    EXPECT_STREQ(record->name, kNames[i].name);
    EXPECT_EQ(record->argumentCount, kNames[i].count) << kNames[i].name;
    EXPECT_NE(record->handler, nullptr) << kNames[i].name;
    EXPECT_TRUE(seen.insert(record->name).second) << record->name << " twice";
    int32_t id = -1;
    ASSERT_TRUE(Function_Find(kNames[i].name, &id));
    EXPECT_EQ(id, i) << "found at its own place";
  }
}

TEST_F(DSRegistration, HandlersSitUnderTheirOwnNames) {
  Builtins_RegisterDataStructures();
  const std::pair<const char*, BuiltinFunction> spots[] = {
      {"ds_list_find_index", F_DsListFindIndex}, {"ds_map_find_previous", F_DsMapFindPrevious},
      {"ds_priority_delete_max", F_DsPriorityDeleteMax}, {"ds_grid_value_disk_y", F_DsGridValueDiskY},
      {"ds_grid_get_disk_mean", F_DsGridGetDiskMean}, {"ds_queue_tail", F_DsQueueTail},
  };
  for (const auto& [name, handler] : spots) {
    int32_t id = -1;
    ASSERT_TRUE(Function_Find(name, &id)) << name;
    EXPECT_EQ(Function_GetHandler(id), handler) << name;
  }
}

TEST_F(DSRegistration, ComesRightAfterTheMiscFamily) {
  Builtins_RegisterAll();
  int32_t lastMisc = -1, first = -1, graphicsEnd = -1, miscStart = -1;
  ASSERT_TRUE(Function_Find("date_is_today", &lastMisc));
  ASSERT_TRUE(Function_Find("ds_set_precision", &first));
  ASSERT_TRUE(Function_Find("draw_background_tiled_ext", &graphicsEnd));
  ASSERT_TRUE(Function_Find("event_inherited", &miscStart));
  EXPECT_EQ(first, lastMisc + 1);
  EXPECT_EQ(miscStart, graphicsEnd + 1);
}

#ifndef NDEBUG
TEST_F(DSRegistration, RegisteringTwiceIsCaughtInDebugBuilds) {
  Builtins_RegisterDataStructures();
  EXPECT_DEATH(Builtins_RegisterDataStructures(), "registered twice");
}
#endif

}  // namespace
