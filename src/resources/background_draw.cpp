// Background drawing: each form goes to the page writer when the image lies
// on a texture page, else to the texture writer with the own texture, with
// the origin at the image's top-left corner.
#include "graphics/texture/texture_quads.h"
#include "resources/background.h"

namespace {

float Radians(float degrees) { return degrees * 3.1415927f / 180.0f; }

}  // namespace

void CBackground::DrawSimple(float x, float y) const {
  if (TexturePage* page = DrawPage()) {
    GR_TexturePage_Draw(page, x, y);
  } else {
    GR_Texture_Draw(texture_, x, y);
  }
}

void CBackground::Draw(float x, float y, float xscale, float yscale, float angle, uint32_t colour, float alpha) const {
  if (TexturePage* page = DrawPage()) {
    GR_TexturePage_Draw_Ext(page, 0, 0, x, y, xscale, yscale, Radians(angle), colour, alpha);
  } else {
    GR_Texture_Draw_Ext(texture_, 0, 0, x, y, xscale, yscale, Radians(angle), colour, alpha);
  }
}

void CBackground::DrawStretched(float x, float y, float width, float height, uint32_t colour, float alpha) const {
  if (!(width > 0) || !(height > 0) || width_ <= 0 || height_ <= 0) return;
  Draw(x, y, width / static_cast<float>(width_), height / static_cast<float>(height_), 0, colour, alpha);
}

void CBackground::DrawPart(float left, float top, float width, float height, float x, float y, float xscale,
                           float yscale, uint32_t colour, float alpha) const {
  if (TexturePage* page = DrawPage()) {
    GR_TexturePage_Draw_Part(page, left, top, width, height, x, y, xscale, yscale, 0, colour, alpha);
  } else {
    GR_Texture_Draw_Part(texture_, left, top, width, height, x, y, xscale, yscale, 0, colour, alpha);
  }
}

void CBackground::DrawGeneral(float left, float top, float width, float height, float x, float y, float xscale,
                              float yscale, float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4,
                              float alpha) const {
  const float a = Radians(angle);
  if (TexturePage* page = DrawPage()) {
    GR_TexturePage_Draw_General(page, left, top, width, height, x, y, xscale, yscale, a, c1, c2, c3, c4, alpha);
  } else {
    GR_Texture_Draw_General(texture_, left, top, width, height, x, y, xscale, yscale, a, c1, c2, c3, c4, alpha);
  }
}

void CBackground::DrawTiled(float x, float y, float xscale, float yscale, bool tileH, bool tileV, int32_t areaLeft,
                            int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t colour,
                            float alpha) const {
  const TileArea area{areaLeft, areaTop, areaWidth, areaHeight};
  if (TexturePage* page = DrawPage()) {
    GR_TexturePage_Draw_Tiled(page, 0, 0, x, y, xscale, yscale, tileH, tileV, area, colour, alpha);
  } else {
    GR_Texture_Draw_Tiled(texture_, 0, 0, x, y, xscale, yscale, tileH, tileV, area, colour, alpha);
  }
}
