// The multiplayer family's handlers: connections, sessions and players,
// shared data and messages, each over one operation of the multiplayer
// back end.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_MplayInitIpx);
KV_BUILTIN(F_MplayInitTcpip);
KV_BUILTIN(F_MplayInitModem);
KV_BUILTIN(F_MplayInitSerial);
KV_BUILTIN(F_MplayConnectStatus);
KV_BUILTIN(F_MplayEnd);
KV_BUILTIN(F_MplaySessionMode);
KV_BUILTIN(F_MplaySessionCreate);
KV_BUILTIN(F_MplaySessionFind);
KV_BUILTIN(F_MplaySessionName);
KV_BUILTIN(F_MplaySessionJoin);
KV_BUILTIN(F_MplaySessionStatus);
KV_BUILTIN(F_MplaySessionEnd);
KV_BUILTIN(F_MplayPlayerFind);
KV_BUILTIN(F_MplayPlayerName);
KV_BUILTIN(F_MplayPlayerId);
KV_BUILTIN(F_MplayDataWrite);
KV_BUILTIN(F_MplayDataRead);
KV_BUILTIN(F_MplayDataMode);
KV_BUILTIN(F_MplayMessageSend);
KV_BUILTIN(F_MplayMessageSendGuaranteed);
KV_BUILTIN(F_MplayMessageReceive);
KV_BUILTIN(F_MplayMessageId);
KV_BUILTIN(F_MplayMessageValue);
KV_BUILTIN(F_MplayMessagePlayer);
KV_BUILTIN(F_MplayMessageName);
KV_BUILTIN(F_MplayMessageCount);
KV_BUILTIN(F_MplayMessageClear);
KV_BUILTIN(F_MplayIpaddress);
