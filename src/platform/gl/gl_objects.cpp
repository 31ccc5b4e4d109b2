// Textures, surfaces, vertex buffers and the framebuffers that carry them.
#include <cstring>

#include "platform/gl/gl_device.h"

namespace {

bool ColourFormat(uint32_t format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_DXT1:
    case D3DFMT_DXT2:
    case D3DFMT_DXT3:
    case D3DFMT_DXT4:
    case D3DFMT_DXT5: return true;
    default: return false;
  }
}

uint32_t BytesPerPixel(uint32_t format) { return format == D3DFMT_A4R4G4B4 ? 2 : 4; }

// Sixteen-bit 0xARGB to 0xAARRGGBB, each four bits times 17.
void ExpandArgb4444(const uint8_t* source, uint32_t count, uint32_t* out) {
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t v = static_cast<uint32_t>(source[2 * i]) | (static_cast<uint32_t>(source[2 * i + 1]) << 8);
    uint32_t a = ((v >> 12) & 15) * 17, r = ((v >> 8) & 15) * 17, g = ((v >> 4) & 15) * 17, b = (v & 15) * 17;
    out[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
}

}  // namespace

GlObject* GlDevice::Find(GfxObject handle) {
  auto it = objects_.find(handle);
  return it == objects_.end() ? nullptr : &it->second;
}

GfxObject GlDevice::Add(GlObject object) {
  GfxObject handle = nextHandle_++;
  objects_.emplace(handle, std::move(object));
  return handle;
}

void GlDevice::Destroy(GfxObject handle) {
  GlObject* object = Find(handle);
  if (object == nullptr) return;
  // A texture level shares its texture's storage; only the owner deletes it.
  if (object->texture != 0 && object->parent == 0) glDeleteTextures(1, &object->texture);
  if (object->renderbuffer != 0) glDeleteRenderbuffers(1, &object->renderbuffer);
  if (object->buffer != 0) glDeleteBuffers(1, &object->buffer);
  GfxObject parent = object->parent;
  objects_.erase(handle);
  if (parent != 0) Release(parent);
}

uint32_t GlDevice::AddRef(GfxObject handle) {
  GlObject* object = Find(handle);
  if (object == nullptr) return 0;
  return ++object->refs;
}

uint32_t GlDevice::Release(GfxObject handle) {
  ++m_pixelVersion;
  GlObject* object = Find(handle);
  if (object == nullptr || object->refs == 0) return 0;
  uint32_t left = --object->refs;
  if (left == 0) Destroy(handle);
  return left;
}

GLuint GlDevice::NewColourTexture(uint32_t width, uint32_t height) {
  GLuint texture = 0;
  glCreateTextures(GL_TEXTURE_2D, 1, &texture);
  glTextureStorage2D(texture, 1, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
  glTextureParameteri(texture, GL_TEXTURE_MAX_LEVEL, 0);
  const uint32_t zero = 0;
  glClearTexImage(texture, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &zero);
  return texture;
}

GfxResult GlDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t, uint32_t usage, uint32_t format,
                                  uint32_t pool, GfxObject* texture) {
  ++m_pixelVersion;
  *texture = 0;
  if (width == 0 || height == 0 || width > 16384 || height > 16384 || !ColourFormat(format)) return D3DERR_INVALIDCALL;
  GlObject object;
  object.kind = GlKind::kTexture;
  object.width = width;
  object.height = height;
  object.format = format;
  object.pool = pool;
  object.usage = usage;
  if (pool == D3DPOOL_SYSTEMMEM) {
    if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_A4R4G4B4) return D3DERR_INVALIDCALL;
    object.shadow.assign(static_cast<size_t>(width) * height * BytesPerPixel(format), 0);
  } else {
    object.texture = NewColourTexture(width, height);
  }
  *texture = Add(std::move(object));
  return D3D_OK;
}

GfxResult GlDevice::CreateRenderTarget(uint32_t width, uint32_t height, uint32_t format, uint32_t multiSample, uint32_t,
                                       bool lockable, GfxObject* surface) {
  ++m_pixelVersion;
  *surface = 0;
  if (width == 0 || height == 0 || width > 16384 || height > 16384) return D3DERR_INVALIDCALL;
  if (format != D3DFMT_A8R8G8B8 || multiSample != D3DMULTISAMPLE_NONE) return D3DERR_INVALIDCALL;
  GlObject object;
  object.kind = GlKind::kSurface;
  object.width = width;
  object.height = height;
  object.format = format;
  object.lockable = lockable;
  object.texture = NewColourTexture(width, height);
  *surface = Add(std::move(object));
  return D3D_OK;
}

GfxResult GlDevice::CreateDepthStencilSurface(uint32_t width, uint32_t height, uint32_t format, uint32_t multiSample,
                                              uint32_t, bool, GfxObject* surface) {
  *surface = 0;
  if (width == 0 || height == 0 || width > 16384 || height > 16384) return D3DERR_INVALIDCALL;
  if ((format != D3DFMT_D24S8 && format != D3DFMT_D16) || multiSample != D3DMULTISAMPLE_NONE) {
    return D3DERR_INVALIDCALL;
  }
  GlObject object;
  object.kind = GlKind::kSurface;
  object.width = width;
  object.height = height;
  object.format = format;
  glCreateRenderbuffers(1, &object.renderbuffer);
  glNamedRenderbufferStorage(object.renderbuffer, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(width),
                             static_cast<GLsizei>(height));
  *surface = Add(std::move(object));
  return D3D_OK;
}

GfxResult GlDevice::GetSurfaceLevel(GfxObject texture, uint32_t level, GfxObject* surface) {
  *surface = 0;
  GlObject* owner = Find(texture);
  if (owner == nullptr || owner->kind != GlKind::kTexture || level != 0) return D3DERR_INVALIDCALL;
  GlObject object;
  object.kind = GlKind::kSurface;
  object.width = owner->width;
  object.height = owner->height;
  object.format = owner->format;
  object.pool = owner->pool;
  object.texture = owner->texture;
  object.parent = texture;
  ++owner->refs;
  *surface = Add(std::move(object));
  return D3D_OK;
}

bool GlDevice::ReadColour(const GlObject& object, uint8_t* pixels) {
  if (object.texture == 0) return false;
  WaitForDriverThreads();
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTextureImage(object.texture, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                    static_cast<GLsizei>(object.width * object.height * 4), pixels);
  return true;
}

GfxResult GlDevice::LockRect(GfxObject handle, uint32_t level, GfxLockedRect* locked, uint32_t flags) {
  locked->pitch = 0;
  locked->bits = nullptr;
  GlObject* object = Find(handle);
  if (object == nullptr || level != 0 || object->locked || object->buffer != 0) return D3DERR_INVALIDCALL;
  if (object->pool != D3DPOOL_SYSTEMMEM) {
    // Device memory: lockable render targets, and managed 32-bit textures.
    bool allowed = object->lockable || (object->kind == GlKind::kTexture && object->pool == D3DPOOL_MANAGED);
    if (!allowed || object->format != D3DFMT_A8R8G8B8 || object->texture == 0) return D3DERR_INVALIDCALL;
    object->shadow.resize(static_cast<size_t>(object->width) * object->height * 4);
    ReadColour(*object, object->shadow.data());
  }
  object->locked = true;
  object->lockFlags = flags;
  locked->pitch = static_cast<int32_t>(object->width * BytesPerPixel(object->format));
  locked->bits = object->shadow.data();
  return D3D_OK;
}

GfxResult GlDevice::UnlockRect(GfxObject handle, uint32_t level) {
  ++m_pixelVersion;
  GlObject* object = Find(handle);
  if (object == nullptr || level != 0 || !object->locked) return D3DERR_INVALIDCALL;
  object->locked = false;
  if (object->pool == D3DPOOL_SYSTEMMEM) return D3D_OK;
  if ((object->lockFlags & D3DLOCK_READONLY) == 0) {
    WaitForDriverThreads();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTextureSubImage2D(object->texture, 0, 0, 0, static_cast<GLsizei>(object->width),
                        static_cast<GLsizei>(object->height), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                        object->shadow.data());
  }
  object->shadow.clear();
  object->shadow.shrink_to_fit();
  return D3D_OK;
}

GfxResult GlDevice::AddDirtyRect(GfxObject texture) { return Find(texture) == nullptr ? D3DERR_INVALIDCALL : D3D_OK; }

GfxResult GlDevice::UpdateTexture(GfxObject source, GfxObject destination) {
  ++m_pixelVersion;
  GlObject* from = Find(source);
  GlObject* to = Find(destination);
  if (from == nullptr || to == nullptr || from->pool != D3DPOOL_SYSTEMMEM || to->texture == 0 ||
      to->kind != GlKind::kTexture || from->width != to->width || from->height != to->height) {
    return D3DERR_INVALIDCALL;
  }
  const void* pixels = from->shadow.data();
  std::vector<uint32_t> expanded;
  if (from->format == D3DFMT_A4R4G4B4) {
    expanded.resize(static_cast<size_t>(from->width) * from->height);
    ExpandArgb4444(from->shadow.data(), static_cast<uint32_t>(expanded.size()), expanded.data());
    pixels = expanded.data();
  }
  WaitForDriverThreads();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTextureSubImage2D(to->texture, 0, 0, 0, static_cast<GLsizei>(to->width), static_cast<GLsizei>(to->height), GL_BGRA,
                      GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
  return D3D_OK;
}

GfxResult GlDevice::StretchRect(GfxObject source, const GfxRect* sourceRect, GfxObject destination,
                                const GfxRect* destinationRect, uint32_t filter) {
  ++m_pixelVersion;
  GlObject* from = Find(source);
  GlObject* to = Find(destination);
  if (from == nullptr || to == nullptr || from->texture == 0 || to->texture == 0) return D3DERR_INVALIDCALL;
  GfxRect s = sourceRect != nullptr
                  ? *sourceRect
                  : GfxRect{0, 0, static_cast<int32_t>(from->width), static_cast<int32_t>(from->height)};
  GfxRect d = destinationRect != nullptr
                  ? *destinationRect
                  : GfxRect{0, 0, static_cast<int32_t>(to->width), static_cast<int32_t>(to->height)};
  auto inside = [](const GfxRect& r, const GlObject& o) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           r.right <= static_cast<int32_t>(o.width) && r.bottom <= static_cast<int32_t>(o.height);
  };
  if (!inside(s, *from) || !inside(d, *to)) return D3DERR_INVALIDCALL;
  WaitForDriverThreads();
  glNamedFramebufferTexture(readFbo_, GL_COLOR_ATTACHMENT0, from->texture, 0);
  glNamedFramebufferTexture(writeFbo_, GL_COLOR_ATTACHMENT0, to->texture, 0);
  glDisable(GL_SCISSOR_TEST);
  GLenum glFilter = filter == D3DTEXF_POINT || filter == D3DTEXF_NONE ? GL_NEAREST : GL_LINEAR;
  glBlitNamedFramebuffer(readFbo_, writeFbo_, s.left, s.top, s.right, s.bottom, d.left, d.top, d.right, d.bottom,
                         GL_COLOR_BUFFER_BIT, glFilter);
  WaitForDriverThreads();
  glEnable(GL_SCISSOR_TEST);
  return D3D_OK;
}

GfxResult GlDevice::GetRenderTarget(uint32_t index, GfxObject* surface) {
  *surface = 0;
  if (index != 0 || target_ == 0) return D3DERR_NOTAVAILABLE;
  AddRef(target_);
  *surface = target_;
  return D3D_OK;
}

GfxResult GlDevice::GetDepthStencilSurface(GfxObject* surface) {
  *surface = 0;
  if (depthTarget_ == 0) return D3DERR_NOTAVAILABLE;
  AddRef(depthTarget_);
  *surface = depthTarget_;
  return D3D_OK;
}

GfxResult GlDevice::SetRenderTarget(uint32_t index, GfxObject surface) {
  GlObject* object = Find(surface);
  if (index != 0 || object == nullptr || object->kind != GlKind::kSurface || object->texture == 0) {
    return D3DERR_INVALIDCALL;
  }
  AddRef(surface);
  GfxObject old = target_;
  target_ = surface;
  if (old != 0) Release(old);
  AttachTargets();
  viewport_ = GfxViewport{0, 0, object->width, object->height, 0.0f, 1.0f};
  ApplyViewport();
  return D3D_OK;
}

GfxResult GlDevice::SetDepthStencilSurface(GfxObject surface) {
  if (surface != 0) {
    GlObject* object = Find(surface);
    if (object == nullptr || object->renderbuffer == 0) return D3DERR_INVALIDCALL;
    AddRef(surface);
  }
  GfxObject old = depthTarget_;
  depthTarget_ = surface;
  if (old != 0) Release(old);
  AttachTargets();
  return D3D_OK;
}

void GlDevice::AttachTargets() {
  WaitForDriverThreads();
  GlObject* colour = Find(target_);
  GlObject* depth = Find(depthTarget_);
  glNamedFramebufferTexture(drawFbo_, GL_COLOR_ATTACHMENT0, colour != nullptr ? colour->texture : 0, 0);
  glNamedFramebufferRenderbuffer(drawFbo_, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                 depth != nullptr ? depth->renderbuffer : 0);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFbo_);
}

GfxResult GlDevice::CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t, uint32_t, GfxObject* buffer) {
  *buffer = 0;
  if (bytes == 0 || bytes > (256u << 20)) return D3DERR_INVALIDCALL;
  GlObject object;
  object.kind = GlKind::kBuffer;
  object.bytes = bytes;
  object.usage = usage;
  glCreateBuffers(1, &object.buffer);
  glNamedBufferData(object.buffer, bytes, nullptr, GL_DYNAMIC_DRAW);
  object.shadow.assign(bytes, 0);
  *buffer = Add(std::move(object));
  return D3D_OK;
}

GfxResult GlDevice::LockVertexBuffer(GfxObject buffer, uint32_t offset, uint32_t size, void** data, uint32_t) {
  *data = nullptr;
  GlObject* object = Find(buffer);
  if (object == nullptr || object->buffer == 0 || object->locked || offset > object->bytes) return D3DERR_INVALIDCALL;
  if (size == 0) size = object->bytes - offset;
  if (size > object->bytes - offset) return D3DERR_INVALIDCALL;
  object->locked = true;
  *data = object->shadow.data() + offset;
  return D3D_OK;
}

GfxResult GlDevice::UnlockVertexBuffer(GfxObject buffer) {
  GlObject* object = Find(buffer);
  if (object == nullptr || object->buffer == 0 || !object->locked) return D3DERR_INVALIDCALL;
  object->locked = false;
  glNamedBufferSubData(object->buffer, 0, object->bytes, object->shadow.data());
  return D3D_OK;
}

GfxResult GlDevice::SetStreamSource(uint32_t stream, GfxObject buffer, uint32_t offset, uint32_t stride) {
  if (stream != 0) return D3DERR_INVALIDCALL;
  if (buffer != 0) {
    GlObject* object = Find(buffer);
    if (object == nullptr || object->buffer == 0) return D3DERR_INVALIDCALL;
    AddRef(buffer);
  }
  GfxObject old = streamBuffer_;
  streamBuffer_ = buffer;
  streamOffset_ = offset;
  streamStride_ = stride;
  if (old != 0) Release(old);
  return D3D_OK;
}
