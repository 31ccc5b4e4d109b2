// A small running world for the world-action and planning tests: object,
// sprite and path stores, rooms with a current room, error reporting to a
// captured console, and event code that records its runs and may call back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "gamefile/game_header.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "runtime/text.h"
#include "script/compiler/code_table.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/events/event_code_seam.h"
#include "script/events/event_world_seam.h"
#include "script/variables/world_seam.h"
#include "support/script_host_fake.h"
#include "support/test_support.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/start/service_list.h"
#include "world/start/world_hooks.h"
#include "world/start/world_teardown.h"

// Event code is its text; running it records (text, self) and calls onRun.
// The relative flag the actions set is kept as the code objects keep it.
// One at a time: the installed table reaches the one alive.
class ScriptedCode final {
 public:
  struct Run {
    std::string text;
    CInstance* self;
  };
  ScriptedCode() {
    current_ = this;
    Install();
  }
  ~ScriptedCode() {
    EventCode_Get().setRelative(false);
    EventCode_Install(EventCodeHooks{});
    current_ = nullptr;
  }
  ScriptedCode(const ScriptedCode&) = delete;
  ScriptedCode& operator=(const ScriptedCode&) = delete;

  void Install() {
    EventCodeHooks hooks;
    hooks.fromText = [](const char* text) { return reinterpret_cast<CCode*>(new std::string(text)); };
    hooks.fromIndex = [](int32_t) { return reinterpret_cast<CCode*>(new std::string()); };
    hooks.free = [](CCode* code) { delete reinterpret_cast<std::string*>(code); };
    hooks.compile = [](CCode*, const char*) { return true; };
    hooks.compileErrorText = [] { return std::string(); };
    hooks.execute = [](CCode* code, CInstance* self, CInstance*) {
      const std::string text = *reinterpret_cast<std::string*>(code);
      current_->runs.push_back({text, self});
      if (current_->onRun) current_->onRun(text, self);
      return true;
    };
    hooks.reportFatal = [](const char*) {};
    EventCode_Install(hooks);
  }

  // The texts run so far, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Run& run : runs) texts.push_back(run.text);
    return texts;
  }

  std::vector<Run> runs;
  std::function<void(const std::string&, CInstance*)> onRun;

 private:
  static inline ScriptedCode* current_ = nullptr;
};

class ActionWorld : public testing::Test {
 protected:
  void SetUp() override {
    g_hasBytecode = false;
    Object_Init();
    FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
    Path_Init();
    Sprite_Init();
    if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
    Room_Init();
    ServiceList_Install();
    WorldHooks_Install();
    // The world's names, error hooks and instances, as the player has them.
    FakeScriptHost([](ScriptHost& host) {
      const ScriptHost world = WorldHooks_ScriptHost();
      std::copy(std::begin(world.resources), std::end(world.resources), host.resources);
      host.errors = world.errors;
      InstanceSeams_AddTo(&host);
    });
    g_runFlags.showErrorDialog = false;
    g_gameHeader.lastInstanceId = 100000;
    g_gameHeader.lastTileId = 10000000;
  }
  void TearDown() override {
    World_TearDownForTest();
    Sprite_Shutdown();
    Path_Shutdown();
    Object_Shutdown();
    g_roomOrder.clear();
  }

  CObject* MakeObject(int32_t index, int32_t sprite = -1, bool solid = false) {
    CObject* object = Object_Place(index);
    if (Object_Count() <= index) Object_SetCount(index + 1);
    object->sprite = sprite;
    object->flags = kObjectVisible | (solid ? kObjectSolid : 0u);
    std::string name = "obj_" + std::to_string(index);
    object->SetName(name.c_str());
    return object;
  }

  void GiveEvent(int32_t object, int32_t type, int32_t number, const char* text) {
    CEvent* event = Object_Get(object)->MakeOwnEvent(type, number);
    event->text = String_Duplicate(text);
    event->code = EventCode_Get().fromText(event->text);
  }

  // A sprite without pixels whose box is {0, 0, w - 1, h - 1}.
  int32_t MakeSprite(int32_t w, int32_t h) {
    const int32_t index = Sprite_AddEmpty();
    CSprite* sprite = Sprite_Get(index);
    sprite->bbox = SpriteBox{0, 0, w - 1, h - 1};
    sprite->width = w;
    sprite->height = h;
    sprite->frameCount = 1;
    sprite->precise = 0;
    return index;
  }

  // `rooms` empty rooms in the room order, the first one entered.
  void StartRooms(int32_t rooms, int32_t width = 640, int32_t height = 480) {
    for (int32_t i = 0; i < rooms; ++i) {
      const int32_t index = Room_Add();
      Room_Get(index)->width = width;
      Room_Get(index)->height = height;
      g_roomOrder.push_back(index);
    }
    ASSERT_TRUE(StartGame());
  }

  CInstance* Add(int32_t object, float x, float y) { return g_currentRoom->AddInstance(x, y, object); }

  // Whether a captured console line holds the text.
  bool Said(const std::string& text) const {
    for (const std::string& line : console_.Lines()) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }

  ScriptedCode code_;
  testsupport::ConsoleCapture console_;
};
