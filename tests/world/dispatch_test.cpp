// Dispatch by event kind: which instances a pass reaches, the events each
// kind raises from input, alarms and time lines, and how collision pairs
// treat solid and destroyed instances.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/backends.h"
#include "platform/joystick.h"
#include "world/input/input.h"
#include "world/input/joysticks.h"
#include "world/loop/dispatch.h"
#include "world/step_world.h"

namespace {

using EventList = std::vector<std::pair<int32_t, int32_t>>;

// An instance made during a pass is left out of that pass only.
TEST_F(StepWorld, AnInstanceMadeInAnEventMissesThatPassButNotLaterOnes) {
  MakeObject(0);
  MakeObject(1);
  On(0, kEventStep, 1, "spawn in begin");
  On(0, kEventStep, 0, "spawn in step");
  for (int32_t kind : {1, 0, 2}) On(1, kEventStep, kind, "child " + std::to_string(kind));
  Ready();
  Add(0);
  std::vector<CInstance*> children;
  auto spawn = [&](CInstance*, CInstance*) { children.push_back(Add(1, 5.0f, 5.0f)); };
  Bind("spawn in begin", spawn);
  Bind("spawn in step", spawn);
  Run_Step();
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"spawn in begin", "spawn in step", "child 0", "child 2", "child 2"}));
  EXPECT_EQ(runs_[2].self, children[0]) << "made in Begin Step, so in time for Step";
  EXPECT_EQ(runs_[3].self, children[0]);
  EXPECT_EQ(runs_[4].self, children[1]) << "made in Step, so only End Step";
}

TEST_F(StepWorld, AlarmsCountDownAndFireAtZeroOnly) {
  MakeObject(0);
  MakeObject(1);
  On(0, kEventAlarm, 0, "alarm 0");
  On(0, kEventAlarm, 11, "alarm 11");
  On(0, kEventAlarm, 1, "alarm 1");
  Ready();
  CInstance* a = Add(0);
  a->alarm[0] = 1;
  a->alarm[1] = 0;
  a->alarm[11] = 1;
  a->alarm[5] = 3;  // no event for it: it is not counted
  CInstance* unlisted = Add(1);
  unlisted->alarm[0] = 2;
  Bind("alarm 0", [](CInstance* self, CInstance*) { EXPECT_EQ(self->alarm[0], 0); });

  Run_DispatchAlarms();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"alarm 0", "alarm 11"}));
  EXPECT_EQ(runs_[0].serial, runs_[1].serial) << "all alarms are one pass";
  EXPECT_EQ(a->alarm[1], -1) << "set to 0, it ends without an event";
  EXPECT_EQ(a->alarm[5], 3);
  EXPECT_EQ(unlisted->alarm[0], 2);

  runs_.clear();
  Run_DispatchAlarms();
  EXPECT_TRUE(runs_.empty());
  EXPECT_EQ(a->alarm[0], -1);
  EXPECT_EQ(a->alarm[1], -1) << "-1 stays -1";

  // Set again from its own event, an alarm fires again.
  Bind("alarm 0", [](CInstance* self, CInstance*) { self->alarm[0] = 2; });
  a->alarm[0] = 1;
  for (int step = 0; step < 5; ++step) Run_DispatchAlarms();
  EXPECT_EQ(Labels().size(), 3u);
}

class KeyboardEvents : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    MakeObject(0);
    for (int32_t type : {kEventKeyboard, kEventKeyPress, kEventKeyRelease}) {
      for (int32_t key : {0, 1, int32_t{'A'}, int32_t{'B'}}) On(0, type, key, "key");
    }
    Ready();
    Add(0);
  }
  EventList Step() {
    runs_.clear();
    Run_Step();
    return Events();
  }
};

TEST_F(KeyboardEvents, HeldPressedAndReleasedKeysInKeyOrderThenTheSummaries) {
  IO_OnKeyDown('B');
  IO_OnKeyDown('A');
  EXPECT_EQ(Step(), (EventList{{5, 'A'}, {9, 'A'}, {5, 'B'}, {9, 'B'}, {5, 1}, {9, 1}, {10, 0}}));
  IO_OnKeyUp('B');
  EXPECT_EQ(Step(), (EventList{{5, 'A'}, {5, 'B'}, {10, 'B'}, {5, 1}, {9, 0}, {10, 1}}));
  IO_OnKeyUp('A');
  EXPECT_EQ(Step(), (EventList{{5, 'A'}, {10, 'A'}, {5, 1}, {9, 0}, {10, 1}}));
  EXPECT_EQ(Step(), (EventList{{5, 0}, {9, 0}, {10, 0}}));
  // Keys above 128 have no lists of their own but count for any key.
  IO_OnKeyDown(200);
  EXPECT_EQ(Step(), (EventList{{5, 1}, {9, 1}, {10, 0}}));
}

class JoystickEvents : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    MakeObject(0);
    for (int32_t subtype = 16; subtype <= 43; ++subtype) On(0, kEventMouse, subtype, "joystick");
    Ready();
    Add(0);
    for (FakeJoystick& joystick : joysticks_->devices) joystick.present = true;
  }
  // Joystick 0 or 1 at (x, y) with the buttons held.
  void Stick(int j, uint32_t x, uint32_t y, uint32_t buttons) {
    JoystickPosition& position = joysticks_->devices[j].position;
    position.axes[0] = x;
    position.axes[1] = y;
    position.buttons = buttons;
  }
  EventList Dispatch() {
    runs_.clear();
    Run_DispatchJoystick();
    return Events();
  }
};

TEST_F(JoystickEvents, AxesBeyondTheDeadZoneAndButtonsRaiseTheirEvents) {
  EXPECT_EQ(Dispatch(), EventList{});
  Stick(0, 19999, 32768, 0);
  EXPECT_EQ(Dispatch(), (EventList{{6, 16}}));
  Stick(0, 44001, 32768, 0);
  EXPECT_EQ(Dispatch(), (EventList{{6, 17}}));
  Stick(0, 20000, 44000, 0);
  EXPECT_EQ(Dispatch(), EventList{}) << "the edges are still centred";
  Stick(0, 0, 19999, 0x81);
  EXPECT_EQ(Dispatch(), (EventList{{6, 16}, {6, 18}, {6, 21}, {6, 28}}));
  Stick(0, 32768, 65535, 0x100);  // a ninth button is not one
  EXPECT_EQ(Dispatch(), (EventList{{6, 19}}));

  Stick(0, 32768, 32768, 0x2);
  Stick(1, 65535, 0, 0x81);
  EXPECT_EQ(Dispatch(), (EventList{{6, 22}, {6, 32}, {6, 33}, {6, 36}, {6, 43}}));
  joysticks_->devices[0].present = false;
  EXPECT_EQ(Dispatch(), (EventList{{6, 32}, {6, 33}, {6, 36}, {6, 43}})) << "a failed read skips that joystick only";
}

// The desktop's joysticks, over an SDL virtual joystick.
TEST_F(JoystickEvents, TheDesktopsFirstJoystickRaisesTheFirstJoysticksEvents) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  if (SDL_NumJoysticks() != 0) {
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    GTEST_SKIP() << "a joystick is plugged in";
  }
  PlatformBackends_Put(&PlatformBackends::joysticks, nullptr);
  EXPECT_EQ(Dispatch(), EventList{}) << "no joystick";
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 8, 0);
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  EXPECT_EQ(Dispatch(), EventList{}) << "centred";
  SDL_JoystickSetVirtualAxis(stick, 0, -32768);
  SDL_JoystickSetVirtualButton(stick, 2, 1);
  EXPECT_EQ(Dispatch(), (EventList{{6, 16}, {6, 23}}));
  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(index);
  Joystick_Shutdown();
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  FakeJoysticks_Install();
}

class TimeLineEvents : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    MakeObject(0);
    MakeTimeLines({{"line", {{0, "moment 0"}, {10, "moment 10"}}}});
    Ready();
    runner_ = Add(0);
    runner_->timeline_index = 0;
    runner_->timeline_running = 1;
    runner_->timeline_loop = 1;
    runner_->timeline_speed = 1.0f;
    runner_->timeline_position = 0.0f;
  }
  // The moments each of `steps` dispatches runs, "-" for none, with the
  // position after it.
  std::vector<std::string> Steps(int steps) {
    std::vector<std::string> out;
    for (int step = 0; step < steps; ++step) {
      runs_.clear();
      Run_DispatchTimelines();
      std::string ran = runs_.empty() ? "-" : runs_.front().label;
      for (size_t i = 1; i < runs_.size(); ++i) ran += "+" + runs_[i].label;
      out.push_back(ran + " @" + std::to_string(static_cast<int>(runner_->timeline_position)));
    }
    return out;
  }
  CInstance* runner_ = nullptr;
};

TEST_F(TimeLineEvents, ALoopingLineRunsEachMomentOnceAndRestartsOnTheSameStep) {
  std::vector<std::string> steps = Steps(12);
  EXPECT_EQ(steps[0], "moment 0 @1");
  for (int i = 1; i < 10; ++i) EXPECT_EQ(steps[static_cast<size_t>(i)], "- @" + std::to_string(i + 1));
  EXPECT_EQ(steps[10], "moment 10 @0");
  EXPECT_EQ(steps[11], "moment 0 @1");
  EXPECT_EQ(runs_.front().type, kEventTimeLine);
  EXPECT_EQ(runs_.front().self, runner_);
}

TEST_F(TimeLineEvents, BackwardsAndFastLinesAndLinesThatStop) {
  runner_->timeline_speed = -1.0f;
  runner_->timeline_position = 10.0f;
  std::vector<std::string> back = Steps(12);
  EXPECT_EQ(back[0], "moment 10 @9");
  EXPECT_EQ(back[9], "- @0");
  EXPECT_EQ(back[10], "moment 0 @10") << "below 0 a looping line goes to its last moment";
  EXPECT_EQ(back[11], "moment 10 @9");

  runner_->timeline_speed = 25.0f;
  runner_->timeline_position = 0.0f;
  EXPECT_EQ(Steps(1)[0], "moment 0+moment 10 @0");

  runner_->timeline_loop = 0;
  runner_->timeline_speed = 6.0f;
  EXPECT_EQ(Steps(3), (std::vector<std::string>{"moment 0 @6", "moment 10 @12", "- @18"}));

  runner_->timeline_running = 0;
  runner_->timeline_position = 0.0f;
  EXPECT_EQ(Steps(1)[0], "- @0");
  runner_->timeline_running = 1;
  runner_->timeline_index = 5;  // no such line
  EXPECT_EQ(Steps(1)[0], "- @0");
}

class CollisionEvents : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    square_ = MakeSprite({0, 0, 9, 9});
  }
  int32_t square_ = -1;
};

// A solid pair steps back before A's event and B's, then moves on again,
// and steps back once more when still touching.
TEST_F(CollisionEvents, ASolidPairStepsBackBeforeBothEvents) {
  MakeObject(0, square_, 0, kObjectVisible | kObjectSolid);
  MakeObject(1, square_);
  On(0, kEventCollision, 1, "a hits b");
  On(1, kEventCollision, 0, "b hits a");
  Ready();
  CInstance* a = Add(0, 10.0f, 0.0f);
  a->xprevious = 0.0f;
  a->SetHSpeed(10.0f);
  CInstance* b = Add(1, 12.0f, 0.0f);
  b->xprevious = 12.0f;
  std::vector<float> seen;
  auto note = [&](CInstance* self, CInstance* other) {
    seen.push_back(self->x);
    seen.push_back(other->x);
  };
  Bind("a hits b", note);
  Bind("b hits a", note);
  Run_DispatchCollisions();
  ASSERT_EQ(Labels(), (std::vector<std::string>{"a hits b", "b hits a"}));
  EXPECT_EQ(runs_[0].self, a);
  EXPECT_EQ(runs_[0].other, b);
  EXPECT_EQ(runs_[1].self, b);
  EXPECT_EQ(runs_[1].other, a);
  EXPECT_EQ(seen, (std::vector<float>{0.0f, 12.0f, 12.0f, 0.0f}));
  EXPECT_FLOAT_EQ(a->x, 0.0f) << "moved on again into b, so back once more";

  // Without a solid one neither moves.
  a->solid = 0;
  a->SetPosition(10.0f, 0.0f);
  seen.clear();
  Run_DispatchCollisions();
  EXPECT_EQ(seen, (std::vector<float>{10.0f, 12.0f, 12.0f, 10.0f}));
  EXPECT_FLOAT_EQ(a->x, 10.0f);
}

TEST_F(CollisionEvents, EachPairIsAPassAndADestroyedInstanceIsSkippedAfterwards) {
  for (int32_t object : {0, 1, 2}) MakeObject(object, square_);
  On(0, kEventCollision, 1, "a hits b");
  On(0, kEventCollision, 2, "a hits c");
  On(2, kEventCollision, 0, "c hits a");
  Ready();
  CInstance* a = Add(0);
  Add(1, 2.0f, 0.0f);
  Add(1, 4.0f, 0.0f);
  Add(2, 1.0f, 0.0f);

  const uint64_t before = g_eventSerial;
  Run_DispatchCollisions();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"a hits b", "a hits b", "a hits c", "c hits a"}));
  EXPECT_EQ(runs_[0].serial, before + 1);
  EXPECT_EQ(runs_[1].serial, before + 1);
  EXPECT_EQ(runs_[2].serial, before + 2) << "the second pair takes the next serial";

  runs_.clear();
  Bind("a hits b", [](CInstance* self, CInstance*) { self->markedForDeletion = 1; });
  Run_DispatchCollisions();
  EXPECT_EQ(Labels(), std::vector<std::string>{"a hits b"});
  EXPECT_EQ(a->markedForDeletion, 1);
}

// Code run by a pass may rebuild the lists the pass walks and delete the
// object being walked. Here object 0 (two instances), among fifty listed
// ones, removes 5's event, gives ten more objects a parent with the event
// (so the lists' arrays grow under the pass) and deletes itself: the pass
// finishes over the objects it began with, each once, and walks 0's list
// to its end; the next pass sees the change.
TEST_F(StepWorld, APassFinishesOverTheObjectsListedWhenItBegan) {
  for (int32_t object = 0; object < 60; ++object) MakeObject(object);
  for (int32_t object = 0; object < 50; ++object) On(object, kEventStep, 0, "step " + std::to_string(object));
  Ready();
  CInstance* first = Add(0);
  CInstance* second = Add(0);
  for (int32_t object = 1; object < 60; ++object) Add(object);
  Bind("step 0", [](CInstance* self, CInstance*) {
    ASSERT_TRUE(Object_ClearEvent(5, kEventStep, 0));
    for (int32_t object = 50; object < 60; ++object) ASSERT_EQ(Object_SetParent(object, 1), ParentChange::kDone);
    ASSERT_TRUE(Object_Delete(self->object_index));
  });
  Run_Step();
  std::vector<std::string> expected;
  for (int32_t object = 0; object < 50; ++object) {
    if (object != 5) expected.push_back("step " + std::to_string(object));
  }
  EXPECT_EQ(Labels(), expected);
  EXPECT_EQ(first->object, nullptr);
  EXPECT_EQ(second->object, nullptr);
  Object_ReleaseRetired();

  runs_.clear();
  Run_Step();
  expected.erase(expected.begin());
  expected.insert(expected.end(), 10, "step 1");
  EXPECT_EQ(Labels(), expected) << "the ten new children run their parent's event, listed last";
}

// A collision event that rebuilds the pairs leaves the stage's pairs as
// they were when it began.
TEST_F(CollisionEvents, ARebuildInACollisionEventLeavesTheStagesPairsAlone) {
  for (int32_t object : {0, 1, 2, 3}) MakeObject(object, square_);
  On(0, kEventCollision, 1, "a hits b");
  On(2, kEventCollision, 3, "c hits d");
  Ready();
  Add(0);
  Add(1, 2.0f, 0.0f);
  Add(2, 100.0f, 0.0f);
  Add(3, 102.0f, 0.0f);
  Bind("a hits b", [](CInstance*, CInstance*) { ASSERT_TRUE(Object_ClearEvent(0, kEventCollision, 1)); });
  Run_DispatchCollisions();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"a hits b", "c hits d"}));
  runs_.clear();
  Run_DispatchCollisions();
  EXPECT_EQ(Labels(), std::vector<std::string>{"c hits d"});
  Object_ReleaseRetired();
}

// Mouse events follow the buttons: held, then pressed, then released, each
// local one only for instances under the mouse.
TEST_F(StepWorld, MouseButtonsRaiseLocalAndGlobalEventsInOrder) {
  const int32_t square = MakeSprite({0, 0, 9, 9});
  MakeObject(0, square);
  for (int32_t subtype : {0, 3, 4, 7, 10, 11, 12, 13, 50, 53, 56}) On(0, kEventMouse, subtype, "mouse");
  Ready();
  CInstance* near = Add(0, 0.0f, 0.0f);
  Add(0, 100.0f, 100.0f);
  MouseAt(5, 5);
  IO_Update();
  auto step = [&] {
    runs_.clear();
    Run_DispatchMouse();
    return Events();
  };
  step();  // the previous position is now under the mouse too
  EXPECT_EQ(step(), (EventList{{6, 3}})) << "no button, and no one entered";
  IO_OnMouseButtonDown(1);
  IO_Update();
  EXPECT_EQ(step(), (EventList{{6, 0}, {6, 50}, {6, 50}, {6, 4}, {6, 12}, {6, 12}, {6, 53}, {6, 53}}));
  EXPECT_EQ(runs_[0].self, near);
  EXPECT_EQ(runs_[3].self, near);
  IO_OnMouseButtonUp(1);
  MouseAt(50, 5);
  IO_Update();
  EXPECT_EQ(step(), (EventList{{6, 13}, {6, 13}, {6, 56}, {6, 56}, {6, 11}}))
      << "released away from every instance, and the near one was left";
}

}  // namespace
