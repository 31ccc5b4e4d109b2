#include "graphics/3d/graphics_recorder.h"

#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/device/vertex_buffer.h"
#include "graphics/texture/texture_table.h"
#include "runtime/console.h"

namespace {

constexpr int64_t kMaxRecordingBytes = int64_t{1} << 31;
enum : int32_t { kPoints = 1, kLineList = 2, kLineStrip = 3, kTriangleList = 4, kTriangleStrip = 5, kTriangleFan = 6 };

}  // namespace

GraphicsRecorder::GraphicsRecorder(uint32_t colour, int32_t texture) : colour_(colour), texture_(texture) {}

GraphicsRecorder::~GraphicsRecorder() { ReleaseBuffers(); }

void GraphicsRecorder::ReleaseBuffers() {
  for (List& list : lists_) {
    Graphics::ReleaseVertexBuffer(list.buffer);
    list.buffer = 0;
  }
}

// A recording past 2^31 bytes takes nothing more, and says so once.
bool GraphicsRecorder::Room(int64_t n) {
  int64_t total = n;
  for (const List& list : lists_) total += static_cast<int64_t>(list.vertices.size());
  if (total * static_cast<int64_t>(sizeof(NormalTexVertex)) <= kMaxRecordingBytes) return true;
  if (!full_) g_debugConsole->Output("A recorded model is full: further primitives are left out\n");
  full_ = true;
  return false;
}

void GraphicsRecorder::AddPrimitive(int32_t primitiveType, int32_t count, const NormalTexVertex* v) {
  if (v == nullptr || count <= 0) return;
  ReleaseBuffers();
  switch (primitiveType) {
    case kLineList:
      if (!Room(count & ~1)) return;
      for (int32_t i = 0; i + 1 < count; i += 2) Append(lists_[1], v[i]), Append(lists_[1], v[i + 1]);
      return;
    case kLineStrip:
      if (count < 2 || !Room(2 * int64_t{count} - 2)) return;
      for (int32_t i = 0; i + 1 < count; ++i) Append(lists_[1], v[i]), Append(lists_[1], v[i + 1]);
      return;
    case kTriangleList:
      if (!Room(count - count % 3)) return;
      for (int32_t i = 0; i + 2 < count; i += 3) {
        for (int32_t k = 0; k < 3; ++k) Append(lists_[0], v[i + k]);
      }
      return;
    case kTriangleStrip:
    case kTriangleFan:
      if (count < 3 || !Room(3 * (int64_t{count} - 2))) return;
      for (int32_t k = 0; k + 2 < count; ++k) {
        const bool fan = primitiveType == kTriangleFan;
        const bool odd = (k & 1) != 0;
        Append(lists_[0], fan ? v[0] : odd ? v[k + 2] : v[k]);
        Append(lists_[0], v[k + 1]);
        Append(lists_[0], fan ? v[k + 2] : odd ? v[k] : v[k + 2]);
      }
      return;
    default:
      if (!Room(count)) return;
      for (int32_t i = 0; i < count; ++i) Append(lists_[2], v[i]);
  }
}

void GraphicsRecorder::SetColor(uint32_t colour) {
  if ((colour_ & 1u) != 0) return;
  const uint32_t next = colour & ~1u;
  for (List& list : lists_) {
    for (NormalTexVertex& v : list.vertices) {
      if (v.colour == colour_) v.colour = next;
    }
  }
  ReleaseBuffers();
  colour_ = next;
}

// A list whose buffer cannot be made draws nothing now and tries again next time.
void GraphicsRecorder::DrawList(List& list, uint32_t primitiveType, int32_t perPrimitive) {
  if (list.vertices.empty()) return;
  if (list.buffer == 0) {
    list.vertices.shrink_to_fit();
    list.buffer = Graphics::CreateVertexBuffer(list.vertices.data(), static_cast<int32_t>(list.vertices.size()));
    if (list.buffer == 0) return;
  }
  IGraphicsDevice* device = Graphics::GetDevice();
  device->SetStreamSource(0, list.buffer, 0, sizeof(NormalTexVertex));
  device->SetFVF(kNormalTexFormat);
  device->DrawPrimitive(primitiveType, 0, static_cast<uint32_t>(list.vertices.size()) / perPrimitive);
}

void GraphicsRecorder::Draw(float x, float y, float z) {
  if (Graphics::GetDevice() == nullptr) return;
  Graphics::FlushBatch();
  Matrix saved;
  Graphics::GetTransform(2, saved);
  const Matrix move{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}};
  Matrix world;
  Matrix_Multiply(world, move, saved);
  Graphics::SetTransform(2, world);
  const bool repeat = g_drawState.textureRepeat != 0;
  GR_Texture_Set_Repeat(true);
  // The texture is looked up now: one freed since the recording draws nothing on it.
  Graphics::SetTexture(0, GR_Texture_Exists(texture_) ? GR_Texture_Get_Device_Texture(texture_) : nullptr);
  DrawList(lists_[0], kTriangleList, 3);
  DrawList(lists_[1], kLineList, 2);
  DrawList(lists_[2], kPoints, 1);
  Graphics::SetVertexFormatCache(0);
  GR_Texture_Set_Repeat(repeat);
  Graphics::RestoreTransform(2, saved);
}
