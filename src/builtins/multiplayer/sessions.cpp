// Connections, sessions and the players in them.
#include "builtins/multiplayer/handlers.h"
#include "builtins/multiplayer/support.h"
#include "requests/multiplayer.h"

void F_MplayInitIpx(KV_BUILTIN_PARAMS) { Mplay_SetSuccess(result, DPlay_InitIPX()); }
void F_MplayInitTcpip(KV_BUILTIN_PARAMS) { Mplay_SetSuccess(result, DPlay_InitTCPIP(BuiltinArgs(argc, args).Text(0))); }

void F_MplayInitModem(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_InitModem(a.Text(0), a.Text(1)));
}

void F_MplayInitSerial(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_InitSerial(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4)));
}

void F_MplayConnectStatus(KV_BUILTIN_PARAMS) { Result_SetReal(result, DPlay_GetConnectionStatus()); }
void F_MplayEnd(KV_BUILTIN_PARAMS) { DPlay_End(); }
void F_MplaySessionMode(KV_BUILTIN_PARAMS) { DPlay_SetSessionMode(Mplay_ModeOn(BuiltinArgs(argc, args))); }

void F_MplaySessionCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_CreateSession(a.Text(0), a.Int(1), a.Text(2)));
}

void F_MplaySessionFind(KV_BUILTIN_PARAMS) { Result_SetReal(result, DPlay_FindSessions()); }
// A string even when the session has no name.
void F_MplaySessionName(KV_BUILTIN_PARAMS) {
  Result_TakeText(result, DPlay_GetSessionName(BuiltinArgs(argc, args).Int(0)));
}

void F_MplaySessionJoin(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Mplay_SetSuccess(result, DPlay_JoinSession(a.Int(0), a.Text(1)));
}

void F_MplaySessionStatus(KV_BUILTIN_PARAMS) { Result_SetReal(result, DPlay_GetSessionStatus()); }
void F_MplaySessionEnd(KV_BUILTIN_PARAMS) { DPlay_EndSession(); }
void F_MplayPlayerFind(KV_BUILTIN_PARAMS) { Result_SetReal(result, DPlay_FindPlayers()); }
void F_MplayPlayerName(KV_BUILTIN_PARAMS) {
  Result_TakeText(result, DPlay_GetPlayerName(BuiltinArgs(argc, args).Int(0)));
}
void F_MplayPlayerId(KV_BUILTIN_PARAMS) { Result_SetReal(result, DPlay_GetPlayerId(BuiltinArgs(argc, args).Int(0))); }
