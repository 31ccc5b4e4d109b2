// Adapters, display modes and the desktop.
#include <cmath>
#include <cstdlib>

#include "graphics/device/device_state.h"
#include "platform/device_window.h"
#include "platform/screen_modes.h"

namespace {

DisplayModeEntry MakeEntry(const GfxDesktopMode& mode, uint32_t index, uint32_t adapter) {
  DisplayModeEntry e{};
  e.width = static_cast<int16_t>(mode.width);
  e.height = static_cast<int16_t>(mode.height);
  e.bitsPerPixel = static_cast<uint8_t>(mode.bitsPerPixel);
  e.frequency = static_cast<uint8_t>(mode.frequency > 255 ? 255 : mode.frequency);
  e.modeIndex = static_cast<int16_t>(index);
  e.adapter = adapter;
  return e;
}

void ListModes(IGraphicsSystem* system, AdapterRecord& record) {
  GfxDesktopMode mode;
  for (uint32_t i = 0; i < 4096 && system->EnumDisplayMode(record.ordinal, i, &mode); ++i) {
    if (mode.bitsPerPixel != 16 && mode.bitsPerPixel != 32) continue;
    if (mode.width <= 0 || mode.height <= 0 || mode.width > 32767 || mode.height > 32767) continue;
    record.modes.push_back(MakeEntry(mode, i, record.ordinal));
  }
}

// Whether b is a better second-pass choice than a at the same distance.
bool BetterOnTie(const DisplayModeEntry& a, const DisplayModeEntry& b) {
  if (a.bitsPerPixel != 32) return b.bitsPerPixel == 32;
  if (b.bitsPerPixel != 32) return false;
  return std::abs(b.frequency - 60) < std::abs(a.frequency - 60);
}

bool CurrentDesktop(GfxDesktopMode* mode) {
  DeviceState& s = Device_State();
  if (s.system != nullptr) return s.system->GetDesktopMode(0, mode);
  IGraphicsSystem* system = GraphicsSystem_Create();
  bool ok = system != nullptr && system->GetDesktopMode(0, mode);
  delete system;
  return ok;
}

bool ModeListed(int32_t width, int32_t height, int32_t frequency, int32_t bits) {
  DeviceState& s = Device_State();
  if (s.adapters.empty()) return false;
  for (const DisplayModeEntry& e : s.adapters[0].modes) {
    if ((width <= 0 || e.width == width) && (height <= 0 || e.height == height) &&
        (frequency <= 0 || e.frequency == frequency) && (bits <= 0 || e.bitsPerPixel == bits)) {
      return true;
    }
  }
  return false;
}

}  // namespace

namespace Graphics {

void EnumerateAdapters() {
  DeviceState& s = Device_State();
  s.adapters.clear();
  if (s.system == nullptr) return;
  const uint32_t count = s.system->GetAdapterCount();
  for (uint32_t i = 0; i < count; ++i) {
    AdapterRecord record{};
    if (s.system->GetDeviceCaps(i, D3DDEVTYPE_HAL, &record.caps) != D3D_OK) continue;
    if (record.caps.deviceType != D3DDEVTYPE_HAL) continue;
    record.ordinal = i;
    s.system->GetAdapterIdentifier(i, &record.identifier);
    if (!s.system->GetDesktopMode(i, &record.desktop)) record.desktop = GfxDesktopMode{0, 0, 640, 480, 8, 60};
    if (record.desktop.height > record.desktop.width) record.flags |= 1;
    record.flags |= 2;  // every adapter leads its own group here
    ListModes(s.system, record);
    s.adapters.push_back(std::move(record));
  }
}

// First the mode that holds the request with the least height to spare;
// failing that, the mode nearest in area.
DisplayModeEntry FindDisplayMode(int32_t width, int32_t height) {
  DeviceState& s = Device_State();
  DisplayModeEntry none{};
  if (s.adapters.empty() || s.adapters[0].modes.empty()) return none;
  const std::vector<DisplayModeEntry>& modes = s.adapters[0].modes;
  const DisplayModeEntry* best = nullptr;
  for (const DisplayModeEntry& e : modes) {
    if (e.width < width || e.height < height) continue;
    if (best == nullptr || e.height - height < best->height - height) best = &e;
  }
  if (best != nullptr) return *best;
  if (width <= 0 || height <= 0) return modes[0];
  const double requested = static_cast<double>(width) * height;
  double bestDistance = 0;
  for (const DisplayModeEntry& e : modes) {
    const double distance = std::fabs(1.0 - static_cast<double>(e.width) * e.height / requested);
    if (best == nullptr || distance < bestDistance || (distance == bestDistance && BetterOnTie(*best, e))) {
      best = &e;
      bestDistance = distance;
    }
  }
  return *best;
}

// Where the server's modes can be changed they answer; elsewhere (headless,
// or a server without the extension) the desktop's mode never changes, and a
// change is granted only when it changes nothing, every field left out (0 or
// below) or equal to the current mode's, and a test asks whether the mode is
// listed.
int32_t GetDisplayFrequency() {
  ScreenMode screen;
  if (ScreenModes_Current(&screen)) return screen.frequency;
  GfxDesktopMode mode;
  return CurrentDesktop(&mode) ? mode.frequency : -1;
}

int32_t GetDisplayColorDepth() {
  ScreenMode screen;
  if (ScreenModes_Current(&screen)) return screen.bitsPerPixel;
  GfxDesktopMode mode;
  return CurrentDesktop(&mode) ? mode.bitsPerPixel : -1;
}

bool TestDisplayMode(int32_t width, int32_t height, int32_t frequency, int32_t bitsPerPixel) {
  if (ScreenModes_Changeable()) return ScreenModes_Test(ScreenMode{width, height, frequency, bitsPerPixel});
  return ModeListed(width, height, frequency, bitsPerPixel);
}
bool SetDisplayMode(int32_t width, int32_t height, int32_t frequency, int32_t bitsPerPixel) {
  if (ScreenModes_Changeable()) return ScreenModes_Set(ScreenMode{width, height, frequency, bitsPerPixel});
  GfxDesktopMode mode;
  if (!CurrentDesktop(&mode)) return false;
  auto same = [](int32_t wanted, int32_t current) { return wanted <= 0 || wanted == current; };
  return same(width, mode.width) && same(height, mode.height) && same(frequency, mode.frequency) &&
         same(bitsPerPixel, mode.bitsPerPixel);
}
bool SetDisplaySize(int32_t width, int32_t height) { return SetDisplayMode(width, height, 0, 0); }
bool SetDisplayFrequency(int32_t frequency) { return SetDisplayMode(0, 0, frequency, 0); }
bool SetDisplayColorDepth(int32_t bits) { return SetDisplayMode(0, 0, 0, bits); }

int32_t GetScreenWidth() {
  ScreenMode screen;
  if (ScreenModes_Current(&screen)) return screen.width;
  int32_t w = 0, h = 0;
  DeviceWindow_GetScreenSize(&w, &h);
  return w;
}
int32_t GetScreenHeight() {
  ScreenMode screen;
  if (ScreenModes_Current(&screen)) return screen.height;
  int32_t w = 0, h = 0;
  DeviceWindow_GetScreenSize(&w, &h);
  return h;
}
int32_t GetCursorX() {
  int32_t x = 0, y = 0;
  DeviceWindow_GetCursor(&x, &y);
  return x;
}
int32_t GetCursorY() {
  int32_t x = 0, y = 0;
  DeviceWindow_GetCursor(&x, &y);
  return y;
}
void SetCursorPosition(int32_t x, int32_t y) {
  if (DeviceWindow_State().active) DeviceWindow_SetCursor(x, y);
}

}  // namespace Graphics
