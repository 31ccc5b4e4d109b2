// The text operations the drawing built-ins call. Fonts and text drawing
// are not built yet: these versions keep the alignment and font choice,
// draw nothing and measure every text as 0. The text is only read.
#pragma once
#include <cstdint>

void GR_Text_Set_Font(int32_t font);
// 0, 1 or 2; anything else is kept as 0.
void GR_Text_Set_Halign(int32_t halign);
void GR_Text_Set_Valign(int32_t valign);
int32_t GR_Text_Get_Font();
int32_t GR_Text_Get_Halign();
int32_t GR_Text_Get_Valign();

int32_t GR_Text_String_Width(const char* text, int32_t separation, int32_t wrapWidth);
int32_t GR_Text_String_Height(const char* text, int32_t separation, int32_t wrapWidth);
void GR_Text_Draw(float x, float y, const char* text, int32_t separation, int32_t wrapWidth);
void GR_Text_Draw_Transformed(float x, float y, const char* text, int32_t separation, int32_t wrapWidth,
                              float xscale, float yscale, float angle);
void GR_Text_Draw_Color(float x, float y, const char* text, int32_t separation, int32_t wrapWidth,
                        uint32_t colour1, uint32_t colour2, uint32_t colour3, uint32_t colour4, float alpha);
void GR_Text_Draw_Transformed_Color(float x, float y, const char* text, int32_t separation, int32_t wrapWidth,
                                    float xscale, float yscale, float angle, uint32_t colour1, uint32_t colour2,
                                    uint32_t colour3, uint32_t colour4, float alpha);
void GR_Text_Free_Default_Font();
