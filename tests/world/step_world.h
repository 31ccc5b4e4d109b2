// A small running world for the step and dispatch tests: objects whose
// events are labels run by the recording code stand-in, a current room the
// tests fill through CRoom::AddInstance, clean input, no joystick plugged in, and a
// window without size, so the mouse is at the room's 0, 0. A label may be bound to an action the test supplies; every
// run is kept with the event serial it saw.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gamefile/object_test_support.h"
#include "gamefile/options.h"
#include "platform/device_window.h"
#include "platform/fake/fake_joystick.h"
#include "shell/window.h"
#include "world/input_test_support.h"
#include "world/instance_test_support.h"
#include "world/loop/dispatch.h"
#include "world/loop/game_loop.h"
#include "world/object/event_lists.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"

struct EventRun {
  std::string label;
  int32_t type, number;
  CInstance* self;
  CInstance* other;
  uint64_t serial;
};

class StepWorld : public InstanceWorld {
 protected:
  using Action = std::function<void(CInstance* self, CInstance* other)>;

  void SetUp() override {
    InstanceWorld::SetUp();
    TimeLine_Init();
    Room_Init();
    inputtest::ResetInput();
    joysticks_ = &FakeJoysticks_Install();
    savedFreeze_ = g_options.word[kOptionFreezeOnLostFocus];
    g_options.word[kOptionFreezeOnLostFocus] = 0;
    DeviceWindow_State().active = true;
    ResetSeams();
    ResetWindow();
    code_.onRun = [this](const std::string& label) {
      const RecordingCode::Run& run = code_.runs.back();
      runs_.push_back({label, run.type, run.number, run.self, run.other, g_eventSerial});
      auto action = actions_.find(label);
      if (action != actions_.end()) action->second(run.self, run.other);
    };
    room_ = new CRoom;
    g_currentRoom = room_;
  }

  void TearDown() override {
    g_currentRoom = nullptr;
    delete room_;
    g_options.word[kOptionFreezeOnLostFocus] = savedFreeze_;
    DeviceWindow_State().active = true;
    ResetSeams();
    ResetWindow();
    Object_FreeEventLists();
    TimeLine_Shutdown();
    InstanceWorld::TearDown();
  }

  static void ResetSeams() { Run_SetRoomDrawer(nullptr); }
  // No window size, so the mouse maps to the room's 0, 0.
  static void ResetWindow() {
    Win_ClearAllPorts();
    DeviceWindow_State().clientWidth = DeviceWindow_State().clientHeight = 0;
    g_screenWidth = g_screenHeight = 0;
  }
  // The window's mouse at (x, y), in a window showing the screen one to one
  // without views, so the room mouse is (x, y) once the next step takes it.
  static void MouseAt(int32_t x, int32_t y) {
    DeviceWindow_State().clientWidth = g_screenWidth = 640;
    DeviceWindow_State().clientHeight = g_screenHeight = 480;
    IO_OnMouseMove(x, y);
  }

  // Object `object` gets the event (type, number) that runs `label`.
  void On(int32_t object, int32_t type, int32_t number, const std::string& label) {
    CEvent* event = Object_Get(object)->MakeOwnEvent(type, number);
    event->code = EventCode_Get().fromText(label.c_str());
  }
  void Bind(const std::string& label, Action action) { actions_[label] = std::move(action); }

  // Time lines from moments (step, label); moment code is its label.
  void MakeTimeLines(const std::vector<TimeLineShape>& shapes) {
    timeLines_ = TimeLineChunk(shapes);
    ASSERT_TRUE(TimeLine_Load(timeLines_.image, timeLines_.data, timeLines_.size));
  }

  // The event lists, once every object has its events.
  void Ready() {
    int32_t count = 0;
    for (int32_t i = 0; i < 64; ++i) {
      if (Object_Exists(i)) count = i + 1;
    }
    Object_SetCount(count);
    Object_LinkParents();
    Object_BuildEventLists();
  }

  CInstance* Add(int32_t object, float x = 0.0f, float y = 0.0f) { return room_->AddInstance(x, y, object); }

  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const EventRun& run : runs_) labels.push_back(run.label);
    return labels;
  }
  std::vector<std::pair<int32_t, int32_t>> Events() const {
    std::vector<std::pair<int32_t, int32_t>> events;
    for (const EventRun& run : runs_) events.emplace_back(run.type, run.number);
    return events;
  }

  // Both absent until a test plugs one in.
  FakeJoysticks* joysticks_ = nullptr;
  RecordingCode code_;
  CRoom* room_ = nullptr;
  std::vector<EventRun> runs_;
  std::map<std::string, Action> actions_;
  ChunkData timeLines_;
  int32_t savedFreeze_ = 0;
};
