// Window ports: where each room view was last shown, and the mapping of
// window pixels to room coordinates (and back) through them.
#include <cmath>
#include <cstdint>

#include "platform/device_window.h"
#include "runtime/numeric.h"
#include "shell/window.h"
#include "shell/window_internal.h"

WindowPort g_windowPorts[kWindowPortCount] = {};
int32_t g_windowPortsInUse = 0;

namespace {

float g_portScaleX = 1.0f;
float g_portScaleY = 1.0f;
constexpr float kPi = 3.1415927f;
constexpr float kUnrotated = 0.01f;

WindowPort* PortInUse(int32_t n) {
  if (n < 0 || n >= kWindowPortCount || g_windowPorts[n].inUse == 0) return nullptr;
  return &g_windowPorts[n];
}

bool g_playing = false;
WindowGeometry g_played;

void OwnLetterbox(int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (Win_Services().letterboxOffset != nullptr) Win_Services().letterboxOffset(x, y);
}

void Letterbox(int32_t* x, int32_t* y) {
  if (!g_playing) return OwnLetterbox(x, y);
  *x = g_played.letterboxX;
  *y = g_played.letterboxY;
}

bool Contains(const WindowPort& port, int32_t x, int32_t y) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  return port.viewX <= fx && fx < port.viewX + port.viewWidth && port.viewY <= fy && fy < port.viewY + port.viewHeight;
}

int32_t ClampInt32(int64_t value) {
  return static_cast<int32_t>(value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : value);
}

void PortScale(float* x, float* y) {
  *x = g_portScaleX;
  *y = g_portScaleY;
  if (Win_Services().portScale != nullptr) Win_Services().portScale(x, y);
}

// The device's record of the client size, kept by frames and resets.
int32_t ClientWidth() { return g_playing ? g_played.clientWidth : DeviceWindow_State().clientWidth; }
int32_t ClientHeight() { return g_playing ? g_played.clientHeight : DeviceWindow_State().clientHeight; }

void StepMouse(int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (Win_Services().stepMouse != nullptr) Win_Services().stepMouse(x, y);
}

}  // namespace

void Win_SetPort(int32_t n, float portX, float portY, float portWidth, float portHeight, float viewX, float viewY,
                 float viewWidth, float viewHeight, float angle, int32_t surface) {
  if (n < 0 || n >= kWindowPortCount) return;
  WindowPort& port = g_windowPorts[n];
  if (port.inUse == 0) ++g_windowPortsInUse;
  port = WindowPort{1, viewX, viewY, viewWidth, viewHeight, portX, portY, portWidth, portHeight, angle, surface};
}

void Win_ClearPort(int32_t n) {
  if (n < 0 || n >= kWindowPortCount) return;
  if (g_windowPorts[n].inUse != 0) --g_windowPortsInUse;
  g_windowPorts[n].inUse = 0;
}

void Win_ClearAllPorts() {
  for (WindowPort& port : g_windowPorts) port.inUse = 0;
  g_windowPortsInUse = 0;
}

void Win_SetPortScale(float x, float y) {
  g_portScaleX = x;
  g_portScaleY = y;
}

// A drawn area of no width, or a port scale of 0, gives no mapping: the
// outputs stay as they came.
void Win_PortWindowToRoom(int32_t n, int32_t windowX, int32_t windowY, int32_t* roomX, int32_t* roomY) {
  const WindowPort* port = PortInUse(n);
  if (port == nullptr || port->portWidth == 0.0f || port->portHeight == 0.0f) return;
  int32_t ox = 0, oy = 0;
  Letterbox(&ox, &oy);
  const float drawnWidth = static_cast<float>(int64_t{ClientWidth()} - 2 * int64_t{ox});
  const float drawnHeight = static_cast<float>(int64_t{ClientHeight()} - 2 * int64_t{oy});
  float scaleX = 0.0f, scaleY = 0.0f;
  PortScale(&scaleX, &scaleY);
  if (drawnWidth == 0.0f || drawnHeight == 0.0f || scaleX == 0.0f || scaleY == 0.0f) return;
  const float sx = (static_cast<float>(Win_GetScreenWidth()) / drawnWidth) / scaleX;
  const float sy = (static_cast<float>(Win_GetScreenHeight()) / drawnHeight) / scaleY;
  const int64_t px = int64_t{Num_TruncInt32(static_cast<float>(windowX) * sx)} - Num_TruncInt32(port->portX);
  const int64_t py = int64_t{Num_TruncInt32(static_cast<float>(windowY) * sy)} - Num_TruncInt32(port->portY);
  const float dx = static_cast<float>(px) * port->viewWidth / port->portWidth;
  const float dy = static_cast<float>(py) * port->viewHeight / port->portHeight;
  if (std::fabs(port->angle) < kUnrotated) {
    *roomX = Num_RoundInt32(port->viewX + dx);
    *roomY = Num_RoundInt32(port->viewY + dy);
    return;
  }
  const float a = -port->angle * kPi / 180.0f;
  const float ex = dx - port->viewWidth / 2.0f, ey = dy - port->viewHeight / 2.0f;
  const float c = std::cos(a), s = std::sin(a);
  *roomX = Num_RoundInt32(port->viewX + port->viewWidth / 2.0f + c * ex + s * ey);
  *roomY = Num_RoundInt32(port->viewY + port->viewHeight / 2.0f - s * ex + c * ey);
}

void Win_PortRoomToWindow(int32_t n, float roomX, float roomY, int32_t* x, int32_t* y) {
  *x = Num_RoundInt32(roomX);
  *y = Num_RoundInt32(roomY);
  const WindowPort* port = PortInUse(n);
  if (port == nullptr || port->viewWidth == 0.0f || port->viewHeight == 0.0f) return;
  const float ex = (roomX - port->viewX) * port->portWidth / port->viewWidth;
  const float ey = (roomY - port->viewY) * port->portHeight / port->viewHeight;
  if (std::fabs(port->angle) < kUnrotated) {
    *x = Num_RoundInt32(port->portX + ex);
    *y = Num_RoundInt32(port->portY + ey);
    return;
  }
  const float a = port->angle * kPi / 180.0f;
  const float fx = ex - port->portWidth / 2.0f, fy = ey - port->portHeight / 2.0f;
  const float c = std::cos(a), s = std::sin(a);
  *x = Num_RoundInt32(port->portX + port->portWidth / 2.0f + c * fx + s * fy);
  *y = Num_RoundInt32(port->portY + port->portHeight / 2.0f - s * fx + c * fy);
}

void Win_WindowToRoom(int32_t x, int32_t y, int32_t* roomX, int32_t* roomY) {
  int32_t ox = 0, oy = 0;
  Letterbox(&ox, &oy);
  const int64_t wx = int64_t{x} - ox, wy = int64_t{y} - oy;
  if (g_windowPortsInUse == 0) {
    const int64_t drawnWidth = int64_t{ClientWidth()} - 2 * int64_t{ox};
    const int64_t drawnHeight = int64_t{ClientHeight()} - 2 * int64_t{oy};
    if (drawnWidth == 0 || drawnHeight == 0) return;
    *roomX = Num_TruncInt32(static_cast<double>(wx) * Win_GetScreenWidth() / static_cast<double>(drawnWidth));
    *roomY = Num_TruncInt32(static_cast<double>(wy) * Win_GetScreenHeight() / static_cast<double>(drawnHeight));
    return;
  }
  int32_t lastX = *roomX, lastY = *roomY;
  for (int32_t n = kWindowPortCount - 1; n >= 0; --n) {
    const WindowPort* port = PortInUse(n);
    if (port == nullptr) continue;
    int32_t rx = *roomX, ry = *roomY;
    Win_PortWindowToRoom(n, ClampInt32(wx), ClampInt32(wy), &rx, &ry);
    lastX = rx;
    lastY = ry;
    if (Contains(*port, rx, ry)) break;
  }
  *roomX = lastX;
  *roomY = lastY;
}

int32_t Win_GetMouseX() {
  int32_t x = 0, y = 0;
  StepMouse(&x, &y);
  return x;
}

int32_t Win_GetMouseY() {
  int32_t x = 0, y = 0;
  StepMouse(&x, &y);
  return y;
}

int32_t Win_GetViewMouseX(int32_t n) {
  int32_t x = 0, y = 0, roomX = 0, roomY = 0;
  if (PortInUse(n) == nullptr) return 0;
  StepMouse(&x, &y);
  Win_PortWindowToRoom(n, x, y, &roomX, &roomY);
  return roomX;
}

int32_t Win_GetViewMouseY(int32_t n) {
  int32_t x = 0, y = 0, roomX = 0, roomY = 0;
  if (PortInUse(n) == nullptr) return 0;
  StepMouse(&x, &y);
  Win_PortWindowToRoom(n, x, y, &roomX, &roomY);
  return roomY;
}

namespace {

void DeviceRoom(int32_t device, int32_t* roomX, int32_t* roomY) {
  *roomX = *roomY = 0;
  if (device < 0 || device > 4 || Win_Services().deviceMouse == nullptr) return;
  int32_t x = 0, y = 0;
  Win_Services().deviceMouse(device, &x, &y);
  Win_WindowToRoom(x, y, roomX, roomY);
}

}  // namespace

int32_t Win_GetDeviceMouseX(int32_t device) {
  int32_t x = 0, y = 0;
  DeviceRoom(device, &x, &y);
  return x;
}

int32_t Win_GetDeviceMouseY(int32_t device) {
  int32_t x = 0, y = 0;
  DeviceRoom(device, &x, &y);
  return y;
}

WindowGeometry Win_CurrentGeometry() {
  WindowGeometry g;
  const DeviceWindowState& state = DeviceWindow_State();
  g.clientWidth = state.clientWidth;
  g.clientHeight = state.clientHeight;
  OwnLetterbox(&g.letterboxX, &g.letterboxY);
  g.fullScreen = state.fullScreen;
  return g;
}

void Win_PlayGeometry(const WindowGeometry* geometry) {
  g_playing = geometry != nullptr;
  if (!g_playing) return;
  g_played = *geometry;
  if (geometry->fullScreen != Win_GetFullscreen()) Win_SetFullscreen(geometry->fullScreen);
}

const WindowGeometry* Win_PlayedGeometry() { return g_playing ? &g_played : nullptr; }
