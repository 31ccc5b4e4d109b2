#include "graphics/text_draw_stand_ins.h"

namespace {

int32_t g_textFont = -1;
int32_t g_textHalign = 0;
int32_t g_textValign = 0;

int32_t Alignment(int32_t value) { return value >= 0 && value <= 2 ? value : 0; }

}  // namespace

void GR_Text_Set_Font(int32_t font) { g_textFont = font; }
void GR_Text_Set_Halign(int32_t halign) { g_textHalign = Alignment(halign); }
void GR_Text_Set_Valign(int32_t valign) { g_textValign = Alignment(valign); }
int32_t GR_Text_Get_Font() { return g_textFont; }
int32_t GR_Text_Get_Halign() { return g_textHalign; }
int32_t GR_Text_Get_Valign() { return g_textValign; }

int32_t GR_Text_String_Width(const char*, int32_t, int32_t) { return 0; }
int32_t GR_Text_String_Height(const char*, int32_t, int32_t) { return 0; }
void GR_Text_Draw(float, float, const char*, int32_t, int32_t) {}
void GR_Text_Draw_Transformed(float, float, const char*, int32_t, int32_t, float, float, float) {}
void GR_Text_Draw_Color(float, float, const char*, int32_t, int32_t, uint32_t, uint32_t, uint32_t, uint32_t, float) {}
void GR_Text_Draw_Transformed_Color(float, float, const char*, int32_t, int32_t, float, float, float, uint32_t,
                                    uint32_t, uint32_t, uint32_t, float) {}
void GR_Text_Free_Default_Font() { g_textFont = -1; }
