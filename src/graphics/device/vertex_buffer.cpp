#include "graphics/device/vertex_buffer.h"

#include <cstring>

#include "graphics/device/graphics.h"

namespace {

constexpr uint32_t kUsageWriteOnly = 8;

}  // namespace

namespace Graphics {

GfxObject CreateVertexBuffer(const NormalTexVertex* vertices, int32_t count) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || count <= 0) return 0;
  const auto bytes = static_cast<uint32_t>(count) * sizeof(NormalTexVertex);
  GfxObject buffer = 0;
  if (device->CreateVertexBuffer(bytes, kUsageWriteOnly, kNormalTexFormat, TexturePool(), &buffer) != D3D_OK ||
      buffer == 0) {
    return 0;
  }
  void* data = nullptr;
  if (device->LockVertexBuffer(buffer, 0, bytes, &data, 0) != D3D_OK || data == nullptr) {
    device->Release(buffer);
    return 0;
  }
  std::memcpy(data, vertices, bytes);
  if (device->UnlockVertexBuffer(buffer) != D3D_OK) {
    device->Release(buffer);
    return 0;
  }
  return buffer;
}

void ReleaseVertexBuffer(GfxObject buffer) {
  IGraphicsDevice* device = GetDevice();
  if (device != nullptr && buffer != 0) device->Release(buffer);
}

}  // namespace Graphics
