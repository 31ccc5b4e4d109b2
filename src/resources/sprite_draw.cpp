#include <cmath>

#include "graphics/device/draw_state.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"
#include "resources/sprite.h"
#include "resources/texture_pages.h"
#include "runtime/numeric.h"

namespace {

constexpr float kPi = 3.1415927f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

}  // namespace

void CSprite::FreeTextures() {
  for (int32_t i = 0; i < textures.length; ++i) {
    if (textures[i] >= 0) GR_Texture_Free(textures[i]);
    textures[i] = -1;
  }
}

void CSprite::InitTextures() {
  FreeTextures();
  textures.SetLength(0);
  if (HasPages()) return;
  textures.SetLength(frames.length);
  for (int32_t i = 0; i < frames.length; ++i) {
    textures[i] = GR_Texture_Create_From_Bitmap32(frames[i]);
    if (preload != 0 && textures[i] >= 0) GR_Texture_Preload(textures[i]);
  }
}

TexturePage* CSprite::PageOfFrame(int32_t frame) const {
  if (!HasPages() || frameCount <= 0) return nullptr;
  const int32_t index = WrapFrame(frame, frameCount);
  return index < pages.length ? TexturePage_AtOffset(pages[index]) : nullptr;
}

int32_t CSprite::TextureOfFrame(int32_t frame) const {
  if (frameCount <= 0) return -1;
  const int32_t index = WrapFrame(frame, frameCount);
  if (HasPages()) {
    return index < pages.length ? GR_TexturePage_Handle(TexturePage_IndexOfOffset(pages[index])) : -1;
  }
  return index < textures.length ? textures[index] : -1;
}

// The drawn area is out of reach when any of its sides lies further from
// (x, y) than the reach on that axis.
bool CSprite::DrawSkipped(float x, float y, float reachX, float reachY) const {
  const float left = static_cast<float>(g_currentViewRect[0]), top = static_cast<float>(g_currentViewRect[1]);
  const float right = static_cast<float>(g_currentViewRect[2]), bottom = static_cast<float>(g_currentViewRect[3]);
  return top - y > reachY || y - bottom > reachY || left - x > reachX || x - right > reachX;
}

namespace {

// The texture id of a frame drawn from a pixel copy, -1 when it has none.
int32_t FrameTexture(const CSprite& sprite, int32_t index) {
  return index < sprite.textures.length ? sprite.textures[index] : -1;
}

}  // namespace

void CSprite::DrawSimple(int32_t frame, float x, float y) const {
  if (frameCount <= 0) return;
  const float r = static_cast<float>(radius);
  if (g_drawState.currentTarget == -1 && g_orthoProjection == 0 && DrawSkipped(x, y, r, r)) return;
  const int32_t index = WrapFrame(frame, frameCount);
  const float left = x - static_cast<float>(xorigin), top = y - static_cast<float>(yorigin);
  if (HasPages()) {
    if (TexturePage* page = PageOfFrame(index)) GR_TexturePage_Draw(page, left, top);
  } else {
    GR_Texture_Draw(FrameTexture(*this, index), left, top);
  }
}

void CSprite::Draw(int32_t frame, float x, float y, float xscale, float yscale, float angle, uint32_t colour,
                   float alpha) const {
  if (frameCount <= 0) return;
  const float reach = std::fmax(std::fabs(radius * xscale), std::fabs(radius * yscale));
  if (g_3dMode == 0 && g_orthoProjection == 0 && DrawSkipped(x, y, reach, reach)) return;
  const int32_t index = WrapFrame(frame, frameCount);
  const float xo = static_cast<float>(xorigin), yo = static_cast<float>(yorigin);
  if (HasPages()) {
    if (TexturePage* page = PageOfFrame(index)) {
      GR_TexturePage_Draw_Ext(page, xo, yo, x, y, xscale, yscale, Radians(angle), colour, alpha);
    }
  } else {
    GR_Texture_Draw_Ext(FrameTexture(*this, index), xo, yo, x, y, xscale, yscale, Radians(angle), colour, alpha);
  }
}

void CSprite::DrawStretched(int32_t frame, float x, float y, float w, float h, uint32_t colour, float alpha) const {
  if (frameCount <= 0 || !(w > 0) || !(h > 0) || width <= 0 || height <= 0) return;
  const int32_t index = WrapFrame(frame, frameCount);
  const float xscale = w / static_cast<float>(width), yscale = h / static_cast<float>(height);
  if (HasPages()) {
    if (TexturePage* page = PageOfFrame(index)) {
      GR_TexturePage_Draw_Ext(page, 0, 0, x, y, xscale, yscale, 0, colour, alpha);
    }
  } else {
    GR_Texture_Draw_Ext(FrameTexture(*this, index), 0, 0, x, y, xscale, yscale, 0, colour, alpha);
  }
}

void CSprite::DrawPart(int32_t frame, float left, float top, float w, float h, float x, float y, float xscale,
                       float yscale, uint32_t colour, float alpha) const {
  if (frameCount <= 0) return;
  const int32_t index = WrapFrame(frame, frameCount);
  if (HasPages()) {
    if (TexturePage* page = PageOfFrame(index)) {
      GR_TexturePage_Draw_Part(page, left, top, w, h, x, y, xscale, yscale, 0, colour, alpha);
    }
  } else {
    GR_Texture_Draw_Part(FrameTexture(*this, index), left, top, w, h, x, y, xscale, yscale, 0, colour, alpha);
  }
}

void CSprite::DrawGeneral(int32_t frame, float left, float top, float w, float h, float x, float y, float xscale,
                          float yscale, float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4,
                          float alpha) const {
  if (frameCount <= 0) return;
  const float r = static_cast<float>(radius);
  if (g_drawState.currentTarget == -1 && g_orthoProjection == 0 &&
      DrawSkipped(x, y, std::fabs(r * xscale), std::fabs(r * yscale))) {
    return;
  }
  const int32_t index = WrapFrame(frame, frameCount);
  if (HasPages()) {
    if (TexturePage* page = PageOfFrame(index)) {
      GR_TexturePage_Draw_General(page, left, top, w, h, x, y, xscale, yscale, Radians(angle), c1, c2, c3, c4, alpha);
    }
  } else {
    GR_Texture_Draw_General(FrameTexture(*this, index), left, top, w, h, x, y, xscale, yscale, Radians(angle), c1, c2,
                            c3, c4, alpha);
  }
}

void CSprite::DrawTiled(int32_t frame, float x, float y, float xscale, float yscale, bool tileH, bool tileV,
                        int32_t areaLeft, int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t colour,
                        float alpha) const {
  if (frameCount <= 0) return;
  const int32_t index = WrapFrame(frame, frameCount);
  const float xo = static_cast<float>(xorigin), yo = static_cast<float>(yorigin);
  const TileArea area{areaLeft, areaTop, areaWidth, areaHeight};
  if (HasPages()) {
    if (TexturePage* page = PageOfFrame(index)) {
      GR_TexturePage_Draw_Tiled(page, xo, yo, x, y, xscale, yscale, tileH, tileV, area, colour, alpha);
    }
  } else {
    GR_Texture_Draw_Tiled(FrameTexture(*this, index), xo, yo, x, y, xscale, yscale, tileH, tileV, area, colour, alpha);
  }
}

// Only page images can be mapped onto four free corners. The corner writer
// takes the drawing alpha, so this draw's alpha stands in for it.
void CSprite::DrawPos(int32_t frame, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                      uint32_t colourWord, float alpha) const {
  TexturePage* page = PageOfFrame(frame);
  if (page == nullptr) return;
  const uint32_t saved = g_drawState.alpha;
  const float clamped = std::isnan(alpha) ? 0.0f : std::fmin(std::fmax(alpha, 0.0f), 1.0f);
  g_drawState.alpha = static_cast<uint32_t>(Num_TruncInt32(clamped * 255.0f));
  GR_TexturePage_Draw_Pos(page, {x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}, colourWord);
  g_drawState.alpha = saved;
}
