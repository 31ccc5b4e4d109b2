// A world whose rooms, instances and built-in variables a test reads and
// writes through the real stores, and its tear-down.
#pragma once

#include "gamefile/game_header.h"
#include "room_world_support.h"
#include "script/variables/variable_registry.h"
#include "support/script_host_fake.h"
#include "world/room/room_store.h"
#include "world/start/service_list.h"
#include "world/variables/builtin_variables.h"

inline void VariablesWorld_Start() {
  RoomWorld_Start();
  Room_Init();
  ServiceList_Install();
  g_gameHeader.lastInstanceId = 100000;
  FakeScriptHost([](ScriptHost& host) { BuiltinVariables_AddTo(&host); });
  Variable_BuiltIn_Init();
}

// The world's variables are taken away too: left registered, they would
// hide the ones a later test in the same process registers.
inline void VariablesWorld_End() {
  World_TearDownForTest();
  Background_Shutdown();
  Sprite_Shutdown();
  Object_Shutdown();
  g_roomOrder.clear();
  FakeScriptHost([](ScriptHost& host) { host.builtinVariables = nullptr; });
  Variable_BuiltIn_Clear();
}
