// The display-mode built-ins over a display server held in memory (1024x768
// at 60 Hz, 800x600 at 60 and 75 Hz, 640x480 listed): what they answer and
// the mode the server is left in.
#include <limits>

#include "graphics_test_support.h"
#include "platform/backends.h"
#include "platform/fake/fake_screen_modes.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr ScreenMode kStart{1024, 768, 60, 32};

class DisplayModeBuiltins : public GraphicsBuiltins {
 protected:
  void SetUp() override {
    GraphicsBuiltins::SetUp();
    server_ = &FakeScreenServer_Install();
  }
  void TearDown() override {
    PlatformBackends_Put(&PlatformBackends::screenModes, nullptr);
    GraphicsBuiltins::TearDown();
  }
  FakeScreenServer* server_ = nullptr;
};

struct ModeCase {
  const char* name;
  std::vector<GoldenArg> args;
  double expected;
  ScreenMode after;
};

// NaN, or more than any mode's field can hold, refuses the whole request;
// 0 or below (down to -infinity) keeps the field as it is.
const ModeCase kCases[] = {
    {"display_set_size", {R(800), R(600)}, 1, {800, 600, 60, 32}},
    {"display_set_size", {R(800.4), R(599.6)}, 1, {800, 600, 60, 32}},
    {"display_set_size", {R(kNaN), R(600)}, 0, kStart},
    {"display_set_size", {R(800), R(1e9)}, 0, kStart},
    {"display_set_size", {R(32768), R(600)}, 0, kStart},
    {"display_set_size", {R(-1e300), R(768)}, 1, kStart},
    {"display_set_all", {R(800), R(600), R(75), R(32)}, 1, {800, 600, 75, 32}},
    {"display_set_all", {R(800), R(600), R(kInfinity), R(0)}, 0, kStart},
    {"display_set_all", {R(-kInfinity), R(-1), R(0), R(kNaN)}, 0, kStart},
    {"display_set_frequency", {R(kNaN)}, 0, kStart},
    {"display_set_colordepth", {R(16)}, 0, kStart},
    {"display_test_all", {R(640), R(480), R(0), R(0)}, 1, kStart},
    {"display_test_all", {R(641), R(480), R(0), R(0)}, 0, kStart},
    {"display_test_all", {R(640), R(480), R(kNaN), R(0)}, 0, kStart},
};

TEST_F(DisplayModeBuiltins, RequestsAnswerAndSwitchAsTheServerListsThem) {
  for (const ModeCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.name << " " << c.args[0].real);
    server_ = &FakeScreenServer_Install();
    EXPECT_EQ(Real(c.name, c.args), c.expected);
    EXPECT_EQ(server_->current, c.after);
    EXPECT_EQ(server_->applied, c.after == kStart ? 0 : 1);
    EXPECT_EQ(Real("display_get_width", {}), c.after.width);
    EXPECT_EQ(Real("display_get_height", {}), c.after.height);
    EXPECT_EQ(Real("display_get_frequency", {}), c.after.frequency);
  }
}

}  // namespace
