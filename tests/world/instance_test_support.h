// A small world for the instance tests: fresh object, path and sprite
// stores, the id map and the instance seams, all emptied afterwards with
// the world's teardown.
#pragma once

#include <gtest/gtest.h>

#include "resources/path.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "support/script_host_fake.h"
#include "support/test_support.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/start/service_list.h"
#include "world/start/world_teardown.h"

class InstanceWorld : public testing::Test {
 protected:
  void SetUp() override {
    Object_Init();
    FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
    Path_Init();
    Sprite_Init();
    if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
    FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
    ServiceList_Install();
  }
  void TearDown() override {
    World_TearDownForTest();
    Sprite_Shutdown();
    Path_Shutdown();
    Object_Shutdown();
  }

  // An object with the given sprite, mask, depth and flags.
  CObject* MakeObject(int32_t index, int32_t sprite = -1, int32_t depth = 0, uint32_t flags = kObjectVisible,
                      int32_t mask = -1) {
    CObject* object = Object_Place(index);
    object->sprite = sprite;
    object->depth = depth;
    object->flags = flags;
    object->mask = mask;
    return object;
  }

  // A sprite of frames whose box and origin are given, without pixels.
  int32_t MakeSprite(SpriteBox box, int32_t xorigin = 0, int32_t yorigin = 0, int32_t frames = 1,
                     bool precise = false) {
    const int32_t index = Sprite_AddEmpty();
    CSprite* sprite = Sprite_Get(index);
    sprite->bbox = box;
    sprite->width = box.right + 1;
    sprite->height = box.bottom + 1;
    sprite->xorigin = xorigin;
    sprite->yorigin = yorigin;
    sprite->frameCount = frames;
    sprite->precise = precise ? 1 : 0;
    return index;
  }

  // A straight open path through the points, each of speed 100.
  int32_t MakePath(std::initializer_list<std::pair<float, float>> points) {
    const int32_t index = Path_Add();
    CPath* path = Path_Get(index);
    path->SetClosed(false);
    for (auto [px, py] : points) path->AddPoint(px, py, 100.0f);
    return index;
  }

  testsupport::ConsoleCapture quiet_;
};
