// Blending, alpha testing, texture stages and samplers on the OpenGL device.
#include <cstring>

#include "graphics/graphics_fixture.h"

namespace {

class GlStates : public GraphicsTest {
 protected:
  void SetUp() override { StartDevice(false); }
  // One pixel: `destination` cleared, then a quad in `source` drawn over it.
  uint32_t Blend(uint32_t sourceFactor, uint32_t destinationFactor, uint32_t source, uint32_t destination) {
    DeviceTexture* t = Graphics::CreateTexture(2, 2, 1, true, 6);
    DrawInto(t);
    IGraphicsDevice* d = Graphics::GetDevice();
    d->Clear(D3DCLEAR_TARGET, destination, 1.0f, 0);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    d->SetRenderState(D3DRS_SRCBLEND, sourceFactor);
    d->SetRenderState(D3DRS_DESTBLEND, destinationFactor);
    Quad(-1, -1, 3, 3, source);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    Done();
    uint32_t pixel = Read(t)[0];
    Graphics::FreeTexture(t);
    return pixel;
  }
};

double Channel(uint32_t c, int shift) { return static_cast<double>((c >> shift) & 255) / 255.0; }

// The factor's value for one channel (shift 24 is alpha).
double Factor(uint32_t factor, uint32_t s, uint32_t d, int shift, uint32_t constant) {
  const double sa = Channel(s, 24), da = Channel(d, 24);
  switch (factor) {
    case D3DBLEND_ZERO: return 0;
    case D3DBLEND_ONE: return 1;
    case D3DBLEND_SRCCOLOR: return Channel(s, shift);
    case D3DBLEND_INVSRCCOLOR: return 1 - Channel(s, shift);
    case D3DBLEND_SRCALPHA: return sa;
    case D3DBLEND_INVSRCALPHA: return 1 - sa;
    case D3DBLEND_DESTALPHA: return da;
    case D3DBLEND_INVDESTALPHA: return 1 - da;
    case D3DBLEND_DESTCOLOR: return Channel(d, shift);
    case D3DBLEND_INVDESTCOLOR: return 1 - Channel(d, shift);
    case D3DBLEND_SRCALPHASAT: return shift == 24 ? 1 : (sa < 1 - da ? sa : 1 - da);
    case D3DBLEND_BLENDFACTOR: return Channel(constant, shift);
    case D3DBLEND_INVBLENDFACTOR: return 1 - Channel(constant, shift);
    default: return -1;
  }
}

TEST_F(GlStates, EveryBlendFactorMatchesItsFormula) {
  const uint32_t s = 0x80C04020u, d = 0x40306090u;
  for (uint32_t factor = D3DBLEND_ZERO; factor <= D3DBLEND_INVBLENDFACTOR; ++factor) {
    if (factor == D3DBLEND_BOTHSRCALPHA || factor == D3DBLEND_BOTHINVSRCALPHA) continue;
    const uint32_t asSource = Blend(factor, D3DBLEND_ZERO, s, d);
    const uint32_t asDestination = Blend(D3DBLEND_ZERO, factor, s, d);
    for (int shift = 0; shift < 32; shift += 8) {
      const double f = Factor(factor, s, d, shift, 0xFFFFFFFFu);
      const double wantSource = f * Channel(s, shift) * 255, wantDestination = f * Channel(d, shift) * 255;
      EXPECT_NEAR(static_cast<double>((asSource >> shift) & 255), wantSource, 1.01) << factor << " as source";
      if (factor != D3DBLEND_SRCALPHASAT) {
        EXPECT_NEAR(static_cast<double>((asDestination >> shift) & 255), wantDestination, 1.01) << factor;
      }
    }
  }
  // The "both" factors set the destination as well: a plain alpha blend.
  const uint32_t both = Blend(D3DBLEND_BOTHSRCALPHA, D3DBLEND_ZERO, 0x80FF0000u, 0xFF0000FFu);
  EXPECT_LE(ChannelDistance(both, Blend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0x80FF0000u, 0xFF0000FFu)), 0);
}

TEST_F(GlStates, AlphaGreaterThanZeroDropsOnlyTransparentPixels) {
  DeviceTexture* t = Graphics::CreateTexture(4, 1, 1, true, 6);
  DrawInto(t);
  IGraphicsDevice* d = Graphics::GetDevice();
  d->SetRenderState(D3DRS_ALPHATESTENABLE, 1);
  d->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
  d->SetRenderState(D3DRS_ALPHAREF, 0);
  Quad(0, 0, 1, 1, 0x00FFFFFFu);
  Quad(1, 0, 2, 1, 0x01FFFFFFu);
  d->SetRenderState(D3DRS_ALPHAREF, 128);
  Quad(2, 0, 3, 1, 0x80FFFFFFu);
  Quad(3, 0, 4, 1, 0x81FFFFFFu);
  d->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
  Done();
  const std::vector<uint32_t> px = Read(t);
  EXPECT_EQ(px[0], 0u);
  EXPECT_EQ(px[1], 0x01FFFFFFu);
  EXPECT_EQ(px[2], 0u);
  EXPECT_EQ(px[3], 0x81FFFFFFu);
}

TEST_F(GlStates, StagesAndSamplersShapeTexturedPixels) {
  // A 64x64 texture: left half red, right half blue.
  std::vector<uint32_t> texels(64 * 64);
  for (int i = 0; i < 64 * 64; ++i) texels[static_cast<size_t>(i)] = (i % 64) < 32 ? 0xFFFF0000u : 0xFF0000FFu;
  DeviceTexture* tex = Graphics::CreateTextureFromPixels(texels.data(), 64, 64, nullptr);
  IGraphicsDevice* d = Graphics::GetDevice();
  auto draw = [&](uint32_t colourOp, uint32_t address, float u0, float u1) {
    DeviceTexture* t = Graphics::CreateTexture(4, 1, 1, true, 6);
    DrawInto(t);
    d->SetTextureStageState(0, D3DTSS_COLOROP, colourOp);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, colourOp);
    d->SetSamplerState(0, D3DSAMP_ADDRESSU, address);
    d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    Graphics::DrawTexturedRect(tex, -0.5f, -0.5f, 3.5f, 0.5f, u0, 0.5f / 64, u1, 0.5f / 64, 0xFF808080u);
    Graphics::SetTexture(0, nullptr);
    Done();
    std::vector<uint32_t> px = Read(t);
    Graphics::FreeTexture(t);
    return px;
  };
  // Modulate halves red by the grey vertex colour; select keeps the texel.
  EXPECT_LE(ChannelDistance(draw(D3DTOP_MODULATE, D3DTADDRESS_WRAP, 0, 0.25f)[0], 0xFF800000u), 1);
  EXPECT_EQ(draw(D3DTOP_SELECTARG1, D3DTADDRESS_WRAP, 0, 0.25f)[0], 0xFFFF0000u);
  // Pixel 1 samples u = 1.125: wrapped that is red, clamped it is the blue edge.
  EXPECT_EQ(draw(D3DTOP_SELECTARG1, D3DTADDRESS_WRAP, 0.75f, 1.75f)[1], 0xFFFF0000u);
  EXPECT_EQ(draw(D3DTOP_SELECTARG1, D3DTADDRESS_CLAMP, 0.75f, 1.75f)[1], 0xFF0000FFu);
}

}  // namespace
