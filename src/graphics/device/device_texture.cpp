// Device textures, their uploads and bindings, and the render-target stack.
#include <cstring>

#include "graphics/bitmap/image_decode.h"
#include "graphics/device/batcher.h"
#include "graphics/device/device_state.h"
#include "graphics/device/render_states.h"
#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

constexpr int kStackSize = 8;
constexpr int32_t kMaxTargetSide = 8192;

DeviceTexture* g_textures = nullptr;
GfxObject g_stackColour[kStackSize];
GfxObject g_stackDepth[kStackSize];
// Whether each saved target, and the bound one, is a texture other than the
// screen's.
bool g_stackOffScreen[kStackSize];
bool g_offScreen = false;
int g_stackDepthCount = 0;

int32_t PowerOfTwoSide(int32_t side) {
  int32_t size = 64;
  while (size < side && size < 4096) size *= 2;
  return size;
}

uint32_t MapFormat(uint32_t code) {
  static const uint32_t table[] = {D3DFMT_FROM_FILE, D3DFMT_DXT1, D3DFMT_DXT2,     D3DFMT_DXT3,
                                   D3DFMT_DXT4,      D3DFMT_DXT5, D3DFMT_A8R8G8B8, D3DFMT_D32,
                                   D3DFMT_D24S8,     D3DFMT_R16F, D3DFMT_R32F,     D3DFMT_A4R4G4B4};
  return code < sizeof table / sizeof table[0] ? table[code] : code;
}

uint32_t PackSize(int32_t width, int32_t height, int32_t levels) {
  const uint32_t l = levels < 1 ? 0 : static_cast<uint32_t>(levels - 1) & 0x3F;
  return (static_cast<uint32_t>(width - 1) & 0x1FFF) | ((static_cast<uint32_t>(height - 1) & 0x1FFF) << 13) | (l << 26);
}

DeviceTexture* NewRecord(uint32_t formatCode, int32_t width, int32_t height, int32_t levels) {
  auto* t = static_cast<DeviceTexture*>(KV_ALLOC(sizeof(DeviceTexture), true));
  t->formatCode = formatCode;
  t->packedSize = PackSize(width, height, levels);
  t->next = g_textures;
  g_textures = t;
  return t;
}

uint8_t* PixelBuffer(DeviceTexture* t) {
  if (t->pixels != nullptr) return t->pixels;
  const size_t bytes = static_cast<size_t>(DeviceTexture_Width(t)) * DeviceTexture_Height(t) * 4 + 16;
  t->pixelBlock = static_cast<uint8_t*>(KV_ALLOC(bytes, true));
  if (t->pixelBlock == nullptr) return nullptr;
  const uintptr_t address = (reinterpret_cast<uintptr_t>(t->pixelBlock) + 15) & ~static_cast<uintptr_t>(15);
  t->pixels = reinterpret_cast<uint8_t*>(address);
  return t->pixels;
}

// A "RAW " block: 16 bytes of header, then the pixels.
DeviceTexture* TextureFromRaw(const uint8_t* data, uint32_t bound, ImageInfo* info) {
  if (bound < 16) {
    g_debugConsole->Output("RAW image: header cut short\n");
    return nullptr;
  }
  int32_t width, height;
  uint32_t format;
  std::memcpy(&width, data + 4, 4);
  std::memcpy(&height, data + 8, 4);
  std::memcpy(&format, data + 12, 4);
  if (format > 1) {
    g_debugConsole->Output("RAW image: unknown pixel format %u\n", format);
    return nullptr;
  }
  const uint64_t bpp = format == 0 ? 4 : 2;
  if (width < 1 || height < 1 || width > 16384 || height > 16384 ||
      16 + static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * bpp > bound) {
    g_debugConsole->Output("RAW image: size %d x %d does not fit its %u bytes\n", width, height, bound);
    return nullptr;
  }
  const uint32_t code = format == 0 ? 6 : 11;
  *info = ImageInfo{
      static_cast<uint32_t>(width), static_cast<uint32_t>(height), format == 0 ? 32u : 16u, 0, code, 0xFFFFFFFFu, code};
  // The pixels are turned into the device's order on a copy: the caller's
  // bytes stay as they were, so a second load reads the same image.
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  auto* converted = static_cast<uint8_t*>(KV_ALLOC(count * bpp, false));
  if (converted == nullptr) return nullptr;
  Image_ConvertRaw(data + 16, converted, count, format);
  DeviceTexture* texture = Graphics::CreateTexture(width, height, 0, false, code);
  if (texture != nullptr) Graphics::UploadTexture(texture, 0, width, height, converted);
  MemoryManager::Free(converted);
  return texture;
}

}  // namespace

namespace Graphics {

DeviceTexture* TextureList() { return g_textures; }

DeviceTexture* CreateTexture(int32_t width, int32_t height, int32_t levels, bool renderTarget, uint32_t formatCode) {
  DeviceState& s = Device_State();
  if (s.device == nullptr || width <= 0 || height <= 0) return nullptr;
  if (renderTarget && (width > kMaxTargetSide || height > kMaxTargetSide)) {
    // Larger than the device takes: refused as the device refuses it.
    g_debugConsole->Output("CreateTexture failed - %08x\n", static_cast<unsigned>(D3DERR_INVALIDCALL));
    return nullptr;
  }
  if (!renderTarget) {
    width = PowerOfTwoSide(width);
    height = PowerOfTwoSide(height);
  }
  const uint32_t format = MapFormat(formatCode);
  const auto w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
  GfxObject texture = 0, surface = 0, depth = 0;
  GfxResult result;
  if (renderTarget) {
    result = s.device->CreateTexture(w, h, 1, D3DUSAGE_RENDERTARGET, format, D3DPOOL_DEFAULT, &texture);
    // Only a multisampled target needs a surface of its own, resolved into
    // the texture when the texture is used.
    if (result == D3D_OK && s.multisampleType != 0) {
      result = s.device->CreateRenderTarget(w, h, format, s.multisampleType, 0, false, &surface);
    }
    if (result == D3D_OK) {
      result = s.device->CreateDepthStencilSurface(w, h, s.present.autoDepthStencilFormat, s.multisampleType, 0, true,
                                                   &depth);
    }
  } else {
    result = s.device->CreateTexture(w, h, 1, 0, format, s.texturePool, &texture);
  }
  if (result != D3D_OK) {
    g_debugConsole->Output("CreateTexture failed - %08x\n", static_cast<unsigned>(result));
    if (depth != 0) s.device->Release(depth);
    if (surface != 0) s.device->Release(surface);
    if (texture != 0) s.device->Release(texture);
    return nullptr;
  }
  DeviceTexture* t = NewRecord(formatCode, width, height, levels);
  t->texture = texture;
  t->renderSurface = surface;
  t->depthSurface = depth;
  if (t->renderSurface == 0) {
    s.device->GetSurfaceLevel(texture, 0, &t->renderSurface);
    if (renderTarget) t->flags |= kTextureDrawnDirectly;
  }
  if (renderTarget) {
    // A new target starts transparent black.
    PushRenderTarget();
    SetRenderTargetTexture(0, t);
    s.device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0, 1.0f, 0);
    PopRenderTarget();
  }
  return t;
}

DeviceTexture* CreateTextureFromPixels(const uint32_t* pixels, int32_t width, int32_t height, ImageInfo* info) {
  if (pixels == nullptr) return nullptr;
  DeviceTexture* t = CreateTexture(width, height, 1, false, 6);
  if (t == nullptr) return nullptr;
  UploadTexture(t, 0, width, height, pixels);
  if (info != nullptr) {
    *info = ImageInfo{static_cast<uint32_t>(DeviceTexture_Width(t)),
                      static_cast<uint32_t>(DeviceTexture_Height(t)),
                      32,
                      0,
                      6,
                      0xFFFFFFFFu,
                      6};
  }
  return t;
}

// Image files keep their exact size and one level; an image that cannot be
// decoded still gets its record, which draws untextured.
DeviceTexture* CreateTextureFromImage(const uint8_t* data, uint32_t bound, ImageInfo* info, uint32_t formatCode) {
  DeviceState& s = Device_State();
  ImageInfo scratch{};
  if (info == nullptr) info = &scratch;
  *info = ImageInfo{};
  if (s.device == nullptr || data == nullptr || bound < 4) return nullptr;
  if (std::memcmp(data, "RAW ", 4) == 0) return TextureFromRaw(data, bound, info);
  DecodedImage image = Image_Decode(data, bound, formatCode);
  const int32_t width = image.width > 0 ? image.width : 1;
  const int32_t height = image.height > 0 ? image.height : 1;
  *info = ImageInfo{
      static_cast<uint32_t>(image.width), static_cast<uint32_t>(image.height), 32, 1, formatCode, 3, image.fileFormat};
  DeviceTexture* t = NewRecord(formatCode, width, height, 1);
  if (image.pixels != nullptr) {
    const auto w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    if (s.device->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, s.texturePool, &t->texture) == D3D_OK) {
      s.device->GetSurfaceLevel(t->texture, 0, &t->renderSurface);
      t->formatCode = 6;
      UploadTexture(t, 0, width, height, image.pixels);
      t->formatCode = formatCode;
    }
    MemoryManager::Free(image.pixels);
  }
  return t;
}

bool UploadTexture(DeviceTexture* t, int32_t level, int32_t width, int32_t height, const void* pixels) {
  DeviceState& s = Device_State();
  if (s.device == nullptr || t == nullptr || t->texture == 0 || pixels == nullptr || level != 0) return false;
  const int32_t tw = DeviceTexture_Width(t), th = DeviceTexture_Height(t);
  if (width <= 0 || height <= 0) return false;
  const bool sixteen = t->formatCode == 11;
  const size_t bpp = sixteen ? 2 : 4;
  uint8_t* buffer = PixelBuffer(t);
  if (buffer == nullptr) return false;
  // Rows go in at the texture's stride for both pixel sizes; whatever lies
  // outside the texture is cut off.
  const size_t rowBytes = static_cast<size_t>(width < tw ? width : tw) * bpp;
  const int32_t rows = height < th ? height : th;
  for (int32_t y = 0; y < rows; ++y) {
    std::memcpy(buffer + static_cast<size_t>(y) * tw * bpp,
                static_cast<const uint8_t*>(pixels) + static_cast<size_t>(y) * width * bpp, rowBytes);
  }
  GfxObject staging = 0;
  const uint32_t stagingFormat = sixteen ? D3DFMT_A4R4G4B4 : D3DFMT_A8R8G8B8;
  if (s.device->CreateTexture(static_cast<uint32_t>(tw), static_cast<uint32_t>(th), 1, 0, stagingFormat,
                              D3DPOOL_SYSTEMMEM, &staging) != D3D_OK) {
    g_debugConsole->Output("Failed CreateTexture on SystemMem");
    return false;
  }
  GfxLockedRect locked;
  if (s.device->LockRect(staging, 0, &locked, 0) != D3D_OK) {
    s.device->Release(staging);
    return false;
  }
  for (int32_t y = 0; y < th; ++y) {
    std::memcpy(static_cast<uint8_t*>(locked.bits) + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch),
                buffer + static_cast<size_t>(y) * tw * bpp, static_cast<size_t>(tw) * bpp);
  }
  if (s.device->UnlockRect(staging, 0) != D3D_OK) {
    s.device->Release(staging);
    return false;
  }
  s.device->AddDirtyRect(t->texture);
  s.device->UpdateTexture(staging, t->texture);
  s.device->Release(staging);
  return true;
}

void FreeTexture(DeviceTexture* t) {
  if (t == nullptr) return;
  ForgetPendingTexture(t);
  IGraphicsDevice* device = Device_State().device;
  if (device != nullptr) {
    if (t->depthSurface != 0) device->Release(t->depthSurface);
    if (t->renderSurface != 0) device->Release(t->renderSurface);
    if (t->texture != 0) device->Release(t->texture);
  }
  MemoryManager::Free(t->pixelBlock);
  for (DeviceTexture** link = &g_textures; *link != nullptr; link = &(*link)->next) {
    if (*link == t) {
      *link = t->next;
      break;
    }
  }
  std::memset(t, 0, sizeof *t);
  MemoryManager::Free(t);
}

// The copy runs without touching the current target, so a texture bound in
// the middle of drawing keeps the viewport the drawing set.
bool ResolveRenderTexture(DeviceTexture* t) {
  IGraphicsDevice* device = Device_State().device;
  if (device == nullptr || t == nullptr || t->texture == 0) return false;
  t->flags &= ~kTextureRenderNewer;
  if ((t->flags & kTextureDrawnDirectly) != 0) return true;
  GfxObject level = 0;
  if (device->GetSurfaceLevel(t->texture, 0, &level) != D3D_OK) return false;
  GfxRect rect{0, 0, DeviceTexture_Width(t), DeviceTexture_Height(t)};
  GfxResult result = device->StretchRect(t->renderSurface, &rect, level, &rect, D3DTEXF_LINEAR);
  device->Release(level);
  return result == D3D_OK;
}

void SetTexture(int32_t stage, DeviceTexture* t) {
  IGraphicsDevice* device = Device_State().device;
  if (device == nullptr || stage < 0) return;
  if (t == nullptr) {
    device->SetTexture(static_cast<uint32_t>(stage), 0);
    return;
  }
  if ((t->flags & kTextureRenderNewer) != 0) ResolveRenderTexture(t);
  device->SetTexture(static_cast<uint32_t>(stage), t->texture);
}

// A ninth nested target is refused rather than written past the stack.
bool PushRenderTarget() {
  IGraphicsDevice* device = Device_State().device;
  if (device == nullptr || g_stackDepthCount >= kStackSize) return false;
  if (device->GetRenderTarget(0, &g_stackColour[g_stackDepthCount]) != D3D_OK) return false;
  g_stackOffScreen[g_stackDepthCount] = g_offScreen;
  ++g_stackDepthCount;
  return device->GetDepthStencilSurface(&g_stackDepth[g_stackDepthCount - 1]) == D3D_OK;
}

bool PopRenderTarget() {
  IGraphicsDevice* device = Device_State().device;
  if (device == nullptr || g_stackDepthCount == 0) return false;
  --g_stackDepthCount;
  const int i = g_stackDepthCount;
  const bool colourOk = device->SetRenderTarget(0, g_stackColour[i]) == D3D_OK;
  const bool depthOk = device->SetDepthStencilSurface(g_stackDepth[i]) == D3D_OK;
  if (colourOk) g_offScreen = g_stackOffScreen[i];
  if (!colourOk || !depthOk) return false;
  if (g_stackColour[i] != 0) device->Release(g_stackColour[i]);
  if (g_stackDepth[i] != 0) device->Release(g_stackDepth[i]);
  g_stackColour[i] = g_stackDepth[i] = 0;
  return true;
}

void PopAllRenderTargets() {
  while (g_stackDepthCount > 0) {
    if (!PopRenderTarget()) {
      // A pair that cannot be restored is still given back.
      IGraphicsDevice* device = Device_State().device;
      const int i = g_stackDepthCount;
      if (device != nullptr && g_stackColour[i] != 0) device->Release(g_stackColour[i]);
      if (device != nullptr && g_stackDepth[i] != 0) device->Release(g_stackDepth[i]);
      g_stackColour[i] = g_stackDepth[i] = 0;
      if (device == nullptr) g_stackDepthCount = 0;
    }
  }
}

int32_t RenderTargetDepth() { return g_stackDepthCount; }

bool TargetIsOffScreen() { return g_offScreen; }

bool SetRenderTargetTexture(int32_t, DeviceTexture* t) {
  IGraphicsDevice* device = Device_State().device;
  if (device == nullptr || t == nullptr || t->renderSurface == 0) return false;
  if (device->SetRenderTarget(0, t->renderSurface) == D3D_OK) g_offScreen = t != Device_State().screenTexture;
  const bool ok = device->SetDepthStencilSurface(t->depthSurface) == D3D_OK;
  t->flags |= kTextureRenderNewer;
  return ok;
}

void PreloadTexture(DeviceTexture* t) {
  IGraphicsDevice* device = Device_State().device;
  if (device != nullptr && t != nullptr && t->texture != 0) device->PreLoad(t->texture);
}

void SetTexturePriority(DeviceTexture* t, uint32_t priority) {
  IGraphicsDevice* device = Device_State().device;
  if (device != nullptr && t != nullptr && t->texture != 0) device->SetPriority(t->texture, priority);
}

}  // namespace Graphics
