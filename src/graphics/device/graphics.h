// The graphics device layer: the one device and its frames, device textures
// and the render-target stack, pixel reads and copies. Every entry point does
// nothing, or answers false or null, while there is no device.
#pragma once
#include <cstdint>

#include "platform/graphics_device.h"

struct DeviceWindow;

// A device texture; every live one is on one list, newest first.
struct DeviceTexture {
  uint32_t formatCode;
  uint32_t packedSize;  // width - 1 (bits 0-12), height - 1 (13-25), levels - 1 (26-31)
  uint32_t flags;       // bit 0: the render surface is newer than the texture
  GfxObject texture;
  GfxObject renderSurface;
  GfxObject depthSurface;
  uint8_t* pixelBlock;  // staging for uploads, made on first upload
  uint8_t* pixels;      // pixelBlock rounded up to 16 bytes
  DeviceTexture* next;
};
constexpr uint32_t kTextureRenderNewer = 1;
// The render surface is the texture's own level: nothing to copy across.
constexpr uint32_t kTextureDrawnDirectly = 2;

inline int32_t DeviceTexture_Width(const DeviceTexture* t) { return static_cast<int32_t>(t->packedSize & 0x1FFF) + 1; }
inline int32_t DeviceTexture_Height(const DeviceTexture* t) {
  return static_cast<int32_t>((t->packedSize >> 13) & 0x1FFF) + 1;
}

// What a decoded image turned out to be.
struct ImageInfo {
  uint32_t width, height, bitsPerPixel, mipLevels, formatCode, resourceType, fileFormat;
};

// One 12-byte display-mode entry.
struct DisplayModeEntry {
  int16_t width, height;
  uint8_t bitsPerPixel, frequency;
  int16_t modeIndex;
  uint32_t adapter;
};
static_assert(sizeof(DisplayModeEntry) == 12);

namespace Graphics {

constexpr uint32_t kCreateFullScreen = 1, kCreateVSync = 2, kCreateSoftware = 4, kCreateInterpolate = 8,
                   kCreateKeepAspect = 16;

// Device and frame.
bool CreateDevice(DeviceWindow* window, int32_t width, int32_t height, uint32_t flags);
bool Reset();
// What a frame's start does on finding the device lost. The display reset
// lives above the device (it frees the surfaces first), so the graphics
// start-up installs it; null does nothing.
using LostDeviceHandler = bool (*)();
void SetLostDeviceHandler(LostDeviceHandler handler);
void LeaveFullscreen();
void BeginScene();
void EndScene();
bool Present();
void DrawScreenToBackBuffer();
void FitBackBufferToClient(int32_t width, int32_t height);
void GetLetterboxOffset(int32_t* x, int32_t* y);
void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height);
void SetMultisample(int32_t level);
void Shutdown();
// The device, for the layers above; null when there is none.
IGraphicsDevice* GetDevice();
bool HasDevice();
int32_t SceneDepth();
DeviceTexture* ScreenTexture();
void GetBackBufferSize(int32_t* width, int32_t* height);
uint32_t TexturePool();
uint32_t MultisampleMask();
// The window layer asks for a client size for the next reset.
void RequestWindowSize(int32_t width, int32_t height);
void SetKeepAspect(bool on);

// Display modes.
void EnumerateAdapters();
DisplayModeEntry FindDisplayMode(int32_t width, int32_t height);
int32_t GetDisplayFrequency();
int32_t GetDisplayColorDepth();
bool TestDisplayMode(int32_t width, int32_t height, int32_t frequency, int32_t bitsPerPixel);
bool SetDisplayMode(int32_t width, int32_t height, int32_t frequency, int32_t bitsPerPixel);
bool SetDisplaySize(int32_t width, int32_t height);
bool SetDisplayFrequency(int32_t frequency);
bool SetDisplayColorDepth(int32_t bits);
int32_t GetScreenWidth();
int32_t GetScreenHeight();
int32_t GetCursorX();
int32_t GetCursorY();
void SetCursorPosition(int32_t x, int32_t y);

// Device textures.
DeviceTexture* CreateTexture(int32_t width, int32_t height, int32_t levels, bool renderTarget, uint32_t formatCode);
DeviceTexture* CreateTextureFromPixels(const uint32_t* pixels, int32_t width, int32_t height, ImageInfo* info);
// `bound` is the number of bytes readable at `data`.
DeviceTexture* CreateTextureFromImage(const uint8_t* data, uint32_t bound, ImageInfo* info, uint32_t formatCode);
bool UploadTexture(DeviceTexture* texture, int32_t level, int32_t width, int32_t height, const void* pixels);
void FreeTexture(DeviceTexture* texture);
void SetTexture(int32_t stage, DeviceTexture* texture);
bool ResolveRenderTexture(DeviceTexture* texture);
bool PushRenderTarget();
bool PopRenderTarget();
void PopAllRenderTargets();
int32_t RenderTargetDepth();
// True while the bound target is a render-target texture other than the
// screen's (a surface); false for the screen and the back buffer.
bool TargetIsOffScreen();
bool SetRenderTargetTexture(int32_t index, DeviceTexture* texture);
void PreloadTexture(DeviceTexture* texture);
void SetTexturePriority(DeviceTexture* texture, uint32_t priority);
DeviceTexture* TextureList();

// Pixel reads and device services. Read blocks come from MemoryManager.
uint32_t* ReadScreenPixels(int32_t boundWidth, int32_t boundHeight, int32_t x, int32_t y, int32_t w, int32_t h);
uint32_t* ReadTexturePixels(DeviceTexture* texture, int32_t x, int32_t y, int32_t w, int32_t h);
void CopyTextureRect(DeviceTexture* destination, int32_t dx, int32_t dy, DeviceTexture* source, int32_t sx, int32_t sy,
                     int32_t w, int32_t h);
void DrawTexturedRect(DeviceTexture* texture, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
                      float v1, uint32_t colour);
int32_t GetFogSupport();
void InitFrameClock();
void Release();

}  // namespace Graphics

// Screen-space drawing set-up around overlays, and its restore.
void GR_Overlay_Begin();
void GR_Overlay_End();
