// The step as a whole: the order of its stages, the event serials each pass
// takes, where a pending room change cuts it and where it does not, the
// freeze without focus, and which frames are presented.
#include <gtest/gtest.h>

#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/particles/particles.h"
#include "graphics/start/graphics_start.h"
#include "platform/backends.h"
#include "platform/fake/fake_graphics.h"
#include "runtime/timer.h"
#include "world/input/input.h"
#include "world/start/service_list.h"
#include "world/step_world.h"

namespace {

constexpr int32_t kActor = 0, kTarget = 1, kWalker = 2, kDoomed = 3;

// Serials a pass-free step takes up to the end of each stage, counted
// from the serial before the step. The keyboard takes three passes
// (no key, no press, no release), the joystick one for its button, the
// mouse three (no button, enter, leave), the boundary two.
constexpr int kAfterBegin = 1, kAfterTimeLines = 2, kAfterAlarms = 3, kAfterKeyboard = 6, kAfterJoystick = 7,
              kAfterMouse = 10, kAfterStep = 11, kAfterMotion = 12, kAfterBoundary = 14, kAfterCollisions = 15,
              kAfterEnd = 16;

// One scene with an event in every stage that runs events:
// the actor sits left of the room (outside it), overlaps the target, is
// under the mouse, runs a time line, counts two alarms and animates; the
// walker finishes its path during the motion stage; the doomed instance
// is marked for deletion and waits for the removal stage.
class StepStages : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    const int32_t sprite = MakeSprite({0, 0, 9, 9}, 0, 0, 4);
    MakeObject(kActor, sprite);
    MakeObject(kTarget, sprite);
    MakeObject(kWalker);
    MakeObject(kDoomed);
    On(kActor, kEventStep, 1, "begin");
    On(kActor, kEventAlarm, 3, "alarm 3");
    On(kActor, kEventAlarm, 0, "alarm 0");
    On(kActor, kEventKeyboard, 0, "no key");
    On(kActor, kEventMouse, 21, "joystick button 1");
    On(kActor, kEventMouse, 3, "no button");
    On(kActor, kEventStep, 0, "step");
    On(kWalker, kEventOther, 8, "path end");
    On(kActor, kEventOther, 0, "outside");
    On(kActor, kEventCollision, kTarget, "collision");
    On(kActor, kEventStep, 2, "end");
    On(kActor, kEventOther, 7, "animation end");
    MakeTimeLines({{"line", {{0, "moment"}}}});
    Ready();

    actor_ = Add(kActor, -20.0f, 0.0f);
    actor_->timeline_index = 0;
    actor_->timeline_running = 1;
    actor_->timeline_speed = 1.0f;
    actor_->alarm[0] = 1;
    actor_->alarm[3] = 1;
    actor_->image_index = 3.5f;
    actor_->image_speed = 0.5f;
    Add(kTarget, -15.0f, 0.0f);
    CInstance* walker = Add(kWalker, 100.0f, 100.0f);
    walker->StartPath(MakePath({{0.0f, 0.0f}, {2.0f, 0.0f}}), 100.0f, 1.0f, 0.0f, true, kPathEndStop);
    Add(kDoomed, 50.0f, 50.0f)->markedForDeletion = 1;

    joysticks_->devices[0].present = true;
    joysticks_->devices[0].position.buttons = 1;
    MouseAt(-18, 2);
    Run_SetRoomDrawer([] { ++drawn_; });
    drawn_ = 0;
  }

  CInstance* actor_ = nullptr;
  static inline int drawn_ = 0;
};

TEST_F(StepStages, EveryStageRunsInOrderAndEachPassTakesOneSerial) {
  const uint64_t before = g_eventSerial;
  Run_Step();

  const std::vector<std::pair<std::string, int>> expected = {{"begin", kAfterBegin},
                                                             {"moment", kAfterTimeLines},
                                                             {"alarm 0", kAfterAlarms},
                                                             {"alarm 3", kAfterAlarms},  // all alarms share one pass
                                                             {"no key", kAfterAlarms + 1},
                                                             {"joystick button 1", kAfterJoystick},
                                                             {"no button", kAfterJoystick + 1},
                                                             {"step", kAfterStep},
                                                             {"path end", kAfterMotion},
                                                             {"outside", kAfterMotion + 1},
                                                             {"collision", kAfterCollisions},
                                                             {"end", kAfterEnd},
                                                             {"animation end", kAfterEnd}};
  ASSERT_EQ(runs_.size(), expected.size()) << testing::PrintToString(Labels());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(runs_[i].label, expected[i].first);
    EXPECT_EQ(runs_[i].serial - before, static_cast<uint64_t>(expected[i].second)) << expected[i].first;
  }
  EXPECT_EQ(g_eventSerial - before, static_cast<uint64_t>(kAfterEnd));
  EXPECT_EQ(drawn_, 1);
  EXPECT_EQ(room_->active.count, 3) << "the marked instance left the room";
  EXPECT_FLOAT_EQ(actor_->image_index, 0.0f);
  EXPECT_EQ(g_stepCount, 1);
}

TEST_F(StepStages, PreviousPositionsAreTakenBeforeAnyEvent) {
  actor_->SetPosition(-19.0f, 1.0f);
  actor_->xprevious = actor_->yprevious = 123.0f;
  Bind("begin", [](CInstance* self, CInstance*) {
    EXPECT_FLOAT_EQ(self->xprevious, -19.0f);
    EXPECT_FLOAT_EQ(self->yprevious, 1.0f);
  });
  Run_Step();
  EXPECT_EQ(Labels().front(), "begin");
}

// The particle systems move on after End Step and before the room is drawn,
// and not at all in a step that End Step cut: a particle made in End Step
// that lives one step is gone by the drawing.
struct Particles {
  static inline int32_t system = -1, type = -1, seenByDrawing = -1;
  static void MakeOne(CInstance*, CInstance*) { Particle_Particles_Create(system, 0, 0, type, 1); }
};

TEST_F(StepStages, ParticlesUpdateAfterEndStepBeforeTheRoomIsDrawn) {
  Particle_Init();
  Particles::system = Particle_System_Create();
  Particles::type = Particle_Type_Create();
  Particle_Type_Life(Particles::type, 1, 1);
  Particles::seenByDrawing = -1;
  Run_SetRoomDrawer([] { Particles::seenByDrawing = Particle_Particles_Count(Particles::system); });
  Bind("end", Particles::MakeOne);
  Run_Step();
  EXPECT_EQ(Particles::seenByDrawing, 0);

  Bind("end", [](CInstance* self, CInstance* other) {
    Particles::MakeOne(self, other);
    g_newRoom = 4;
  });
  Run_Step();
  EXPECT_EQ(Particle_Particles_Count(Particles::system), 1);
  Particle_Shutdown();
}

struct CutCase {
  const char* label;  // the event that asks for the change
  int serials;        // serials taken once the step was cut
};

class StepCut : public StepStages, public testing::WithParamInterface<CutCase> {};

TEST_P(StepCut, AChangeAskedInAnEventStageEndsTheStepThere) {
  Bind(GetParam().label, [](CInstance*, CInstance*) { g_newRoom = 4; });
  g_stepCount = 7;
  const uint64_t before = g_eventSerial;
  Run_Step();
  EXPECT_EQ(g_eventSerial - before, static_cast<uint64_t>(GetParam().serials));
  EXPECT_EQ(runs_.back().label, GetParam().label) << "no event after the change";
  EXPECT_EQ(drawn_, 0);
  EXPECT_EQ(room_->active.count, 4) << "the marked instance is still there";
  EXPECT_FLOAT_EQ(actor_->image_index, 3.5f);
  EXPECT_EQ(g_stepCount, 7);
  EXPECT_EQ(g_newRoom, 4);
}

INSTANTIATE_TEST_SUITE_P(EventStages, StepCut,
                         testing::Values(CutCase{"begin", kAfterBegin}, CutCase{"moment", kAfterTimeLines},
                                         CutCase{"alarm 0", kAfterAlarms}, CutCase{"no key", kAfterKeyboard},
                                         CutCase{"joystick button 1", kAfterJoystick},
                                         CutCase{"no button", kAfterMouse}, CutCase{"step", kAfterStep},
                                         CutCase{"path end", kAfterMotion}, CutCase{"outside", kAfterBoundary},
                                         CutCase{"collision", kAfterCollisions}, CutCase{"end", kAfterEnd}),
                         [](const testing::TestParamInfo<CutCase>& info) {
                           std::string name = info.param.label;
                           for (char& c : name) c = c == ' ' ? '_' : c;
                           return name;
                         });

// The stages after End Step always finish: the removal, the drawing, the
// scrolling, the animation and the step count.
TEST_F(StepStages, DrawingScrollingAndAnimationAreNeverCut) {
  room_->backgrounds[0].hspeed = 3.0f;
  Run_SetRoomDrawer([] { g_newRoom = 2; });
  Run_Step();
  EXPECT_EQ(room_->active.count, 3);
  EXPECT_FLOAT_EQ(room_->backgrounds[0].x, 3.0f);
  EXPECT_FLOAT_EQ(actor_->image_index, 0.0f) << "wrapped although the change is pending";
  EXPECT_NE(Labels().back(), "animation end") << "events do nothing while a change is pending";
  EXPECT_EQ(g_stepCount, 1);

  g_newRoom = kRoomChangeNone;
  Run_SetRoomDrawer(nullptr);
  actor_->image_index = 3.5f;
  Bind("animation end", [](CInstance*, CInstance*) { g_newRoom = 2; });
  Run_Step();
  EXPECT_EQ(Labels().back(), "animation end");
  EXPECT_EQ(g_stepCount, 2);
}

TEST_F(StepStages, AFrozenGameWithoutFocusOnlyReadsInput) {
  g_options.word[kOptionFreezeOnLostFocus] = 1;
  DeviceWindow_State().active = false;
  actor_->SetPosition(-19.0f, 0.0f);
  actor_->xprevious = 5.0f;
  const uint64_t before = g_eventSerial;
  const int32_t polls = IO_StepCount();
  Run_Step();
  EXPECT_EQ(IO_StepCount(), polls + 1);
  EXPECT_TRUE(runs_.empty());
  EXPECT_EQ(g_eventSerial, before);
  EXPECT_FLOAT_EQ(actor_->xprevious, 5.0f);
  EXPECT_EQ(actor_->alarm[0], 1);
  EXPECT_EQ(room_->active.count, 4);
  EXPECT_EQ(drawn_, 0);
  EXPECT_EQ(g_stepCount, 0);

  // With the focus back, or without the option, the step runs.
  DeviceWindow_State().active = true;
  Run_Step();
  EXPECT_EQ(g_stepCount, 1);
  g_options.word[kOptionFreezeOnLostFocus] = 0;
  DeviceWindow_State().active = false;
  Run_Step();
  EXPECT_EQ(g_stepCount, 2);
}

// Animation: one subtraction per wrap, Animation End once per wrap, never
// for an instance whose sprite has no images.
TEST_F(StepWorld, AnimationWrapsOnceAndOnlyWithImages) {
  const int32_t four = MakeSprite({0, 0, 3, 3}, 0, 0, 4);
  const int32_t none = MakeSprite({0, 0, 3, 3}, 0, 0, 0);
  MakeObject(0, four);
  MakeObject(1, none);
  MakeObject(2);
  for (int32_t object : {0, 1, 2}) On(object, kEventOther, 7, "animation end " + std::to_string(object));
  Ready();
  CInstance* fast = Add(0);
  fast->image_speed = 9.0f;
  CInstance* empty = Add(1);
  empty->image_speed = 1.0f;
  CInstance* spriteless = Add(2);
  spriteless->image_speed = 1.0f;
  spriteless->SetSpriteIndex(-1);
  Run_Step();
  EXPECT_FLOAT_EQ(fast->image_index, 5.0f);
  EXPECT_EQ(Labels(), std::vector<std::string>{"animation end 0"});
  for (int step = 0; step < 3; ++step) Run_Step();
  EXPECT_EQ(Labels().size(), 4u);
  EXPECT_FLOAT_EQ(empty->image_index, 4.0f);
  EXPECT_FLOAT_EQ(spriteless->image_index, 4.0f);

  // An index beyond any int neither traps nor wraps.
  fast->image_index = 1e30f;
  Run_Step();
  EXPECT_FLOAT_EQ(fast->image_index, 1e30f);
}

// Frames on the recording device: presented only when no room is about to
// be entered and automatic drawing is on.
class FramePresent : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    ServiceList_Install();
    PlatformBackends_Put(&PlatformBackends::graphics, FakeGraphics_CreateSystem);
    g_screenSize = ScreenSize{64, 64};
    DeviceWindow_State() = DeviceWindowState{};
    ASSERT_TRUE(Graphics::CreateDevice(nullptr, 64, 64, 0));
    Timer_SelectClock(TimerClockKind::kVirtual);
    Run_ResetClock();
    testing::internal::CaptureStdout();
    Run_EnterMainLoop();
    testing::internal::GetCapturedStdout();
    g_running = 1;
    g_paused = 0;
  }
  void TearDown() override {
    Graphics::Shutdown();
    while (Graphics::TextureList() != nullptr) Graphics::FreeTexture(Graphics::TextureList());
    Graphics::Release();
    DeviceWindow_Destroy();
    PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
    Timer_SelectClock(TimerClockKind::kFromSwitches);
    DrawState_Reset();
    StepWorld::TearDown();
  }
  // Runs one frame and tells whether it was presented.
  bool Presented() {
    FakeGraphics_Log().Clear();
    Run_Frame();
    return FakeGraphics_Log().Has("Present");
  }
};

TEST_F(FramePresent, OnlyFramesWithoutPendingRoomAndWithAutomaticDrawArePresented) {
  EXPECT_TRUE(Presented());
  g_automaticDraw = 0;
  EXPECT_FALSE(Presented());
  g_automaticDraw = 1;
  EXPECT_TRUE(Presented());

  // A room index asked for during the step: the frame ends unseen. (The
  // room does not exist, so the game then ends.)
  MakeObject(0);
  On(0, kEventStep, 0, "go");
  Ready();
  Add(0);
  Bind("go", [](CInstance*, CInstance*) { g_newRoom = 0; });
  g_currentRoom = nullptr;  // leaving must not free the fixture's room
  EXPECT_FALSE(Presented());
  g_currentRoom = room_;
}

}  // namespace
