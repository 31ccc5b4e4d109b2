// Shared data and messages between the players, and this machine's address.
#include "builtins/multiplayer/handlers.h"
#include "builtins/multiplayer/support.h"
#include "requests/multiplayer.h"

namespace {

// Hands a value the back end filled to the result, text and all, so the
// text is owned once.
void TakeValue(ScriptValue* result, const ScriptValue& value) {
  if (value.kind == kValueString) {
    Result_TakeText(result, value.text);
  } else {
    Result_SetReal(result, value.real);
  }
}

// A string names the player, a real gives its id.
using SendById = bool (*)(int32_t, int32_t, const ScriptValue&);
using SendByName = bool (*)(const char*, int32_t, const ScriptValue&);
bool Send(const BuiltinArgs& a, SendById byId, SendByName byName) {
  const ScriptValue& value = a.Value(2);
  if (a.IsString(0)) return byName(a.Text(0), a.Int(1), value);
  return byId(a.Int(0), a.Int(1), value);
}

}  // namespace

void F_MplayDataWrite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, a.Has(1) && DPlay_WriteData(a.Int(0), a.Value(1)));
}

void F_MplayDataRead(KV_BUILTIN_PARAMS) {
  ScriptValue value;
  DPlay_ReadData(BuiltinArgs(argc, args).Int(0), &value);
  TakeValue(result, value);
}

void F_MplayDataMode(KV_BUILTIN_PARAMS) { DPlay_SetDataMode(Mplay_ModeOn(BuiltinArgs(argc, args))); }

void F_MplayMessageSend(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, a.Has(2) && Send(a, DPlay_SendMessage, DPlay_SendMessageToName));
}

void F_MplayMessageSendGuaranteed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, a.Has(2) && Send(a, DPlay_SendMessageGuaranteed, DPlay_SendMessageGuaranteedToName));
}

void F_MplayMessageReceive(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const bool received = a.IsString(0) ? DPlay_ReceiveMessageFromName(a.Text(0)) : DPlay_ReceiveMessage(a.Int(0));
  Mplay_SetSuccess(result, received);
}

void F_MplayMessageId(KV_BUILTIN_PARAMS) { Result_SetReal(result, DPlay_GetMessageId()); }
void F_MplayMessageValue(KV_BUILTIN_PARAMS) { TakeValue(result, DPlay_GetMessageValue()); }
void F_MplayMessagePlayer(KV_BUILTIN_PARAMS) { Result_SetReal(result, DPlay_GetMessagePlayer()); }
void F_MplayMessageName(KV_BUILTIN_PARAMS) { Result_TakeText(result, DPlay_GetMessageName()); }
void F_MplayMessageCount(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, DPlay_GetMessageCount(BuiltinArgs(argc, args).Int(0)));
}
void F_MplayMessageClear(KV_BUILTIN_PARAMS) { DPlay_ClearMessages(BuiltinArgs(argc, args).Int(0)); }

// Room for any address; the back end writes at least the terminator.
void F_MplayIpaddress(KV_BUILTIN_PARAMS) {
  char address[64];
  DPlay_GetIPAddress(address, sizeof address);
  address[sizeof address - 1] = 0;
  Result_SetText(result, address);
}
