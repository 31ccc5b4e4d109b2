// Scripts calling the family by name, in both execution modes.
#include <gtest/gtest.h>

#include "builtin_test_support.h"
#include "builtins/ds/handlers.h"
#include "builtins/registration.h"
#include "runtime/console.h"
#include "runtime/ds_pool.h"
#include "script/snippet_runner.h"
#include "support/test_support.h"

namespace {

constexpr const char* kProgram = R"(
  list = ds_list_create();
  ds_list_add(list, 5);
  ds_list_add(list, 2);
  ds_list_insert(list, 0, 9);
  ds_list_sort(list, true);
  show_debug_message(ds_list_find_value(list, 0));
  show_debug_message(ds_list_find_index(list, 9));
  map = ds_map_create();
  ds_map_add(map, "hp", 10);
  ds_map_replace(map, "hp", ds_map_find_value(map, "hp") + 5);
  show_debug_message(ds_map_find_value(map, "hp"));
  show_debug_message(ds_map_exists(map, "mp"));
  grid = ds_grid_create(3, 3);
  ds_grid_set_region(grid, 0, 0, 2, 2, 2);
  ds_grid_add_disk(grid, 1, 1, 1, 1);
  show_debug_message(ds_grid_get_sum(grid, 0, 0, 2, 2));
  show_debug_message(ds_grid_value_y(grid, 0, 0, 2, 2, 3));
  ds_list_destroy(list);
  show_debug_message(ds_list_create());
)";

class DSScripts : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    DS_ReleasePools();
    Function_Free();
    Builtins_RegisterFamily(BuiltinFamilyId::kDataStructures);
    Builtins_RegisterFamily(BuiltinFamilyId::kMisc);
  }
  void TearDown() override {
    Function_Free();
    DS_ReleasePools();
  }
};

TEST_P(DSScripts, FillAListAMapAndAGridAndPrintTheResults) {
  snippet::Runner runner(GetParam());
  testsupport::ConsoleCapture console(&g_releaseConsole);
  std::vector<std::string> printed = runner.Run(kProgram);
  EXPECT_TRUE(printed.empty()) << printed.front();
  const std::vector<std::string> expected = {"2\n", "2\n", "15\n", "0\n", "23\n", "1\n", "0\n"};
  EXPECT_EQ(console.Lines(), expected);
}

TEST_P(DSScripts, AnInvalidIdIsARuntimeErrorThatLetsTheGameGoOn) {
  snippet::Runner runner(GetParam());
  testsupport::ConsoleCapture console(&g_releaseConsole);
  ErrorCapture errors;
  runner.Run("ds_stack_push(4, 1); show_debug_message(ds_stack_size(4));");
  EXPECT_EQ(console.Lines(), std::vector<std::string>{"0\n"});
  EXPECT_EQ(errors.Messages(), std::vector<std::string>(2, "Data structure with index does not exist."));
}

INSTANTIATE_TEST_SUITE_P(BothModes, DSScripts, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Tree" : "Bytecode"; });

}  // namespace
