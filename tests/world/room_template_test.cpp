// Room templates changed while a game runs: a room being played keeps what
// it was made from, and creation code is compiled when it is set. (The
// games resource_rooms and resource_tile show the rest.)
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
