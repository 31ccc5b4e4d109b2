// The multiplayer back end without a transport: what every operation
// answers, and the state a transport would fill (player list, message
// queue, data slots, current message), which must hold what it is given and
// give all of it back at the end.
#include "requests/multiplayer.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/memory.h"

namespace {

class Multiplayer : public testing::Test {
 protected:
  void TearDown() override { DPlay_Free(); }

  static ScriptValue Real(double real) {
    ScriptValue value;
    value.real = real;
    return value;
  }
  // The message name as a string, its text freed.
  static std::string MessageName() {
    char* name = DPlay_GetMessageName();
    std::string copy = name == nullptr ? "<null>" : name;
    MemoryManager::Free(name);
    return copy;
  }
};

TEST_F(Multiplayer, EveryOperationThatNeedsATransportFails) {
  ScriptValue text;
  ScriptValue_SetString(&text, "hi");
  EXPECT_FALSE(DPlay_InitIPX());
  EXPECT_FALSE(DPlay_InitTCPIP("127.0.0.1"));
  EXPECT_FALSE(DPlay_InitModem("555", "ATZ"));
  EXPECT_FALSE(DPlay_InitSerial(1, 9600, 0, 0, 0));
  EXPECT_FALSE(DPlay_CreateSession("s", 4, "p"));
  EXPECT_FALSE(DPlay_JoinSession(0, "p"));
  EXPECT_EQ(DPlay_FindSessions(), 0);
  EXPECT_EQ(DPlay_GetSessionName(0), nullptr);
  EXPECT_EQ(DPlay_FindPlayers(), 0);
  EXPECT_EQ(DPlay_GetPlayerName(0), nullptr);
  EXPECT_EQ(DPlay_GetPlayerId(0), 0);
  EXPECT_FALSE(DPlay_WriteData(3, text));
  EXPECT_FALSE(DPlay_SendMessage(1, 2, text));
  EXPECT_FALSE(DPlay_SendMessageGuaranteed(1, 2, text));
  EXPECT_FALSE(DPlay_SendMessageToName("bob", 2, text));
  EXPECT_FALSE(DPlay_SendMessageGuaranteedToName("bob", 2, text));
  EXPECT_FALSE(DPlay_ReceiveMessage(0));
  EXPECT_FALSE(DPlay_ReceiveMessageFromName("bob"));
  EXPECT_EQ(DPlay_GetMessageCount(0), 0);
  DPlay_ClearMessages(0);
  DPlay_End();
  DPlay_EndSession();
  EXPECT_EQ(DPlay_GetConnectionStatus(), 0);
  EXPECT_EQ(DPlay_GetSessionStatus(), 0);

  // A read fills over whatever the caller's value held.
  ScriptValue read = Real(5);
  DPlay_ReadData(3, &read);
  EXPECT_EQ(read.kind, kValueReal);
  EXPECT_EQ(read.real, 0.0);
  char address[8] = "garbage";
  DPlay_GetIPAddress(address, sizeof address);
  EXPECT_STREQ(address, "");

  EXPECT_EQ(DPlay_GetMessageId(), 0);
  EXPECT_EQ(DPlay_GetMessagePlayer(), 0);
  ScriptValue value = DPlay_GetMessageValue();
  EXPECT_EQ(value.kind, kValueReal);
  EXPECT_EQ(value.real, 0.0);
  EXPECT_EQ(MessageName(), "(unknown)");
  ScriptValue_Release(&text);
}

TEST_F(Multiplayer, TheMessageNameIsTheFirstPlayerWithTheSendersId) {
  ScriptValue nothing;
  DPlay_SetCurrentMessage(1, 7, nothing);
  EXPECT_EQ(MessageName(), "(unknown)");
  DPlay_AddPlayer(7, "ann");
  DPlay_AddPlayer(7, "bob");
  EXPECT_EQ(MessageName(), "ann");
  DPlay_SetCurrentMessage(1, 8, nothing);
  EXPECT_EQ(MessageName(), "(unknown)");
}

TEST_F(Multiplayer, ThePlayerListGrowsByEightAndKeepsEveryName) {
  std::string name;
  for (int32_t i = 0; i < 17; ++i) {
    name = "player" + std::to_string(i);
    DPlay_AddPlayer(100 + i, name.c_str());
    if (i == 0) {
      EXPECT_EQ(DPlay_PlayerCapacity(), 8);
    }
    if (i == 8) {
      EXPECT_EQ(DPlay_PlayerCapacity(), 16);
    }
  }
  name.assign("changed");  // the list holds copies
  EXPECT_EQ(DPlay_PlayerCount(), 17);
  EXPECT_EQ(DPlay_PlayerCapacity(), 24);
  for (int32_t i = 0; i < 17; ++i) EXPECT_STREQ(DPlay_PlayerListName(i), ("player" + std::to_string(i)).c_str());
  EXPECT_EQ(DPlay_PlayerListName(17), nullptr);
  EXPECT_EQ(DPlay_PlayerListName(-1), nullptr);
  ScriptValue nothing;
  DPlay_SetCurrentMessage(0, 116, nothing);
  EXPECT_EQ(MessageName(), "player16");
  DPlay_Free();
  EXPECT_EQ(DPlay_PlayerCount(), 0);
  EXPECT_EQ(DPlay_PlayerCapacity(), 0);
  EXPECT_EQ(MessageName(), "(unknown)");
}

TEST_F(Multiplayer, TheQueueTakesFourThousandMessages) {
  for (int32_t i = 0; i < kDPlayMaxQueuedMessages; ++i) {
    ASSERT_TRUE(DPlay_QueueMessage(DPlayMessage{{uint64_t(i), 0, 0, 0}}, 1)) << i;
  }
  EXPECT_EQ(DPlay_QueuedMessageCount(), 4000);
  EXPECT_FALSE(DPlay_QueueMessage(DPlayMessage{}, 1));
  EXPECT_EQ(DPlay_QueuedMessageCount(), 4000);
  DPlay_ClearMessageQueue();
  EXPECT_EQ(DPlay_QueuedMessageCount(), 0);
  EXPECT_TRUE(DPlay_QueueMessage(DPlayMessage{}, 0));
  EXPECT_EQ(DPlay_QueuedMessageCount(), 1);
}

TEST_F(Multiplayer, DataSlotsGrowToTheIndexAndRefuseNegativeOrHugeIndices) {
  ScriptValue text;
  ScriptValue_SetString(&text, "shared");
  EXPECT_TRUE(DPlay_StoreDataSlot(3, text));
  EXPECT_EQ(DPlay_DataSlotCount(), 4);
  ScriptValue read;
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(DPlay_LoadDataSlot(i, &read));
    EXPECT_EQ(read.kind, kValueReal);
    EXPECT_EQ(read.real, 0.0);
  }
  EXPECT_TRUE(DPlay_LoadDataSlot(3, &read));
  EXPECT_EQ(read.kind, kValueString);
  EXPECT_STREQ(ScriptValue_Text(read), "shared");
  EXPECT_NE(read.text, text.text);
  ScriptValue_Release(&read);
  // Overwriting a string frees it (LeakSanitizer would say otherwise).
  EXPECT_TRUE(DPlay_StoreDataSlot(3, Real(2)));
  EXPECT_TRUE(DPlay_LoadDataSlot(3, &read));
  EXPECT_EQ(read.real, 2.0);

  EXPECT_TRUE(DPlay_LoadDataSlot(9, &read));
  EXPECT_EQ(read.real, 0.0);
  EXPECT_EQ(DPlay_DataSlotCount(), 4);

  for (int32_t refused : {-1, INT32_MIN, kDPlayMaxDataIndex + 1}) {
    SCOPED_TRACE(refused);
    EXPECT_FALSE(DPlay_StoreDataSlot(refused, text));
    read = Real(7);
    EXPECT_FALSE(DPlay_LoadDataSlot(refused, &read));
    EXPECT_EQ(read.kind, kValueReal);
    EXPECT_EQ(read.real, 0.0);
  }
  EXPECT_EQ(DPlay_DataSlotCount(), 4);
  EXPECT_TRUE(DPlay_StoreDataSlot(kDPlayMaxDataIndex, text));
  EXPECT_EQ(DPlay_DataSlotCount(), kDPlayMaxDataIndex + 1);
  EXPECT_TRUE(DPlay_LoadDataSlot(kDPlayMaxDataIndex, &read));
  EXPECT_STREQ(ScriptValue_Text(read), "shared");
  ScriptValue_Release(&read);
  ScriptValue_Release(&text);
  DPlay_Free();
  EXPECT_EQ(DPlay_DataSlotCount(), 0);
}

TEST_F(Multiplayer, TheMessageValueIsHandedOutAsACopy) {
  ScriptValue text;
  ScriptValue_SetString(&text, "hello");
  DPlay_SetCurrentMessage(4, 9, text);
  ScriptValue_Release(&text);
  EXPECT_EQ(DPlay_GetMessageId(), 4);
  EXPECT_EQ(DPlay_GetMessagePlayer(), 9);
  ScriptValue first = DPlay_GetMessageValue();
  ScriptValue second = DPlay_GetMessageValue();
  EXPECT_EQ(first.kind, kValueString);
  EXPECT_STREQ(ScriptValue_Text(first), "hello");
  EXPECT_NE(first.text, second.text);
  ScriptValue_Release(&first);
  ScriptValue_Release(&second);
  // A new current message replaces the old text.
  DPlay_SetCurrentMessage(5, 9, Real(1.5));
  ScriptValue value = DPlay_GetMessageValue();
  EXPECT_EQ(value.kind, kValueReal);
  EXPECT_EQ(value.real, 1.5);
}

// The state lives in globals, where a leak sanitizer still sees it as
// reachable; the memory manager's count shows what the end gives back.
TEST_F(Multiplayer, TheEndGivesBackEveryBlock) {
  const uint32_t before = MemoryManager::BytesInUse();
  ScriptValue text;
  ScriptValue_SetString(&text, "kept");
  for (int32_t i = 0; i < 9; ++i) DPlay_AddPlayer(i, "someone");
  DPlay_StoreDataSlot(20, text);
  DPlay_SetCurrentMessage(1, 2, text);
  DPlay_QueueMessage(DPlayMessage{}, 1);
  ScriptValue_Release(&text);
  EXPECT_GT(MemoryManager::BytesInUse(), before);
  DPlay_Free();
  EXPECT_EQ(MemoryManager::BytesInUse(), before);
}

}  // namespace
