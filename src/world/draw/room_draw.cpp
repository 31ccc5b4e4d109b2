// The frame's room drawing: the views one after another (or the whole room
// when views are off), then the GUI pass over the whole drawing area and
// the cursor sprite.
#include "world/draw/room_draw.h"

#include <algorithm>
#include <cmath>

#include "graphics/3d/mode_3d.h"
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/start/graphics_start.h"
#include "graphics/surface/surfaces.h"
#include "graphics/texture/texture_table.h"
#include "resources/sprite.h"
#include "runtime/numeric.h"
#include "shell/window.h"
#include "world/draw/room_draw_internal.h"
#include "world/loop/game_loop.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"

int32_t g_currentView = 0;
float g_portScale[2] = {1.0f, 1.0f};

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr float kUnrotated = 0.001f;
constexpr int32_t kDefaultProjectionWidth = 640, kDefaultProjectionHeight = 480;

int32_t ClampInt32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

void WholeAreaViewport(const AreaSize& area) { GR_Set_Viewport(0, 0, area.width, area.height); }

// A rotated view draws a larger rectangle, so that its corners stay covered.
void ViewRectangle(const CView& v, int32_t rect[4]) {
  const int64_t x = v.viewX, y = v.viewY, w = v.viewWidth, h = v.viewHeight;
  const int64_t growX = std::fabs(v.angle) < kUnrotated ? 0 : h / 2;
  const int64_t growY = std::fabs(v.angle) < kUnrotated ? 0 : w / 2;
  rect[0] = ClampInt32(x - growX);
  rect[1] = ClampInt32(y - growY);
  rect[2] = ClampInt32(x + w + growX);
  rect[3] = ClampInt32(y + h + growY);
}

// A view drawing into a surface other than the current target makes that
// surface the target; true when a target was pushed and must be popped.
bool TargetSurface(const CView& v) {
  if (v.surface == -1) return false;
  Graphics::FlushBatch();
  if (!GR_Surface_Exists(v.surface) || v.surface == g_drawState.currentTarget) return false;
  const int32_t depth = Graphics::RenderTargetDepth();
  Graphics::PushRenderTarget();
  if (Graphics::RenderTargetDepth() == depth) return false;
  Graphics::SetRenderTargetTexture(0, GR_Texture_Get_Device_Texture(GR_Surface_Get_Texture(v.surface)));
  g_portScale[0] = g_portScale[1] = 1.0f;
  return true;
}

void DrawView(const CView& v) {
  const bool pushed = TargetSurface(v);
  const float sx = g_portScale[0], sy = g_portScale[1];
  // The port first: in a surface the projection's half pixel is the port's.
  GR_Set_Viewport(Num_RoundInt32(static_cast<float>(v.portX) * sx), Num_RoundInt32(static_cast<float>(v.portY) * sy),
                  Num_RoundInt32(static_cast<float>(v.portWidth) * sx),
                  Num_RoundInt32(static_cast<float>(v.portHeight) * sy));
  GR_Set_View_Projection(static_cast<float>(v.viewX), static_cast<float>(v.viewY), static_cast<float>(v.viewWidth),
                         static_cast<float>(v.viewHeight), v.angle);
  int32_t rect[4];
  ViewRectangle(v, rect);
  Room_Draw_View(rect[0], rect[1], rect[2], rect[3]);
  if (pushed) {
    Graphics::FlushBatch();
    Graphics::PopRenderTarget();
  }
}

void DrawViews(const CRoom& room, const AreaSize& area) {
  GR_Draw_Clear(Win_GetColor() | kOpaque);
  for (int32_t i = 0; i < kRoomLayers; ++i) {
    g_currentView = i;
    if (room.views[i].visible != 0) DrawView(room.views[i]);
  }
  Graphics::FlushBatch();
  WholeAreaViewport(area);
  const auto w = static_cast<float>(area.width), h = static_cast<float>(area.height);
  GR_Set_View_Projection(0.0f, 0.0f, w, h, 0.0f);
  g_currentViewRect[0] = g_currentViewRect[1] = 0;
  g_currentViewRect[2] = area.width;
  g_currentViewRect[3] = area.height;
}

void DrawWholeRoom(const CRoom& room, const AreaSize& area) {
  g_currentView = 0;
  Graphics::FlushBatch();
  WholeAreaViewport(area);
  GR_Set_View_Projection(0.0f, 0.0f, static_cast<float>(room.width), static_cast<float>(room.height), 0.0f);
  Room_Draw_View(0, 0, room.width, room.height);
}

void DrawGuiPass(const AreaSize& area) {
  const bool was3d = g_3dMode != 0;
  GR_3D_Set_Mode(false);
  const AreaSize gui = RoomDraw_GuiArea(area);
  const int32_t w = gui.width, h = gui.height;
  WholeAreaViewport(area);
  GR_Set_View_Projection(0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h), 0.0f);
  Room_Draw_Gui(0, 0, w, h);
  if (was3d) GR_3D_Set_Mode(true);
}

// The mouse maps onto the whole window, not through the views' ports.
void DrawCursor() {
  const CSprite* sprite = Sprite_Get(g_runValues.cursorSprite);
  if (sprite == nullptr) return;
  const int32_t portsInUse = g_windowPortsInUse;
  g_windowPortsInUse = 0;
  int32_t x = 0, y = 0;
  Win_WindowToRoom(Win_GetMouseX(), Win_GetMouseY(), &x, &y);
  g_windowPortsInUse = portsInUse;
  sprite->Draw(g_stepCount, static_cast<float>(x), static_cast<float>(y), 1.0f, 1.0f, 0.0f, 0xFFFFFFu, 1.0f);
}

}  // namespace

AreaSize RoomDraw_GuiArea(const AreaSize& area) {
  return AreaSize{g_runValues.guiWidth < 0 ? area.width : g_runValues.guiWidth,
                  g_runValues.guiHeight < 0 ? area.height : g_runValues.guiHeight};
}

AreaSize RoomDraw_GuiArea() { return RoomDraw_GuiArea(RoomDraw_Area()); }

AreaSize RoomDraw_Area() {
  const DeviceTexture* screen = Graphics::ScreenTexture();
  if (screen != nullptr) return AreaSize{DeviceTexture_Width(screen), DeviceTexture_Height(screen)};
  return AreaSize{g_screenSize.width, g_screenSize.height};
}

void Room_Draw() {
  CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  Room_Update_Views();
  room->SortTiles();
  const AreaSize area = RoomDraw_Area();
  if (room->viewsEnabled) {
    DrawViews(*room, area);
  } else {
    DrawWholeRoom(*room, area);
  }
  DrawGuiPass(area);
  DrawCursor();
  g_currentView = 0;
}

void RoomDraw_ProjectionSize(int32_t* width, int32_t* height) {
  const CRoom* room = g_currentRoom;
  if (room == nullptr) {
    *width = kDefaultProjectionWidth;
    *height = kDefaultProjectionHeight;
  } else if (room->viewsEnabled && room->views[0].visible != 0) {
    *width = room->views[0].portWidth;
    *height = room->views[0].portHeight;
  } else {
    *width = room->width;
    *height = room->height;
  }
}

// The game's first room starts inside the last loading frame, still open;
// a change of room comes after its frame has ended, so the room draws in a
// frame of its own, ended without being presented: the next frame's
// drawing is the one that reaches the window.
void RoomDraw_RoomStart() {
  if (Graphics::SceneDepth() != 0) {
    Room_Draw();
    return;
  }
  if (!GR_D3D_Start_Frame()) return;
  Room_Draw();
  GR_D3D_Finish_Frame(false);
}

void RoomDraw_Install() {
  Run_SetRoomDrawer(Room_Draw);
  RoomChange_SetRoomStartDraw(RoomDraw_RoomStart);
  RoomChange_SetWindowSizer(Room_Compute_Window_Size);
  Graphics::SetProjectionSizeSource(RoomDraw_ProjectionSize);
  GR_View_Ports_Clear();
}
