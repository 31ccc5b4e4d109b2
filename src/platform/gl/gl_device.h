// The device over OpenGL 4.5 compatibility profile. Images are stored top
// row first: row 0 of every texture and framebuffer is the top of the
// picture, and only presenting flips. Vertices keep their own coordinate
// rules: a fix-up in clip space moves pixel centres onto the integer
// coordinates the graphics code draws on.
#pragma once
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gl/gl_context.h"
#include "platform/graphics_device.h"

enum class GlKind { kTexture, kSurface, kBuffer };

struct GlObject {
  GlKind kind = GlKind::kTexture;
  uint32_t refs = 1;
  uint32_t width = 0, height = 0, format = 0, pool = 0, usage = 0;
  GLuint texture = 0;       // colour storage: a texture's own, or a colour surface's
  GLuint renderbuffer = 0;  // depth-stencil storage
  GLuint buffer = 0;        // vertex buffer
  uint32_t bytes = 0;
  GfxObject parent = 0;  // a texture level's surface holds its texture
  bool lockable = false;
  bool locked = false;
  uint32_t lockFlags = 0;
  std::vector<uint8_t> shadow;  // system-memory pixels, or the copy a lock hands out
};

// The device's own program for lighting and fog (gl_lighting.cpp), made on
// first use in a smooth and a flat-shaded form; 0 when the driver refuses it.
class GlLightingProgram {
 public:
  GlLightingProgram() = default;
  ~GlLightingProgram();
  GlLightingProgram(const GlLightingProgram&) = delete;
  GlLightingProgram& operator=(const GlLightingProgram&) = delete;
  GLuint Get(bool flat);

 private:
  GLuint programs_[2] = {};
  bool failed_[2] = {};
};

class GlDevice : public IGraphicsDevice {
 public:
  GlDevice(std::unique_ptr<GlContext> context, const GfxPresentParameters& params);
  ~GlDevice() override;

  GfxResult TestCooperativeLevel() override { return D3D_OK; }
  GfxResult Reset(GfxPresentParameters& params) override;
  uint64_t PixelVersion() override { return m_pixelVersion; }
  GfxResult BeginScene() override { return D3D_OK; }
  GfxResult EndScene() override;
  GfxResult Present() override;
  // The last finished picture into the window's back buffer, without showing
  // it; false without a window.
  bool DrawLastPicture();
  GfxResult GetDeviceCaps(GfxCaps* caps) override;
  GfxResult GetDisplayMode(uint32_t swapChain, GfxDisplayMode* mode) override;

  GfxResult CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, uint32_t format,
                          uint32_t pool, GfxObject* texture) override;
  GfxResult CreateRenderTarget(uint32_t width, uint32_t height, uint32_t format, uint32_t multiSample, uint32_t quality,
                               bool lockable, GfxObject* surface) override;
  GfxResult CreateDepthStencilSurface(uint32_t width, uint32_t height, uint32_t format, uint32_t multiSample,
                                      uint32_t quality, bool discard, GfxObject* surface) override;
  GfxResult GetSurfaceLevel(GfxObject texture, uint32_t level, GfxObject* surface) override;
  GfxResult LockRect(GfxObject object, uint32_t level, GfxLockedRect* locked, uint32_t flags) override;
  GfxResult UnlockRect(GfxObject object, uint32_t level) override;
  GfxResult AddDirtyRect(GfxObject texture) override;
  GfxResult UpdateTexture(GfxObject source, GfxObject destination) override;
  GfxResult StretchRect(GfxObject source, const GfxRect* sourceRect, GfxObject destination,
                        const GfxRect* destinationRect, uint32_t filter) override;
  uint32_t AddRef(GfxObject object) override;
  uint32_t Release(GfxObject object) override;
  void PreLoad(GfxObject) override {}
  uint32_t SetPriority(GfxObject, uint32_t) override { return 0; }

  GfxResult GetRenderTarget(uint32_t index, GfxObject* surface) override;
  GfxResult SetRenderTarget(uint32_t index, GfxObject surface) override;
  GfxResult GetDepthStencilSurface(GfxObject* surface) override;
  GfxResult SetDepthStencilSurface(GfxObject surface) override;

  GfxResult SetViewport(const GfxViewport& viewport) override;
  GfxResult GetViewport(GfxViewport* viewport) override;
  GfxResult SetRenderState(uint32_t state, uint32_t value) override;
  GfxResult GetRenderState(uint32_t state, uint32_t* value) override;
  GfxResult SetSamplerState(uint32_t sampler, uint32_t type, uint32_t value) override;
  GfxResult SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) override;
  GfxResult SetTransform(uint32_t which, const float* matrix) override;
  GfxResult GetTransform(uint32_t which, float* matrix) override;
  GfxResult SetTexture(uint32_t stage, GfxObject texture) override;
  GfxResult SetFVF(uint32_t fvf) override;
  GfxResult SetMaterial(const GfxMaterial& material) override;
  GfxResult SetLight(uint32_t index, const GfxLight& light) override;
  GfxResult LightEnable(uint32_t index, bool enable) override;
  GfxResult Clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) override;

  GfxResult DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const void* vertices, uint32_t stride) override;
  GfxResult CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, uint32_t pool, GfxObject* buffer) override;
  GfxResult LockVertexBuffer(GfxObject buffer, uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
  GfxResult UnlockVertexBuffer(GfxObject buffer) override;
  GfxResult SetStreamSource(uint32_t stream, GfxObject buffer, uint32_t offset, uint32_t stride) override;
  GfxResult DrawPrimitive(uint32_t type, uint32_t startVertex, uint32_t primitiveCount) override;

  bool Ready() const { return ready_; }

 private:
  static constexpr int kStages = 8;
  static constexpr int kLights = 8;
  struct StageState {
    uint32_t colourOp, colourArg1, colourArg2, alphaOp, alphaArg1, alphaArg2;
  };

  GlObject* Find(GfxObject handle);
  GfxObject Add(GlObject object);
  void Destroy(GfxObject handle);
  GLuint NewColourTexture(uint32_t width, uint32_t height);
  bool MakeBackBuffer(uint32_t width, uint32_t height);
  void DropBackBuffer();
  void AttachTargets();
  // Where the driver ends a scene (a target changed, pixels read or written,
  // the frame's end): see platform/gl/gl_driver.cpp.
  void WaitForDriverThreads();
  void ApplyViewport();
  void ApplyBlend();
  void ApplyAlphaTest();
  void ApplyCull();
  void ApplyStage(uint32_t stage);
  void ApplyTransforms(uint32_t type);
  // Lighting or fog on: the device's own program, else fixed-function.
  void ApplyShadedPipeline();
  bool ReadColour(const GlObject& surface, uint8_t* pixels);
  GfxResult Draw(uint32_t type, uint32_t primitiveCount, const uint8_t* base, uint32_t stride, bool fromBuffer);

  std::unique_ptr<GlContext> context_;
  bool ready_ = false;
  bool waitForDriver_ = false;
  GLsync heldFence_ = nullptr;
  std::unordered_map<GfxObject, GlObject> objects_;
  GfxObject nextHandle_ = 1;
  GLuint drawFbo_ = 0, readFbo_ = 0, writeFbo_ = 0;
  GLuint sampler_[kStages] = {};
  GfxObject backColour_ = 0, backDepth_ = 0;
  GfxObject target_ = 0, depthTarget_ = 0;
  GfxObject stageTexture_[kStages] = {};
  GfxObject streamBuffer_ = 0;
  uint32_t streamOffset_ = 0, streamStride_ = 0;
  GfxViewport viewport_{0, 0, 1, 1, 0.0f, 1.0f};
  std::array<uint32_t, kRenderStateCount> states_{};
  StageState stages_[kStages] = {};
  uint32_t fvf_ = 0;
  float view_[16], projection_[16], world_[16];
  GfxMaterial material_{};
  GfxLight lights_[kLights] = {};
  bool lightOn_[kLights] = {};
  uint32_t presentInterval_ = 0;
  GlLightingProgram shaded_;
};
