#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "gamefile/game_header.h"
#include "physics/physics_world.h"
#include "platform/cursors.h"
#include "resources/background.h"
#include "runtime/globals.h"
#include "runtime/run_flags.h"
#include "script/events/event_world_seam.h"
#include "script/variables/world_seam.h"
#include "shell/window.h"
#include "support/script_host_fake.h"
#include "support/test_support.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/start/service_list.h"
#include "world/start/world_teardown.h"

namespace {

// A hand-written game image: words appended, offsets patched later.
class Bytes {
 public:
  size_t Here() const { return bytes_.size(); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void F32(float f) {
    uint32_t v;
    std::memcpy(&v, &f, 4);
    U32(v);
  }
  void Patch(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  size_t Text(const char* text) {
    size_t at = Here();
    for (const char* c = text; *c != '\0'; ++c) bytes_.push_back(static_cast<uint8_t>(*c));
    bytes_.push_back(0);
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    return at;
  }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_ = std::vector<uint8_t>(8, 0);  // nothing valid sits at offset 0
};

// One room record with a stretched background, `backgrounds` background
// entries, one instance entry and one tile entry.
std::vector<uint8_t> RoomImage(int32_t stretchBackground, int32_t backgrounds, uint64_t* recordAt) {
  Bytes b;
  size_t name = b.Text("room_a");
  size_t caption = b.Text("Caption");
  size_t record = b.Here();
  *recordAt = record;
  for (uint32_t v : {uint32_t(name), uint32_t(caption), 800u, 600u, 60u, 1u, 0x112233u, 1u, 0u, 1u}) b.U32(v);
  size_t lists = b.Here();
  for (int i = 0; i < 4; ++i) b.U32(0);
  for (uint32_t v : {1u, 0u, 0u, 800u, 600u}) b.U32(v);
  b.F32(9.8f);
  b.F32(-9.8f);
  b.F32(0.1f);
  size_t list = b.Here();
  b.Patch(lists, static_cast<uint32_t>(list));
  b.U32(static_cast<uint32_t>(backgrounds));
  size_t slots = b.Here();
  for (int i = 0; i < backgrounds; ++i) b.U32(0);
  for (int i = 0; i < backgrounds; ++i) {
    b.Patch(slots + 4 * static_cast<size_t>(i), static_cast<uint32_t>(b.Here()));
    for (int32_t v : {1, 0, stretchBackground, 5, 6, 1, 0, 2, 3, 1}) b.U32(static_cast<uint32_t>(v));
  }
  b.Patch(lists + 8, static_cast<uint32_t>(b.Here()));
  b.U32(1);
  b.U32(static_cast<uint32_t>(b.Here() + 4));
  for (int32_t v : {10, 20, 0, 100007, 0}) b.U32(static_cast<uint32_t>(v));
  b.F32(2.0f);
  b.F32(3.0f);
  b.U32(0x80FFFFFFu);
  b.F32(45.0f);
  b.Patch(lists + 12, static_cast<uint32_t>(b.Here()));
  b.U32(1);
  b.U32(static_cast<uint32_t>(b.Here() + 4));
  for (int32_t v : {100, 100, 0, 0, 0, 16, 16, -5, 10000009}) b.U32(static_cast<uint32_t>(v));
  b.F32(1.0f);
  b.F32(1.0f);
  b.U32(0x40000080u);
  return b.Take();
}

class RoomWorld : public testing::Test {
 protected:
  void SetUp() override {
    Object_Init();
    FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
    Background_Init();
    if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
    FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
    Room_Init();
    ServiceList_Install();
    g_gameHeader.lastInstanceId = 100050;
    g_gameHeader.lastTileId = 10000000;
    g_formatVersion = 8;
  }
  void TearDown() override {
    World_TearDownForTest();
    Background_Shutdown();
    Object_Shutdown();
    g_roomOrder.clear();
  }

  CObject* MakeObject(int32_t index, int32_t depth, bool persistent) {
    CObject* object = Object_Place(index);
    object->depth = depth;
    object->flags = kObjectVisible | (persistent ? kObjectPersistent : 0u);
    return object;
  }

  // A room template of `count` instance entries of an object, in the order.
  int32_t AddRoom(int32_t object, int32_t count, bool persistent) {
    int32_t index = Room_Add();
    for (int32_t i = 0; i < count; ++i) Room_AddInstanceEntry(index, static_cast<float>(i), 0.0f, object);
    Room_Get(index)->persistent = persistent;
    g_roomOrder.push_back(index);
    return index;
  }

  bool Load(const std::vector<uint8_t>& bytes, uint64_t record) {
    image_.Assign(bytes);
    // The chunk itself is a one-room table placed at the end of the image.
    std::vector<uint8_t> all = bytes;
    uint64_t table = all.size();
    for (uint32_t v : {1u, static_cast<uint32_t>(record)}) {
      for (int i = 0; i < 4; ++i) all.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    image_.Assign(all);
    return Room_Load(image_, table, 8);
  }

  std::vector<float> Depths(const InstanceList& list) {
    std::vector<float> depths;
    for (CInstance* i = list.head; i != nullptr; i = i->next) depths.push_back(i->depth);
    return depths;
  }

  GameImage image_;
  testsupport::ConsoleCapture quiet_;
};

TEST_F(RoomWorld, InsertByDepthKeepsAscendingOrderAndInsertionOrderAmongEquals) {
  InstanceList list;
  std::vector<CInstance*> made;
  for (float depth : {5.0f, 3.0f, 5.0f, 3.0f}) {
    made.push_back(new CInstance(0, 0, 0, -1, false));
    made.back()->depth = depth;
    InstanceList_InsertByDepth(&list, made.back());
  }
  std::vector<CInstance*> order;
  for (CInstance* i = list.head; i != nullptr; i = i->next) order.push_back(i);
  EXPECT_EQ(order, (std::vector<CInstance*>{made[1], made[3], made[0], made[2]}));
  EXPECT_EQ(list.tail, made[2]);
  EXPECT_EQ(list.count, 4);
  // Unlinking the head, the middle and the tail keeps both directions sound.
  InstanceList_Unlink(&list, made[1]);
  InstanceList_Unlink(&list, made[0]);
  InstanceList_Unlink(&list, made[2]);
  EXPECT_EQ(list.head, made[3]);
  EXPECT_EQ(list.tail, made[3]);
  EXPECT_EQ(made[3]->prev, nullptr);
  EXPECT_EQ(made[3]->next, nullptr);
  EXPECT_EQ(list.count, 1);
  for (CInstance* i : made) delete i;
}

TEST_F(RoomWorld, RecordFieldsAreReadAndConverted) {
  int32_t empty = Background_AddEmpty();
  uint64_t record = 0;
  std::vector<uint8_t> bytes = RoomImage(empty, 9, &record);
  ASSERT_TRUE(Load(bytes, record));
  CRoom* room = Room_Get(0);
  ASSERT_NE(room, nullptr);
  EXPECT_STREQ(Room_Name(0), "room_a");
  EXPECT_EQ(Room_Find("room_a"), 0);
  EXPECT_STREQ(room->caption, "Caption");
  EXPECT_EQ(room->width, 800);
  EXPECT_EQ(room->speed, 60);
  EXPECT_TRUE(room->persistent);
  EXPECT_EQ(room->colour, 0x112233);
  EXPECT_TRUE(room->viewsEnabled);
  EXPECT_EQ(room->gravityX, 9);
  EXPECT_EQ(room->gravityY, -9);
  EXPECT_FLOAT_EQ(room->pixelsPerMetre, 0.1f);
  EXPECT_EQ(room->physicsRight, 800);
  // The template's world takes the scale, the room speed and the gravity as
  // whole numbers; a runtime copy gets a world of its own with the same.
  ASSERT_NE(room->physicsWorld, nullptr);
  EXPECT_FLOAT_EQ(room->physicsWorld->scale, 0.1f);
  EXPECT_EQ(room->physicsWorld->updateSpeed, 60);
  EXPECT_EQ(room->physicsWorld->GravityY(), -9.0f);
  // Nine entries fill the eight layers; the background of width 0 keeps
  // its scale although stretched.
  EXPECT_EQ(room->record->backgrounds.size(), 8u);
  EXPECT_EQ(room->backgrounds[7].index, empty);
  EXPECT_EQ(room->backgrounds[0].xscale, 1.0f);
  EXPECT_EQ(room->backgrounds[0].x, 5.0f);
  EXPECT_EQ(room->backgrounds[0].tileVertical, 0);
  EXPECT_EQ(room->views[0].viewWidth, 640);

  // A runtime copy: the entry keeps its id, the colour splits into blend and
  // alpha, and new instances continue from the header's last id.
  CRoom copy;
  copy.Assign(room, true);
  ASSERT_NE(copy.physicsWorld, nullptr);
  EXPECT_NE(copy.physicsWorld, room->physicsWorld);
  EXPECT_EQ(copy.physicsWorld->GravityX(), 9.0f);
  ASSERT_EQ(copy.active.count, 1);
  CInstance* entry = copy.active.head;
  EXPECT_EQ(entry->id, 100007);
  EXPECT_EQ(entry->image_blend, 0xFFFFFF);
  EXPECT_FLOAT_EQ(entry->image_alpha, 128.0f / 255.0f);
  EXPECT_EQ(entry->image_xscale, 2.0f);
  EXPECT_EQ(entry->image_angle, 45.0f);
  EXPECT_EQ(Instance_Find(100007), entry);
  EXPECT_EQ(copy.AddInstance(0, 0, 0)->id, 100051);
  ASSERT_EQ(copy.tileCount, 1);
  EXPECT_EQ(copy.tiles[0].id, 10000009);
  EXPECT_EQ(copy.tiles[0].depth, -5.0f);
  EXPECT_EQ(copy.tiles[0].blend, 0x80u);
  EXPECT_FLOAT_EQ(copy.tiles[0].alpha, 64.0f / 255.0f);
  // The entry kept its file id without taking one: the next tile continues
  // from the header's last id.
  EXPECT_EQ(copy.tiles[copy.AddTile(CTile{})].id, 10000001);
}

TEST_F(RoomWorld, PhysicsFieldsAreNotReadBelowFormatSix) {
  g_formatVersion = 5;
  uint64_t record = 0;
  std::vector<uint8_t> bytes = RoomImage(-1, 1, &record);
  ASSERT_TRUE(Load(bytes, record));
  EXPECT_FALSE(Room_Get(0)->physicsEnabled);
  EXPECT_EQ(Room_Get(0)->gravityX, 0);
}

TEST_F(RoomWorld, DamagedChunksFailWithoutCrashing) {
  uint64_t record = 0;
  std::vector<uint8_t> bytes = RoomImage(-1, 1, &record);
  EXPECT_FALSE(Load(bytes, bytes.size() + 100));  // the record lies outside
  std::vector<uint8_t> huge = bytes;
  // A background count far beyond the file.
  size_t listWord = record + 40;
  uint32_t listAt = 0;
  std::memcpy(&listAt, &huge[listWord], 4);
  huge[listAt + 3] = 0x7F;
  EXPECT_FALSE(Load(huge, record));
  image_.Assign({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_FALSE(Room_Load(image_, 4, 4));
  // A physics room whose scale is not above 0 would divide by it.
  for (float scale : {0.0f, -0.1f, NAN}) {
    std::vector<uint8_t> unscaled = bytes;
    std::memcpy(&unscaled[record + 84], &scale, 4);
    EXPECT_FALSE(Load(unscaled, record));
  }
}

TEST_F(RoomWorld, TilesAreFoundDeletedShiftedAndSorted) {
  CRoom room;
  CTile tile;
  tile.x = 100;
  tile.y = 100;
  tile.width = 16;
  tile.height = 16;
  tile.depth = 0;
  int32_t first = room.AddTile(tile);
  EXPECT_EQ(room.tileCapacity, 10);
  EXPECT_EQ(room.TileAtPoint(108, 108, false), first);
  EXPECT_EQ(room.TileAtPoint(116, 108, false), -1);
  EXPECT_EQ(room.TileAtPoint(108, 108, true), -1);
  room.DeleteTilesAtPoint(116, 108, true);  // depth 0 goes either way
  EXPECT_EQ(room.tileCount, 0);

  for (int i = 0; i < 11; ++i) {
    tile.depth = i < 5 ? 1000.0f : 1000.5f;
    room.AddTile(tile);
  }
  EXPECT_EQ(room.tileCapacity, 20);
  int32_t lastId = room.tiles[10].id;
  EXPECT_EQ(room.FindTile(lastId), 10);
  EXPECT_EQ(room.FindTile(room.tiles[2].id), 2);
  EXPECT_EQ(room.FindTile(-7), -1);
  room.LayerShift(1000, 5, 0);
  room.LayerHide(1000);
  EXPECT_EQ(room.tiles[4].x, 105.0f);
  EXPECT_EQ(room.tiles[5].x, 100.0f);
  EXPECT_EQ(room.tiles[5].visible, 1);
  room.LayerDelete(1000);
  EXPECT_EQ(room.tileCount, 6);
  EXPECT_EQ(room.tiles[0].depth, 1000.5f);
  EXPECT_EQ(room.FindTile(lastId), 5);
}

TEST_F(RoomWorld, TileSortIsDescendingAndStable) {
  CRoom room;
  CTile tile;
  for (float depth : {1.0f, 2.0f}) {
    tile.depth = depth;
    room.AddTile(tile);
  }
  room.SortTiles();
  EXPECT_EQ(room.tiles[0].depth, 2.0f);

  CRoom last;
  for (float depth : {9.0f, 5.0f, 5.0f, 1.0f, 7.0f}) {
    tile.depth = depth;
    last.AddTile(tile);
  }
  int32_t firstFive = last.tiles[1].id;
  last.SortTiles();
  std::vector<float> depths;
  for (int32_t i = 0; i < last.tileCount; ++i) depths.push_back(last.tiles[i].depth);
  EXPECT_EQ(depths, (std::vector<float>{9, 7, 5, 5, 1}));
  EXPECT_EQ(last.tiles[2].id, firstFive);
}

TEST_F(RoomWorld, AddedAndDuplicatedRoomsStayOutOfTheOrder) {
  int32_t first = AddRoom(0, 0, false);
  int32_t added = Room_Add();
  EXPECT_STREQ(Room_Name(added), ("__newroom" + std::to_string(added)).c_str());
  EXPECT_EQ(Room_Next(first), -1);
  EXPECT_EQ(Room_Duplicate(99), -1);
  EXPECT_EQ(Room_Count(), 2);
  EXPECT_STREQ(Room_Name(99), "<undefined>");
  int32_t copy = Room_Duplicate(added);
  EXPECT_EQ(copy, 2);
  EXPECT_STREQ(Room_Name(copy), "__newroom2");
}

TEST_F(RoomWorld, PersistentRoomIsKeptAndReenteredWithoutCreation) {
  MakeObject(0, 0, false);
  int32_t a = AddRoom(0, 2, true);
  int32_t b = AddRoom(0, 1, false);
  ASSERT_TRUE(StartGame());
  CInstance* kept = g_currentRoom->active.head;
  EXPECT_EQ(kept->created, 1);
  kept->created = 7;  // a second creation run would reset it
  ASSERT_TRUE(Run_ChangeRoom(b));
  EXPECT_EQ(Instance_Find(kept->id), nullptr);
  EXPECT_EQ(Object_Get(0)->instances.count, 1);
  ASSERT_TRUE(Run_ChangeRoom(a));
  EXPECT_EQ(g_currentRoom->active.head, kept);
  EXPECT_EQ(kept->created, 7);
  EXPECT_EQ(Instance_Find(kept->id), kept);
  EXPECT_EQ(Object_Get(0)->instances.count, 2);
  EXPECT_EQ(RoomChange_RuntimeRoom(b), nullptr);
}

TEST_F(RoomWorld, PersistentInstancesTravelThroughTheCarryList) {
  MakeObject(0, 0, true);
  int32_t a = AddRoom(0, 11, false);
  int32_t b = AddRoom(0, 0, false);
  ASSERT_TRUE(StartGame());
  std::vector<int32_t> ids;
  for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next) ids.push_back(i->id);
  Run_EndRoom(false);
  EXPECT_EQ(RoomChange_CarryCount(), 11);
  EXPECT_EQ(RoomChange_CarryCapacity(), 16);
  EXPECT_EQ(Instance_Find(ids[0]), nullptr);
  ASSERT_TRUE(Run_StartRoom(b, false));
  EXPECT_EQ(RoomChange_CarryCount(), 0);
  std::vector<int32_t> arrived;
  for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next) {
    arrived.push_back(i->id);
    EXPECT_EQ(Instance_Find(i->id), i);
  }
  EXPECT_EQ(arrived, ids);
  // Back in the first room, whose entries carry the same ids: the carried
  // instances overwrite them instead of being added.
  ASSERT_TRUE(Run_ChangeRoom(a));
  EXPECT_EQ(g_currentRoom->active.count, 11);
  EXPECT_EQ(Object_Get(0)->instances.count, 11);
}

TEST_F(RoomWorld, CollidingIdsNeverLeaveADeletedInstanceInTheMap) {
  MakeObject(0, 0, false);
  int32_t a = AddRoom(0, 0, false);
  ASSERT_TRUE(StartGame());
  CInstance* first = g_currentRoom->AddInstance(0, 0, 0);
  CInstance* second = g_currentRoom->AddInstance(0, 0, 0);
  Instance_LeaveIdMap(second);
  second->id = first->id;
  Instance_EnterIdMap(second);
  first->markedForDeletion = 1;
  g_currentRoom->RemoveMarked();
  EXPECT_EQ(Instance_Find(second->id), second);
  (void)a;
}

TEST_F(RoomWorld, GameStartShowsOrHidesTheCursorAndGameEndShowsTheDefault) {
  MakeObject(0, 0, false);
  AddRoom(0, 1, false);
  for (bool shown : {false, true}) {
    g_showCursor = shown;
    Win_SetCursor(-11);  // whatever the window had before
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(Win_GetCursor(), shown ? 0 : -1);
    EXPECT_EQ(NativeCursor_Shown(), shown ? kCursorArrow : kCursorNone);
    Run_EndGame();
    EXPECT_EQ(Win_GetCursor(), 0);
    EXPECT_EQ(NativeCursor_Shown(), kCursorArrow);
  }
}

TEST_F(RoomWorld, MissingFirstRoomStopsTheStart) {
  EXPECT_FALSE(StartGame());
  g_roomOrder.push_back(4);
  EXPECT_FALSE(StartGame());
  EXPECT_EQ(g_currentRoom, nullptr);
  EXPECT_FALSE(Run_StartRoom(-3, false));
}

TEST_F(RoomWorld, DeactivationMovesInstancesBetweenLists) {
  MakeObject(0, 0, false);
  AddRoom(0, 3, false);
  ASSERT_TRUE(StartGame());
  CRoom* room = g_currentRoom;
  CInstance* middle = room->active.head->next;
  Instance_SetDeactivated(middle, true);
  room->ApplyActivation();
  EXPECT_EQ(room->active.count, 2);
  EXPECT_EQ(room->deactivated.head, middle);
  EXPECT_EQ(Object_Get(0)->instances.count, 2);
  Instance_SetDeactivated(middle, false);
  room->ApplyActivation();
  EXPECT_EQ(room->active.count, 3);
  EXPECT_EQ(Object_Get(0)->instances.count, 3);
}

}  // namespace
