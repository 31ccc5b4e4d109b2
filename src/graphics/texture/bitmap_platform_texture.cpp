// A platform bitmap's pixels as a device texture.
#include "graphics/bitmap/bitmap_platform.h"
#include "graphics/device/graphics.h"
#include "runtime/memory.h"

DeviceTexture* TBitmap::CopyPixels32() const {
  uint32_t* pixels = Pixels32();
  if (pixels == nullptr) return nullptr;
  DeviceTexture* texture = Graphics::CreateTextureFromPixels(pixels, GetWidth(), GetHeight(), nullptr);
  MemoryManager::Free(pixels);
  return texture;
}
