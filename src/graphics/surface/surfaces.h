// Surfaces: off-screen pictures that scripts draw into and draw from. Each
// is a render-target entry of the texture table with its own size; drawing
// goes to one surface at a time, or to the screen. Every operation on an
// index out of range or not in use does nothing, answers -1 or false.
#pragma once
#include <cstdint>

class TBitmap;

// A side of a surface is 1 to this many pixels; the device refuses a
// larger one with the line "CreateTexture failed - 8876086c".
constexpr int32_t kSurfaceMaxSide = 8192;

// Surface table.
int32_t GR_Surface_Create(int32_t width, int32_t height);
void GR_Surface_Free(int32_t index);
// Before the device is reset: every surface goes.
void GR_Surface_Free_All();
bool GR_Surface_Exists(int32_t index);
int32_t GR_Surface_Get_Width(int32_t index);
int32_t GR_Surface_Get_Height(int32_t index);
int32_t GR_Surface_Get_Texture(int32_t index);

// Drawing target. Setting one while another is set returns to the screen
// first, so the saved viewport and projection are always the screen's.
bool GR_Surface_Set_Target(int32_t index);
bool GR_Surface_Reset_Target();
// The frame is ending: a target a script left set is given up, so the
// next frame starts on the screen.
void GR_Surface_Frame_End();

// Drawing a surface; colours are script colours, angles in degrees.
void GR_Surface_Draw(int32_t index, float x, float y);
void GR_Surface_Draw_Ext(int32_t index, float x, float y, float xscale, float yscale, float angle, uint32_t colour,
                         float alpha);
void GR_Surface_Draw_Stretched(int32_t index, float x, float y, float width, float height, uint32_t colour,
                               float alpha);
void GR_Surface_Draw_Part(int32_t index, float left, float top, float width, float height, float x, float y,
                          float xscale, float yscale, uint32_t colour, float alpha);
void GR_Surface_Draw_General(int32_t index, float left, float top, float width, float height, float x, float y,
                             float xscale, float yscale, float angle, uint32_t c1, uint32_t c2, uint32_t c3,
                             uint32_t c4, float alpha);
void GR_Surface_Draw_Tiled(int32_t index, float x, float y, float xscale, float yscale, bool tileH, bool tileV,
                           int32_t areaLeft, int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t colour,
                           float alpha);

// Pixels. A rectangle is read as exactly w x h pixels (0xAARRGGBB, top row
// first) into a MemoryManager block; what lies outside the surface reads
// as transparent black. Null for a missing surface, no device, a size below
// 1 or more pixels than one read may take.
uint32_t* GR_Surface_Read_Pixels(int32_t index, int32_t x, int32_t y, int32_t w, int32_t h);
// The pixel as a script colour 0xBBGGRR, 0 when it cannot be read.
uint32_t GR_Surface_Get_Pixel(int32_t index, int32_t x, int32_t y);
// A 24-bit BMP of the rectangle into the save folder; false when nothing
// was written.
bool GR_Surface_Save(int32_t index, const char* path, int32_t x, int32_t y, int32_t w, int32_t h);
// Copies the source rectangle of one surface to (x, y) of another, or of
// the same one.
void GR_Surface_Copy(int32_t destination, int32_t x, int32_t y, int32_t source, int32_t xs, int32_t ys, int32_t ws,
                     int32_t hs);

// New 32-bit platform bitmaps for sprite and background creation, or null.
// The surface copy keeps alpha and is w x h as asked; the screen copy is
// clipped to the back buffer and opaque.
TBitmap* GR_Surface_Copy_To_Bitmap(int32_t index, int32_t x, int32_t y, int32_t w, int32_t h);
TBitmap* GR_Screen_Copy_To_Bitmap(int32_t x, int32_t y, int32_t w, int32_t h);
