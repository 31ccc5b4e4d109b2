#include <algorithm>
#include <cmath>

#include "resources/sprite.h"
#include "resources/texture_pages.h"
#include "runtime/memory.h"

namespace {

// The square of a difference of two 32-bit values, exact: the magnitude is
// below 2^32, so its square fits an unsigned 64-bit word where a signed one
// would overflow (a width near the largest value with a far negative origin).
uint64_t Square(int64_t d) {
  const uint64_t magnitude = d < 0 ? uint64_t{0} - static_cast<uint64_t>(d) : static_cast<uint64_t>(d);
  return magnitude * magnitude;
}

int32_t CornerDistance(int64_t dx, int64_t dy) {
  const float squared = static_cast<float>(Square(dx)) + static_cast<float>(Square(dy));
  return static_cast<int32_t>(std::min(std::ceil(std::sqrt(squared)), 2147483520.0f));
}

}  // namespace

void CSprite::ComputeRadius() {
  const int64_t xo = xorigin, yo = yorigin, w = width, h = height;
  radius = std::max(
      {CornerDistance(xo, yo), CornerDistance(w - xo, yo), CornerDistance(xo, h - yo), CornerDistance(w - xo, h - yo)});
}

void CSprite::ComputeBoundingBox() {
  ComputeRadius();
  if (bboxMode == 2) return;
  if (bboxMode == 1 || transparent == 0) {
    bbox = {0, 0, width - 1, height - 1};
    return;
  }
  if (frameCount == 0) {
    bbox = {0, 0, 0, 0};
    return;
  }
  if (frames.length == 0) return;
  SpriteBox box{width - 1, height - 1, 0, 0};
  for (int32_t i = 0; i < frames.length; ++i) {
    SpriteBox* own = frames[i]->GetBoundingBox();
    box = {std::min(box.left, own->left), std::min(box.top, own->top), std::max(box.right, own->right),
           std::max(box.bottom, own->bottom)};
    delete own;
  }
  bbox = box;
}

void CSprite::SetBoundingBoxMode(int32_t mode) {
  if (mode < 0 || mode >= 3 || mode == bboxMode) return;
  bboxMode = mode;
  ComputeBoundingBox();
}

void CSprite::SetBoundingBox(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (bboxMode == 2) bbox = {left, top, right, bottom};
}

void CSprite::SetPrecise(bool flag) {
  if (static_cast<uint8_t>(flag) == precise) return;
  precise = flag;
  RebuildMasks();
}

void CSprite::FreeMasks() {
  for (int32_t i = 0; i < masks.length; ++i) MemoryManager::Free(masks[i].bytes);
  masks.SetLength(0);
  masksPresent = 0;
}

void CSprite::RebuildMasks() {
  FreeMasks();
  if (precise != 1 || transparent != 1 || frameCount <= 0 || HasPages() || frames.length == 0) return;
  const int64_t size = int64_t{width} * height;
  if (width <= 0 || height <= 0) return;
  masks.SetLength(frames.length);
  for (int32_t i = 0; i < frames.length; ++i) {
    SpriteMask& mask = masks[i];
    mask.size = static_cast<int32_t>(size);
    mask.bytes = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(size), true));
    const CBitmap32* frame = frames[i];
    const int32_t w = std::min(width, frame->GetWidth()), h = std::min(height, frame->GetHeight());
    const uint32_t* pixels = frame->GetData()->pixels;
    for (int32_t y = 0; pixels != nullptr && y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        mask.bytes[int64_t{y} * width + x] = (pixels[int64_t{y} * frame->GetWidth() + x] >> 24) >= 1 ? 1 : 0;
      }
    }
  }
  masksPresent = 1;
}

SpriteBox* CSprite::FrameBox(int32_t frame) const {
  if (frameCount <= 0) return nullptr;
  const int32_t index = WrapFrame(frame, frameCount);
  if (HasPages()) {
    const TexturePage* page = index < pages.length ? TexturePage_AtOffset(pages[index]) : nullptr;
    if (page == nullptr) return new SpriteBox{0, 0, 0, 0};
    return new SpriteBox{page->xOffset, page->yOffset, page->xOffset + page->width, page->yOffset + page->height};
  }
  if (index >= frames.length) return new SpriteBox{0, 0, 0, 0};
  return frames[index]->GetBoundingBox();
}
