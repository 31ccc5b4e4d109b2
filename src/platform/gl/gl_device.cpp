// Device state and drawing over the fixed-function pipeline of the
// compatibility profile.
#include "platform/gl/gl_device.h"

#include <cstring>

#include "platform/gl/gl_driver.h"
#include "platform/window_picture.h"

namespace {

// The device drawing on the main window, whose last picture the window
// shows again between the game's frames (a dialog over it).
GlDevice* g_windowDevice = nullptr;

bool DrawWindowDeviceLast() { return g_windowDevice != nullptr && g_windowDevice->DrawLastPicture(); }

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void ColourToFloats(uint32_t argb, float out[4]) {
  out[0] = static_cast<float>((argb >> 16) & 255) / 255.0f;
  out[1] = static_cast<float>((argb >> 8) & 255) / 255.0f;
  out[2] = static_cast<float>(argb & 255) / 255.0f;
  out[3] = static_cast<float>(argb >> 24) / 255.0f;
}

GLenum CompareFunction(uint32_t value) {
  if (value < D3DCMP_NEVER || value > D3DCMP_ALWAYS) return GL_ALWAYS;
  return GL_NEVER + (value - D3DCMP_NEVER);
}

// The second-source factors have no second source here: they act as the
// first source's colour.
GLenum BlendFactor(uint32_t value) {
  switch (value) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR:
    case D3DBLEND_SRCCOLOR2: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
    case D3DBLEND_INVSRCCOLOR2: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    case D3DBLEND_BOTHSRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_BOTHINVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_BLENDFACTOR: return GL_CONSTANT_COLOR;
    case D3DBLEND_INVBLENDFACTOR: return GL_ONE_MINUS_CONSTANT_COLOR;
    default: return GL_ONE;
  }
}

// The "both" factors decide the destination factor as well.
void BlendPair(uint32_t source, uint32_t destination, GLenum* s, GLenum* d) {
  *s = BlendFactor(source);
  *d = BlendFactor(destination);
  if (source == D3DBLEND_BOTHSRCALPHA) *d = GL_ONE_MINUS_SRC_ALPHA;
  if (source == D3DBLEND_BOTHINVSRCALPHA) *d = GL_SRC_ALPHA;
}

GLenum BlendEquation(uint32_t value) {
  switch (value) {
    case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN: return GL_MIN;
    case D3DBLENDOP_MAX: return GL_MAX;
    default: return GL_FUNC_ADD;
  }
}

GLenum StageSource(uint32_t argument) {
  switch (argument & 0xF) {
    case D3DTA_TEXTURE: return GL_TEXTURE;
    case D3DTA_CURRENT: return GL_PREVIOUS;
    default: return GL_PRIMARY_COLOR;
  }
}

GLenum PrimitiveMode(uint32_t type) {
  switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    default: return GL_TRIANGLE_FAN;
  }
}

GLint SamplerFilter(uint32_t value) { return value == D3DTEXF_POINT || value == D3DTEXF_NONE ? GL_NEAREST : GL_LINEAR; }

GLint SamplerAddress(uint32_t value) {
  switch (value) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
  }
}

}  // namespace

uint32_t Gfx_VertexSize(uint32_t fvf) {
  if ((fvf & D3DFVF_XYZ) == 0) return 0;
  if ((fvf & ~(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1)) != 0) return 0;
  uint32_t size = 12;
  if ((fvf & D3DFVF_NORMAL) != 0) size += 12;
  if ((fvf & D3DFVF_DIFFUSE) != 0) size += 4;
  if ((fvf & D3DFVF_TEX1) != 0) size += 8;
  return size;
}

uint32_t Gfx_VertexCount(uint32_t type, uint32_t primitiveCount) {
  if (primitiveCount == 0) return 0;
  switch (type) {
    case D3DPT_POINTLIST: return primitiveCount;
    case D3DPT_LINELIST: return primitiveCount * 2;
    case D3DPT_LINESTRIP: return primitiveCount + 1;
    case D3DPT_TRIANGLELIST: return primitiveCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return primitiveCount + 2;
    default: return 0;
  }
}

GlDevice::GlDevice(std::unique_ptr<GlContext> context, const GfxPresentParameters& params)
    : context_(std::move(context)) {
  if (context_ == nullptr || !context_->MakeCurrent()) return;
  waitForDriver_ = GlDriver_WaitsForItsThreads();
  glCreateFramebuffers(1, &drawFbo_);
  glCreateFramebuffers(1, &readFbo_);
  glCreateFramebuffers(1, &writeFbo_);
  glCreateSamplers(kStages, sampler_);
  for (int i = 0; i < kStages; ++i) {
    glBindSampler(static_cast<GLuint>(i), sampler_[i]);
    glSamplerParameteri(sampler_[i], GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(sampler_[i], GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    stages_[i] = StageState{D3DTOP_DISABLE, D3DTA_TEXTURE, D3DTA_CURRENT, D3DTOP_DISABLE, D3DTA_TEXTURE, D3DTA_CURRENT};
  }
  stages_[0].colourOp = D3DTOP_MODULATE;
  stages_[0].alphaOp = D3DTOP_SELECTARG1;
  for (uint32_t i = 0; i < kStages; ++i) ApplyStage(i);
  glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
  glDisable(GL_DITHER);
  glEnable(GL_SCISSOR_TEST);
  glPointSize(1.0f);
  glLineWidth(1.0f);
  std::memcpy(view_, kIdentity, sizeof view_);
  std::memcpy(projection_, kIdentity, sizeof projection_);
  std::memcpy(world_, kIdentity, sizeof world_);
  const uint32_t defaults[][2] = {{D3DRS_ZENABLE, 1},
                                  {D3DRS_FILLMODE, D3DFILL_SOLID},
                                  {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
                                  {D3DRS_ZWRITEENABLE, 1},
                                  {D3DRS_ALPHATESTENABLE, 0},
                                  {D3DRS_SRCBLEND, D3DBLEND_ONE},
                                  {D3DRS_DESTBLEND, D3DBLEND_ZERO},
                                  {D3DRS_CULLMODE, D3DCULL_CCW},
                                  {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
                                  {D3DRS_ALPHAREF, 0},
                                  {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
                                  {D3DRS_ALPHABLENDENABLE, 0},
                                  {D3DRS_FOGENABLE, 0},
                                  {D3DRS_FOGEND, 0x3F800000u},
                                  {D3DRS_FOGDENSITY, 0x3F800000u},
                                  {D3DRS_LIGHTING, 1},
                                  {D3DRS_COLORWRITEENABLE, 15},
                                  {D3DRS_BLENDOP, D3DBLENDOP_ADD},
                                  {D3DRS_SRCBLENDALPHA, D3DBLEND_ONE},
                                  {D3DRS_DESTBLENDALPHA, D3DBLEND_ZERO},
                                  {D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD},
                                  {D3DRS_BLENDFACTOR, 0xFFFFFFFFu}};
  for (const auto& entry : defaults) SetRenderState(entry[0], entry[1]);
  presentInterval_ = params.presentationInterval;
  context_->SetSwapInterval(presentInterval_ == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1);
  ready_ = MakeBackBuffer(params.backBufferWidth, params.backBufferHeight) && glGetError() == GL_NO_ERROR;
  if (context_->HasWindow()) {
    g_windowDevice = this;
    WindowPicture_SetDrawer(DrawWindowDeviceLast);
  }
}

GlDevice::~GlDevice() {
  if (g_windowDevice == this) {
    g_windowDevice = nullptr;
    WindowPicture_SetDrawer(nullptr);
  }
  if (context_ == nullptr) return;
  context_->MakeCurrent();
  for (auto& entry : objects_) {
    GlObject& object = entry.second;
    if (object.texture != 0 && object.parent == 0) glDeleteTextures(1, &object.texture);
    if (object.renderbuffer != 0) glDeleteRenderbuffers(1, &object.renderbuffer);
    if (object.buffer != 0) glDeleteBuffers(1, &object.buffer);
  }
  objects_.clear();
  glDeleteSamplers(kStages, sampler_);
  if (heldFence_ != nullptr) glDeleteSync(heldFence_);
  GLuint fbos[3] = {drawFbo_, readFbo_, writeFbo_};
  glDeleteFramebuffers(3, fbos);
}

bool GlDevice::MakeBackBuffer(uint32_t width, uint32_t height) {
  if (CreateRenderTarget(width, height, D3DFMT_A8R8G8B8, 0, 0, false, &backColour_) != D3D_OK) return false;
  if (CreateDepthStencilSurface(width, height, D3DFMT_D24S8, 0, 0, true, &backDepth_) != D3D_OK) return false;
  SetRenderTarget(0, backColour_);
  SetDepthStencilSurface(backDepth_);
  return true;
}

void GlDevice::DropBackBuffer() {
  Release(backColour_);
  Release(backDepth_);
  backColour_ = backDepth_ = 0;
}

GfxResult GlDevice::Reset(GfxPresentParameters& params) {
  ++m_pixelVersion;
  if (params.backBufferWidth == 0 || params.backBufferHeight == 0 || params.multiSampleType != 0) {
    return D3DERR_INVALIDCALL;
  }
  presentInterval_ = params.presentationInterval;
  context_->SetSwapInterval(presentInterval_ == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1);
  DropBackBuffer();
  return MakeBackBuffer(params.backBufferWidth, params.backBufferHeight) ? D3D_OK : D3DERR_INVALIDCALL;
}

GfxResult GlDevice::EndScene() {
  glFlush();
  WaitForDriverThreads();
  return D3D_OK;
}

// The wait ends the scene and sees its fence done, perhaps without a lock;
// the fence kept from the wait before is then done with by every rasteriser
// thread, which came to the later scene only after letting go of it, and is
// let go here, one wait later.
void GlDevice::WaitForDriverThreads() {
  if (!waitForDriver_) return;
  glFinish();
  GLsync kept = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
  if (heldFence_ != nullptr) glDeleteSync(heldFence_);
  heldFence_ = kept;
}

// The back buffer is stored top row first; the window's framebuffer is
// bottom row first, so the copy flips. It covers the whole drawable: a
// window resized since the frame began shows the frame stretched over it
// until the next frame takes the new size.
bool GlDevice::DrawLastPicture() {
  if (!context_->HasWindow() || !context_->MakeCurrent()) return false;
  GlObject* back = Find(backColour_);
  if (back == nullptr) return false;
  int drawableWidth = 0, drawableHeight = 0;
  context_->GetDrawableSize(&drawableWidth, &drawableHeight);
  WaitForDriverThreads();
  glNamedFramebufferTexture(readFbo_, GL_COLOR_ATTACHMENT0, back->texture, 0);
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  const GLint w = static_cast<GLint>(back->width), h = static_cast<GLint>(back->height);
  glBlitNamedFramebuffer(readFbo_, 0, 0, 0, w, h, 0, drawableHeight, drawableWidth, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  WaitForDriverThreads();
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFbo_);
  glEnable(GL_SCISSOR_TEST);
  return true;
}

// What is drawn over the picture (a dialog) may use a context of its own.
GfxResult GlDevice::Present() {
  ++m_pixelVersion;
  if (!context_->HasWindow()) return D3D_OK;
  if (!DrawLastPicture()) return D3DERR_INVALIDCALL;
  WindowPicture_DrawOverlay();
  context_->MakeCurrent();
  context_->Swap();
  return D3D_OK;
}

GfxResult GlDevice::GetDeviceCaps(GfxCaps* caps) {
  caps->deviceType = D3DDEVTYPE_HAL;
  caps->rasterCaps = D3DPRASTERCAPS_FOGVERTEX | D3DPRASTERCAPS_FOGTABLE;
  caps->maxTextureWidth = caps->maxTextureHeight = 16384;
  return D3D_OK;
}

GfxResult GlDevice::GetDisplayMode(uint32_t, GfxDisplayMode* mode) {
  GlObject* back = Find(backColour_);
  if (back == nullptr) return D3DERR_INVALIDCALL;
  *mode = GfxDisplayMode{back->width, back->height, 60, D3DFMT_X8R8G8B8};
  return D3D_OK;
}

void GlDevice::ApplyViewport() {
  const auto x = static_cast<GLint>(viewport_.x), y = static_cast<GLint>(viewport_.y);
  const auto w = static_cast<GLsizei>(viewport_.width), h = static_cast<GLsizei>(viewport_.height);
  glViewport(x, y, w, h);
  glScissor(x, y, w, h);
  glDepthRange(viewport_.minZ, viewport_.maxZ);
}

GfxResult GlDevice::SetViewport(const GfxViewport& viewport) {
  if (viewport.width == 0 || viewport.height == 0) return D3DERR_INVALIDCALL;
  viewport_ = viewport;
  ApplyViewport();
  return D3D_OK;
}

GfxResult GlDevice::GetViewport(GfxViewport* viewport) {
  *viewport = viewport_;
  return D3D_OK;
}

void GlDevice::ApplyBlend() {
  GLenum s, d, sa, da;
  BlendPair(states_[D3DRS_SRCBLEND], states_[D3DRS_DESTBLEND], &s, &d);
  GLenum equation = BlendEquation(states_[D3DRS_BLENDOP]);
  GLenum alphaEquation = equation;
  if (states_[D3DRS_SEPARATEALPHABLENDENABLE] != 0) {
    BlendPair(states_[D3DRS_SRCBLENDALPHA], states_[D3DRS_DESTBLENDALPHA], &sa, &da);
    alphaEquation = BlendEquation(states_[D3DRS_BLENDOPALPHA]);
  } else {
    sa = s;
    da = d;
  }
  glBlendFuncSeparate(s, d, sa, da);
  glBlendEquationSeparate(equation, alphaEquation);
  float factor[4];
  ColourToFloats(states_[D3DRS_BLENDFACTOR], factor);
  glBlendColor(factor[0], factor[1], factor[2], factor[3]);
}

// The reference moves half a step so that the comparison of 8-bit alpha
// values with the 8-bit reference never falls on a rounding tie.
void GlDevice::ApplyAlphaTest() {
  const uint32_t function = states_[D3DRS_ALPHAFUNC];
  float reference = static_cast<float>(states_[D3DRS_ALPHAREF] & 255);
  if (function == D3DCMP_GREATER || function == D3DCMP_LESSEQUAL) reference += 0.5f;
  if (function == D3DCMP_LESS || function == D3DCMP_GREATEREQUAL) reference -= 0.5f;
  glAlphaFunc(CompareFunction(function), reference / 255.0f);
}

// The picture's y runs downwards, so its clockwise is the pipeline's
// counter-clockwise.
void GlDevice::ApplyCull() {
  switch (states_[D3DRS_CULLMODE]) {
    case D3DCULL_CW:
      glFrontFace(GL_CW);
      glEnable(GL_CULL_FACE);
      glCullFace(GL_BACK);
      break;
    case D3DCULL_CCW:
      glFrontFace(GL_CCW);
      glEnable(GL_CULL_FACE);
      glCullFace(GL_BACK);
      break;
    default: glDisable(GL_CULL_FACE); break;
  }
}

GfxResult GlDevice::SetRenderState(uint32_t state, uint32_t value) {
  if (state >= kRenderStateCount) return D3DERR_INVALIDCALL;
  states_[state] = value;
  switch (state) {
    case D3DRS_ZENABLE: value != 0 ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST); break;
    case D3DRS_FILLMODE:
      glPolygonMode(GL_FRONT_AND_BACK, value == D3DFILL_POINT       ? GL_POINT
                                       : value == D3DFILL_WIREFRAME ? GL_LINE
                                                                    : GL_FILL);
      break;
    case D3DRS_SHADEMODE: glShadeModel(value == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH); break;
    case D3DRS_ZWRITEENABLE: glDepthMask(value != 0 ? GL_TRUE : GL_FALSE); break;
    case D3DRS_ALPHATESTENABLE: value != 0 ? glEnable(GL_ALPHA_TEST) : glDisable(GL_ALPHA_TEST); break;
    case D3DRS_ALPHAREF:
    case D3DRS_ALPHAFUNC: ApplyAlphaTest(); break;
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
    case D3DRS_BLENDOP:
    case D3DRS_BLENDFACTOR:
    case D3DRS_SEPARATEALPHABLENDENABLE:
    case D3DRS_SRCBLENDALPHA:
    case D3DRS_DESTBLENDALPHA:
    case D3DRS_BLENDOPALPHA: ApplyBlend(); break;
    case D3DRS_ALPHABLENDENABLE: value != 0 ? glEnable(GL_BLEND) : glDisable(GL_BLEND); break;
    case D3DRS_CULLMODE: ApplyCull(); break;
    case D3DRS_ZFUNC: glDepthFunc(CompareFunction(value)); break;
    case D3DRS_STENCILENABLE: value != 0 ? glEnable(GL_STENCIL_TEST) : glDisable(GL_STENCIL_TEST); break;
    case D3DRS_COLORWRITEENABLE:
      glColorMask((value & 1) != 0, (value & 2) != 0, (value & 4) != 0, (value & 8) != 0);
      break;
    default: break;
  }
  return D3D_OK;
}

GfxResult GlDevice::GetRenderState(uint32_t state, uint32_t* value) {
  if (state >= kRenderStateCount) return D3DERR_INVALIDCALL;
  *value = states_[state];
  return D3D_OK;
}

GfxResult GlDevice::SetSamplerState(uint32_t sampler, uint32_t type, uint32_t value) {
  if (sampler >= kStages) return D3DERR_INVALIDCALL;
  GLuint s = sampler_[sampler];
  switch (type) {
    case D3DSAMP_ADDRESSU: glSamplerParameteri(s, GL_TEXTURE_WRAP_S, SamplerAddress(value)); break;
    case D3DSAMP_ADDRESSV: glSamplerParameteri(s, GL_TEXTURE_WRAP_T, SamplerAddress(value)); break;
    case D3DSAMP_MAGFILTER: glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER, SamplerFilter(value)); break;
    case D3DSAMP_MINFILTER: glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER, SamplerFilter(value)); break;
    default: break;  // one level only: the mip filter has nothing to act on
  }
  return D3D_OK;
}

void GlDevice::ApplyStage(uint32_t stage) {
  const StageState& st = stages_[stage];
  glActiveTexture(GL_TEXTURE0 + stage);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  auto apply = [](GLenum combine, GLenum source0, GLenum source1, GLenum operand0, GLenum operand1, uint32_t op,
                  uint32_t arg1, uint32_t arg2, GLenum operand) {
    GLenum mode = GL_REPLACE;
    GLenum first = StageSource(arg1);
    if (op == D3DTOP_MODULATE) mode = GL_MODULATE;
    if (op == D3DTOP_SELECTARG2) first = StageSource(arg2);
    if (op == D3DTOP_DISABLE) first = GL_PREVIOUS;
    glTexEnvi(GL_TEXTURE_ENV, combine, static_cast<GLint>(mode));
    glTexEnvi(GL_TEXTURE_ENV, source0, static_cast<GLint>(first));
    glTexEnvi(GL_TEXTURE_ENV, source1, static_cast<GLint>(StageSource(arg2)));
    glTexEnvi(GL_TEXTURE_ENV, operand0, static_cast<GLint>(operand));
    glTexEnvi(GL_TEXTURE_ENV, operand1, static_cast<GLint>(operand));
  };
  apply(GL_COMBINE_RGB, GL_SRC0_RGB, GL_SRC1_RGB, GL_OPERAND0_RGB, GL_OPERAND1_RGB, st.colourOp, st.colourArg1,
        st.colourArg2, GL_SRC_COLOR);
  apply(GL_COMBINE_ALPHA, GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA, st.alphaOp, st.alphaArg1,
        st.alphaArg2, GL_SRC_ALPHA);
  glActiveTexture(GL_TEXTURE0);
}

GfxResult GlDevice::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
  if (stage >= kStages) return D3DERR_INVALIDCALL;
  StageState& st = stages_[stage];
  switch (type) {
    case D3DTSS_COLOROP: st.colourOp = value; break;
    case D3DTSS_COLORARG1: st.colourArg1 = value; break;
    case D3DTSS_COLORARG2: st.colourArg2 = value; break;
    case D3DTSS_ALPHAOP: st.alphaOp = value; break;
    case D3DTSS_ALPHAARG1: st.alphaArg1 = value; break;
    case D3DTSS_ALPHAARG2: st.alphaArg2 = value; break;
    default: return D3D_OK;
  }
  ApplyStage(stage);
  return D3D_OK;
}

GfxResult GlDevice::SetTransform(uint32_t which, const float* matrix) {
  float* slot = which == D3DTS_VIEW         ? view_
                : which == D3DTS_PROJECTION ? projection_
                : which == D3DTS_WORLD      ? world_
                                            : nullptr;
  if (slot == nullptr) return D3D_OK;
  std::memcpy(slot, matrix, sizeof(float) * 16);
  return D3D_OK;
}

GfxResult GlDevice::GetTransform(uint32_t which, float* matrix) {
  const float* slot = which == D3DTS_VIEW         ? view_
                      : which == D3DTS_PROJECTION ? projection_
                      : which == D3DTS_WORLD      ? world_
                                                  : nullptr;
  if (slot == nullptr) return D3DERR_INVALIDCALL;
  std::memcpy(matrix, slot, sizeof(float) * 16);
  return D3D_OK;
}

GfxResult GlDevice::SetTexture(uint32_t stage, GfxObject texture) {
  if (stage >= kStages) return D3DERR_INVALIDCALL;
  GlObject* object = texture != 0 ? Find(texture) : nullptr;
  if (texture != 0 && (object == nullptr || object->kind != GlKind::kTexture || object->texture == 0)) {
    return D3DERR_INVALIDCALL;
  }
  if (texture != 0) AddRef(texture);
  GfxObject old = stageTexture_[stage];
  stageTexture_[stage] = texture;
  if (old != 0) Release(old);
  glActiveTexture(GL_TEXTURE0 + stage);
  if (object != nullptr) {
    glBindTexture(GL_TEXTURE_2D, object->texture);
    glEnable(GL_TEXTURE_2D);
  } else {
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
  }
  glActiveTexture(GL_TEXTURE0);
  return D3D_OK;
}

GfxResult GlDevice::SetFVF(uint32_t fvf) {
  if (Gfx_VertexSize(fvf) == 0) return D3DERR_INVALIDCALL;
  fvf_ = fvf;
  return D3D_OK;
}

GfxResult GlDevice::SetMaterial(const GfxMaterial& material) {
  material_ = material;
  return D3D_OK;
}

GfxResult GlDevice::SetLight(uint32_t index, const GfxLight& light) {
  if (index >= kLights) return D3DERR_INVALIDCALL;
  lights_[index] = light;
  return D3D_OK;
}

GfxResult GlDevice::LightEnable(uint32_t index, bool enable) {
  if (index >= kLights) return D3DERR_INVALIDCALL;
  lightOn_[index] = enable;
  return D3D_OK;
}

// Pixel centres sit on integer coordinates here and at half coordinates in
// the pipeline: half a pixel right and down in clip space, with y turned so
// that row 0 is the top. Points and lines go a further 1/64 pixel up-left so
// that a coordinate on a pixel centre never rounds into the next pixel.
void GlDevice::ApplyTransforms(uint32_t type) {
  const bool thin = type == D3DPT_POINTLIST || type == D3DPT_LINELIST || type == D3DPT_LINESTRIP;
  const float nudge = thin ? 1.0f - 1.0f / 32.0f : 1.0f;
  float fix[16] = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  fix[12] = nudge / static_cast<float>(viewport_.width);
  fix[13] = nudge / static_cast<float>(viewport_.height);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(fix);
  glMultMatrixf(projection_);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(view_);
  glMultMatrixf(world_);
}

GfxResult GlDevice::Draw(uint32_t type, uint32_t primitiveCount, const uint8_t* base, uint32_t stride,
                         bool fromBuffer) {
  ++m_pixelVersion;
  const uint32_t size = Gfx_VertexSize(fvf_);
  if (size == 0 || stride < size) return D3DERR_INVALIDCALL;
  const uint32_t count = Gfx_VertexCount(type, primitiveCount);
  if (count == 0) return D3DERR_INVALIDCALL;
  ApplyTransforms(type);
  ApplyShadedPipeline();
  const auto s = static_cast<GLsizei>(stride);
  uint32_t offset = 12;
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, s, base);
  if ((fvf_ & D3DFVF_NORMAL) != 0) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, s, base + offset);
    offset += 12;
  } else {
    glDisableClientState(GL_NORMAL_ARRAY);
    glNormal3f(0.0f, 0.0f, 0.0f);
  }
  if ((fvf_ & D3DFVF_DIFFUSE) != 0) {
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, s, base + offset);
    offset += 4;
  } else {
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glClientActiveTexture(GL_TEXTURE0);
  if ((fvf_ & D3DFVF_TEX1) != 0) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, s, base + offset);
  } else {
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glDrawArrays(PrimitiveMode(type), 0, static_cast<GLsizei>(count));
  if (!fromBuffer) glBindBuffer(GL_ARRAY_BUFFER, 0);
  return D3D_OK;
}

GfxResult GlDevice::DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const void* vertices, uint32_t stride) {
  if (vertices == nullptr) return D3DERR_INVALIDCALL;
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return Draw(type, primitiveCount, static_cast<const uint8_t*>(vertices), stride, false);
}

GfxResult GlDevice::DrawPrimitive(uint32_t type, uint32_t startVertex, uint32_t primitiveCount) {
  GlObject* buffer = Find(streamBuffer_);
  if (buffer == nullptr || streamStride_ == 0) return D3DERR_INVALIDCALL;
  const uint64_t first = static_cast<uint64_t>(streamOffset_) + static_cast<uint64_t>(startVertex) * streamStride_;
  const uint64_t end = first + static_cast<uint64_t>(Gfx_VertexCount(type, primitiveCount)) * streamStride_;
  if (end > buffer->bytes) return D3DERR_INVALIDCALL;
  glBindBuffer(GL_ARRAY_BUFFER, buffer->buffer);
  // With a buffer bound, the pointers are offsets into it.
  GfxResult result = Draw(type, primitiveCount, reinterpret_cast<const uint8_t*>(first), streamStride_, true);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return result;
}

GfxResult GlDevice::Clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) {
  ++m_pixelVersion;
  GLbitfield mask = 0;
  if ((flags & D3DCLEAR_TARGET) != 0) {
    float c[4];
    ColourToFloats(colour, c);
    glClearColor(c[0], c[1], c[2], c[3]);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((flags & D3DCLEAR_ZBUFFER) != 0 && depthTarget_ != 0) {
    glClearDepth(z);
    glDepthMask(GL_TRUE);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if ((flags & D3DCLEAR_STENCIL) != 0 && depthTarget_ != 0) {
    glClearStencil(static_cast<GLint>(stencil));
    glStencilMask(0xFF);
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  if (mask != 0) glClear(mask);
  SetRenderState(D3DRS_COLORWRITEENABLE, states_[D3DRS_COLORWRITEENABLE]);
  SetRenderState(D3DRS_ZWRITEENABLE, states_[D3DRS_ZWRITEENABLE]);
  return D3D_OK;
}
