// Drawing the current room once a frame: views follow their instances and
// fill the window ports, then every visible view (or the whole room when
// views are off) draws its background layers, the depth-merged tiles,
// instances and particle systems, and its foreground layers; after the
// views the draw-GUI events run over the whole window and the cursor
// sprite is drawn.
#pragma once

#include <cstdint>

// The view being drawn; 0 outside view drawing.
extern int32_t g_currentView;
// Port coordinates times these give drawing-area pixels.
extern float g_portScale[2];

struct AreaSize {
  int32_t width, height;
};
// The drawing area: the screen render target's size, else the game screen's.
// The GUI pass draws over it unless a GUI size is set, and scripts read it
// as the drawing surface.
AreaSize RoomDraw_Area();
// The size the GUI pass draws in: the set GUI size, each side that is
// negative (unset) taken from the drawing area.
AreaSize RoomDraw_GuiArea();
AreaSize RoomDraw_GuiArea(const AreaSize& area);

// At room start: the screen size the room's views (or the room) need.
void Room_Compute_Window_Size();
// View following and the window ports; the first step of Room_Draw.
void Room_Update_Views();
// Draws the whole current room into the current render target.
void Room_Draw();
// One view's content over the room rectangle (x1, y1)-(x2, y2).
void Room_Draw_View(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Tiles, instances and particle systems from the greatest depth down.
void Room_Draw_By_Depth(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The draw-GUI events of every visible live instance.
void Room_Draw_Gui(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Start-up: every window port unused.
void GR_View_Ports_Clear();

// The projection's pixel size: the current room's, or its first view's
// port when views are on and that view is visible; 640 x 480 without a room.
void RoomDraw_ProjectionSize(int32_t* width, int32_t* height);
// The once-per-room-start drawing: in the frame still open, else in a frame
// of its own that is ended unpresented.
void RoomDraw_RoomStart();
// Hands the drawing to the game loop, the room start and the projection.
void RoomDraw_Install();
