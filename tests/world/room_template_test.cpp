// Room templates changed while a game runs: assigned and duplicated rooms
// own their definitions, a room being played keeps what it was made from,
// and creation code is compiled when it is set.
#include <string>

#include "world/world_actions_test_support.h"

namespace {

class RoomTemplates : public ActionWorld {
 protected:
  // A template outside the room order with `count` entries of object 0.
  int32_t Template(int32_t count) {
    const int32_t room = Room_Add();
    for (int32_t i = 0; i < count; ++i) Room_AddInstanceEntry(room, 4.0f * static_cast<float>(i), 0.0f, 0);
    return room;
  }
  static size_t Entries(int32_t room) { return Room_Get(room)->record->instances.size(); }
};

TEST_F(RoomTemplates, AnAssignedTemplateMakesNoInstancesUntilItIsEntered) {
  MakeObject(0);
  StartRooms(1);
  const int32_t source = Template(1);
  const int32_t target = Template(2);
  Room_Get(source)->width = 300;
  const int32_t sourceId = Room_Get(source)->record->instances[0].id;

  ASSERT_TRUE(Room_Assign(target, source));
  EXPECT_EQ(Object_Get(0)->instances.count, 0);
  EXPECT_EQ(Room_Get(target)->active.count, 0);
  EXPECT_EQ(Instance_Find(sourceId), nullptr);
  EXPECT_EQ(Room_Get(target)->width, 300);
  EXPECT_STREQ(Room_Name(target), ("__newroom" + std::to_string(target)).c_str());
  EXPECT_EQ(Entries(target), 1u);

  // The copy is the target's own.
  Room_AddInstanceEntry(source, 1.0f, 1.0f, 0);
  EXPECT_EQ(Entries(target), 1u);
  ASSERT_TRUE(Run_ChangeRoom(target));
  ASSERT_EQ(g_currentRoom->active.count, 1);
  EXPECT_EQ(g_currentRoom->active.head->id, sourceId);
  EXPECT_EQ(g_currentRoom->width, 300);
}

TEST_F(RoomTemplates, DuplicatesOwnTheirDefinitions) {
  const int32_t source = Template(1);
  const int32_t copy = Room_Duplicate(source);
  ASSERT_GE(copy, 0);
  Room_AddInstanceEntry(copy, 40.0f, 40.0f, 0);
  EXPECT_EQ(Entries(source), 1u);
  EXPECT_EQ(Entries(copy), 2u);
  Room_ClearInstanceEntries(source);
  EXPECT_EQ(Entries(copy), 2u);
}

TEST_F(RoomTemplates, ARoomBeingPlayedKeepsTheDefinitionItWasMadeFrom) {
  MakeObject(0);
  const int32_t room = Template(2);
  g_roomOrder.push_back(room);
  ASSERT_TRUE(StartGame());
  ASSERT_EQ(g_currentRoom->active.count, 2);
  Room_ClearInstanceEntries(room);
  Room_AddInstanceEntry(room, 9.0f, 9.0f, 0);
  EXPECT_EQ(g_currentRoom->record->instances.size(), 2u);
  EXPECT_EQ(g_currentRoom->active.count, 2);
  EXPECT_EQ(Entries(room), 1u);
  ASSERT_TRUE(Run_ChangeRoom(room));
  ASSERT_EQ(g_currentRoom->active.count, 1);
  EXPECT_EQ(g_currentRoom->active.head->x, 9.0f);
}

TEST_F(RoomTemplates, CreationCodeIsCompiledWhenSetAndABadTextLeavesNone) {
  const int32_t room = Room_Add();
  g_roomOrder.push_back(room);
  ASSERT_TRUE(Room_SetCode(room, "x = 1"));
  ASSERT_TRUE(StartGame());
  const CCode* entered = g_currentRoom->code.get();
  ASSERT_NE(entered, nullptr);

  EXPECT_FALSE(Room_SetCode(room, "x = "));
  EXPECT_TRUE(Said("COMPILATION ERROR in room script"));
  EXPECT_EQ(Room_Get(room)->code, nullptr);
  EXPECT_EQ(Room_Get(room)->codeText, nullptr);
  EXPECT_EQ(g_currentRoom->code.get(), entered) << "the room being played keeps its code";
  // A megabyte of text, or nesting deeper than the compiler goes, is an
  // error like any other.
  std::string sum = "x = 1";
  while (sum.size() < (1u << 20)) sum += "+1";
  EXPECT_FALSE(Room_SetCode(room, sum.c_str()));
  EXPECT_FALSE(Room_SetCode(room, std::string(1u << 20, '@').c_str()));
  EXPECT_FALSE(Room_SetCode(room, std::string(100000, '{').c_str()));
  EXPECT_FALSE(Room_SetCode(room, ("x = " + std::string(100000, '(') + "1").c_str()));
  EXPECT_FALSE(Error_Stopping());

  ASSERT_TRUE(Room_SetCode(room, "x = 2"));
  EXPECT_TRUE(Room_SetCode(room, ""));
  EXPECT_EQ(Room_Get(room)->code, nullptr);
  EXPECT_FALSE(Room_SetCode(99, "x = 1"));
}

}  // namespace
