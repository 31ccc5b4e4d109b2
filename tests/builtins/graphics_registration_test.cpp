#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "builtins/registration.h"
#include "builtins/world/graphics.h"
#include "script/function_registry.h"

namespace {

using Row = std::pair<std::string, int32_t>;

std::vector<Row> RegisteredRows() {
  Function_Free();
  Builtins_RegisterGraphics();
  std::vector<Row> rows;
  for (int32_t id = 0; id < Function_Count(); ++id) {
    rows.emplace_back(Function_GetRecord(id)->name, Function_GetRecord(id)->argumentCount);
  }
  Function_Free();
  return rows;
}

TEST(GraphicsRegistration, RowsInTableOrderWithTheirArgumentCounts) {
  const std::vector<Row> rows = RegisteredRows();
  ASSERT_EQ(rows.size(), 84u);
  EXPECT_EQ(rows.front(), Row("screen_save", 1));
  EXPECT_EQ(rows[1], Row("screen_save_part", 5));
  EXPECT_EQ(rows[2], Row("draw_set_color", 1));
  EXPECT_EQ(rows.back(), Row("draw_background_tiled_ext", 7));
  const std::vector<Row> spot = {{"draw_healthbar", 11}, {"draw_path", 4}, {"draw_triangle_color", 10},
                                 {"draw_vertex_texture_color", 6}, {"make_color_hsv", 3}, {"draw_getpixel", 2},
                                 {"draw_text_ext_transformed_color", 13}, {"draw_self", 0},
                                 {"draw_sprite_general", 16}, {"draw_sprite_pos", 11},
                                 {"draw_background_general", 15}};
  for (const Row& row : spot) {
    bool found = false;
    for (const Row& r : rows) found = found || r == row;
    EXPECT_TRUE(found) << row.first;
  }
}

TEST(GraphicsRegistration, TheFamilyComesBetweenTheStringsAndTheMiscFamily) {
  Function_Free();
  Builtins_RegisterAll();
  int32_t first = -1, last = -1, before = -1, after = -1;
  ASSERT_TRUE(Function_Find("screen_save", &first));
  ASSERT_TRUE(Function_Find("draw_background_tiled_ext", &last));
  ASSERT_TRUE(Function_Find("string_count", &before));
  ASSERT_TRUE(Function_Find("event_inherited", &after));
  EXPECT_EQ(first, before + 1);
  EXPECT_EQ(after, last + 1);
  EXPECT_EQ(last - first + 1, 84);
  Function_Free();
}

}  // namespace
