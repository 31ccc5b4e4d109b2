// The window ports: for each room view, the room rectangle it showed and
// where on the game screen it appeared when the views were last set up.
// Mapping a window pixel to the room goes through them. Also the few
// window values room drawing reads.
#pragma once

#include <cstdint>

constexpr int32_t kWindowPorts = 32;

struct WindowPort {
  uint8_t inUse;
  float viewX, viewY, viewWidth, viewHeight;
  float portX, portY, portWidth, portHeight;
  float angle;  // degrees
  int32_t surface;
};

extern WindowPort g_windowPorts[kWindowPorts];
// How many ports are in use.
extern int32_t g_windowPortsInUse;

// Port numbers of 32 or more are ignored throughout.
void Win_SetPort(int32_t n, float portX, float portY, float portWidth, float portHeight, float viewX, float viewY,
                 float viewWidth, float viewHeight, float angle, int32_t surface);
void Win_ClearPort(int32_t n);
void Win_ClearAllPorts();
// Window pixels to room coordinates through port n; the outputs are left
// alone when the port is unused or empty.
void Win_PortWindowToRoom(int32_t n, int32_t windowX, int32_t windowY, int32_t* roomX, int32_t* roomY);
// Through the ports from the highest down: the first whose view holds the
// result answers, else the lowest port in use; without ports the whole
// window scales onto the game screen.
void Win_WindowToRoom(int32_t windowX, int32_t windowY, int32_t* roomX, int32_t* roomY);

// The colour around the game area, 0xBBGGRR.
uint32_t Win_GetColor();
// The game screen's size.
int32_t Win_GetScreenWidth();
int32_t Win_GetScreenHeight();
// The mouse of this step in window client pixels.
int32_t Win_GetMouseX();
int32_t Win_GetMouseY();
