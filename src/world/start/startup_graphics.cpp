// Starting the graphics for the game: the display mode the game asks for
// (or a question when the display's colour depth is neither 16 nor 32), the
// device at the header's window size, the resource textures, and the black
// frames shown while the game loads.
#include "world/start/startup_graphics.h"

#include "gamefile/game_header.h"
#include "gamefile/options.h"
#include "graphics/bitmap/bmp_png.h"
#include "graphics/device/graphics.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/start/graphics_start.h"
#include "platform/device_window.h"
#include "platform/question_box.h"
#include "platform/switches.h"
#include "resources/background.h"
#include "resources/font.h"
#include "resources/sprite.h"
#include "resources/text_draw.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/process.h"
#include "runtime/run_flags.h"
#include "shell/window.h"
#include "world/start/particle_world.h"
#include "world/start/startup_services.h"

namespace {

constexpr int kLoadingFrames = 5;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr const char* kDepthQuestion =
    "This application requires 16-bit or 32-bit color mode.\n Should I switch to a valid color mode?";

struct DisplayMode {
  int32_t width = -1, height = -1, frequency = -1, depth = -1;
};

// The option codes as numbers; -1 where a code means nothing.
DisplayMode RequestedMode() {
  static const int32_t kWidths[] = {320, 640, 800, 1024, 1280, 1600};
  static const int32_t kHeights[] = {240, 480, 600, 768, 1024, 1200};
  static const int32_t kFrequencies[] = {60, 70, 85, 100, 120};
  DisplayMode m;
  const int32_t depth = g_options.word[kOptionColourDepth];
  const int32_t resolution = g_options.word[kOptionResolution];
  const int32_t frequency = g_options.word[kOptionFrequency];
  m.depth = depth == 1 ? 16 : depth == 2 ? 32 : -1;
  if (resolution >= 1 && resolution <= 6) {
    m.width = kWidths[resolution - 1];
    m.height = kHeights[resolution - 1];
  }
  if (frequency >= 1 && frequency <= 5) m.frequency = kFrequencies[frequency - 1];
  return m;
}

bool DisplayDepthUsable() {
  const int32_t depth = Graphics::GetDisplayColorDepth();
  return depth == 16 || depth == 32;
}

// Turns 0xAARRGGBB pixels into bytes R, G, B, A in place, every one opaque:
// the window shows the frame solid whatever alpha its pixels hold.
void ToRgbaBytes(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    auto* b = reinterpret_cast<uint8_t*>(pixels + i);
    b[0] = static_cast<uint8_t>(p >> 16);
    b[1] = static_cast<uint8_t>(p >> 8);
    b[2] = static_cast<uint8_t>(p);
    b[3] = 0xFF;
  }
}

void DumpLastFrame(const std::string& path) {
  int32_t w = 0, h = 0;
  uint32_t* pixels = GR_Read_Back_Buffer(&w, &h);
  if (pixels == nullptr) {
    g_debugConsole->Output("No frame to write to %s\n", path.c_str());
    return;
  }
  ToRgbaBytes(pixels, static_cast<size_t>(w) * static_cast<size_t>(h));
  if (!GR_Write_PNG_To_Path(path.c_str(), pixels, w, h)) {
    g_debugConsole->Output("Could not write the frame to %s\n", path.c_str());
  }
  MemoryManager::Free(pixels);
}

// The mode the game asks for, or the depth question when the game names
// no depth and the display's is unusual; false when the answer is No. The
// depth itself never changes on this platform and the device draws at any
// depth: asking is all a Yes needs to let the start go on.
bool SettleDisplayMode() {
  const bool setMode = Option_On(kOptionSetResolution);
  DisplayMode m = setMode ? RequestedMode() : DisplayMode();
  const bool asked = (!setMode || m.depth == -1) && !DisplayDepthUsable();
  if (asked) {
    if (!QuestionBox_Ask("", kDepthQuestion)) return false;
    m.depth = 16;
  }
  if (setMode || asked) Graphics::SetDisplayMode(m.width, m.height, m.frequency, m.depth);
  return true;
}

}  // namespace

bool StartupServices_StartGraphics() {
  if (!SettleDisplayMode()) return false;
  g_debugConsole->Output("GR_D3D_Init()\n");
  // The device takes no screen without area: say so rather than end mute.
  if (g_windowWidth < 1 || g_windowHeight < 1) {
    // A header that gave no size at all has said why: one fault, one line.
    if (!g_gameHeader.sizeless)
      g_debugConsole->Output("The game's screen of %d x %d cannot be opened\n", g_windowWidth, g_windowHeight);
    return false;
  }
  if (!GR_D3D_Init(nullptr, g_windowWidth, g_windowHeight, g_windowFlags)) return false;
  // The header's pop-up flag is the start in full screen, which the first
  // frame's reset carries out; -inawindow keeps the window.
  if ((g_windowFlags & kWindowPopup) != 0 && !g_runFlags.inAWindow) Win_SetFullscreen(true);
  g_debugConsole->Output("Background_InitTextures()\n");
  Background_InitTextures();
  g_debugConsole->Output("Sprite_InitTextures()\n");
  Sprite_InitTextures();
  g_debugConsole->Output("Font_InitTextures()\n");
  Font_InitTextures();
  ParticleWorld_MakeShapes();
  return true;
}

// The last frame begun stays open for what the start-up draws before the
// main loop; the loop's first frame closes it.
void StartupServices_LoadingFrames() {
  for (int i = 0; i < kLoadingFrames; ++i) {
    GR_D3D_Start_Frame();
    GR_Draw_Clear(kOpaqueBlack);
    GR_D3D_Finish_Frame(true);
    Runner_ProcessMessages();
  }
  GR_D3D_Start_Frame();
}

// A frame still open is closed first, so that its picture reaches the back
// buffer and the device ends outside a scene.
void StartupGraphics_Shutdown() {
  if (Graphics::SceneDepth() != 0) GR_D3D_Finish_Frame(false);
  const std::string& dump = Switches_Get().dumpFrame;
  if (!dump.empty()) DumpLastFrame(dump);
  GR_D3D_Shutdown();
  GR_Text_Free_Default_Font();
  DeviceWindow_Destroy();
}
