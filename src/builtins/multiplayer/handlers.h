// The multiplayer family's handlers: connections, sessions and players,
// shared data and messages, each over one operation of the multiplayer
// back end.
#pragma once

#include "builtins/builtin_args.h"

void F_MplayInitIpx(KV_BUILTIN_PARAMS);
void F_MplayInitTcpip(KV_BUILTIN_PARAMS);
void F_MplayInitModem(KV_BUILTIN_PARAMS);
void F_MplayInitSerial(KV_BUILTIN_PARAMS);
void F_MplayConnectStatus(KV_BUILTIN_PARAMS);
void F_MplayEnd(KV_BUILTIN_PARAMS);
void F_MplaySessionMode(KV_BUILTIN_PARAMS);
void F_MplaySessionCreate(KV_BUILTIN_PARAMS);
void F_MplaySessionFind(KV_BUILTIN_PARAMS);
void F_MplaySessionName(KV_BUILTIN_PARAMS);
void F_MplaySessionJoin(KV_BUILTIN_PARAMS);
void F_MplaySessionStatus(KV_BUILTIN_PARAMS);
void F_MplaySessionEnd(KV_BUILTIN_PARAMS);
void F_MplayPlayerFind(KV_BUILTIN_PARAMS);
void F_MplayPlayerName(KV_BUILTIN_PARAMS);
void F_MplayPlayerId(KV_BUILTIN_PARAMS);
void F_MplayDataWrite(KV_BUILTIN_PARAMS);
void F_MplayDataRead(KV_BUILTIN_PARAMS);
void F_MplayDataMode(KV_BUILTIN_PARAMS);
void F_MplayMessageSend(KV_BUILTIN_PARAMS);
void F_MplayMessageSendGuaranteed(KV_BUILTIN_PARAMS);
void F_MplayMessageReceive(KV_BUILTIN_PARAMS);
void F_MplayMessageId(KV_BUILTIN_PARAMS);
void F_MplayMessageValue(KV_BUILTIN_PARAMS);
void F_MplayMessagePlayer(KV_BUILTIN_PARAMS);
void F_MplayMessageName(KV_BUILTIN_PARAMS);
void F_MplayMessageCount(KV_BUILTIN_PARAMS);
void F_MplayMessageClear(KV_BUILTIN_PARAMS);
void F_MplayIpaddress(KV_BUILTIN_PARAMS);
