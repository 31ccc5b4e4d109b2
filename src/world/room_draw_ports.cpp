#include "world/room_draw_ports.h"

#include <cmath>

#include "graphics/draw_state.h"
#include "graphics/graphics.h"
#include "platform/device_window.h"
#include "runtime/numeric.h"
#include "world/input.h"
#include "world/room_draw.h"

WindowPort g_windowPorts[kWindowPorts];
int32_t g_windowPortsInUse = 0;

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kUnrotated = 0.01f;

bool PortNumber(int32_t n) { return n >= 0 && n < kWindowPorts; }

// The drawn picture's size inside the window, without the letterbox bars;
// false when nothing of it is left.
bool DrawnArea(int32_t* ox, int32_t* oy, float* width, float* height) {
  Graphics::GetLetterboxOffset(ox, oy);
  const DeviceWindowState& window = DeviceWindow_State();
  *width = static_cast<float>(window.clientWidth - 2 * *ox);
  *height = static_cast<float>(window.clientHeight - 2 * *oy);
  return *width > 0.0f && *height > 0.0f;
}

bool Inside(const WindowPort& p, int32_t x, int32_t y) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  return p.viewX <= fx && fx < p.viewX + p.viewWidth && p.viewY <= fy && fy < p.viewY + p.viewHeight;
}

// (x, y) are window pixels with the letterbox offsets already taken off.
void MapThroughPort(const WindowPort& p, int32_t x, int32_t y, float areaWidth, float areaHeight, int32_t* roomX,
                    int32_t* roomY) {
  if (g_portScale[0] == 0.0f || g_portScale[1] == 0.0f) return;
  const float sx = (static_cast<float>(Win_GetScreenWidth()) / areaWidth) / g_portScale[0];
  const float sy = (static_cast<float>(Win_GetScreenHeight()) / areaHeight) / g_portScale[1];
  const float px = static_cast<float>(Num_TruncInt32(static_cast<float>(x) * sx) - Num_TruncInt32(p.portX));
  const float py = static_cast<float>(Num_TruncInt32(static_cast<float>(y) * sy) - Num_TruncInt32(p.portY));
  const float dx = px * p.viewWidth / p.portWidth, dy = py * p.viewHeight / p.portHeight;
  if (std::fabs(p.angle) < kUnrotated) {
    *roomX = Num_RoundInt32(p.viewX + dx);
    *roomY = Num_RoundInt32(p.viewY + dy);
    return;
  }
  const float a = -p.angle * kPi / 180.0f;
  const float ex = dx - p.viewWidth / 2.0f, ey = dy - p.viewHeight / 2.0f;
  const float c = std::cos(a), s = std::sin(a);
  *roomX = Num_RoundInt32(p.viewX + p.viewWidth / 2.0f + c * ex + s * ey);
  *roomY = Num_RoundInt32(p.viewY + p.viewHeight / 2.0f - s * ex + c * ey);
}

bool Mappable(int32_t n) {
  if (!PortNumber(n)) return false;
  const WindowPort& p = g_windowPorts[n];
  return p.inUse != 0 && p.portWidth != 0.0f && p.portHeight != 0.0f;
}

}  // namespace

void Win_SetPort(int32_t n, float portX, float portY, float portWidth, float portHeight, float viewX, float viewY,
                 float viewWidth, float viewHeight, float angle, int32_t surface) {
  if (!PortNumber(n)) return;
  WindowPort& p = g_windowPorts[n];
  if (p.inUse == 0) ++g_windowPortsInUse;
  p = WindowPort{1, viewX, viewY, viewWidth, viewHeight, portX, portY, portWidth, portHeight, angle, surface};
}

void Win_ClearPort(int32_t n) {
  if (!PortNumber(n)) return;
  if (g_windowPorts[n].inUse != 0) --g_windowPortsInUse;
  g_windowPorts[n].inUse = 0;
}

void Win_ClearAllPorts() {
  for (WindowPort& p : g_windowPorts) p.inUse = 0;
  g_windowPortsInUse = 0;
}

void Win_PortWindowToRoom(int32_t n, int32_t windowX, int32_t windowY, int32_t* roomX, int32_t* roomY) {
  int32_t ox = 0, oy = 0;
  float w = 0.0f, h = 0.0f;
  if (!Mappable(n) || !DrawnArea(&ox, &oy, &w, &h)) return;
  MapThroughPort(g_windowPorts[n], windowX, windowY, w, h, roomX, roomY);
}

void Win_WindowToRoom(int32_t windowX, int32_t windowY, int32_t* roomX, int32_t* roomY) {
  int32_t ox = 0, oy = 0;
  float w = 0.0f, h = 0.0f;
  if (!DrawnArea(&ox, &oy, &w, &h)) return;
  const int32_t x = windowX - ox, y = windowY - oy;
  if (g_windowPortsInUse <= 0) {
    *roomX = Num_TruncInt32(static_cast<float>(x) * static_cast<float>(Win_GetScreenWidth()) / w);
    *roomY = Num_TruncInt32(static_cast<float>(y) * static_cast<float>(Win_GetScreenHeight()) / h);
    return;
  }
  for (int32_t n = kWindowPorts - 1; n >= 0; --n) {
    if (!Mappable(n)) continue;
    MapThroughPort(g_windowPorts[n], x, y, w, h, roomX, roomY);
    if (Inside(g_windowPorts[n], *roomX, *roomY)) return;
  }
}

uint32_t Win_GetColor() { return DeviceWindow_State().windowColour & 0xFFFFFFu; }
int32_t Win_GetScreenWidth() { return g_screenSize.width; }
int32_t Win_GetScreenHeight() { return g_screenSize.height; }
int32_t Win_GetMouseX() { return IO_WindowMouseX(); }
int32_t Win_GetMouseY() { return IO_WindowMouseY(); }
