// Connections, sessions, players, shared data and messages between the
// players of one game. Linux offers no transport for them, so every
// operation that would need one answers failure or nothing, without a
// socket, a thread or a name lookup; the operations are where a transport
// would plug in. What the built-ins read back is kept here: the two mode
// flags, the status words, the current message, the message queue, the
// player list and the shared data slots. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/script_value.h"

// Connections. Each answers whether the connection could be made.
bool DPlay_InitIPX();
bool DPlay_InitTCPIP(const char* address);
bool DPlay_InitModem(const char* phoneNumber, const char* initialisation);
bool DPlay_InitSerial(int32_t port, int32_t baudRate, int32_t stopBits, int32_t parity, int32_t flowControl);
void DPlay_End();
int32_t DPlay_GetConnectionStatus();

// Sessions. The session mode says whether the host may move to another
// player when it leaves.
void DPlay_SetSessionMode(bool moveHost);
bool DPlay_GetSessionMode();
bool DPlay_CreateSession(const char* sessionName, int32_t maxPlayers, const char* playerName);
void DPlay_EndSession();
int32_t DPlay_FindSessions();
// A new text, or null when there is no such session.
char* DPlay_GetSessionName(int32_t session);
bool DPlay_JoinSession(int32_t session, const char* playerName);
int32_t DPlay_GetSessionStatus();

// Players found in the session.
int32_t DPlay_FindPlayers();
// A new text, or null when there is no such player.
char* DPlay_GetPlayerName(int32_t player);
int32_t DPlay_GetPlayerId(int32_t player);

// Shared data. The guaranteed flag asks for delivery that is never lost.
bool DPlay_WriteData(int32_t index, const ScriptValue& value);
// Fills *value (whose old text the caller has released) with what the
// session shares in the slot; real 0 while there is no session.
void DPlay_ReadData(int32_t index, ScriptValue* value);
void DPlay_SetDataMode(bool guaranteed);
bool DPlay_GetDataMode();

// Messages between players, to a player by id or by name.
bool DPlay_SendMessage(int32_t player, int32_t id, const ScriptValue& value);
bool DPlay_SendMessageGuaranteed(int32_t player, int32_t id, const ScriptValue& value);
bool DPlay_SendMessageToName(const char* player, int32_t id, const ScriptValue& value);
bool DPlay_SendMessageGuaranteedToName(const char* player, int32_t id, const ScriptValue& value);
// Fetches the next message from the player into the current message.
bool DPlay_ReceiveMessage(int32_t player);
bool DPlay_ReceiveMessageFromName(const char* player);
int32_t DPlay_GetMessageCount(int32_t player);
void DPlay_ClearMessages(int32_t player);

// This machine's address in the session, written into buffer (size bytes,
// at least 1); empty when there is none.
void DPlay_GetIPAddress(char* buffer, size_t size);

// The current message: the last one received.
int32_t DPlay_GetMessageId();
int32_t DPlay_GetMessagePlayer();
// Its value; a string value carries a new copy of the text, which the
// caller owns.
ScriptValue DPlay_GetMessageValue();
// A new text: the name the player list holds for the sender (its first
// entry with that id), else "(unknown)".
char* DPlay_GetMessageName();
// Makes a message the current one; the value is copied.
void DPlay_SetCurrentMessage(int32_t id, int32_t player, const ScriptValue& value);

// The queue of messages that arrived and wait to be received.
struct DPlayMessage {
  uint64_t words[4];
};
constexpr int32_t kDPlayMaxQueuedMessages = 4000;
// False, leaving the queue as it is, when it is full.
bool DPlay_QueueMessage(const DPlayMessage& message, uint8_t flag);
int32_t DPlay_QueuedMessageCount();
void DPlay_ClearMessageQueue();

// The player list a transport fills while it enumerates the players.
void DPlay_AddPlayer(int32_t id, const char* name);
int32_t DPlay_PlayerCount();
// The entries the list has room for before it grows again.
int32_t DPlay_PlayerCapacity();
// The name of entry i, or null outside the list.
const char* DPlay_PlayerListName(int32_t i);

// The shared data slots a transport keeps. Index 0 to 1000000; a store
// grows the slots to index + 1, the new ones empty reals.
constexpr int32_t kDPlayMaxDataIndex = 1000000;
bool DPlay_StoreDataSlot(int32_t index, const ScriptValue& value);
// Fills *value (whose old text the caller has released) with a copy of the
// slot; false, with real 0, outside the slots.
bool DPlay_LoadDataSlot(int32_t index, ScriptValue* value);
int32_t DPlay_DataSlotCount();

// Frees the player list, the data slots and the current message's text and
// puts everything back as it started; run at the program's end.
void DPlay_Free();
