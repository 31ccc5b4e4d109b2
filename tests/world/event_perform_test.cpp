#include "script/events/event_perform.h"

#include <gtest/gtest.h>

#include "gamefile/game_header.h"
#include "script/events/event.h"
#include "support/script_host_fake.h"
#include "support/test_support.h"
#include "world/object_store_support.h"

namespace {

class Performs : public testing::Test {
 protected:
  void SetUp() override {
    savedFormat_ = g_formatVersion;
    g_formatVersion = 9;
    g_eventObject = 11;
    g_eventType = 22;
    g_eventNumber = 33;
    Object_Init();
    FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
    TimeLine_Init();
  }
  void TearDown() override {
    Object_Shutdown();
    TimeLine_Shutdown();
    g_formatVersion = savedFormat_;
  }
  void ExpectOuterEventRestored() {
    EXPECT_EQ(g_eventObject, 11);
    EXPECT_EQ(g_eventType, 22);
    EXPECT_EQ(g_eventNumber, 33);
  }
  RecordingCode code_;
  FakeWorld world_;
  testsupport::ConsoleCapture console_;
  int32_t savedFormat_ = 0;
};

TEST_F(Performs, AnInheritedEventRunsAsItsDefinerAndTheOuterEventComesBack) {
  ASSERT_TRUE(LoadObjects({{"grand", -1, {{0, 0, "grand create"}, {7, 10, "user 0"}}},
                           {"parent", 0},
                           {"child", 1, {{3, 0, "child step"}}}}));
  FakeInstance self{2}, other{0};
  code_.SetRelative(true);
  Perform_Event(AsInstance(&self), AsInstance(&other), 2, 0, 0);
  ASSERT_EQ(code_.runs.size(), 1u);
  const RecordingCode::Run& run = code_.runs[0];
  EXPECT_EQ(run.text, "grand create");
  EXPECT_EQ(run.object, 0);
  EXPECT_EQ(run.type, 0);
  EXPECT_EQ(run.self, AsInstance(&self));
  EXPECT_EQ(run.other, AsInstance(&other));
  EXPECT_FALSE(run.relative);
  EXPECT_TRUE(code_.Relative());
  ExpectOuterEventRestored();

  // A nested perform restores the event it interrupted.
  code_.onRun = [&](const std::string& text) {
    if (text != "child step") return;
    Perform_Event(AsInstance(&self), AsInstance(&self), 2, 7, 10);
    EXPECT_EQ(g_eventObject, 2);
  };
  Perform_Event_Instance(AsInstance(&self), AsInstance(&self), 3, 0);
  ASSERT_EQ(code_.runs.size(), 3u);
  EXPECT_EQ(code_.runs[2].text, "user 0");
  EXPECT_EQ(code_.runs[2].number, 10);
  ExpectOuterEventRestored();

  Perform_Event(AsInstance(&self), AsInstance(&self), 2, 1, 0);  // no destroy anywhere
  Perform_Event_Instance(nullptr, nullptr, 0, 0);
  EXPECT_EQ(code_.runs.size(), 3u);
}

TEST_F(Performs, ACollisionWithTheChildOfTheDefinedObjectRuns) {
  ASSERT_TRUE(LoadObjects({{"wall"}, {"brick", 0}, {"ball", -1, {{4, 0, "hit wall"}}}}));
  FakeInstance ball{2}, brick{1};
  Perform_Event(AsInstance(&ball), AsInstance(&brick), 2, 4, 1);
  ASSERT_EQ(code_.runs.size(), 1u);
  EXPECT_EQ(code_.runs[0].text, "hit wall");
  EXPECT_EQ(code_.runs[0].object, 2);
  EXPECT_EQ(code_.runs[0].number, 1);
}

TEST_F(Performs, PerformAllStepsPastEachInstanceBeforeItRunsAndSkipsDeletedOnes) {
  ASSERT_TRUE(LoadObjects({{"obj", -1, {{3, 0, "step"}}}}));
  FakeInstance a{0}, b{0}, c{0}, d{0};
  b.marked = true;
  world_.room = {&a, &b, &c, &d};
  std::vector<CInstance*> order;
  code_.onRun = [&](const std::string&) {
    order.push_back(code_.runs.back().self);
    // The first event takes its own instance out of the room.
    if (order.size() == 1) world_.room.erase(world_.room.begin());
  };
  Perform_Event_All(3, 0);
  EXPECT_EQ(order, (std::vector<CInstance*>{AsInstance(&a), AsInstance(&c), AsInstance(&d)}));
  for (const RecordingCode::Run& run : code_.runs) EXPECT_EQ(run.self, run.other);
}

TEST_F(Performs, NothingRunsWhileARoomChangeIsPending) {
  ASSERT_TRUE(LoadObjects({{"obj", -1, {{0, 0, "create"}}}}));
  ChunkData lines = TimeLineChunk({{"tl", {{5, "moment"}}}});
  ASSERT_TRUE(TimeLine_Load(lines.image, lines.data, lines.size));
  FakeInstance a{0};
  world_.room = {&a};
  world_.pending = true;
  Perform_Event(AsInstance(&a), AsInstance(&a), 0, 0, 0);
  Perform_Event_All(0, 0);
  Perform_Event_TimeLine(AsInstance(&a), AsInstance(&a), 0, 0);
  EXPECT_TRUE(code_.runs.empty());
  world_.pending = false;
  Perform_Event_All(0, 0);
  EXPECT_EQ(code_.runs.size(), 1u);
}

TEST_F(Performs, AMomentRunsAsTheTimeLineWithItsStep) {
  ASSERT_TRUE(LoadObjects({{"obj"}}));
  ChunkData lines = TimeLineChunk({{}, {"tl", {{0, "m0"}, {10, "m10"}}}});
  ASSERT_TRUE(TimeLine_Load(lines.image, lines.data, lines.size));
  FakeInstance a{0};
  Perform_Event_TimeLine(AsInstance(&a), AsInstance(&a), 1, 1);
  ASSERT_EQ(code_.runs.size(), 1u);
  EXPECT_EQ(code_.runs[0].text, "m10");
  EXPECT_EQ(code_.runs[0].type, 100000);
  EXPECT_EQ(code_.runs[0].number, 10);
  EXPECT_EQ(code_.runs[0].object, 1);
  ExpectOuterEventRestored();
  Perform_Event_TimeLine(AsInstance(&a), AsInstance(&a), 1, 2);
  Perform_Event_TimeLine(AsInstance(&a), AsInstance(&a), 0, 0);
  EXPECT_EQ(code_.runs.size(), 1u);
}

}  // namespace
