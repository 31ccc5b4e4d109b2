#include "graphics/device/batcher.h"

#include <cstddef>
#include <cstring>

#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"

int32_t g_textureSwaps = 0;
int32_t g_vertexBatches = 0;

namespace {

VertexBatch g_batch{kNoPrimitive, nullptr, 0, 0, {}};
uint32_t g_fvf = 0;
// What the last flush bound, for counting texture changes only.
const DeviceTexture* g_boundTexture = nullptr;

bool Chains(int32_t kind) {
  const auto type = static_cast<uint32_t>(kind);
  return type == D3DPT_LINESTRIP || type == D3DPT_TRIANGLESTRIP || type == D3DPT_TRIANGLEFAN;
}

uint32_t FormatOfStride(int32_t stride) {
  switch (stride) {
    case 16: return D3DFVF_XYZ | D3DFVF_DIFFUSE;
    case 24: return D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    case 36: return D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    default: return 0;
  }
}

}  // namespace

namespace Graphics {

const VertexBatch& PendingBatch() { return g_batch; }

void* AllocVertices(int32_t primitiveType, DeviceTexture* texture, int32_t stride, int32_t n) {
  if (n < 0 || n > kBatchMaxVertices || stride < 1 || stride > kBatchMaxStride) return nullptr;
  const bool joins = g_batch.primitiveType == primitiveType && g_batch.texture == texture && g_batch.stride == stride &&
                     !Chains(g_batch.primitiveType) && g_batch.count + n <= kBatchMaxVertices;
  if (!joins) {
    FlushBatch();
    g_batch.primitiveType = primitiveType;
    g_batch.texture = texture;
    g_batch.stride = stride;
  }
  void* at = g_batch.scratch + static_cast<size_t>(g_batch.count) * static_cast<size_t>(stride);
  g_batch.count += n;
  return at;
}

int32_t AddWholePrimitives(int32_t primitiveType, DeviceTexture* texture, int32_t stride, const void* vertices,
                           int32_t n) {
  const int32_t whole = WholePrimitiveVertices(primitiveType, n);
  if (whole == 0) return 0;
  void* at = AllocVertices(primitiveType, texture, stride, whole);
  if (at == nullptr) return 0;
  std::memcpy(at, vertices, static_cast<size_t>(whole) * static_cast<size_t>(stride));
  return whole;
}

void ReturnVertices(int32_t n) {
  if (n <= 0) return;
  g_batch.count = n >= g_batch.count ? 0 : g_batch.count - n;
}

void FlushBatch() {
  if (g_batch.primitiveType == kNoPrimitive) return;
  if (g_batch.texture != nullptr) {
    const uint32_t clamp = g_drawState.textureRepeat != 0 ? 0 : 1;
    SetSamplerState(0, kSamplerAddressU, clamp);
    SetSamplerState(0, kSamplerAddressV, clamp);
  }
  if (g_batch.texture != g_boundTexture) {
    ++g_textureSwaps;
    g_boundTexture = g_batch.texture;
  }
  SetTexture(0, g_batch.texture);
  if (DrawPrimitiveUP(g_batch.primitiveType, g_batch.count, g_batch.scratch, g_batch.stride) > 0) ++g_vertexBatches;
  g_batch.primitiveType = kNoPrimitive;
  g_batch.count = 0;
}

int32_t PrimitiveCount(int32_t primitiveType, int32_t n) {
  switch (static_cast<uint32_t>(primitiveType)) {
    case D3DPT_LINELIST: return n / 2;
    case D3DPT_LINESTRIP: return n - 1;
    case D3DPT_TRIANGLELIST: return n / 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return n - 2;
    default: return n;
  }
}

int32_t WholePrimitiveVertices(int32_t primitiveType, int32_t n) {
  const int32_t primitives = PrimitiveCount(primitiveType, n);
  if (primitives < 1) return 0;
  switch (static_cast<uint32_t>(primitiveType)) {
    case D3DPT_LINELIST: return primitives * 2;
    case D3DPT_TRIANGLELIST: return primitives * 3;
    default: return n;
  }
}

int32_t DrawPrimitiveUP(int32_t primitiveType, int32_t vertexCount, const void* data, int32_t stride) {
  IGraphicsDevice* device = GetDevice();
  const uint32_t fvf = FormatOfStride(stride);
  if (device != nullptr && fvf != 0 && fvf != g_fvf) {
    g_fvf = fvf;
    device->SetFVF(fvf);
  }
  int32_t primitives = PrimitiveCount(primitiveType, vertexCount);
  // Unknown types draw as points, which is how the count was made.
  const bool known = primitiveType >= static_cast<int32_t>(D3DPT_POINTLIST) &&
                     primitiveType <= static_cast<int32_t>(D3DPT_TRIANGLEFAN);
  const uint32_t type = known ? static_cast<uint32_t>(primitiveType) : D3DPT_POINTLIST;
  if (primitives >= 1 && device != nullptr && data != nullptr && stride > 0) {
    device->DrawPrimitiveUP(type, static_cast<uint32_t>(primitives), data, static_cast<uint32_t>(stride));
  }
  return primitives;
}

void ResetVertexBuffers() {
  g_batch.count = 0;
  g_batch.primitiveType = kNoPrimitive;
}

void SetVertexFormatCache(uint32_t fvf) { g_fvf = fvf; }

void ForgetPendingTexture(const DeviceTexture* texture) {
  if (texture == nullptr) return;
  if (g_batch.texture == texture && g_batch.primitiveType != kNoPrimitive) FlushBatch();
  if (g_batch.texture == texture) g_batch.texture = nullptr;
  if (g_boundTexture == texture) g_boundTexture = nullptr;
}

}  // namespace Graphics
