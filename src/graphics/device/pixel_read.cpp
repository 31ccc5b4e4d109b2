// Reading pixels back, copying between targets, and the device services
// around them.
#include <cstring>

#include "graphics/device/batcher.h"
#include "graphics/device/device_state.h"
#include "graphics/device/profiler_services.h"
#include "graphics/device/render_states.h"
#include "runtime/memory.h"

namespace {

struct TexVertexData {
  float x, y, z;
  uint32_t colour;
  float u, v;
};
static_assert(sizeof(TexVertexData) == 24);

// The read-back target for w x h pixels: the one kept from the last read
// when the size matches, else a new one that replaces it.
GfxObject ReadBackTarget(DeviceState& s, int32_t w, int32_t h) {
  if (s.readBack != 0 && s.readBackWidth == w && s.readBackHeight == h) return s.readBack;
  DeviceState_DropReadBack(s);
  GfxObject target = 0;
  if (s.device->CreateRenderTarget(static_cast<uint32_t>(w), static_cast<uint32_t>(h), D3DFMT_A8R8G8B8, 0, 0, true,
                                   &target) != D3D_OK) {
    return 0;
  }
  s.readBack = target;
  s.readBackWidth = w;
  s.readBackHeight = h;
  return target;
}

// Copies (x, y, w, h) of a render surface into a block of `blockWidth` x
// `blockHeight` pixels: `into` when given, else a new one in which what the
// rectangle does not cover stays zero.
uint32_t* ReadSurface(GfxObject surface, int32_t x, int32_t y, int32_t w, int32_t h, int32_t blockWidth,
                      int32_t blockHeight, uint32_t* into = nullptr) {
  DeviceState& s = Device_State();
  IGraphicsDevice* device = s.device;
  GfxDisplayMode mode;
  if (device->GetDisplayMode(0, &mode) != D3D_OK) return nullptr;
  GfxObject target = ReadBackTarget(s, w, h);
  if (target == 0) return nullptr;
  GfxRect from{x, y, x + w, y + h};
  GfxRect to{0, 0, w, h};
  if (device->StretchRect(surface, &from, target, &to, D3DTEXF_LINEAR) != D3D_OK) return nullptr;
  auto* block = into != nullptr ? into
                                : static_cast<uint32_t*>(KV_ALLOC(
                                      static_cast<size_t>(blockWidth) * static_cast<size_t>(blockHeight) * 4, true));
  GfxLockedRect locked;
  if (block == nullptr || device->LockRect(target, 0, &locked, D3DLOCK_READONLY) != D3D_OK) {
    if (block != into) MemoryManager::Free(block);
    return nullptr;
  }
  for (int32_t row = 0; row < h; ++row) {
    std::memcpy(block + static_cast<size_t>(row) * static_cast<size_t>(blockWidth),
                static_cast<const uint8_t*>(locked.bits) + static_cast<size_t>(row) * static_cast<size_t>(locked.pitch),
                static_cast<size_t>(w) * 4);
  }
  device->UnlockRect(target, 0);
  return block;
}

void DropCopy(DeviceState& s) {
  MemoryManager::Free(s.copy);
  s.copy = nullptr;
  s.copySurface = 0;
}

bool CopyIsCurrent(const DeviceState& s, GfxObject surface, int32_t surfaceWidth, int32_t surfaceHeight,
                   uint64_t version) {
  return s.copy != nullptr && s.copySurface == surface && s.copyWidth == surfaceWidth &&
         s.copyHeight == surfaceHeight && s.copyVersion == version;
}

// As ReadSurface for a surface of surfaceWidth x surfaceHeight. A read
// that follows another with nothing drawn between them reads the whole
// surface once, and later reads copy from that until something is drawn:
// a script reading many pixels in a row waits for the device only once.
uint32_t* ReadSurfaceShared(GfxObject surface, int32_t surfaceWidth, int32_t surfaceHeight, int32_t x, int32_t y,
                            int32_t w, int32_t h, int32_t blockWidth, int32_t blockHeight) {
  DeviceState& s = Device_State();
  uint64_t version = s.device->PixelVersion();
  if (!CopyIsCurrent(s, surface, surfaceWidth, surfaceHeight, version) && version == s.lastReadVersion) {
    if (s.copy == nullptr || s.copyWidth != surfaceWidth || s.copyHeight != surfaceHeight) DropCopy(s);
    uint32_t* copy = ReadSurface(surface, 0, 0, surfaceWidth, surfaceHeight, surfaceWidth, surfaceHeight, s.copy);
    if (copy == nullptr) DropCopy(s);
    s.copy = copy;
    s.copySurface = surface;
    s.copyWidth = surfaceWidth;
    s.copyHeight = surfaceHeight;
    s.copyVersion = version = s.device->PixelVersion();
  }
  uint32_t* block = nullptr;
  if (CopyIsCurrent(s, surface, surfaceWidth, surfaceHeight, version)) {
    block =
        static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(blockWidth) * static_cast<size_t>(blockHeight) * 4, true));
    for (int32_t row = 0; block != nullptr && row < h; ++row) {
      std::memcpy(block + static_cast<size_t>(row) * static_cast<size_t>(blockWidth),
                  s.copy + static_cast<size_t>(y + row) * static_cast<size_t>(surfaceWidth) + x,
                  static_cast<size_t>(w) * 4);
    }
  } else {
    block = ReadSurface(surface, x, y, w, h, blockWidth, blockHeight);
  }
  s.lastReadVersion = s.device->PixelVersion();
  return block;
}

}  // namespace

void DeviceState_DropReadBack(DeviceState& s) {
  if (s.readBack != 0 && s.device != nullptr) s.device->Release(s.readBack);
  s.readBack = 0;
  s.readBackWidth = s.readBackHeight = 0;
  DropCopy(s);
}

namespace Graphics {

// A negative corner moves to 0 without shrinking the rectangle, so the read
// shifts rather than clips; the bound then cuts the far sides.
uint32_t* ReadScreenPixels(int32_t boundWidth, int32_t boundHeight, int32_t x, int32_t y, int32_t w, int32_t h) {
  DeviceState& s = Device_State();
  if (s.device == nullptr || s.screenTexture == nullptr) return nullptr;
  FlushBatch();
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (static_cast<int64_t>(x) + w > boundWidth) w = boundWidth - x;
  if (static_cast<int64_t>(y) + h > boundHeight) h = boundHeight - y;
  const int32_t tw = DeviceTexture_Width(s.screenTexture), th = DeviceTexture_Height(s.screenTexture);
  if (w < 1 || h < 1 || static_cast<int64_t>(x) + w > tw || static_cast<int64_t>(y) + h > th) return nullptr;
  return ReadSurfaceShared(s.screenTexture->renderSurface, tw, th, x, y, w, h, w, h);
}

// Always w x h pixels; the part past the texture reads as zero.
uint32_t* ReadTexturePixels(DeviceTexture* t, int32_t x, int32_t y, int32_t w, int32_t h) {
  DeviceState& s = Device_State();
  if (s.device == nullptr || t == nullptr || t->renderSurface == 0 || w <= 0 || h <= 0) return nullptr;
  if (static_cast<int64_t>(w) * h > (int64_t{1} << 28)) return nullptr;
  FlushBatch();
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  const int32_t tw = DeviceTexture_Width(t), th = DeviceTexture_Height(t);
  const int32_t cw = static_cast<int64_t>(x) + w > tw ? tw - x : w;
  const int32_t ch = static_cast<int64_t>(y) + h > th ? th - y : h;
  if (cw < 1 || ch < 1)
    return static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, true));
  return ReadSurfaceShared(t->renderSurface, tw, th, x, y, cw, ch, w, h);
}

// The destination is marked so that its next use as a texture shows the copy.
void CopyTextureRect(DeviceTexture* destination, int32_t dx, int32_t dy, DeviceTexture* source, int32_t sx, int32_t sy,
                     int32_t w, int32_t h) {
  IGraphicsDevice* device = Device_State().device;
  if (device == nullptr || destination == nullptr || source == nullptr || w <= 0 || h <= 0 || dx < 0 || dy < 0) return;
  FlushBatch();
  if (sx < 0) sx = 0;
  if (sy < 0) sy = 0;
  const int32_t dw = DeviceTexture_Width(destination) - dx, dh = DeviceTexture_Height(destination) - dy;
  const int32_t sw = DeviceTexture_Width(source) - sx, sh = DeviceTexture_Height(source) - sy;
  if (w > dw) w = dw;
  if (w > sw) w = sw;
  if (h > dh) h = dh;
  if (h > sh) h = sh;
  if (w < 1 || h < 1) return;
  GfxRect from{sx, sy, sx + w, sy + h};
  GfxRect to{dx, dy, dx + w, dy + h};
  if (device->StretchRect(source->renderSurface, &from, destination->renderSurface, &to, D3DTEXF_LINEAR) == D3D_OK &&
      destination->depthSurface != 0) {
    destination->flags |= kTextureRenderNewer;
  }
}

void DrawTexturedRect(DeviceTexture* t, float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
                      uint32_t colour) {
  IGraphicsDevice* device = Device_State().device;
  if (device == nullptr) return;
  const TexVertexData quad[4] = {{x0, y0, 0, colour, u0, v0},
                                 {x1, y0, 0, colour, u1, v0},
                                 {x1, y1, 0, colour, u1, v1},
                                 {x0, y1, 0, colour, u0, v1}};
  device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
  SetVertexFormatCache(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
  SetTexture(0, t);
  device->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, quad, sizeof(TexVertexData));
}

int32_t GetFogSupport() {
  const DeviceState& s = Device_State();
  if (s.device == nullptr) return 0;
  if ((s.caps.rasterCaps & D3DPRASTERCAPS_FOGTABLE) != 0) return 1;
  if ((s.caps.rasterCaps & D3DPRASTERCAPS_FOGVERTEX) != 0) return 2;
  return 0;
}

void InitFrameClock() {
  Device_State().sceneDepth = 0;
  ProfilerServices_Get().init();
}

void Release() {
  DeviceState& s = Device_State();
  PopAllRenderTargets();
  DeviceState_DropReadBack(s);
  delete s.device;
  s.device = nullptr;
  delete s.system;
  s.system = nullptr;
  s.sceneDepth = 0;
}

}  // namespace Graphics
