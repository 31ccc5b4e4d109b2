// The overlay's own text: glyphs of the built-in debug font written
// straight into the vertex batch, in screen space. Text is UTF-8; code
// points without a glyph (below 32 but the tab, above 136) neither draw
// nor move the pen. Tabs stop every 64 pixels.
#pragma once

#include <cstdint>

constexpr int32_t kOverlayFirstGlyph = 32;
constexpr int32_t kOverlayLastGlyph = 136;
constexpr int32_t kOverlayPrintfBytes = 2048;

void GR_Overlay_Bind_Font();
// Colours are script colours (0xAABBGGRR); at most maxChars code points.
void GR_Overlay_Draw_Text_Raw(float x, float y, float xscale, float yscale, uint32_t colour, const char* text,
                              int32_t maxChars);
void GR_Overlay_Printf(float x, float y, uint32_t colour, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
void GR_Overlay_Printf_Outlined(float x, float y, uint32_t colour, uint32_t outline, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
void GR_Overlay_Draw_Text_Centered(float y, uint32_t colour, uint32_t outline, const char* text);
// Pixels the text takes at scale 1.
int32_t GR_Overlay_Text_Width(const char* text);
// Script colour 0xAABBGGRR to device 0xAARRGGBB.
uint32_t GR_Overlay_Device_Colour(uint32_t colour);
