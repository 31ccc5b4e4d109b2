#include "resources/sprite.h"

#include <algorithm>
#include <cstring>

#include "graphics/bitmap/bitmap_limits.h"
#include "runtime/console.h"

CSprite::~CSprite() { Reset(); }

int32_t CSprite::WrapFrame(int64_t frame, int32_t count) {
  if (count <= 0) return 0;
  int64_t wrapped = frame % count;
  if (wrapped < 0) wrapped += count;
  return static_cast<int32_t>(wrapped);
}

void CSprite::FreeFrames() {
  frames.SetLength(0);
  frameCount = 0;
}

void CSprite::Reset() {
  FreeTextures();
  textures.SetLength(0);
  FreeFrames();
  FreeMasks();
  pages.SetLength(0);
  hasPages = 0;
  bbox = {0, 0, 0, 0};
  bboxMode = 0;
  xorigin = yorigin = 0;
  width = height = 1;
  radius = 0;
  transparent = 1;
  preload = 1;
  precise = 1;
  smooth = 0;
}

void CSprite::AppendFrame(CBitmap32* frame) {
  const int32_t at = frames.length;
  frames.SetLength(at + 1);
  frames[at] = frame;
}

void CSprite::AfterFramesChanged() {
  InitTextures();
  ComputeBoundingBox();
  RebuildMasks();
}

// An animated image gives all its frames; any other image is a strip cut
// into equal frames from the left. A strip never gives more frames than it
// has columns, so no frame is empty and the count stays bounded.
bool CSprite::LoadFromImage(BitmapLoader* loader, int32_t frameWanted, bool precise_, bool transparent_, bool smooth_,
                            bool preload_, int32_t xorigin_, int32_t yorigin_, bool keepAlpha) {
  if (loader == nullptr) return false;
  const bool animated = loader->IsMultiFrame();
  TBitmap* first = loader->GetFrame(0);
  if (first == nullptr) return false;
  Reset();
  transparent = transparent_;
  smooth = smooth_;
  width = first->GetWidth();
  height = first->GetHeight();
  if (animated) {
    for (int32_t i = 0; i < loader->GetFrameCount(); ++i) {
      TBitmap* bitmap = i == 0 ? first : loader->GetFrame(i);
      AppendFrame(new CBitmap32(bitmap, transparent_, smooth_));
      if (bitmap != first) delete bitmap;
    }
  } else {
    const int32_t count = std::min(std::max(frameWanted, 1), std::max(first->GetWidth(), 1));
    width = first->GetWidth() / count;
    g_debugConsole->Output("TBitmap has %d\n", first->GetHeight());
    CBitmap32 strip = keepAlpha ? CBitmap32(first, false, false, CBitmap32::Source::kKeepAlpha)
                                : CBitmap32(first, transparent_, smooth_, false);
    for (int32_t i = 0; i < count; ++i) AppendFrame(new CBitmap32(strip, i * width, 0, width, height));
  }
  delete first;
  frameCount = frames.length;
  preload = preload_;
  precise = precise_;
  xorigin = xorigin_;
  yorigin = yorigin_;
  bboxMode = 0;
  AfterFramesChanged();
  return true;
}

void CSprite::CreateFromBitmap(TBitmap* bitmap, bool precise_, bool transparent_, bool smooth_, bool preload_,
                               int32_t xorigin_, int32_t yorigin_, int32_t copyKind) {
  Reset();
  if (bitmap == nullptr) return;
  frameCount = 1;
  width = bitmap->GetWidth();
  height = bitmap->GetHeight();
  transparent = transparent_;
  smooth = smooth_;
  preload = preload_;
  bboxMode = 0;
  precise = precise_;
  xorigin = xorigin_;
  yorigin = yorigin_;
  AppendFrame(copyKind == kSpriteCopyAnyFormat ? new CBitmap32(bitmap, transparent_, smooth_, false)
                                               : new CBitmap32(bitmap, transparent_, smooth_));
  g_debugConsole->Output("Init Texture\n");
  InitTextures();
  g_debugConsole->Output("Compute Bounding Box\n");
  ComputeBoundingBox();
  g_debugConsole->Output("Create Mask\n");
  RebuildMasks();
}

void CSprite::AddFrameFromBitmap(TBitmap* bitmap, int32_t copyKind) {
  if (bitmap == nullptr) return;
  if (frameCount == 0) {
    width = bitmap->GetWidth();
    height = bitmap->GetHeight();
  }
  CBitmap32* frame = copyKind == kSpriteCopyAnyFormat ? new CBitmap32(bitmap, transparent, smooth, false)
                                                      : new CBitmap32(bitmap, transparent, smooth);
  frame->Stretch(width, height);
  AppendFrame(frame);
  ++frameCount;
  AfterFramesChanged();
}

void CSprite::Merge(const CSprite* other) {
  if (other == nullptr) return;
  if (frameCount == 0) {
    width = other->width;
    height = other->height;
  }
  // Copies first: a sprite may be merged with itself.
  const int32_t count = other->frames.length;
  CBitmap32** copies = new CBitmap32*[static_cast<size_t>(std::max(count, 1))];
  for (int32_t i = 0; i < count; ++i) copies[i] = new CBitmap32(*other->frames[i]);
  for (int32_t i = 0; i < count; ++i) {
    copies[i]->Stretch(width, height);
    AppendFrame(copies[i]);
  }
  delete[] copies;
  frameCount += count;
  AfterFramesChanged();
}

void CSprite::SetAlphaFromSprite(const CSprite* other) {
  if (other == nullptr || other->frames.length == 0 || HasPages() || other->HasPages()) return;
  for (int32_t i = 0; i < frames.length; ++i) {
    frames[i]->SetAlphaFromBitmap(other->frames[i % other->frames.length]);
  }
  InitTextures();
}

void CSprite::Assign(const CSprite* other) {
  if (other == nullptr || other == this) return;
  Reset();
  width = other->width;
  height = other->height;
  bbox = other->bbox;
  transparent = other->transparent;
  smooth = other->smooth;
  preload = other->preload;
  bboxMode = other->bboxMode;
  precise = other->precise;
  xorigin = other->xorigin;
  yorigin = other->yorigin;
  frameCount = other->frameCount;
  radius = other->radius;
  hasPages = other->hasPages;
  pages.SetLength(other->pages.length);
  std::copy_n(other->pages.array, other->pages.length, pages.array);
  for (int32_t i = 0; i < other->frames.length; ++i) AppendFrame(new CBitmap32(*other->frames[i]));
  InitTextures();
  RebuildMasks();
}

TBitmap* CSprite::FrameAsBitmap(int32_t frame) const {
  if (frame < 0 || frame >= frames.length) return nullptr;
  return frames[frame]->ToBitmap32();
}

// Each frame's rows are copied as they lie, alpha included; a frame of
// another size than the sprite's is cut to its block.
CBitmap32* CSprite::MakeStrip() const {
  const int32_t count = frames.length;
  if (count == 0 || !Bitmap_SizeAllowed(int64_t{width} * count, height)) return nullptr;
  auto* strip = new CBitmap32(width * count, height, 0);
  if (!strip->IsValid()) {
    delete strip;
    return nullptr;
  }
  uint32_t* to = strip->GetData()->pixels;
  const int64_t stride = strip->GetWidth();
  for (int32_t k = 0; k < count; ++k) {
    const CBitmap32* frame = frames[k];
    if (frame == nullptr || !frame->IsValid()) continue;
    const int32_t columns = std::min(frame->GetWidth(), width);
    const int32_t rows = std::min(frame->GetHeight(), height);
    const uint32_t* from = frame->GetData()->pixels;
    for (int32_t y = 0; y < rows; ++y) {
      std::memcpy(to + y * stride + int64_t{k} * width, from + int64_t{y} * frame->GetWidth(),
                  static_cast<size_t>(columns) * sizeof(uint32_t));
    }
  }
  return strip;
}
