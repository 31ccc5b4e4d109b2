// The keeper of the desktop's mode over a display server held in memory:
// which requests it grants, what it switches to, and the mode it puts back.
#include <gtest/gtest.h>

#include "platform/backends.h"
#include "platform/fake/fake_screen_modes.h"
#include "platform/screen_modes.h"

namespace {

constexpr ScreenMode kStart{1024, 768, 60, 32};

class ScreenModes : public testing::Test {
 protected:
  void SetUp() override { server_ = &FakeScreenServer_Install(); }
  void TearDown() override { PlatformBackends_Put(&PlatformBackends::screenModes, nullptr); }
  FakeScreenServer* server_ = nullptr;
};

struct RequestCase {
  ScreenMode request;
  bool granted;
  ScreenMode after;  // the server's mode after a Set
};

// Fields of 0 or below keep the current mode's; whatever the request comes
// to must be listed, but for a rate left out, which becomes the first the
// size offers when it does not offer the current one.
const RequestCase kRequests[] = {
    {{800, 600, 0, 0}, true, {800, 600, 60, 32}},
    {{800, 600, 75, 0}, true, {800, 600, 75, 32}},
    {{0, 0, 0, 0}, true, kStart},
    {{-5, -1, 0, -32}, true, kStart},
    {{1000, 700, 0, 0}, false, kStart},
    {{800, 0, 0, 0}, false, kStart},
    {{0, 0, 75, 0}, false, kStart},
    {{0, 0, 0, 16}, false, kStart},
    {{800, 600, 61, 0}, false, kStart},
};

TEST_F(ScreenModes, RequestsAreGrantedExactlyWhenTheyNameAListedMode) {
  for (const RequestCase& c : kRequests) {
    SCOPED_TRACE(testing::Message() << c.request.width << "x" << c.request.height << "@" << c.request.frequency << "/"
                                    << c.request.bitsPerPixel);
    server_ = &FakeScreenServer_Install();
    EXPECT_EQ(ScreenModes_Test(c.request), c.granted);
    EXPECT_EQ(server_->applied, 0) << "a test switches nothing";
    EXPECT_EQ(ScreenModes_Set(c.request), c.granted);
    ScreenMode now;
    ASSERT_TRUE(ScreenModes_Current(&now));
    EXPECT_EQ(now, c.after);
    EXPECT_EQ(server_->applied, c.after == kStart ? 0 : 1) << "only a real change reaches the server";
  }
}

TEST_F(ScreenModes, ARefusedSwitchAnswersFalse) {
  server_->refuse = true;
  EXPECT_TRUE(ScreenModes_Test({800, 600, 0, 0}));
  EXPECT_FALSE(ScreenModes_Set({800, 600, 0, 0}));
}

TEST_F(ScreenModes, TheStartingModeIsPutBackOnceOverANewConnection) {
  ASSERT_TRUE(ScreenModes_Set({800, 600, 75, 0}));
  ASSERT_TRUE(ScreenModes_Set({640, 480, 0, 0}));
  EXPECT_EQ(server_->current, (ScreenMode{640, 480, 60, 32}));
  const int connections = server_->connections;
  ScreenModes_PutBack();
  EXPECT_EQ(server_->current, kStart);
  EXPECT_EQ(server_->connections, connections + 1);
  // Once put back, the game's later requests change nothing.
  EXPECT_FALSE(ScreenModes_Set({800, 600, 0, 0}));
  EXPECT_EQ(server_->current, kStart);
  const int applied = server_->applied;
  ScreenModes_PutBack();
  EXPECT_EQ(server_->applied, applied);
}

TEST_F(ScreenModes, NothingIsPutBackWhenNothingChanged) {
  ASSERT_TRUE(ScreenModes_Set({1024, 768, 0, 0}));
  ScreenModes_PutBack();
  EXPECT_EQ(server_->applied, 0);
}

TEST_F(ScreenModes, AServerListingNothingCannotChangeModes) {
  server_->listed.clear();
  EXPECT_FALSE(ScreenModes_Changeable());
  EXPECT_FALSE(ScreenModes_Test({0, 0, 0, 0}));
  EXPECT_FALSE(ScreenModes_Set({0, 0, 0, 0}));
}

}  // namespace
