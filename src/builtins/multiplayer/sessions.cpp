// Connections, sessions and the players in them.
#include "builtins/multiplayer/handlers.h"
#include "builtins/multiplayer/support.h"
#include "shell/multiplayer.h"

KV_BUILTIN(F_MplayInitIpx) { Mplay_SetSuccess(result, DPlay_InitIPX()); }
KV_BUILTIN(F_MplayInitTcpip) { Mplay_SetSuccess(result, DPlay_InitTCPIP(BuiltinArgs(argc, args).Text(0))); }

KV_BUILTIN(F_MplayInitModem) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_InitModem(a.Text(0), a.Text(1)));
}

KV_BUILTIN(F_MplayInitSerial) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_InitSerial(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4)));
}

KV_BUILTIN(F_MplayConnectStatus) { Result_SetReal(result, DPlay_GetConnectionStatus()); }
KV_BUILTIN(F_MplayEnd) { DPlay_End(); }
KV_BUILTIN(F_MplaySessionMode) { DPlay_SetSessionMode(Mplay_ModeOn(BuiltinArgs(argc, args))); }

KV_BUILTIN(F_MplaySessionCreate) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_CreateSession(a.Text(0), a.Int(1), a.Text(2)));
}

KV_BUILTIN(F_MplaySessionFind) { Result_SetReal(result, DPlay_FindSessions()); }
// A string even when the session has no name.
KV_BUILTIN(F_MplaySessionName) { Result_TakeText(result, DPlay_GetSessionName(BuiltinArgs(argc, args).Int(0))); }

KV_BUILTIN(F_MplaySessionJoin) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_JoinSession(a.Int(0), a.Text(1)));
}

KV_BUILTIN(F_MplaySessionStatus) { Result_SetReal(result, DPlay_GetSessionStatus()); }
KV_BUILTIN(F_MplaySessionEnd) { DPlay_EndSession(); }
KV_BUILTIN(F_MplayPlayerFind) { Result_SetReal(result, DPlay_FindPlayers()); }
KV_BUILTIN(F_MplayPlayerName) { Result_TakeText(result, DPlay_GetPlayerName(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_MplayPlayerId) { Result_SetReal(result, DPlay_GetPlayerId(BuiltinArgs(argc, args).Int(0))); }
