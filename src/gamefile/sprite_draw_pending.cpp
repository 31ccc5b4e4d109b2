// Textures and drawing wait for the texture table; until it is here a
// sprite makes no texture and draws nothing.
#include "gamefile/sprite.h"
#include "gamefile/texture_pages.h"

void CSprite::FreeTextures() {
  for (int32_t i = 0; i < textures.length; ++i) textures[i] = -1;
}
void CSprite::InitTextures() {
  textures.SetLength(0);
  if (!HasPages()) textures.SetLength(frames.length);
  FreeTextures();
}
TexturePage* CSprite::PageOfFrame(int32_t frame) const {
  if (!HasPages() || frameCount <= 0) return nullptr;
  const int32_t index = WrapFrame(frame, frameCount);
  return index < pages.length ? TexturePage_AtOffset(pages[index]) : nullptr;
}
int32_t CSprite::TextureOfFrame(int32_t) const { return -1; }
bool CSprite::DrawSkipped(float, float, float, float) const { return true; }
void CSprite::DrawSimple(int32_t, float, float) const {}
void CSprite::Draw(int32_t, float, float, float, float, float, uint32_t, float) const {}
void CSprite::DrawStretched(int32_t, float, float, float, float, uint32_t, float) const {}
void CSprite::DrawPart(int32_t, float, float, float, float, float, float, float, float, uint32_t, float) const {}
void CSprite::DrawGeneral(int32_t, float, float, float, float, float, float, float, float, float, uint32_t, uint32_t,
                          uint32_t, uint32_t, float) const {}
void CSprite::DrawTiled(int32_t, float, float, float, float, bool, bool, int32_t, int32_t, int32_t, int32_t, uint32_t,
                        float) const {}
void CSprite::DrawPos(int32_t, float, float, float, float, float, float, float, float, uint32_t, float) const {}
