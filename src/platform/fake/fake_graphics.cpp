#include "platform/fake/fake_graphics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

struct FakeObject {
  uint32_t refs = 1;
  uint32_t width = 0, height = 0, format = 0, pool = 0;
  bool lockable = false;
  GfxObject parent = 0;
  std::vector<uint8_t> pixels;
};

class FakeDevice : public IGraphicsDevice {
 public:
  explicit FakeDevice(const GfxPresentParameters& params) {
    back_ = Add(params.backBufferWidth, params.backBufferHeight, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, false);
    depth_ = Add(params.backBufferWidth, params.backBufferHeight, D3DFMT_D24S8, D3DPOOL_DEFAULT, false);
    target_ = back_;
    depthTarget_ = depth_;
  }
  ~FakeDevice() override { Log().liveObjects -= static_cast<uint32_t>(objects_.size()); }

  GfxResult TestCooperativeLevel() override { return Note("TestCooperativeLevel"); }
  GfxResult Reset(GfxPresentParameters& p) override {
    return Note("Reset", Format(" %ux%u windowed=%d ms=%u swap=%u", p.backBufferWidth, p.backBufferHeight, p.windowed,
                                p.multiSampleType, p.swapEffect));
  }
  GfxResult BeginScene() override { return Note("BeginScene"); }
  GfxResult EndScene() override { return Note("EndScene"); }
  GfxResult Present() override { return Note("Present"); }
  GfxResult GetDeviceCaps(GfxCaps* caps) override {
    *caps = GfxCaps{D3DDEVTYPE_HAL, Log().rasterCaps, 4096, 4096};
    return Note("GetDeviceCaps");
  }
  GfxResult GetDisplayMode(uint32_t, GfxDisplayMode* mode) override {
    *mode = GfxDisplayMode{1920, 1080, 60, D3DFMT_X8R8G8B8};
    return Note("GetDisplayMode");
  }
  GfxResult CreateTexture(uint32_t w, uint32_t h, uint32_t levels, uint32_t usage, uint32_t format, uint32_t pool,
                          GfxObject* out) override {
    *out = 0;
    GfxResult r =
        Note("CreateTexture", Format(" %ux%u levels=%u usage=%u format=%u pool=%u", w, h, levels, usage, format, pool));
    if (r == D3D_OK) *out = Add(w, h, format, pool, false);
    return r;
  }
  GfxResult CreateRenderTarget(uint32_t w, uint32_t h, uint32_t format, uint32_t ms, uint32_t, bool lockable,
                               GfxObject* out) override {
    *out = 0;
    GfxResult r = Note("CreateRenderTarget", Format(" %ux%u format=%u ms=%u lockable=%d", w, h, format, ms, lockable));
    if (r == D3D_OK) *out = Add(w, h, format, D3DPOOL_DEFAULT, lockable);
    return r;
  }
  GfxResult CreateDepthStencilSurface(uint32_t w, uint32_t h, uint32_t format, uint32_t ms, uint32_t, bool,
                                      GfxObject* out) override {
    *out = 0;
    GfxResult r = Note("CreateDepthStencilSurface", Format(" %ux%u format=%u ms=%u", w, h, format, ms));
    if (r == D3D_OK) *out = Add(w, h, format, D3DPOOL_DEFAULT, false);
    return r;
  }
  GfxResult GetSurfaceLevel(GfxObject texture, uint32_t level, GfxObject* out) override {
    *out = 0;
    FakeObject* owner = Find(texture);
    GfxResult r = Note("GetSurfaceLevel", Format(" %u %u", texture, level));
    if (r != D3D_OK || owner == nullptr) return r != D3D_OK ? r : D3DERR_INVALIDCALL;
    ++owner->refs;
    *out = Add(owner->width, owner->height, owner->format, owner->pool, false);
    Find(*out)->parent = texture;
    return D3D_OK;
  }
  GfxResult LockRect(GfxObject object, uint32_t level, GfxLockedRect* locked, uint32_t flags) override {
    locked->bits = nullptr;
    locked->pitch = 0;
    FakeObject* o = Find(object);
    GfxResult r = Note("LockRect", Format(" %u %u flags=%u", object, level, flags));
    if (r != D3D_OK || o == nullptr) return r != D3D_OK ? r : D3DERR_INVALIDCALL;
    uint32_t bpp = o->format == D3DFMT_A4R4G4B4 ? 2 : 4;
    o->pixels.resize(static_cast<size_t>(o->width) * o->height * bpp);
    locked->bits = o->pixels.data();
    locked->pitch = static_cast<int32_t>(o->width * bpp);
    return D3D_OK;
  }
  GfxResult UnlockRect(GfxObject object, uint32_t level) override {
    return Note("UnlockRect", Format(" %u %u", object, level));
  }
  GfxResult AddDirtyRect(GfxObject texture) override { return Note("AddDirtyRect", Format(" %u", texture)); }
  GfxResult UpdateTexture(GfxObject source, GfxObject destination) override {
    return Note("UpdateTexture", Format(" %u %u", source, destination));
  }
  GfxResult StretchRect(GfxObject source, const GfxRect* s, GfxObject destination, const GfxRect* d,
                        uint32_t filter) override {
    GfxRect a = s != nullptr ? *s : GfxRect{};
    GfxRect b = d != nullptr ? *d : GfxRect{};
    return Note("StretchRect", Format(" %u (%d,%d,%d,%d) %u (%d,%d,%d,%d) %u", source, a.left, a.top, a.right, a.bottom,
                                      destination, b.left, b.top, b.right, b.bottom, filter));
  }
  uint32_t AddRef(GfxObject object) override {
    FakeObject* o = Find(object);
    return o == nullptr ? 0 : ++o->refs;
  }
  uint32_t Release(GfxObject object) override {
    FakeObject* o = Find(object);
    if (o == nullptr) return 0;
    uint32_t left = --o->refs;
    if (left == 0) {
      GfxObject parent = o->parent;
      objects_.erase(object);
      --Log().liveObjects;
      if (parent != 0) Release(parent);
    }
    return left;
  }
  void PreLoad(GfxObject texture) override { Note("PreLoad", Format(" %u", texture)); }
  uint32_t SetPriority(GfxObject texture, uint32_t priority) override {
    Note("SetPriority", Format(" %u %u", texture, priority));
    return 0;
  }
  GfxResult GetRenderTarget(uint32_t index, GfxObject* out) override {
    *out = 0;
    GfxResult r = Note("GetRenderTarget", Format(" %u", index));
    if (r != D3D_OK) return r;
    AddRef(target_);
    *out = target_;
    return D3D_OK;
  }
  GfxResult SetRenderTarget(uint32_t index, GfxObject surface) override {
    GfxResult r = Note("SetRenderTarget", Format(" %u %u", index, surface));
    if (r != D3D_OK || Find(surface) == nullptr) return r != D3D_OK ? r : D3DERR_INVALIDCALL;
    AddRef(surface);
    GfxObject old = target_;
    target_ = surface;
    Release(old);
    FakeObject* o = Find(surface);
    viewport_ = GfxViewport{0, 0, o->width, o->height, 0.0f, 1.0f};
    return D3D_OK;
  }
  GfxResult GetDepthStencilSurface(GfxObject* out) override {
    *out = 0;
    GfxResult r = Note("GetDepthStencilSurface");
    if (r != D3D_OK) return r;
    AddRef(depthTarget_);
    *out = depthTarget_;
    return D3D_OK;
  }
  GfxResult SetDepthStencilSurface(GfxObject surface) override {
    GfxResult r = Note("SetDepthStencilSurface", Format(" %u", surface));
    if (r != D3D_OK) return r;
    AddRef(surface);
    GfxObject old = depthTarget_;
    depthTarget_ = surface;
    Release(old);
    return D3D_OK;
  }
  GfxResult SetViewport(const GfxViewport& v) override {
    viewport_ = v;
    return Note("SetViewport", Format(" %u %u %u %u", v.x, v.y, v.width, v.height));
  }
  GfxResult GetViewport(GfxViewport* v) override {
    *v = viewport_;
    return D3D_OK;
  }
  GfxResult SetRenderState(uint32_t state, uint32_t value) override {
    return Note("SetRenderState", Format(" %u %u", state, value));
  }
  GfxResult GetRenderState(uint32_t, uint32_t* value) override {
    *value = 0;
    return D3D_OK;
  }
  GfxResult SetSamplerState(uint32_t s, uint32_t type, uint32_t value) override {
    return Note("SetSamplerState", Format(" %u %u %u", s, type, value));
  }
  GfxResult SetTextureStageState(uint32_t s, uint32_t type, uint32_t value) override {
    return Note("SetTextureStageState", Format(" %u %u %u", s, type, value));
  }
  GfxResult SetTransform(uint32_t which, const float* m) override {
    return Note("SetTransform", Format(" %u %g %g %g", which, static_cast<double>(m[12]), static_cast<double>(m[13]),
                                       static_cast<double>(m[14])));
  }
  GfxResult GetTransform(uint32_t, float* m) override {
    std::memset(m, 0, sizeof(float) * 16);
    return D3D_OK;
  }
  GfxResult SetTexture(uint32_t stage, GfxObject texture) override {
    return Note("SetTexture", Format(" %u %u", stage, texture));
  }
  GfxResult SetFVF(uint32_t fvf) override { return Note("SetFVF", Format(" %u", fvf)); }
  GfxResult SetMaterial(const GfxMaterial&) override { return Note("SetMaterial"); }
  GfxResult SetLight(uint32_t index, const GfxLight& light) override {
    FakeGraphics_Log().lights[index] = light;
    return Note("SetLight", Format(" %u", index));
  }
  GfxResult LightEnable(uint32_t index, bool on) override { return Note("LightEnable", Format(" %u %d", index, on)); }
  GfxResult Clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) override {
    return Note("Clear", Format(" %u %08x %g %u", flags, colour, static_cast<double>(z), stencil));
  }
  GfxResult DrawPrimitiveUP(uint32_t type, uint32_t count, const void* data, uint32_t stride) override {
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (Log().keepVertices && bytes != nullptr) {
      Log().lastVertices.assign(bytes, bytes + size_t{Gfx_VertexCount(type, count)} * stride);
      if (Log().keepEveryDraw) Log().drawnVertices.push_back(Log().lastVertices);
    }
    return Note("DrawPrimitiveUP", Format(" %u %u %u", type, count, stride));
  }
  GfxResult CreateVertexBuffer(uint32_t bytes, uint32_t, uint32_t, uint32_t, GfxObject* out) override {
    *out = 0;
    GfxResult r = Note("CreateVertexBuffer", Format(" %u", bytes));
    if (r == D3D_OK) *out = Add(bytes, 1, 0, 0, false);
    return r;
  }
  GfxResult LockVertexBuffer(GfxObject buffer, uint32_t, uint32_t, void** data, uint32_t) override {
    *data = nullptr;
    FakeObject* o = Find(buffer);
    if (o == nullptr) return D3DERR_INVALIDCALL;
    o->pixels.resize(o->width);
    *data = o->pixels.data();
    return Note("LockVertexBuffer");
  }
  GfxResult UnlockVertexBuffer(GfxObject) override { return Note("UnlockVertexBuffer"); }
  GfxResult SetStreamSource(uint32_t, GfxObject buffer, uint32_t, uint32_t stride) override {
    return Note("SetStreamSource", Format(" %u %u", buffer, stride));
  }
  GfxResult DrawPrimitive(uint32_t type, uint32_t start, uint32_t count) override {
    return Note("DrawPrimitive", Format(" %u %u %u", type, start, count));
  }

 private:
  static FakeGraphicsLog& Log() { return FakeGraphics_Log(); }
  GfxResult Note(const std::string& name, const std::string& detail = "") {
    Log().calls.push_back(name + detail);
    return Log().Check(name);
  }
  FakeObject* Find(GfxObject handle) {
    auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : &it->second;
  }
  GfxObject Add(uint32_t w, uint32_t h, uint32_t format, uint32_t pool, bool lockable) {
    FakeObject o;
    o.width = w;
    o.height = h;
    o.format = format;
    o.pool = pool;
    o.lockable = lockable;
    objects_[next_] = o;
    ++Log().liveObjects;
    return next_++;
  }

  std::map<GfxObject, FakeObject> objects_;
  GfxObject next_ = 1;
  GfxObject back_ = 0, depth_ = 0, target_ = 0, depthTarget_ = 0;
  GfxViewport viewport_{};
};

class FakeSystem : public IGraphicsSystem {
 public:
  uint32_t GetAdapterCount() override { return 1; }
  GfxResult GetDeviceCaps(uint32_t, uint32_t, GfxCaps* caps) override {
    *caps = GfxCaps{D3DDEVTYPE_HAL, FakeGraphics_Log().rasterCaps, 4096, 4096};
    return FakeGraphics_Log().Check("System.GetDeviceCaps");
  }
  GfxResult GetAdapterIdentifier(uint32_t, GfxAdapterIdentifier* id) override {
    std::memset(id, 0, sizeof *id);
    std::snprintf(id->driver, sizeof id->driver, "fake");
    return D3D_OK;
  }
  GfxResult GetAdapterDisplayMode(uint32_t, GfxDisplayMode* mode) override {
    const GfxDesktopMode& d = FakeGraphics_Log().desktop;
    *mode = GfxDisplayMode{static_cast<uint32_t>(d.width), static_cast<uint32_t>(d.height),
                           static_cast<uint32_t>(d.frequency), D3DFMT_X8R8G8B8};
    FakeGraphics_Log().calls.push_back("GetAdapterDisplayMode");
    return FakeGraphics_Log().Check("GetAdapterDisplayMode");
  }
  bool GetDesktopMode(uint32_t, GfxDesktopMode* mode) override {
    *mode = FakeGraphics_Log().desktop;
    return true;
  }
  bool EnumDisplayMode(uint32_t, uint32_t index, GfxDesktopMode* mode) override {
    const auto& modes = FakeGraphics_Log().modes;
    if (index >= modes.size()) return false;
    *mode = modes[index];
    return true;
  }
  GfxResult CheckDeviceMultiSampleType(uint32_t, uint32_t, uint32_t, bool, uint32_t ms, uint32_t* quality) override {
    if (quality != nullptr) *quality = 0;
    FakeGraphics_Log().calls.push_back(Format("CheckDeviceMultiSampleType %u", ms));
    GfxResult r = FakeGraphics_Log().Check("CheckDeviceMultiSampleType");
    return r != D3D_OK ? r : (ms == 0 ? D3D_OK : D3DERR_NOTAVAILABLE);
  }
  GfxResult CreateDevice(uint32_t, uint32_t, DeviceWindow*, uint32_t behaviour, GfxPresentParameters& p,
                         IGraphicsDevice** device) override {
    *device = nullptr;
    FakeGraphics_Log().calls.push_back(Format("CreateDevice %ux%u behaviour=%x depth=%u swap=%u", p.backBufferWidth,
                                              p.backBufferHeight, behaviour, p.autoDepthStencilFormat, p.swapEffect));
    GfxResult r = FakeGraphics_Log().Check("CreateDevice");
    if (r != D3D_OK) return r;
    *device = new FakeDevice(p);
    return D3D_OK;
  }
};

}  // namespace

GfxResult FakeGraphicsLog::Check(const std::string& call) {
  auto it = failCount.find(call);
  if (it == failCount.end() || it->second <= 0) return D3D_OK;
  --it->second;
  return failResult[call];
}

bool FakeGraphicsLog::Has(const std::string& prefix) const {
  for (const auto& line : calls) {
    if (line.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

FakeGraphicsLog& FakeGraphics_Log() {
  static FakeGraphicsLog& log = *new FakeGraphicsLog;
  return log;
}

IGraphicsSystem* FakeGraphics_CreateSystem() { return new FakeSystem; }
