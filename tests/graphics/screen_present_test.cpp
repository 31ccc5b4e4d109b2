// The screen target's way to the window: what the back buffer holds after a
// frame (the picture, and the bars around it when the aspect is kept), and
// what a real window shows after a present.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/start/graphics_start.h"
#include "support/test_support.h"
#include "support/x_server.h"

extern char** environ;

namespace {

constexpr int32_t kGameWidth = 64, kGameHeight = 48;

void GameProjectionSize(int32_t* w, int32_t* h) {
  *w = g_screenSize.width;
  *h = g_screenSize.height;
}

// A different opaque colour in every pixel of the game screen.
uint32_t PatternAt(int32_t x, int32_t y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 4) << 16 | static_cast<uint32_t>(y * 5) << 8 |
         static_cast<uint32_t>((x * 7 + y * 3) & 255);
}

// Script colours are 0xBBGGRR.
uint32_t ScriptColour(uint32_t argb) { return (argb & 0xFF) << 16 | (argb & 0xFF00) | (argb >> 16 & 0xFF); }

// Starts the graphics layer as the player does and opens a frame.
bool StartFrameOnGameScreen(uint32_t flags) {
  DeviceWindow_State() = DeviceWindowState{};
  Graphics::SetProjectionSizeSource(GameProjectionSize);
  GR_Draw_Set_Alpha(1.0f);
  return GR_D3D_Init(nullptr, kGameWidth, kGameHeight, flags) && GR_D3D_Start_Frame();
}

void DrawFilled(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t argb) {
  GR_Draw_Set_Color(ScriptColour(argb));
  GR_Draw_Rectangle(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2), 0);
}

class KeptAspect : public GraphicsTest {
 protected:
  void SetUp() override {
    PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
    saved_ = g_debugConsole;
    g_debugConsole = &console_;
    ASSERT_TRUE(StartFrameOnGameScreen(Graphics::kCreateKeepAspect));
    GR_D3D_Finish_Frame(false);
  }
  void TearDown() override {
    Graphics::SetProjectionSizeSource(nullptr);
    GraphicsTest::TearDown();
  }
  // A window of the given client size, then one frame of the pattern.
  std::vector<uint32_t> FrameInWindowOf(int32_t width, int32_t height) {
    Graphics::RequestWindowSize(width, height);
    return FrameAfterReset(width, height);
  }
  std::vector<uint32_t> FrameAfterReset(int32_t width, int32_t height) {
    EXPECT_TRUE(GR_Display_Reset());
    // The room's size and view, as the room drawing sets them each frame.
    g_screenSize = ScreenSize{kGameWidth, kGameHeight};
    GR_D3D_Start_Frame();
    GR_Set_Viewport(0, 0, kGameWidth, kGameHeight);
    GR_Set_View_Projection(0, 0, kGameWidth, kGameHeight, 0);
    for (int32_t y = 0; y < kGameHeight; ++y) {
      for (int32_t x = 0; x < kGameWidth; ++x) DrawFilled(x, y, x, y, PatternAt(x, y));
    }
    EXPECT_TRUE(ScreenHoldsThePattern());
    GR_D3D_Finish_Frame(false);
    int32_t w = 0, h = 0;
    uint32_t* block = GR_Read_Back_Buffer(&w, &h);
    std::vector<uint32_t> pixels;
    if (block != nullptr && w == width && h == height) pixels.assign(block, block + static_cast<size_t>(w) * h);
    MemoryManager::Free(block);
    return pixels;
  }
  static bool ScreenHoldsThePattern() {
    Graphics::FlushBatch();
    uint32_t* block = Graphics::ReadScreenPixels(kGameWidth, kGameHeight, 0, 0, kGameWidth, kGameHeight);
    bool same = block != nullptr;
    for (int32_t i = 0; same && i < kGameWidth * kGameHeight; ++i)
      same = block[i] == PatternAt(i % kGameWidth, i / kGameWidth);
    MemoryManager::Free(block);
    return same;
  }
  // The picture 1:1 at (left, top), the window colour everywhere else.
  void ExpectPictureAt(const std::vector<uint32_t>& pixels, int32_t width, int32_t height, int32_t left, int32_t top,
                       uint32_t bars) {
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height);
    int wrong = 0;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        const int32_t px = x - left, py = y - top;
        const bool inPicture = px >= 0 && px < kGameWidth && py >= 0 && py < kGameHeight;
        const uint32_t got = pixels[static_cast<size_t>(y) * width + x];
        // The bars' alpha is of no account: only the colour reaches the window.
        const bool right = inPicture ? got == PatternAt(px, py) : (got & 0xFFFFFF) == (bars & 0xFFFFFF);
        if (!right && ++wrong <= 6) {
          ADD_FAILURE() << width << "x" << height << " window, pixel " << x << "," << y << " is " << std::hex << got;
        }
      }
    }
  }
};

TEST_F(KeptAspect, WideAndTallWindowsShowBarsInTheWindowColourAroundTheExactPicture) {
  const uint32_t bars = 0xFFA06030u;
  DeviceWindow_State().windowColour = ScriptColour(bars);
  ExpectPictureAt(FrameInWindowOf(100, 48), 100, 48, 18, 0, bars);
  ExpectPictureAt(FrameInWindowOf(64, 80), 64, 80, 0, 16, bars);
  ExpectPictureAt(FrameInWindowOf(kGameWidth, kGameHeight), kGameWidth, kGameHeight, 0, 0, bars);
  // The screen target keeps the game's size through every window size.
  EXPECT_EQ(DeviceTexture_Width(Graphics::ScreenTexture()), kGameWidth);
  EXPECT_EQ(DeviceTexture_Height(Graphics::ScreenTexture()), kGameHeight);
}

// Where the picture lies in a back buffer of bw x bh: all of it, or the
// game's shape centred in it when the aspect is kept.
void PictureRect(int32_t bw, int32_t bh, bool keepAspect, float rect[4]) {
  const float w = kGameWidth, h = kGameHeight, fbw = static_cast<float>(bw), fbh = static_cast<float>(bh);
  rect[0] = rect[1] = 0;
  rect[2] = fbw;
  rect[3] = fbh;
  if (!keepAspect) return;
  if (fbh > fbw / (w / h)) {
    rect[1] = (fbh - (h / w) * fbw) * 0.5f;
    rect[3] = rect[1] + (h / w) * fbw;
  } else if (fbw / (w / h) > fbh) {
    rect[0] = (fbw - fbh * (w / h)) * 0.5f;
    rect[2] = rect[0] + fbh * (w / h);
  }
}

// The game pixels a pixel centre at c may show along one axis of a picture
// from p0 to p1: the one under it, or either neighbour within a hair of a
// boundary between them; -1 stands for outside the picture.
void TexelsAt(float c, float p0, float p1, int32_t size, int32_t out[2]) {
  constexpr float kHair = 0.01f;
  const float t = (c - p0) * static_cast<float>(size) / (p1 - p0);
  for (int i = 0; i < 2; ++i) {
    const float at = t + (i == 0 ? -kHair : kHair);
    out[i] = at < 0 || at >= static_cast<float>(size) ? -1 : static_cast<int32_t>(at);
  }
}

TEST_F(KeptAspect, ThePictureCoversItsPlaceExactlyAtEveryScaleAndInFullScreen) {
  const uint32_t bars = 0xFF3060A0u;
  DeviceWindow_State().windowColour = ScriptColour(bars);
  struct Case {
    int32_t width, height;  // 0 x 0: full screen
    bool keepAspect;
  };
  const Case cases[] = {{64, 48, false},   {128, 96, false}, {192, 144, false}, {100, 75, false},
                        {150, 100, false}, {128, 96, true},  {192, 144, true},  {100, 75, true},
                        {200, 96, true},   {64, 100, true},  {0, 0, false},     {0, 0, true}};
  for (const Case& c : cases) {
    Graphics::SetKeepAspect(c.keepAspect);
    int32_t width = c.width, height = c.height;
    if (width == 0) {
      DeviceWindow_State().fullScreen = true;
      DeviceWindow_GetScreenSize(&width, &height);
    } else {
      Graphics::RequestWindowSize(width, height);
    }
    const std::vector<uint32_t> pixels = FrameAfterReset(width, height);
    DeviceWindow_State().fullScreen = false;
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height) << width << "x" << height;
    float rect[4];
    PictureRect(width, height, c.keepAspect, rect);
    int wrong = 0;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        int32_t tx[2], ty[2];
        TexelsAt(static_cast<float>(x) + 0.5f, rect[0], rect[2], kGameWidth, tx);
        TexelsAt(static_cast<float>(y) + 0.5f, rect[1], rect[3], kGameHeight, ty);
        const uint32_t got = pixels[static_cast<size_t>(y) * width + x];
        bool right = false;
        for (int i = 0; i < 4 && !right; ++i) {
          const int32_t px = tx[i & 1], py = ty[i >> 1];
          right = px < 0 || py < 0 ? (got & 0xFFFFFF) == (bars & 0xFFFFFF) : got == PatternAt(px, py);
        }
        if (!right && ++wrong <= 4) {
          ADD_FAILURE() << width << "x" << height << (c.keepAspect ? " kept" : "") << ", pixel " << x << "," << y
                        << " is " << std::hex << got;
        }
      }
    }
  }
  Graphics::SetKeepAspect(true);
}

// ---------------------------------------------------------------------------
// A real window. The switches are read once per process, so the windowed
// half runs in a fresh run of this program with the display named and the
// headless switch removed; this marks that run.
constexpr char kWindowRunMarker[] = "KORVALITH_TEST_WINDOW_RUN";

bool WaitForExit(pid_t pid, int seconds, int* status) {
  for (int waited = 0; waited < seconds * 20; ++waited) {
    if (waitpid(pid, status, WNOHANG) == pid) return true;
    usleep(50000);
  }
  return false;
}

// Runs one test of this program again in the windowed set-up; its exit status.
int RunWindowed(const std::string& display, const char* testName) {
  std::vector<std::string> env;
  std::string leakOptions = "LSAN_OPTIONS=";
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("LSAN_OPTIONS=", 0) == 0) {
      leakOptions = entry + ":";
    } else if (entry.rfind("KORVALITH_HEADLESS=", 0) != 0 && entry.rfind("DISPLAY=", 0) != 0) {
      env.push_back(entry);
    }
  }
  // The X, bus and driver libraries keep one-off blocks until exit; the
  // headless runs check our own code for leaks.
  env.push_back(leakOptions + "detect_leaks=0");
  env.push_back("DISPLAY=" + display);
  env.push_back("SDL_VIDEODRIVER=x11");
  env.push_back(std::string(kWindowRunMarker) + "=1");
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return -1;
  self[length] = '\0';
  const std::string filter = std::string("--gtest_filter=") + testName;
  char* argv[] = {self, const_cast<char*>(filter.c_str()), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, self, nullptr, nullptr, argv, envp.data()) != 0) return -1;
  int status = 0;
  if (!WaitForExit(pid, 120, &status)) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The whole X screen as RGB bytes, through the screen grabber.
std::vector<uint8_t> GrabRootWindow(int32_t* width, int32_t* height) {
  DeviceWindow_GetScreenSize(width, height);
  std::vector<uint8_t> rgb(static_cast<size_t>(*width) * *height * 3);
  FILE* grab = popen("import -silent -window root -depth 8 rgb:- 2>/dev/null", "r");
  if (grab == nullptr) return {};
  const size_t got = std::fread(rgb.data(), 1, rgb.size(), grab);
  pclose(grab);
  if (got != rgb.size()) rgb.clear();
  return rgb;
}

TEST(PresentedWindow, ShowsTheTopRowOnTop) {
  if (!testsupport::XServer::Available() || testsupport::FindProgram("import").empty()) {
    GTEST_SKIP() << "no Xvfb or no screen grabber";
  }
  testsupport::XServer display("320x240x24");
  ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
  EXPECT_EQ(RunWindowed(display.Name(), "PresentedWindow.WindowedRun"), 0);
}

// Only in the run started above: a real window, a frame with a red top row
// and a green bottom row on blue, presented, then read off the X screen.
TEST(PresentedWindow, WindowedRun) {
  if (std::getenv(kWindowRunMarker) == nullptr) GTEST_SKIP() << "runs only inside ShowsTheTopRowOnTop";
  InstallGraphicsStandIns();
  PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
  ASSERT_TRUE(StartFrameOnGameScreen(0));
  DrawFilled(0, 0, kGameWidth - 1, kGameHeight - 1, 0xFF0000FFu);
  DrawFilled(0, 0, kGameWidth - 1, 0, 0xFFFF0000u);
  DrawFilled(0, kGameHeight - 1, kGameWidth - 1, kGameHeight - 1, 0xFF00FF00u);
  ASSERT_TRUE(GR_D3D_Finish_Frame(true));
  int32_t left = 0, top = 0;
  DeviceWindow_GetPosition(DeviceWindow_Get(kGameWidth, kGameHeight), &left, &top);
  int32_t width = 0, height = 0;
  std::vector<uint8_t> rgb;
  // The server may not have drawn the last swap yet: grab again until the
  // window's middle shows the frame's blue.
  for (int tries = 0; tries < 20; ++tries) {
    rgb = GrabRootWindow(&width, &height);
    const size_t middle = (static_cast<size_t>(top + kGameHeight / 2) * width + left + kGameWidth / 2) * 3;
    if (middle + 2 < rgb.size() && rgb[middle] == 0 && rgb[middle + 1] == 0 && rgb[middle + 2] == 255) break;
    usleep(100000);
  }
  GR_D3D_Shutdown();
  DeviceWindow_Destroy();
  Graphics::SetProjectionSizeSource(nullptr);
  ASSERT_FALSE(rgb.empty());
  ASSERT_TRUE(left >= 0 && top >= 0 && left + kGameWidth <= width && top + kGameHeight <= height);
  auto at = [&](int32_t x, int32_t y) {
    const uint8_t* p = &rgb[(static_cast<size_t>(top + y) * width + left + x) * 3];
    return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
  };
  for (int32_t x : {0, kGameWidth / 2, kGameWidth - 1}) {
    EXPECT_EQ(at(x, 0), 0xFF0000u) << "top row, column " << x;
    EXPECT_EQ(at(x, 1), 0x0000FFu) << "second row, column " << x;
    EXPECT_EQ(at(x, kGameHeight - 1), 0x00FF00u) << "bottom row, column " << x;
  }
}

}  // namespace
