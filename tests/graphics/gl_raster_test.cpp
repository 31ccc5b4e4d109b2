// The OpenGL device against the raster rules the drawing code relies on,
// on a headless surfaceless context.
#include <cstring>

#include "graphics/graphics_fixture.h"

namespace {

class GlRaster : public GraphicsTest {
 protected:
  void SetUp() override { StartDevice(false); }
  DeviceTexture* Target(int32_t w, int32_t h) { return Graphics::CreateTexture(w, h, 1, true, 6); }
};

int Lit(const std::vector<uint32_t>& pixels) {
  int n = 0;
  for (uint32_t p : pixels) n += p != 0 ? 1 : 0;
  return n;
}

TEST_F(GlRaster, QuadEdgesOnPixelCentresCoverHalfOpenRangeWithoutOverlap) {
  DeviceTexture* t = Target(16, 16);
  ASSERT_NE(t, nullptr);
  DrawInto(t);
  IGraphicsDevice* d = Graphics::GetDevice();
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
  d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  Quad(2, 2, 6, 6, 0x40404040u);
  Quad(6, 2, 10, 6, 0x40404040u);  // shares the edge x = 6
  Quad(2, 6, 6, 10, 0x40404040u);  // shares the edge y = 6
  Done();
  std::vector<uint32_t> px = Read(t);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool first = x >= 2 && x < 6 && y >= 2 && y < 6;
      const bool right = x >= 6 && x < 10 && y >= 2 && y < 6;
      const bool below = x >= 2 && x < 6 && y >= 6 && y < 10;
      const uint32_t want = (first || right || below) ? 0x40404040u : 0u;
      EXPECT_EQ(px[static_cast<size_t>(y * 16 + x)], want) << x << "," << y;
    }
  }
}

TEST_F(GlRaster, TextureAtHalfPixelOffsetGivesEveryTexelUnderLinearFiltering) {
  const uint32_t texels[8] = {0xFF102030u, 0xFF405060u, 0xFF708090u, 0xFFA0B0C0u,
                              0xFF112233u, 0xFF445566u, 0xFF778899u, 0xFFAABBCCu};
  DeviceTexture* source = Graphics::CreateTexture(4, 2, 1, true, 6);
  ASSERT_NE(source, nullptr);
  GfxObject staging = 0;
  IGraphicsDevice* d = Graphics::GetDevice();
  // Put the texels straight into the target's own texture level.
  ASSERT_EQ(d->CreateTexture(4, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &staging), D3D_OK);
  GfxLockedRect locked;
  ASSERT_EQ(d->LockRect(staging, 0, &locked, 0), D3D_OK);
  std::memcpy(locked.bits, texels, sizeof texels);
  d->UnlockRect(staging, 0);
  ASSERT_EQ(d->UpdateTexture(staging, source->texture), D3D_OK);
  d->Release(staging);
  DeviceTexture* t = Target(8, 8);
  DrawInto(t);
  d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  d->SetTexture(0, source->texture);
  const TexturedVertex v[4] = {{-0.5f, -0.5f, 0, 0xFFFFFFFFu, 0, 0},
                               {3.5f, -0.5f, 0, 0xFFFFFFFFu, 1, 0},
                               {3.5f, 1.5f, 0, 0xFFFFFFFFu, 1, 1},
                               {-0.5f, 1.5f, 0, 0xFFFFFFFFu, 0, 1}};
  d->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
  d->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, v, sizeof(TexturedVertex));
  d->SetTexture(0, 0);
  Done();
  std::vector<uint32_t> px = Read(t);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(px[static_cast<size_t>(y * 8 + x)], texels[y * 4 + x]) << x << "," << y;
  }
  EXPECT_EQ(px[4], 0u);
  EXPECT_EQ(px[2 * 8], 0u);
}

TEST_F(GlRaster, PointsLightTheirPixelAndAllPrimitiveKindsDraw) {
  DeviceTexture* t = Target(16, 16);
  DrawInto(t);
  IGraphicsDevice* d = Graphics::GetDevice();
  d->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  const ColourVertex point{5.5f, 7.5f, 0, 0xFFFFFFFFu};
  d->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof point);
  Done();
  std::vector<uint32_t> px = Read(t);
  EXPECT_EQ(px[7 * 16 + 5], 0xFFFFFFFFu);
  EXPECT_EQ(Lit(px), 1);

  const ColourVertex shape[4] = {
      {1, 1, 0, 0xFF00FF00u}, {12, 1, 0, 0xFF00FF00u}, {12, 12, 0, 0xFF00FF00u}, {1, 12, 0, 0xFF00FF00u}};
  const uint32_t kinds[6][2] = {{D3DPT_POINTLIST, 4},    {D3DPT_LINELIST, 2},      {D3DPT_LINESTRIP, 3},
                                {D3DPT_TRIANGLELIST, 1}, {D3DPT_TRIANGLESTRIP, 2}, {D3DPT_TRIANGLEFAN, 2}};
  for (const auto& kind : kinds) {
    DeviceTexture* u = Target(16, 16);
    DrawInto(u);
    d->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    EXPECT_EQ(d->DrawPrimitiveUP(kind[0], kind[1], shape, sizeof(ColourVertex)), D3D_OK);
    Done();
    EXPECT_GT(Lit(Read(u)), 0) << "primitive type " << kind[0];
    Graphics::FreeTexture(u);
  }
}

TEST_F(GlRaster, TargetChangeResetsViewportAndClearsStayInsideIt) {
  DeviceTexture* a = Target(32, 32);
  DeviceTexture* b = Target(20, 24);
  DrawInto(a);
  Graphics::SetViewport(4, 6, 10, 10);
  Graphics::GetDevice()->Clear(D3DCLEAR_TARGET, 0xFF0000FFu, 1.0f, 0);
  Graphics::SetRenderTargetTexture(0, b);
  GfxViewport v;
  Graphics::GetDevice()->GetViewport(&v);
  EXPECT_EQ(v.x, 0u);
  EXPECT_EQ(v.y, 0u);
  EXPECT_EQ(v.width, 20u);
  EXPECT_EQ(v.height, 24u);
  Done();
  std::vector<uint32_t> px = Read(a);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool inside = x >= 4 && x < 14 && y >= 6 && y < 16;
      EXPECT_EQ(px[static_cast<size_t>(y * 32 + x)], inside ? 0xFF0000FFu : 0u) << x << "," << y;
    }
  }
}

TEST_F(GlRaster, ReadsAreTopRowFirstInArgb) {
  DeviceTexture* t = Target(8, 4);
  DrawInto(t);
  Quad(0, 0, 8, 1, 0x80FF2010u);
  Done();
  std::vector<uint32_t> px = Read(t);
  EXPECT_EQ(px[0], 0x80FF2010u);
  EXPECT_EQ(px[7], 0x80FF2010u);
  EXPECT_EQ(px[3 * 8], 0u);
}

TEST_F(GlRaster, CopiesAreExactAndTargetsShowWhatWasDrawnIntoThem) {
  DeviceTexture* a = Target(16, 16);
  DrawInto(a);
  Quad(0, 0, 16, 16, 0xFF000000u);
  Quad(3, 4, 9, 7, 0xFF123456u);
  Done();
  DeviceTexture* copy = Target(16, 16);
  Graphics::CopyTextureRect(copy, 0, 0, a, 0, 0, 16, 16);
  EXPECT_EQ(Read(copy), Read(a));

  // Drawing with a target after drawing into it shows the new content.
  DrawInto(a);
  Quad(0, 0, 16, 16, 0xFF00FF00u);
  Done();
  DeviceTexture* b = Target(16, 16);
  DrawInto(b);
  Graphics::GetDevice()->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  Graphics::GetDevice()->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  Graphics::SetTexture(0, a);
  const TexturedVertex v[4] = {{0, 0, 0, 0xFFFFFFFFu, 0, 0},
                               {16, 0, 0, 0xFFFFFFFFu, 1, 0},
                               {16, 16, 0, 0xFFFFFFFFu, 1, 1},
                               {0, 16, 0, 0xFFFFFFFFu, 0, 1}};
  Graphics::GetDevice()->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
  Graphics::GetDevice()->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, v, sizeof(TexturedVertex));
  Graphics::SetTexture(0, nullptr);
  Done();
  std::vector<uint32_t> px = Read(b);
  EXPECT_EQ(px[0], 0xFF00FF00u);
  EXPECT_EQ(px[5 * 16 + 5], 0xFF00FF00u);
}

TEST_F(GlRaster, CullModesFollowTheScreenWinding) {
  // (0,0) -> (10,0) -> (0,10) turns clockwise on a screen whose y runs down.
  const ColourVertex clockwise[3] = {{0, 0, 0, 0xFFFFFFFFu}, {10, 0, 0, 0xFFFFFFFFu}, {0, 10, 0, 0xFFFFFFFFu}};
  const uint32_t modes[3][2] = {{D3DCULL_CW, 0}, {D3DCULL_CCW, 1}, {D3DCULL_NONE, 1}};
  for (const auto& mode : modes) {
    DeviceTexture* t = Target(16, 16);
    DrawInto(t);
    Graphics::GetDevice()->SetRenderState(D3DRS_CULLMODE, mode[0]);
    Graphics::GetDevice()->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    Graphics::GetDevice()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, clockwise, sizeof(ColourVertex));
    Done();
    EXPECT_EQ(Lit(Read(t)) > 0, mode[1] == 1) << "cull mode " << mode[0];
    Graphics::FreeTexture(t);
  }
}

TEST_F(GlRaster, VertexBufferDrawEqualsClientMemoryDraw) {
  const ColourVertex tri[3] = {{1, 1, 0, 0xFFFF0000u}, {14, 3, 0, 0xFF00FF00u}, {4, 13, 0, 0xFF0000FFu}};
  IGraphicsDevice* d = Graphics::GetDevice();
  DeviceTexture* up = Target(16, 16);
  DrawInto(up);
  d->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  d->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, tri, sizeof(ColourVertex));
  Done();
  GfxObject buffer = 0;
  ASSERT_EQ(d->CreateVertexBuffer(sizeof tri + 16, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &buffer), D3D_OK);
  void* data = nullptr;
  ASSERT_EQ(d->LockVertexBuffer(buffer, 0, 0, &data, 0), D3D_OK);
  std::memcpy(static_cast<uint8_t*>(data) + 16, tri, sizeof tri);
  d->UnlockVertexBuffer(buffer);
  DeviceTexture* vb = Target(16, 16);
  DrawInto(vb);
  d->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  d->SetStreamSource(0, buffer, 0, sizeof(ColourVertex));
  EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLELIST, 1, 1), D3D_OK);
  // A draw past the end of the buffer is refused.
  EXPECT_EQ(d->DrawPrimitive(D3DPT_TRIANGLELIST, 2, 1), D3DERR_INVALIDCALL);
  d->SetStreamSource(0, 0, 0, 0);
  d->Release(buffer);
  Done();
  EXPECT_EQ(Read(vb), Read(up));
}

}  // namespace
