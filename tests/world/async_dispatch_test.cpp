// The step's asynchronous stage: finished requests raise their events with
// the map in async_load, and what happens to requests and maps around that.
#include <gtest/gtest.h>

#include "requests/http_request.h"
#include "runtime/ds_pool.h"
#include "world/loop/dispatch.h"
#include "world/run/run_state.h"
#include "world/step_world.h"

namespace {

struct Delivery {
  int32_t event;
  int32_t id = -1;
};

// Answers the event in the argument with a fresh map holding the id.
int32_t Complete(HTTP_REQ_CONTEXT* request, void* argument, int32_t* map) {
  Delivery* delivery = static_cast<Delivery*>(argument);
  delivery->id = request->id;
  *map = DS_CreateMapFromPairs(1, "id", double(request->id), nullptr);
  return delivery->event;
}

int g_cleanups = 0;
void Cleanup(void*) { ++g_cleanups; }

class AsyncStage : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    g_cleanups = 0;
    MakeObject(0);
    On(0, kEventOther, 62, "http");
    On(0, kEventOther, 60, "image");
    Ready();
    Add(0);
  }
  void TearDown() override {
    StepWorld::TearDown();
    DS_ReleasePools();
  }
  HTTP_REQ_CONTEXT* Finished(Delivery* delivery) {
    auto* request = new HTTP_REQ_CONTEXT("http://x/", 0, Complete, Cleanup, delivery);
    request->state = kHttpFinished;
    return request;
  }
};

TEST_F(AsyncStage, FinishedRequestsRaiseTheirEventsNewestFirstWithTheirMap) {
  Delivery first{62}, second{60}, quiet{59};
  Finished(&first);
  Finished(&second);
  Finished(&quiet);
  auto* waiting = new HTTP_REQ_CONTEXT("http://y/", 0, Complete, Cleanup, &first);
  std::vector<int32_t> seen;
  auto look = [&](CInstance*, CInstance*) {
    seen.push_back(g_runValues.asyncLoad);
    ASSERT_NE(g_dsMaps.Get(g_runValues.asyncLoad), nullptr);
  };
  Bind("http", look);
  Bind("image", look);
  Run_DispatchAsync();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"image", "http"})) << "the request made last comes first";
  EXPECT_EQ(second.id, 1);
  EXPECT_EQ(first.id, 0);
  EXPECT_EQ(quiet.id, 2) << "completed, though 59 raises nothing";
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(runs_[0].serial, runs_[1].serial) << "each delivery is a pass of its own";
  EXPECT_EQ(g_runValues.asyncLoad, -1);
  for (int32_t map : seen) EXPECT_EQ(g_dsMaps.Get(map), nullptr) << "the map goes after its event";
  EXPECT_EQ(g_cleanups, 3);
  EXPECT_EQ(g_httpRequestList, waiting) << "an unfinished request stays";
  EXPECT_EQ(waiting->next, nullptr);
}

TEST_F(AsyncStage, ARequestMadeDuringThePassWaitsForTheNextStep) {
  Delivery again{62};
  Finished(&again);
  Bind("http", [&](CInstance*, CInstance*) { Finished(&again); });
  Run_DispatchAsync();
  EXPECT_EQ(Labels().size(), 1u);
  Run_DispatchAsync();
  EXPECT_EQ(Labels().size(), 2u);
  EXPECT_EQ(again.id, 1);
}

// The script destroys async_load and makes a map that takes its slot: that
// map is the script's and stays.
TEST_F(AsyncStage, OnlyTheMapHandedOutIsDestroyed) {
  Delivery delivery{62};
  Finished(&delivery);
  int32_t made = -1;
  Bind("http", [&](CInstance*, CInstance*) {
    g_dsMaps.Destroy(g_runValues.asyncLoad);
    made = g_dsMaps.Add(new CDS_Map());
  });
  Run_DispatchAsync();
  ASSERT_GE(made, 0);
  EXPECT_NE(g_dsMaps.Get(made), nullptr);
}

}  // namespace
