#include "builtins/world/game.h"

#include "world/run_state.h"

KV_BUILTIN(F_GameEnd) {
  (void)result, (void)self, (void)other, (void)argc, (void)args;
  g_newRoom = kRoomChangeEndGame;
}

void Builtins_RegisterGame() { Function_Add("game_end", F_GameEnd, 0); }
