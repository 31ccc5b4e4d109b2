// The one graphics device and the system object that makes it. The calls are
// shaped like the classic fixed-function device the graphics code was written
// for (results are D3D_OK or a negative error code, objects are numbered
// handles with reference counts), so that the graphics layer reads the same
// whichever implementation runs: OpenGL on a window or a surfaceless context,
// or a fake that records every call for tests.
#pragma once
#include <cstdint>
#include "platform/d3d_constants.h"

using GfxResult = int32_t;
// A texture, surface or vertex buffer; 0 is none. Creating or getting an
// object hands back one reference, Release gives one back.
using GfxObject = uint32_t;

struct GfxRect {
  int32_t left, top, right, bottom;
};
struct GfxLockedRect {
  int32_t pitch;
  void* bits;
};
struct GfxViewport {
  uint32_t x, y, width, height;
  float minZ, maxZ;
};
struct GfxDisplayMode {
  uint32_t width, height, refreshRate, format;
};
// A desktop mode as the display settings report it.
struct GfxDesktopMode {
  int32_t x, y, width, height, bitsPerPixel, frequency;
};
struct GfxAdapterIdentifier {
  char driver[512];
  char description[512];
  char deviceName[32];
};
struct GfxCaps {
  uint32_t deviceType;
  uint32_t rasterCaps;
  uint32_t maxTextureWidth, maxTextureHeight;
};
struct GfxPresentParameters {
  uint32_t backBufferWidth, backBufferHeight, backBufferFormat, backBufferCount;
  uint32_t multiSampleType, multiSampleQuality, swapEffect;
  void* deviceWindow;
  int32_t windowed, enableAutoDepthStencil;
  uint32_t autoDepthStencilFormat, flags, fullScreenRefreshRate, presentationInterval;
};
struct GfxColourValue {
  float r, g, b, a;
};
struct GfxMaterial {
  GfxColourValue diffuse, ambient, specular, emissive;
  float power;
};
struct GfxLight {
  uint32_t type;
  GfxColourValue diffuse, specular, ambient;
  float position[3], direction[3];
  float range, falloff, attenuation0, attenuation1, attenuation2, theta, phi;
};

class IGraphicsDevice {
 public:
  virtual ~IGraphicsDevice() = default;

  // Device and frame. There is no device loss: the level test always passes.
  virtual GfxResult TestCooperativeLevel() = 0;
  virtual GfxResult Reset(GfxPresentParameters& params) = 0;
  virtual GfxResult BeginScene() = 0;
  virtual GfxResult EndScene() = 0;
  virtual GfxResult Present() = 0;
  virtual GfxResult GetDeviceCaps(GfxCaps* caps) = 0;
  virtual GfxResult GetDisplayMode(uint32_t swapChain, GfxDisplayMode* mode) = 0;

  // Objects.
  virtual GfxResult CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, uint32_t format,
                                  uint32_t pool, GfxObject* texture) = 0;
  virtual GfxResult CreateRenderTarget(uint32_t width, uint32_t height, uint32_t format, uint32_t multiSample,
                                       uint32_t quality, bool lockable, GfxObject* surface) = 0;
  virtual GfxResult CreateDepthStencilSurface(uint32_t width, uint32_t height, uint32_t format, uint32_t multiSample,
                                              uint32_t quality, bool discard, GfxObject* surface) = 0;
  virtual GfxResult GetSurfaceLevel(GfxObject texture, uint32_t level, GfxObject* surface) = 0;
  // Textures of the system-memory pool, lockable render targets and managed
  // textures can be locked; rows are top first, 0xAARRGGBB (or 16-bit
  // 0xARGB for A4R4G4B4).
  virtual GfxResult LockRect(GfxObject object, uint32_t level, GfxLockedRect* locked, uint32_t flags) = 0;
  virtual GfxResult UnlockRect(GfxObject object, uint32_t level) = 0;
  virtual GfxResult AddDirtyRect(GfxObject texture) = 0;
  virtual GfxResult UpdateTexture(GfxObject source, GfxObject destination) = 0;
  virtual GfxResult StretchRect(GfxObject source, const GfxRect* sourceRect, GfxObject destination,
                                const GfxRect* destinationRect, uint32_t filter) = 0;
  virtual uint32_t AddRef(GfxObject object) = 0;
  virtual uint32_t Release(GfxObject object) = 0;
  virtual void PreLoad(GfxObject texture) = 0;
  virtual uint32_t SetPriority(GfxObject texture, uint32_t priority) = 0;

  // Targets. Changing the colour target resets the viewport to its size.
  virtual GfxResult GetRenderTarget(uint32_t index, GfxObject* surface) = 0;
  virtual GfxResult SetRenderTarget(uint32_t index, GfxObject surface) = 0;
  virtual GfxResult GetDepthStencilSurface(GfxObject* surface) = 0;
  virtual GfxResult SetDepthStencilSurface(GfxObject surface) = 0;

  // State.
  virtual GfxResult SetViewport(const GfxViewport& viewport) = 0;
  virtual GfxResult GetViewport(GfxViewport* viewport) = 0;
  virtual GfxResult SetRenderState(uint32_t state, uint32_t value) = 0;
  virtual GfxResult GetRenderState(uint32_t state, uint32_t* value) = 0;
  virtual GfxResult SetSamplerState(uint32_t sampler, uint32_t type, uint32_t value) = 0;
  virtual GfxResult SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) = 0;
  // Matrices are 16 floats, row-major, row vectors.
  virtual GfxResult SetTransform(uint32_t which, const float* matrix) = 0;
  virtual GfxResult GetTransform(uint32_t which, float* matrix) = 0;
  virtual GfxResult SetTexture(uint32_t stage, GfxObject texture) = 0;
  virtual GfxResult SetFVF(uint32_t fvf) = 0;
  virtual GfxResult SetMaterial(const GfxMaterial& material) = 0;
  virtual GfxResult SetLight(uint32_t index, const GfxLight& light) = 0;
  virtual GfxResult LightEnable(uint32_t index, bool enable) = 0;
  // Clears the viewport's area of the current targets.
  virtual GfxResult Clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) = 0;

  // Drawing, with the current vertex format.
  virtual GfxResult DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const void* vertices, uint32_t stride) = 0;
  virtual GfxResult CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, uint32_t pool,
                                       GfxObject* buffer) = 0;
  virtual GfxResult LockVertexBuffer(GfxObject buffer, uint32_t offset, uint32_t size, void** data, uint32_t flags) = 0;
  virtual GfxResult UnlockVertexBuffer(GfxObject buffer) = 0;
  virtual GfxResult SetStreamSource(uint32_t stream, GfxObject buffer, uint32_t offset, uint32_t stride) = 0;
  virtual GfxResult DrawPrimitive(uint32_t type, uint32_t startVertex, uint32_t primitiveCount) = 0;

  // Changes whenever pixels of some surface may have changed: a draw, clear,
  // copy, unlock, reset, or an object made or freed. A device that does not
  // follow its writes answers a new number on every call, so that nothing
  // read back from it is ever taken as still current.
  virtual uint64_t PixelVersion() { return ++m_pixelVersion; }

 protected:
  uint64_t m_pixelVersion = 0;
};

// The window the device draws into, owned by the window layer; null headless.
struct DeviceWindow;

class IGraphicsSystem {
 public:
  virtual ~IGraphicsSystem() = default;
  virtual uint32_t GetAdapterCount() = 0;
  virtual GfxResult GetDeviceCaps(uint32_t adapter, uint32_t deviceType, GfxCaps* caps) = 0;
  virtual GfxResult GetAdapterIdentifier(uint32_t adapter, GfxAdapterIdentifier* identifier) = 0;
  virtual GfxResult GetAdapterDisplayMode(uint32_t adapter, GfxDisplayMode* mode) = 0;
  // The desktop mode, and the listed modes one by one (false past the end).
  virtual bool GetDesktopMode(uint32_t adapter, GfxDesktopMode* mode) = 0;
  virtual bool EnumDisplayMode(uint32_t adapter, uint32_t index, GfxDesktopMode* mode) = 0;
  virtual GfxResult CheckDeviceMultiSampleType(uint32_t adapter, uint32_t deviceType, uint32_t format, bool windowed,
                                               uint32_t multiSample, uint32_t* quality) = 0;
  virtual GfxResult CreateDevice(uint32_t adapter, uint32_t deviceType, DeviceWindow* window, uint32_t behaviour,
                                 GfxPresentParameters& params, IGraphicsDevice** device) = 0;
};

// The system object: OpenGL (surfaceless EGL when headless, else the
// window's context), unless a test chose a fake (platform/backends.h).
using GraphicsSystemFactory = IGraphicsSystem* (*)();
IGraphicsSystem* GraphicsSystem_Create();

// Bytes per vertex for a vertex format; 0 for formats this layer cannot draw.
uint32_t Gfx_VertexSize(uint32_t fvf);
// Vertices a primitive count of a type uses; 0 for an unknown type.
uint32_t Gfx_VertexCount(uint32_t type, uint32_t primitiveCount);
