// The drawing core's current state and its setters. Every 2D vertex takes
// its z from the depth and its colour from the current colour, which always
// carries the current alpha in its top byte. Setters that change how pending
// vertices would look draw the pending batch first; some do nothing at all
// while there is no device (see each one).
#pragma once
#include <cstdint>

// The state other modules know by name is kept in plain globals below; the
// rest lives in g_drawState. DrawState_Reset returns both to their start-up
// values.

// Script colours are 0xBBGGRR (red low); device colours are 0xAARRGGBB.
extern uint32_t g_drawColor;  // device colour, alpha in the top byte
extern int32_t g_blendSrc;    // device blend number; 5 source alpha
// [0] texture interpolation, [1] texture blending, [2] perspective,
// [3] hidden-surface removal, [4] smooth shading.
extern uint8_t g_renderFlags[5];

struct FogSettings {
  uint8_t enable;
  uint32_t colour;  // device colour
  float start, end;
};
extern FogSettings g_fogSettings;

extern float g_drawDepth;
extern uint8_t g_3dMode;  // set by 3D drawing; 2D code only reads it
// The area being drawn in room coordinates (left, top, right, bottom): room
// drawing sets it; sprite drawing skips what lies wholly outside.
extern int32_t g_currentViewRect[4];
// An orthographic projection set by a script: nothing is skipped.
extern uint8_t g_orthoProjection;

struct ScreenSize {
  int32_t width, height;
};
extern ScreenSize g_screenSize;  // the back buffer's size

struct ViewportRect {
  int32_t x, y, width, height;
};
extern ViewportRect g_viewport;

struct ViewProjection {
  float x, y, width, height, angle;
};
extern ViewProjection g_viewProjection;
extern int32_t g_yFlip;  // vertical sign of the orthographic projection

constexpr int32_t kCircleMaxPrecision = 64;
extern int32_t g_circlePrecision;

struct DrawState {
  uint32_t alpha = 255;       // 0..255, also the top byte of g_drawColor
  int32_t blendDest = 6;      // device blend number; 6 inverse source alpha
  uint8_t textureRepeat = 0;  // 1 wrap, 0 clamp
  uint8_t culling = 0;
  uint8_t lighting = 0;
  // The surface drawn to, -1 for the screen.
  int32_t currentTarget = -1;
  // The texture interpolation the game asked for at the start; a device
  // reset restores this, whatever scripts set since.
  bool startInterpolation = false;
  // cos and sin of k x 2 pi / g_circlePrecision for k = 0..precision.
  float circleCos[kCircleMaxPrecision + 1] = {};
  float circleSin[kCircleMaxPrecision + 1] = {};
};
extern DrawState g_drawState;

// Every drawing state above back to its start-up value, the circle tables
// filled for the start-up precision. Only the stored values change: nothing
// is drawn or sent to the device.
void DrawState_Reset();

// Colour helpers.
uint32_t GR_Pack_Color(uint32_t scriptColour, uint32_t alphaByte);
uint32_t GR_Make_Color_RGB(uint32_t r, uint32_t g, uint32_t b);
uint32_t GR_Make_ARGB(uint32_t r, uint32_t g, uint32_t b, uint32_t a);
uint32_t GR_Replace_Alpha(uint32_t argb, uint32_t alphaByte);
uint32_t GR_Swap_Red_Blue(uint32_t colour);
// Clamped to 0..1 (NaN counts as 0), times 255, truncated: 0.5 gives 127.
uint32_t GR_Alpha_To_Byte(float alpha);
// Per channel of two script colours, rounded half to even.
uint32_t GR_Merge_Color(uint32_t c1, uint32_t c2, double fraction);

// Colour and alpha.
void GR_Draw_Set_Color(uint32_t scriptColour);
void GR_Draw_Set_Alpha(float alpha);
uint32_t GR_Draw_Get_Color();
float GR_Draw_Get_Alpha();

// Blending. Factors outside 2..17 become 1 (zero). Modes: 1 add, 2 max,
// 3 subtract, anything else normal; the mode form needs a device.
void GR_Draw_Set_Blend_Mode_Ext(int32_t source, int32_t destination);
void GR_Draw_Set_Blend_Mode(int32_t mode);

// Texture sampling; each needs a device.
void GR_Texture_Set_Interpolation(bool on);
bool GR_Texture_Get_Interpolation();
void GR_Texture_Set_Blending(bool on);
void GR_Texture_Set_Repeat(bool on);

// 3D switches used by 2D drawing too. Culling needs a device.
void GR_3D_Set_Culling(bool on);
void GR_3D_Set_Perspective(bool on);
void GR_3D_Set_Hidden(bool on);
void GR_3D_Set_Lighting(bool on);
void GR_3D_Set_Shading(bool smooth);
void GR_3D_Set_Fog(bool enable, uint32_t scriptColour, int16_t start, int16_t end);

// Viewport (needs a device), the 2D view and projection, the screen size.
void GR_Set_Viewport(int32_t x, int32_t y, int32_t width, int32_t height);
void GR_Set_View_Projection(float x, float y, float width, float height, float angle);
void GR_Set_Screen_Size(int32_t width, int32_t height);
ScreenSize GR_Get_Screen_Size();

// 4..64, rounded down to a multiple of 4; the start-up sets 24.
void GR_Draw_Set_Circle_Precision(int32_t precision);
void GR_Draw_Reset_Circle_Precision();

// The states as last stored, sent to the device again: the hidden-surface
// and fog states, shared by their setters and the render-state restore.
void GR_Apply_Hidden();
void GR_Apply_Fog();

// Sends every stored drawing state to the device again (after a reset the
// device has forgotten them). Texture interpolation comes back as the game
// started it.
void GR_Restore_Render_States();
