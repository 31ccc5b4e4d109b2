// How the game loop reaches the platform services: the pause event from the
// window, the per-step update before the freeze test, purchase events ahead
// of the requests'. Unstarted, the services still take the pause event.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "requests/http_request.h"
#include "shell/window.h"
#include "support/test_support.h"
#include "world/loop/game_loop.h"
#include "world/services/platform_services.h"
#include "world/start/startup_services.h"
#include "world/step_world.h"

namespace {

std::vector<std::string>* g_order = nullptr;
void Note(const char* what) {
  if (g_order != nullptr) g_order->push_back(what);
}

class PlatformServicesTest : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    g_order = &order_;
    Services_ResetForTest();
  }
  void TearDown() override {
    Services_ResetForTest();
    Win_SetServices(WindowServices());
    g_order = nullptr;
    StepWorld::TearDown();
  }
  std::vector<std::string> order_;
};

// The window loses the focus to another program: the next step is paused,
// the one after is not.
TEST_F(PlatformServicesTest, APauseEventFromTheWindowLastsOneStep) {
  Ready();
  Win_SetServices(StartupServices_WindowServices());
  testsupport::ConsoleCapture console;
  Win_WindowProc(0, WM_ACTIVATE, WA_ACTIVE, 0);
  Win_WindowProc(0, WM_ACTIVATE, WA_INACTIVE, 5);
  EXPECT_TRUE(console.Lines().empty()) << "focus going to a window of ours is no pause";
  Win_WindowProc(0, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(console.Lines(), std::vector<std::string>{"OS has raised a pause event\n"});
  EXPECT_FALSE(Services_IsPaused());
  Run_Step();
  EXPECT_TRUE(Services_IsPaused());
  EXPECT_EQ(console.Lines().back(), "Pause event has been registered for this frame\n");
  Run_Step();
  EXPECT_FALSE(Services_IsPaused());
  EXPECT_EQ(console.Lines().back(), "Pause event has been unregistered\n");
  Run_Step();
  EXPECT_EQ(console.Lines().size(), 3u);
}

// Even a game frozen without the focus keeps its services going: the pause
// event's step is already paused in Begin Step, and a frozen step still
// ends the pause.
TEST_F(PlatformServicesTest, TheServicesTickRunsBeforeTheFreezeTest) {
  MakeObject(0);
  On(0, kEventStep, 1, "begin");
  Ready();
  Add(0);
  Bind("begin", [](CInstance*, CInstance*) { Note(Services_IsPaused() ? "begin step, paused" : "begin step"); });
  testsupport::ConsoleCapture console;
  Services_OSPauseEvent();
  Run_Step();
  g_options.word[kOptionFreezeOnLostFocus] = 1;
  DeviceWindow_State().active = false;
  Run_Step();
  EXPECT_EQ(order_, std::vector<std::string>{"begin step, paused"});
  EXPECT_FALSE(Services_IsPaused());
  EXPECT_EQ(console.Lines().back(), "Pause event has been unregistered\n");
}

int32_t CompleteRequest(HTTP_REQ_CONTEXT*, void*, int32_t*) {
  Note("request");
  return 0;
}

TEST_F(PlatformServicesTest, PurchaseEventsRunOnceBeforeTheRequestsOfTheStep) {
  MakeObject(0);
  On(0, kEventOther, 66, "purchase");
  Ready();
  Add(0);
  Bind("purchase", [](CInstance*, CInstance*) { Note("purchase"); });
  auto* request = new HTTP_REQ_CONTEXT("http://x/", 0, CompleteRequest, nullptr, nullptr);
  request->state = kHttpFinished;
  IapEvents_MarkPending();
  Run_DispatchAsync();
  Run_DispatchAsync();
  EXPECT_EQ(order_, (std::vector<std::string>{"purchase", "request"}));
  EXPECT_FALSE(IapEvents_Pending());
}

}  // namespace
