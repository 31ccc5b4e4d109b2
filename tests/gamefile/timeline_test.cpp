#include "resources/timeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gamefile/object_test_support.h"
#include "support/test_support.h"

namespace {

class TimeLines : public testing::Test {
 protected:
  void SetUp() override { TimeLine_Init(); }
  void TearDown() override { TimeLine_Shutdown(); }
  bool Load(const std::vector<TimeLineShape>& shapes) {
    ChunkData chunk = TimeLineChunk(shapes);
    return TimeLine_Load(chunk.image, chunk.data, chunk.size);
  }
  RecordingCode code_;
  testsupport::ConsoleCapture console_;
};

TEST_F(TimeLines, MomentSearchesAnswerForAnyPosition) {
  ASSERT_TRUE(Load({{"tl", {{0, "a"}, {10, "b"}, {20, "c"}}}, {"empty", {}}}));
  CTimeLine* line = TimeLine_Get(0);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->FindMomentFrom(10), 1);
  EXPECT_EQ(line->FindMomentFrom(10.5), 2);
  EXPECT_EQ(line->FindMomentFrom(25), 3);
  EXPECT_EQ(line->FindMomentFrom(-5), 0);
  EXPECT_EQ(line->FindMomentUpTo(9.99), 0);
  EXPECT_EQ(line->FindMomentUpTo(-1), -1);
  EXPECT_EQ(line->FindMomentUpTo(20), 2);
  EXPECT_EQ(line->FindMomentUpTo(1e300), 2);
  double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(line->FindMomentFrom(nan), 3);
  EXPECT_EQ(line->FindMomentUpTo(nan), -1);
  EXPECT_EQ(line->FindMomentFrom(-INFINITY), 0);
  EXPECT_EQ(line->GetMomentStep(-1), 0);
  EXPECT_EQ(line->GetMomentStep(3), 0);
  EXPECT_EQ(line->GetMomentEvent(3), nullptr);

  CTimeLine* empty = TimeLine_Get(1);
  EXPECT_EQ(empty->FindMomentFrom(0), 0);
  EXPECT_EQ(empty->FindMomentUpTo(0), -1);
  empty->DeleteMoment(0);
  EXPECT_EQ(empty->GetMomentCount(), 0);
}

TEST_F(TimeLines, DeletingAMomentKeepsTheOthersWithTheirEvents) {
  ASSERT_TRUE(Load({{"tl", {{0, "a"}, {10, "b"}, {20, "c"}}}}));
  CTimeLine* line = TimeLine_Get(0);
  line->DeleteMoment(15);
  line->DeleteMoment(25);
  EXPECT_EQ(line->GetMomentCount(), 3);
  line->DeleteMoment(10);
  ASSERT_EQ(line->GetMomentCount(), 2);
  EXPECT_EQ(line->GetMomentStep(1), 20);
  EXPECT_STREQ(line->GetMomentEvent(0)->text, "a");
  EXPECT_STREQ(line->GetMomentEvent(1)->text, "c");
  line->DeleteMoment(20);
  line->DeleteMoment(0);
  EXPECT_EQ(line->GetMomentCount(), 0);
}

TEST_F(TimeLines, StoreFindsDeletesAndMovesLaterLinesDown) {
  ASSERT_TRUE(Load({{"first", {{1, "x"}}}, {}, {"third", {{2, "y"}}}}));
  EXPECT_FALSE(TimeLine_Exists(1));
  EXPECT_STREQ(TimeLine_GetName(1), "<undefined>");
  EXPECT_STREQ(TimeLine_GetName(3), "<undefined>");
  EXPECT_EQ(TimeLine_Find("third"), 2);
  EXPECT_EQ(TimeLine_Add(), -1);
  EXPECT_EQ(TimeLine_Count(), 3);
  EXPECT_FALSE(TimeLine_Delete(1));
  EXPECT_TRUE(TimeLine_Delete(0));
  EXPECT_EQ(TimeLine_Count(), 2);
  EXPECT_EQ(TimeLine_Find("third"), 1);
  EXPECT_STREQ(TimeLine_GetName(1), "third");
  EXPECT_FALSE(TimeLine_Delete(-1));
}

// The code of a moment may be what removes it: a moment that clears itself
// or deletes its own time line goes on running, so what was removed stays
// alive until the store is cleared.
TEST_F(TimeLines, RemovedMomentsAndTimeLinesOutliveTheRemoval) {
  ASSERT_TRUE(Load({{"first", {{1, "x"}, {2, "z"}}}, {"second", {{3, "y"}}}}));
  CTimeLine* first = TimeLine_Get(0);
  const CEvent* cleared = first->GetMomentEvent(0);
  first->DeleteMoment(1);
  EXPECT_EQ(first->GetMomentCount(), 1);
  EXPECT_STREQ(cleared->text, "x");
  ASSERT_TRUE(TimeLine_Delete(0));
  EXPECT_EQ(first->GetMomentStep(0), 2);
  EXPECT_STREQ(first->GetMomentEvent(0)->text, "z");
  EXPECT_STREQ(TimeLine_GetName(0), "second");
}

TEST_F(TimeLines, StepsOutOfOrderOrRecordsOutsideTheFileFailTheLoad) {
  EXPECT_FALSE(Load({{"tl_unordered", {{10, "a"}, {5, "b"}}}}));
  EXPECT_NE(console_.Text().find("tl_unordered"), std::string::npos);
  EXPECT_FALSE(Load({{"tl_twice", {{5, "a"}, {5, "b"}}}}));
  EXPECT_NE(console_.Text().find("tl_twice"), std::string::npos);

  ChunkData chunk = TimeLineChunk({{"tl_huge", {{1, "a"}}}});
  // The first record's moment count sits one word after its name offset.
  uint32_t record;
  std::memcpy(&record, chunk.image.Data() + chunk.data + 4, 4);
  std::vector<uint8_t> bytes(chunk.image.Data(), chunk.image.Data() + chunk.image.Size());
  bytes[record + 7] = 0x40;
  GameImage damaged;
  damaged.Assign(bytes);
  EXPECT_FALSE(TimeLine_Load(damaged, chunk.data, chunk.size));
  EXPECT_NE(console_.Text().find("tl_huge"), std::string::npos);
}

TEST_F(TimeLines, MomentsCompileUnderTheTimeLineIndexAndStopAtAFailure) {
  ASSERT_TRUE(Load({{"tl", {{3, "a"}, {7, "fail"}, {9, "never"}}}}));
  EXPECT_FALSE(TimeLine_Prepare());
  EXPECT_EQ(code_.compiled,
            (std::vector<std::string>{"Object.<undefined>.<Unknown Event>.0", "Object.<undefined>.<Unknown Event>.0"}));
  EXPECT_EQ(g_eventType, 100000);
  EXPECT_EQ(g_eventNumber, 7);
  EXPECT_EQ(code_.fatal.size(), 1u);
}

}  // namespace
