#include <gtest/gtest.h>

#include <utility>

#include "builtins/ds/handlers.h"
#include "builtins/registration.h"
#include "script/compiler/function_registry.h"

namespace {

TEST(DSRegistration, HandlersSitUnderTheirOwnNames) {
  Function_Free();
  Builtins_RegisterFamily(BuiltinFamilyId::kDataStructures);
  const std::pair<const char*, BuiltinFunction> spots[] = {
      {"ds_list_find_index", F_DsListFindIndex},         {"ds_map_find_previous", F_DsMapFindPrevious},
      {"ds_priority_delete_max", F_DsPriorityDeleteMax}, {"ds_grid_value_disk_y", F_DsGridValueDiskY},
      {"ds_grid_get_disk_mean", F_DsGridGetDiskMean},    {"ds_queue_tail", F_DsQueueTail},
  };
  for (const auto& [name, handler] : spots) {
    int32_t id = -1;
    ASSERT_TRUE(Function_Find(name, &id)) << name;
    EXPECT_EQ(Function_GetHandler(id), handler) << name;
  }
  Function_Free();
}

}  // namespace
