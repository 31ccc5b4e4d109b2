// Drawing text with the current font and alignment: the font chosen by
// draw_set_font (or the built-in "debug" font), measuring, and the plain,
// transformed and colour forms, line by line.
#pragma once

#include <cstdint>

void GR_Text_Set_Font(int32_t font);
void GR_Text_Set_Halign(int32_t halign);
void GR_Text_Set_Valign(int32_t valign);
int32_t GR_Text_Get_Halign();
int32_t GR_Text_Get_Valign();

// A separation below 0 is the font's line height; a wrap width below 0
// means no wrapping.
int32_t GR_Text_String_Width(const char* text, int32_t separation, int32_t wrapWidth);
int32_t GR_Text_String_Height(const char* text, int32_t separation, int32_t wrapWidth);
void GR_Text_Draw(float x, float y, const char* text, int32_t separation, int32_t wrapWidth);
void GR_Text_Draw_Transformed(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, float xscale,
                              float yscale, float angle);
void GR_Text_Draw_Color(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, uint32_t colour1,
                        uint32_t colour2, uint32_t colour3, uint32_t colour4, float alpha);
void GR_Text_Draw_Transformed_Color(float x, float y, const char* text, int32_t separation, int32_t wrapWidth,
                                    float xscale, float yscale, float angle, uint32_t colour1, uint32_t colour2,
                                    uint32_t colour3, uint32_t colour4, float alpha);

// Deletes the built-in font. Its texture belongs to the texture table, which
// the shutdown has freed already.
void GR_Text_Free_Default_Font();
// The built-in font deleted and the font and alignments as at start.
void GR_Text_Reset();
