// The object and room built-ins called by name: what they answer for
// missing and odd arguments, the messages they give, and what they write
// into objects and room templates.
#include <cmath>
#include <cstring>
#include <string>

#include "game_test_support.h"
#include "resources/background.h"
#include "world/object/event_lists.h"

namespace {

class ObjectRoomBuiltins : public GameWorld {
 protected:
  void SetUp() override {
    GameWorld::SetUp();
    Background_Init();
    Builtins_RegisterFamily(BuiltinFamilyId::kResources);
  }
  void TearDown() override {
    Object_FreeEventLists();
    Background_Shutdown();
    GameWorld::TearDown();
  }

  int32_t Errors() const {
    int32_t count = 0;
    for (const std::string& line : console_.Lines()) count += line.find("ERROR in") != std::string::npos ? 1 : 0;
    return count;
  }

  // room_set_view's sixteen arguments: room, view, then 1, 2, 3, ... .
  static std::vector<GoldenArg> ViewArgs(double room, double view) {
    std::vector<GoldenArg> args{R(room), R(view)};
    for (int i = 1; i <= 14; ++i) args.push_back(R(i + 0.4));
    return args;
  }
  static std::vector<GoldenArg> LayerArgs(double room, double layer) {
    return {R(room), R(layer), R(1), R(0.6), R(3.5), R(1.25), R(-2.5), R(0.4), R(0.5), R(0.75), R(-1), R(0.5)};
  }
};

TEST_F(ObjectRoomBuiltins, MissingObjectsGiveMinusOneAndAreIgnoredAndArgumentsAreConverted) {
  MakeObject(0);
  MakeObject(1);
  for (const char* getter : {"object_get_sprite", "object_get_solid", "object_get_visible", "object_get_depth",
                             "object_get_persistent", "object_get_mask", "object_get_parent"}) {
    EXPECT_EQ(Call(getter, {R(-1)}), -1) << getter;
    EXPECT_EQ(Call(getter, {R(NAN)}), -1) << getter;
  }
  for (const char* setter : {"object_set_sprite", "object_set_solid", "object_set_depth", "object_set_mask",
                             "object_set_parent", "object_set_visible", "object_set_persistent"}) {
    Call(setter, {R(NAN), R(1)});
    Call(setter, {R(-3), R(1)});
  }
  EXPECT_EQ(Errors(), 0);
  Call("object_set_sprite", {R(0.5), R(4.5)});
  Call("object_set_solid", {R(0), R(0.49)});
  Call("object_set_persistent", {R(0), R(0.5)});
  Call("object_set_visible", {R(0), R(0)});
  EXPECT_EQ(Object_Get(0)->sprite, 4) << "halves round to even";
  EXPECT_EQ(Object_Get(0)->flags, kObjectPersistent);
  // The parent's two arguments are truncated.
  Call("object_set_parent", {R(1.9), R(0.9)});
  EXPECT_EQ(Object_Get(1)->parent, 0);
  Call("object_set_parent", {R(1), R(-0.5)});
  EXPECT_EQ(Object_Get(1)->parent, 0);
}

TEST_F(ObjectRoomBuiltins, RoomSettersWriteTheTemplateAndSkipLayersAndViewsOutOfRange) {
  StartRooms(1);
  const int32_t room = Room_Add();
  CRoom* t = Room_Get(room);
  Call("room_set_width", {R(room), R(-5)});
  Call("room_set_height", {R(room), R(1e12)});
  EXPECT_EQ(t->width, -5);
  EXPECT_EQ(t->height, INT32_MIN) << "out of range, as the conversions give it";
  Call("room_set_background_color", {R(room), R(0x123456), R(0.2)});
  EXPECT_FALSE(t->showColour);

  const CView before = t->views[0];
  Call("room_set_view", ViewArgs(room, 8));
  Call("room_set_view", ViewArgs(room, -1));
  Call("room_set_view", ViewArgs(99, 0));
  EXPECT_EQ(std::memcmp(&before, &t->views[0], sizeof before), 0);
  t->views[7].angle = 30.0f;
  Call("room_set_view", ViewArgs(room, 7));
  const CView& v = t->views[7];
  EXPECT_EQ(v.visible, 1);
  EXPECT_EQ(
      (std::vector<int32_t>{v.viewX, v.viewY, v.viewWidth, v.viewHeight, v.portX, v.portY, v.portWidth, v.portHeight,
                            v.borderHorizontal, v.borderVertical, v.hspeed, v.vspeed, v.followedObject}),
      (std::vector<int32_t>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
  EXPECT_EQ(v.angle, 30.0f);

  for (double layer : {-1.0, 8.0, double{NAN}}) {
    for (int32_t i = 0; i < kRoomLayers; ++i) t->backgrounds[i].index = 40 + i;
    Call("room_set_background", LayerArgs(room, layer));
    for (int32_t i = 0; i < kRoomLayers; ++i) EXPECT_EQ(t->backgrounds[i].index, 40 + i) << layer;
  }
  t->backgrounds[2].blend = 0x00FF00;
  t->backgrounds[2].xscale = 3.0f;
  Call("room_set_background", LayerArgs(room, 2));
  const CRoomBackground& b = t->backgrounds[2];
  EXPECT_EQ((std::vector<int32_t>{b.visible, b.foreground, b.index, b.tileHorizontal, b.tileVertical}),
            (std::vector<int32_t>{1, 1, 4, 0, 1}));
  EXPECT_EQ((std::vector<float>{b.x, b.y, b.hspeed, b.vspeed, b.alpha, b.xscale}),
            (std::vector<float>{1.25f, -2.5f, 0.75f, -1.0f, 0.5f, 1.0f}));
  EXPECT_EQ(b.blend, 0x00FF00u);
  EXPECT_EQ(Errors(), 0);
}

TEST_F(ObjectRoomBuiltins, InstanceAndTileEntriesGoIntoTheTemplate) {
  StartRooms(1);
  MakeObject(0);
  const int32_t room = Room_Add();
  const int32_t back = Background_AddEmpty();
  const int32_t last = g_lastInstanceId;
  EXPECT_EQ(Call("room_instance_add", {R(room + 0.9), R(16.7), R(-3.2), R(0.9)}), last + 1);
  EXPECT_EQ(Call("room_instance_add", {R(room), R(0), R(0), R(77)}), last + 2) << "a missing object is stored";
  const RoomInstanceEntry& entry = Room_Get(room)->record->instances[0];
  EXPECT_EQ((std::vector<int32_t>{entry.x, entry.y, entry.object}), (std::vector<int32_t>{16, -3, 0}));

  const double id = Call("room_tile_add", {R(room), R(back), R(1), R(2), R(3.5), R(4), R(5.5), R(6), R(7)});
  EXPECT_EQ(id, g_lastTileId);
  EXPECT_EQ(Call("room_tile_add_ext",
                 {R(room), R(back), R(0), R(0), R(16), R(16), R(32.5), R(32), R(10.25), R(2), R(-1), R(0.5)}),
            1)
      << "its place in the stored list";
  ASSERT_EQ(Room_Get(room)->record->tiles.size(), 2u);
  const RoomTileEntry& plain = Room_Get(room)->record->tiles[0];
  const RoomTileEntry& ext = Room_Get(room)->record->tiles[1];
  EXPECT_EQ((std::vector<float>{static_cast<float>(plain.width), plain.x, plain.depth, plain.alpha}),
            (std::vector<float>{4, 6, 7, 1}));
  EXPECT_EQ((std::vector<float>{ext.x, ext.depth, ext.xscale, ext.yscale, ext.alpha}),
            (std::vector<float>{32.5f, 10.25f, 2, -1, 0.5f}));
  EXPECT_EQ(ext.id, id + 1);

  // Nothing stored, by a missing room (silently) or background: -1.
  EXPECT_EQ(Call("room_tile_add_ext", {R(99), R(back), R(0), R(0), R(1), R(1), R(0), R(0), R(0), R(1), R(1), R(1)}),
            -1);
  EXPECT_EQ(Errors(), 0);
  EXPECT_EQ(Call("room_tile_add_ext", {R(room), R(NAN), R(0), R(0), R(1), R(1), R(0), R(0), R(0), R(1), R(1), R(1)}),
            -1);
  EXPECT_TRUE(Said("Background does not exist."));
  EXPECT_EQ(Room_Get(room)->record->tiles.size(), 2u);
  Call("room_tile_clear", {R(room)});
  EXPECT_EQ(Call("room_tile_add_ext", {R(room), R(back), R(0), R(0), R(1), R(1), R(0), R(0), R(0), R(1), R(1), R(1)}),
            0);
}

}  // namespace
