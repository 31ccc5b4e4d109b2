// The achievement queue: its file, its limits, and the send machine against
// a service that reports and against this platform's, which never does.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "files/file_layer.h"
#include "platform/achievement_service.h"
#include "platform/backends.h"
#include "runtime/memory.h"
#include "support/test_support.h"
#include "world/services/achievement_queue.h"
#include "world/services/platform_services.h"

namespace {

// The two entries' file: kind 1 "a" 7, then kind 2 "bb" 0.5.
const std::string kTwoEntries("\x01\0\0\0a\0\x07\0\0\0\x02\0\0\0bb\0\0\0\0\x3f", 21);

// What the cache file holds before a case.
struct CacheContents {
  bool exists = false;
  std::string bytes;
};

// The cache file in a scratch save folder; every write of it (a whole new
// file moved in under its name) is counted.
class CacheFile {
 public:
  CacheFile() : watch_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    LoadSave_SetSaveDirectory(folder_.Path().c_str());
    inotify_add_watch(watch_, folder_.Path().c_str(), IN_MOVED_TO);
  }
  ~CacheFile() {
    close(watch_);
    LoadSave_SetSaveDirectory(nullptr);
  }
  CacheFile(const CacheFile&) = delete;
  CacheFile& operator=(const CacheFile&) = delete;

  std::string Path() const { return folder_ / kAchievementCacheFile; }
  void Put(const CacheContents& contents) {
    std::filesystem::remove_all(Path());
    if (contents.exists) testsupport::WriteRaw(Path(), contents.bytes);
    Writes();
    writes_ = 0;
  }
  bool Exists() const { return std::filesystem::is_regular_file(Path()); }
  std::string Bytes() const { return testsupport::ReadRaw(Path()); }
  // The writes since the last Put or ForgetWrites. Read after each write
  // that counts: the kernel folds like events not yet read into one.
  int Writes() {
    alignas(inotify_event) char events[4096];
    for (ssize_t got; (got = read(watch_, events, sizeof events)) > 0;) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if (std::string(event->name) == kAchievementCacheFile) ++writes_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return writes_;
  }
  void ForgetWrites() {
    Writes();
    writes_ = 0;
  }
  // A folder in the file's place: every write fails.
  void MakeUnwritable() {
    Put({});
    std::filesystem::create_directory(Path());
  }

 private:
  testsupport::ScratchFolder folder_;
  int watch_;
  int writes_ = 0;
};

// A service that starts every send and keeps what it was given; the test
// reports for it.
struct Sent {
  int32_t kind;
  std::string name;
  double value;
};
std::vector<Sent> g_sent;
bool Start() { return true; }
void Login() {}
void PostAchievement(const char* name, float percent) {
  uint32_t bits;
  std::memcpy(&bits, &percent, sizeof bits);
  AchievementQueue_Post(2, name, bits);
}
void PostScore(const char* name, int32_t score) { AchievementQueue_Post(1, name, static_cast<uint32_t>(score)); }
bool SendInteger(int32_t kind, const char* name, int32_t value) {
  g_sent.push_back({kind, name, static_cast<double>(value)});
  return true;
}
bool SendFloat(int32_t kind, const char* name, float value) {
  g_sent.push_back({kind, name, value});
  return true;
}
constexpr AchievementService kRecording{Start, Login, PostAchievement, PostScore, SendInteger, SendFloat};

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const AchievementEntry* e = AchievementQueue_Head(); e != nullptr; e = e->next) names.push_back(e->name);
  return names;
}

class AchievementQueueTest : public testing::Test {
 protected:
  void SetUp() override {
    g_sent.clear();
    PlatformBackends_Put(&PlatformBackends::achievements, &kRecording);
    Services_ResetForTest();
  }
  void TearDown() override {
    Services_ResetForTest();
    PlatformBackends_Put(&PlatformBackends::achievements, nullptr);
  }
  static void Steps(int32_t count) {
    for (int32_t i = 0; i < count; ++i) AchievementQueue_Process();
  }
  CacheFile file_;
};

TEST_F(AchievementQueueTest, EntriesAreWrittenInQueueOrderAndEveryAddRewritesTheFile) {
  float half = 0.5f;
  uint32_t bits;
  std::memcpy(&bits, &half, 4);
  AchievementQueue_Add(1, "a", 7);
  EXPECT_EQ(file_.Writes(), 1);
  AchievementQueue_Add(2, "bb", bits);
  EXPECT_EQ(file_.Bytes(), kTwoEntries);
  EXPECT_EQ(file_.Writes(), 2);
  EXPECT_FALSE(AchievementQueue_Dirty());

  AchievementQueue_Clear();
  file_.ForgetWrites();
  EXPECT_FALSE(AchievementQueue_Load());
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "bb"}));
  EXPECT_EQ(file_.Writes(), 1) << "one rewrite for the whole load";
  EXPECT_EQ(file_.Bytes(), kTwoEntries);
  EXPECT_FALSE(AchievementQueue_Load()) << "a queue that holds posts is not loaded again";
  EXPECT_EQ(AchievementQueue_Count(), 2);

  AchievementQueue_Clear();
  AchievementQueue_Save();
  EXPECT_TRUE(file_.Exists());
  EXPECT_EQ(file_.Bytes(), "") << "an empty queue writes an empty file";
}

// A cache cut anywhere keeps its whole entries and the rewrite holds only
// them; a name without its zero ends the load.
TEST_F(AchievementQueueTest, ACutCacheKeepsItsWholeEntriesAndLosesTheRest) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {kTwoEntries + std::string("\x05\0\0", 3), {"a", "bb"}},
      {kTwoEntries.substr(0, 20), {"a"}},
      {kTwoEntries.substr(0, 16), {"a"}},
      {kTwoEntries.substr(0, 12), {"a"}},
      {std::string("\x01\0\0\0abc", 7), {}},
      {std::string("\x01\0", 2), {}},
      {"", {}},
  };
  for (const auto& [bytes, names] : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    AchievementQueue_Clear();
    file_.Put({true, bytes});
    AchievementQueue_Load();
    EXPECT_EQ(Names(), names);
    const std::string whole = names.size() == 2 ? kTwoEntries : names.size() == 1 ? kTwoEntries.substr(0, 10) : "";
    EXPECT_EQ(file_.Bytes(), names.empty() ? bytes : whole);
  }
}

// A load writes the file once, after the last entry it took, whatever the
// file held; a load that takes nothing writes nothing.
TEST_F(AchievementQueueTest, ALoadRewritesTheCacheOnceWithWhatItTook) {
  std::string full;
  for (int32_t i = 0; i < 2100; ++i) full += std::string("\x01\0\0\0x\0", 6) + std::string(4, static_cast<char>(i));
  struct Case {
    const char* what;
    CacheContents file;
    int32_t count;
    int writes;
    std::string after;
  };
  const std::string cut("\x01\0\0\0abc", 7);
  const Case cases[] = {
      {"no file", {}, 0, 0, ""},
      {"no whole entry", {true, cut}, 0, 0, cut},
      {"two entries and a cut one", {true, kTwoEntries + std::string("\x05\0\0", 3)}, 2, 1, kTwoEntries},
      {"more than the queue holds", {true, full}, 2049, 1, full.substr(0, 2049 * 10)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AchievementQueue_Clear();
    file_.Put(c.file);
    AchievementQueue_Load();
    EXPECT_EQ(AchievementQueue_Count(), c.count);
    EXPECT_EQ(file_.Writes(), c.writes);
    EXPECT_EQ(file_.Exists(), c.file.exists);
    EXPECT_EQ(file_.Bytes(), c.after);
    EXPECT_FALSE(AchievementQueue_Dirty());
  }
}

TEST_F(AchievementQueueTest, AddsStopAtTwoThousandAndFortyNine) {
  for (int32_t i = 0; i < 2100; ++i) AchievementQueue_Add(1, "x", static_cast<uint32_t>(i));
  EXPECT_EQ(AchievementQueue_Count(), 2049);
  EXPECT_EQ(file_.Bytes().size(), 2049u * 10u);
}

TEST_F(AchievementQueueTest, AReportedSuccessRemovesTheHeadAndAFailureRestsItAtTheTail) {
  g_achievementsAvailable = 1;
  AchievementQueue_Add(1, "a", 7);
  AchievementQueue_Add(3, "b", 0x3F800000u);
  AchievementQueue_Add(4, "c", 9);
  Steps(1);
  ASSERT_EQ(g_sent.size(), 1u);
  EXPECT_EQ(g_sent[0].name, "a");
  EXPECT_EQ(g_sent[0].value, 7.0);
  EXPECT_EQ(AchievementQueue_State(), kAchievementSending);
  Steps(5);
  EXPECT_EQ(g_sent.size(), 1u) << "nothing more goes out until the service reports";

  AchievementQueue_SetState(kAchievementSent);
  Steps(1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(AchievementQueue_State(), kAchievementIdle);
  Steps(1);
  ASSERT_EQ(g_sent.size(), 2u);
  EXPECT_EQ(g_sent[1].kind, 3);
  EXPECT_EQ(g_sent[1].value, 1.0) << "kinds 2 and 3 send their value as a float";

  AchievementQueue_SetState(kAchievementFailed);
  Steps(1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"c", "b"}));
  EXPECT_EQ(AchievementQueue_Current(), nullptr);
  EXPECT_EQ(AchievementQueue_State(), kAchievementResting);
  EXPECT_EQ(file_.Bytes().substr(0, 4), std::string("\x04\0\0\0", 4)) << "the move is saved";
  Steps(kAchievementRetrySteps);
  EXPECT_EQ(g_sent.size(), 2u);
  Steps(2);
  ASSERT_EQ(g_sent.size(), 3u);
  EXPECT_EQ(g_sent[2].name, "c");
}

TEST_F(AchievementQueueTest, AKindNoServiceKnowsIsDroppedAndTheQueueRests) {
  g_achievementsAvailable = 1;
  AchievementQueue_Add(5, "x", 1);
  AchievementQueue_Add(1, "a", 7);
  Steps(1);
  EXPECT_EQ(Names(), std::vector<std::string>{"a"});
  EXPECT_EQ(file_.Bytes(), kTwoEntries.substr(0, 10));
  EXPECT_TRUE(g_sent.empty());
  Steps(kAchievementRetrySteps + 1);
  EXPECT_TRUE(g_sent.empty()) << "600 steps of rest, then the state is idle again";
  Steps(1);
  EXPECT_EQ(g_sent.size(), 1u);
}

TEST_F(AchievementQueueTest, AReportWithNothingSentOnlyEndsTheWait) {
  g_achievementsAvailable = 1;
  AchievementQueue_Add(1, "a", 7);
  AchievementQueue_Add(1, "b", 8);
  for (const int32_t report : {kAchievementSent, kAchievementFailed}) {
    file_.ForgetWrites();
    AchievementQueue_SetState(report);
    Steps(1);
    EXPECT_EQ(AchievementQueue_State(), kAchievementIdle);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(file_.Writes(), 0);
    EXPECT_TRUE(g_sent.empty());
  }
}

TEST_F(AchievementQueueTest, NothingMovesWhileTheServiceIsAbsentOrTheQueueEmpty) {
  AchievementQueue_Add(1, "a", 7);
  Steps(3);
  EXPECT_TRUE(g_sent.empty());
  EXPECT_EQ(AchievementQueue_State(), kAchievementIdle);
  AchievementQueue_Clear();
  g_achievementsAvailable = 1;
  Steps(3);
  EXPECT_EQ(AchievementQueue_State(), kAchievementIdle);
}

// The platform's own service: available, posts go nowhere, and the first
// queued post stays in flight for good.
TEST_F(AchievementQueueTest, ThisPlatformsServiceTakesTheFirstPostAndNeverReports) {
  PlatformBackends_Put(&PlatformBackends::achievements, nullptr);
  file_.Put({true, kTwoEntries});
  Services_Start();
  EXPECT_EQ(g_achievementsAvailable, 1);
  EXPECT_EQ(AchievementQueue_Count(), 2);
  AchievementQueue_Service().postScore("s", 3);
  AchievementQueue_Service().postAchievement("p", 1.0f);
  EXPECT_EQ(AchievementQueue_Count(), 2);
  Steps(1000);
  EXPECT_EQ(AchievementQueue_State(), kAchievementSending);
  EXPECT_STREQ(AchievementQueue_Current()->name, "a");
  EXPECT_EQ(AchievementQueue_Count(), 2);
}

// The real file in a save folder: started, posted to through a service that
// queues, and written again at the end.
TEST_F(AchievementQueueTest, TheCacheLivesInTheSaveFolder) {
  file_.Put({true, kTwoEntries + "zz"});
  Services_Start();
  EXPECT_EQ(file_.Bytes(), kTwoEntries);
  AchievementQueue_Service().postScore("c", 9);
  EXPECT_EQ(AchievementQueue_Count(), 3);
  Services_Shutdown();
  EXPECT_EQ(file_.Bytes(), kTwoEntries + std::string("\x01\0\0\0c\0\x09\0\0\0", 10));
}

// A game refused before its built-ins registered never started the
// services: its end leaves the cache as it was.
TEST_F(AchievementQueueTest, AnEndWithoutAStartLeavesTheCacheAlone) {
  file_.Put({true, kTwoEntries});
  Services_Shutdown();
  EXPECT_EQ(file_.Writes(), 0);
  Services_Start();
  Services_Shutdown();
  EXPECT_GE(file_.Writes(), 1);
  EXPECT_EQ(file_.Bytes(), kTwoEntries);
}

TEST_F(AchievementQueueTest, AFailedWriteIsAnsweredAndTheQueueStays) {
  file_.MakeUnwritable();
  AchievementQueue_Add(1, "a", 7);
  EXPECT_FALSE(AchievementQueue_Save());
  EXPECT_EQ(AchievementQueue_Count(), 1);
  EXPECT_FALSE(file_.Exists());
}

}  // namespace
