// The stores and seams a drawn room needs in a test, and their tear-down.
#pragma once

#include "graphics/device/batcher.h"
#include "graphics/texture/texture_table.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "support/script_host_fake.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/start/world_teardown.h"

inline void RoomWorld_Start() {
  Object_Init();
  FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
  Sprite_Init();
  Background_Init();
  if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
  FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
}

// After the test's room is gone; the device stays for the fixture to end.
inline void RoomWorld_End() {
  World_TearDownForTest();
  Background_Shutdown();
  Sprite_Shutdown();
  Object_Shutdown();
  Graphics::ResetVertexBuffers();
  GR_Texture_Quit();
}
