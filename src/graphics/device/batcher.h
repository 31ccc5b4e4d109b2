// The one pending batch of vertices every drawn thing goes through. Writers
// reserve room for n vertices, fill it, and the batch is drawn with a single
// call when something forces a flush: another kind of primitive, texture or
// vertex format, a strip or fan, a full scratch area, or a state change that
// must not reach the vertices already written.
#pragma once
#include <cstdint>

struct DeviceTexture;

// Positions in the world space of the current transforms; colours 0xAARRGGBB.
struct ColorVertex {
  float x, y, z;
  uint32_t colour;
};
struct TexVertex {
  float x, y, z;
  uint32_t colour;
  float u, v;
};
struct NormalTexVertex {
  float x, y, z;
  float nx, ny, nz;
  uint32_t colour;
  float u, v;
};
static_assert(sizeof(ColorVertex) == 16 && sizeof(TexVertex) == 24 && sizeof(NormalTexVertex) == 36);

constexpr int32_t kBatchMaxVertices = 32768;
constexpr int32_t kBatchMaxStride = 36;
constexpr int32_t kNoPrimitive = -1;

struct VertexBatch {
  int32_t primitiveType;  // kNoPrimitive when nothing is pending
  DeviceTexture* texture;
  int32_t stride;
  int32_t count;
  alignas(16) uint8_t scratch[kBatchMaxVertices * kBatchMaxStride];
};

// Texture changes and batches drawn since the frame profiler last zeroed them.
extern int32_t g_textureSwaps;
extern int32_t g_vertexBatches;

namespace Graphics {

// Room for n vertices of `stride` bytes, to be filled before the next call
// into the graphics layer. Null, with nothing written or flushed, when n is
// negative or above kBatchMaxVertices or the stride is not 1..36.
void* AllocVertices(int32_t primitiveType, DeviceTexture* texture, int32_t stride, int32_t n);
// Copies the whole primitives among n vertices into the batch and returns
// how many vertices that was. A trailing part of a primitive (the seventh
// vertex of a triangle list) is left out, since in the batch it would become
// the start of the next draw's first primitive.
int32_t AddWholePrimitives(int32_t primitiveType, DeviceTexture* texture, int32_t stride, const void* vertices,
                           int32_t n);
// Gives back the last n reserved vertices that were not written.
void ReturnVertices(int32_t n);
void FlushBatch();
// Sets the vertex format from the stride and draws at once; the primitive count.
int32_t DrawPrimitiveUP(int32_t primitiveType, int32_t vertexCount, const void* data, int32_t stride);
// End of frame: drops whatever is pending without drawing it.
void ResetVertexBuffers();
// Code that sets a vertex format on the device by other means tells the
// batcher which (0 when unknown), so the next draw sets its own again.
void SetVertexFormatCache(uint32_t fvf);
// A device texture about to be freed: pending vertices that use it are drawn
// first, while it still exists.
void ForgetPendingTexture(const DeviceTexture* texture);
const VertexBatch& PendingBatch();
// Primitives drawn from n vertices of a type (unknown types count as points).
int32_t PrimitiveCount(int32_t primitiveType, int32_t n);
// The vertices of those primitives: n without the trailing part-primitive.
int32_t WholePrimitiveVertices(int32_t primitiveType, int32_t n);

}  // namespace Graphics
