// The tile built-ins on the fixture's room: ids, the fields read back, the
// depth-0 and edge rules of the finds and deletes, and the layers.
#include "graphics_test_support.h"
#include "world/room/room_store.h"

namespace {

class TileBuiltins : public GraphicsBuiltins {
 protected:
  void SetUp() override {
    GraphicsBuiltins::SetUp();
    savedLastId_ = g_lastTileId;
    g_lastTileId = 500;
  }
  void TearDown() override {
    g_lastTileId = savedLastId_;
    GraphicsBuiltins::TearDown();
  }
  // A 10 x 10 tile at (x, y) and depth; its id.
  int32_t Tile(float x, float y, float depth) {
    return static_cast<int32_t>(Real("tile_add", {R(0), R(0), R(0), R(10), R(10), R(x), R(y), R(depth)}));
  }
  std::vector<int32_t> Ids() const {
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < room_.tileCount; ++i) ids.push_back(room_.tiles[i].id);
    return ids;
  }
  int32_t savedLastId_ = 0;
};

TEST_F(TileBuiltins, AddedTilesTakeTheNextIdsAndReadTheirFieldsBack) {
  ErrorCapture errors;
  EXPECT_EQ(Real("tile_add", {R(0), R(1.5), R(2.5), R(3), R(4), R(5.25), R(6.5), R(-7)}), 501);
  EXPECT_EQ(Tile(0, 0, 0), 502);
  Call("tile_set_scale", {R(501), R(2), R(0.5)});
  Call("tile_set_blend", {R(501), R(255)});
  Call("tile_set_alpha", {R(501), R(0.25)});
  Call("tile_set_visible", {R(501), R(0.49)});
  Call("tile_set_region", {R(501), R(2.5), R(3.5), R(8), R(9)});
  const std::vector<std::pair<const char*, double>> fields = {
      {"tile_get_x", 5.25},      {"tile_get_y", 6.5},      {"tile_get_left", 2},    {"tile_get_top", 4},
      {"tile_get_width", 8},     {"tile_get_height", 9},   {"tile_get_depth", -7},  {"tile_get_visible", 0},
      {"tile_get_xscale", 2},    {"tile_get_yscale", 0.5}, {"tile_get_blend", 255}, {"tile_get_alpha", 0.25},
      {"tile_get_background", 0}};
  for (const auto& [name, value] : fields) EXPECT_EQ(Real(name, {R(501)}), value) << name;
  EXPECT_EQ(Real("tile_exists", {R(502)}), 1);
  EXPECT_EQ(Real("tile_exists", {R(999)}), 0);
  EXPECT_TRUE(errors.Messages().empty());
}

TEST_F(TileBuiltins, MissingTilesAndBackgroundsAreReported) {
  ErrorCapture errors;
  EXPECT_EQ(Real("tile_get_x", {R(999)}), 0);
  EXPECT_EQ(Real("tile_get_alpha", {R(NAN)}), 0);
  Call("tile_set_position", {R(999), R(1), R(1)});
  Call("tile_delete", {R(999)});
  EXPECT_EQ(Real("tile_add", {R(3), R(0), R(0), R(1), R(1), R(0), R(0), R(0)}), -1);
  EXPECT_EQ(room_.tileCount, 0);
  EXPECT_EQ(errors.Messages(),
            (std::vector<std::string>{"Tile does not exist.", "Tile does not exist.", "Tile does not exist.",
                                      "Tile does not exist.", "Background does not exist."}));
}

TEST_F(TileBuiltins, FindAndDeleteAtTreatDepthZeroAndTheFarEdgesDifferently) {
  const int32_t zero = Tile(0, 0, 0);
  EXPECT_EQ(Real("tile_find", {R(5), R(5), R(1)}), -1);
  EXPECT_EQ(Real("tile_find", {R(5), R(5), R(0)}), zero);
  EXPECT_EQ(Real("tile_find", {R(10), R(5), R(0)}), -1);
  EXPECT_EQ(Real("tile_layer_find", {R(0), R(9.9), R(0)}), zero);
  EXPECT_EQ(Real("tile_layer_find", {R(0), R(10), R(0)}), -1);
  Call("tile_layer_delete_at", {R(0), R(10), R(10)});
  EXPECT_EQ(room_.tileCount, 1);
  Call("tile_delete_at", {R(10), R(10), R(1)});
  EXPECT_EQ(room_.tileCount, 0);
  const int32_t back = Tile(0, 0, 5);
  Call("tile_delete_at", {R(3), R(3), R(1)});
  EXPECT_EQ(Ids(), std::vector<int32_t>{back});
}

TEST_F(TileBuiltins, DeletesKeepTheOrderOfTheRestAndLayersActOnExactDepths) {
  const int32_t a = Tile(0, 0, 1), b = Tile(20, 0, 2), c = Tile(40, 0, 1), d = Tile(60, 0, 1.5);
  Call("tile_delete", {R(b)});
  EXPECT_EQ(Ids(), (std::vector<int32_t>{a, c, d}));
  Call("tile_layer_shift", {R(1), R(5), R(-5)});
  EXPECT_EQ(Real("tile_get_x", {R(c)}), 45);
  EXPECT_EQ(Real("tile_get_y", {R(d)}), 0);
  Call("tile_layer_hide", {R(1)});
  EXPECT_EQ(Real("tile_get_visible", {R(a)}), 0);
  EXPECT_EQ(Real("tile_get_visible", {R(d)}), 1);
  Call("tile_layer_depth", {R(1), R(3)});
  Call("tile_set_depth", {R(d), R(9)});
  EXPECT_EQ(Ids(), (std::vector<int32_t>{a, c, d}));
  Call("tile_layer_delete", {R(3)});
  EXPECT_EQ(Ids(), std::vector<int32_t>{d});
}

}  // namespace
