#include "requests/multiplayer.h"

#include "runtime/containers.h"
#include "runtime/text.h"

namespace {

// The player list grows by this many entries at a time.
constexpr int32_t kPlayerListStep = 8;

struct CurrentMessage {
  int32_t id = 0;
  int32_t player = 0;
  ScriptValue value;
};

struct MultiplayerState {
  uint8_t sessionMode = 0;
  uint8_t dataMode = 0;
  int32_t connectionStatus = 0;
  int32_t sessionStatus = 0;
  CurrentMessage message;

  DPlayMessage queue[kDPlayMaxQueuedMessages] = {};
  uint8_t queueFlags[kDPlayMaxQueuedMessages] = {};
  int32_t queueCount = 0;

  // Both arrays are as long as the list's capacity; the first playerCount
  // entries are in use.
  int32_t playerCount = 0;
  cARRAY_STRUCTURE<int32_t> playerIds;
  cARRAY_MEMORY<char> playerNames;

  cARRAY_STRUCTURE<ScriptValue> slots;
};

MultiplayerState g_multiplayer;

bool IsDataIndex(int32_t index) { return index >= 0 && index <= kDPlayMaxDataIndex; }

void SetEmptyReal(ScriptValue* value) {
  value->kind = kValueReal;
  value->text = nullptr;
  value->real = 0.0;
}

}  // namespace

// Without a transport no connection, session, send or receive can succeed;
// each operation answers as a failed attempt would.

bool DPlay_InitIPX() { return false; }
bool DPlay_InitTCPIP(const char* /*address*/) { return false; }
bool DPlay_InitModem(const char* /*phoneNumber*/, const char* /*initialisation*/) { return false; }
bool DPlay_InitSerial(int32_t /*port*/, int32_t /*baudRate*/, int32_t /*stopBits*/, int32_t /*parity*/,
                      int32_t /*flowControl*/) {
  return false;
}
void DPlay_End() {}
int32_t DPlay_GetConnectionStatus() { return g_multiplayer.connectionStatus; }

void DPlay_SetSessionMode(bool moveHost) { g_multiplayer.sessionMode = moveHost ? 1 : 0; }
bool DPlay_GetSessionMode() { return g_multiplayer.sessionMode != 0; }
bool DPlay_CreateSession(const char* /*sessionName*/, int32_t /*maxPlayers*/, const char* /*playerName*/) {
  return false;
}
void DPlay_EndSession() {}
int32_t DPlay_FindSessions() { return 0; }
char* DPlay_GetSessionName(int32_t /*session*/) { return nullptr; }
bool DPlay_JoinSession(int32_t /*session*/, const char* /*playerName*/) { return false; }
int32_t DPlay_GetSessionStatus() { return g_multiplayer.sessionStatus; }

int32_t DPlay_FindPlayers() { return 0; }
char* DPlay_GetPlayerName(int32_t /*player*/) { return nullptr; }
int32_t DPlay_GetPlayerId(int32_t /*player*/) { return 0; }

bool DPlay_WriteData(int32_t /*index*/, const ScriptValue& /*value*/) { return false; }
void DPlay_ReadData(int32_t /*index*/, ScriptValue* value) { SetEmptyReal(value); }
void DPlay_SetDataMode(bool guaranteed) { g_multiplayer.dataMode = guaranteed ? 1 : 0; }
bool DPlay_GetDataMode() { return g_multiplayer.dataMode != 0; }

bool DPlay_SendMessage(int32_t /*player*/, int32_t /*id*/, const ScriptValue& /*value*/) { return false; }
bool DPlay_SendMessageGuaranteed(int32_t /*player*/, int32_t /*id*/, const ScriptValue& /*value*/) { return false; }
bool DPlay_SendMessageToName(const char* /*player*/, int32_t /*id*/, const ScriptValue& /*value*/) { return false; }
bool DPlay_SendMessageGuaranteedToName(const char* /*player*/, int32_t /*id*/, const ScriptValue& /*value*/) {
  return false;
}
bool DPlay_ReceiveMessage(int32_t /*player*/) { return false; }
bool DPlay_ReceiveMessageFromName(const char* /*player*/) { return false; }
int32_t DPlay_GetMessageCount(int32_t /*player*/) { return 0; }
void DPlay_ClearMessages(int32_t /*player*/) {}

void DPlay_GetIPAddress(char* buffer, size_t size) {
  if (buffer != nullptr && size > 0) buffer[0] = 0;
}

int32_t DPlay_GetMessageId() { return g_multiplayer.message.id; }
int32_t DPlay_GetMessagePlayer() { return g_multiplayer.message.player; }

ScriptValue DPlay_GetMessageValue() {
  ScriptValue copy;
  ScriptValue_Copy(&copy, &g_multiplayer.message.value);
  return copy;
}

char* DPlay_GetMessageName() {
  const MultiplayerState& s = g_multiplayer;
  for (int32_t i = 0; i < s.playerCount; ++i) {
    if (s.playerIds[i] == s.message.player) return String_Duplicate(s.playerNames[i]);
  }
  return String_Duplicate("(unknown)");
}

void DPlay_SetCurrentMessage(int32_t id, int32_t player, const ScriptValue& value) {
  g_multiplayer.message.id = id;
  g_multiplayer.message.player = player;
  ScriptValue_Assign(&g_multiplayer.message.value, &value);
}

bool DPlay_QueueMessage(const DPlayMessage& message, uint8_t flag) {
  MultiplayerState& s = g_multiplayer;
  if (s.queueCount >= kDPlayMaxQueuedMessages) return false;
  s.queue[s.queueCount] = message;
  s.queueFlags[s.queueCount] = flag;
  ++s.queueCount;
  return true;
}

int32_t DPlay_QueuedMessageCount() { return g_multiplayer.queueCount; }

void DPlay_ClearMessageQueue() {
  MultiplayerState& s = g_multiplayer;
  for (int32_t i = 0; i < s.queueCount; ++i) {
    s.queue[i] = DPlayMessage{};
    s.queueFlags[i] = 0;
  }
  s.queueCount = 0;
}

void DPlay_AddPlayer(int32_t id, const char* name) {
  MultiplayerState& s = g_multiplayer;
  if (s.playerCount == s.playerIds.length) {
    const int32_t capacity = s.playerCount + kPlayerListStep;
    s.playerIds.SetLength(capacity);
    s.playerNames.SetLength(capacity);
  }
  s.playerIds[s.playerCount] = id;
  s.playerNames[s.playerCount] = String_Duplicate(name == nullptr ? "" : name);
  ++s.playerCount;
}

int32_t DPlay_PlayerCount() { return g_multiplayer.playerCount; }
int32_t DPlay_PlayerCapacity() { return g_multiplayer.playerIds.length; }

const char* DPlay_PlayerListName(int32_t i) {
  return i >= 0 && i < g_multiplayer.playerCount ? g_multiplayer.playerNames[i] : nullptr;
}

bool DPlay_StoreDataSlot(int32_t index, const ScriptValue& value) {
  // Negative indices are refused like those above the limit: they would
  // reach before the array.
  if (!IsDataIndex(index)) return false;
  cARRAY_STRUCTURE<ScriptValue>& slots = g_multiplayer.slots;
  // New slots come zero-filled, which is an empty real.
  if (index >= slots.length) slots.SetLength(index + 1);
  ScriptValue_Assign(&slots[index], &value);
  return true;
}

bool DPlay_LoadDataSlot(int32_t index, ScriptValue* value) {
  const cARRAY_STRUCTURE<ScriptValue>& slots = g_multiplayer.slots;
  if (!IsDataIndex(index)) {
    SetEmptyReal(value);
    return false;
  }
  if (index >= slots.length) {
    SetEmptyReal(value);
  } else {
    ScriptValue_Copy(value, &slots[index]);
  }
  return true;
}

int32_t DPlay_DataSlotCount() { return g_multiplayer.slots.length; }

void DPlay_Free() {
  MultiplayerState& s = g_multiplayer;
  s.sessionMode = 0;
  s.dataMode = 0;
  s.connectionStatus = 0;
  s.sessionStatus = 0;
  ScriptValue_Release(&s.message.value);
  s.message = CurrentMessage{};
  DPlay_ClearMessageQueue();
  s.playerCount = 0;
  s.playerIds.SetLength(0);
  s.playerNames.SetLength(0);
  for (int32_t i = 0; i < s.slots.length; ++i) ScriptValue_Release(&s.slots[i]);
  s.slots.SetLength(0);
}
