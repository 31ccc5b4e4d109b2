// A graphics system and device that draw nothing and write down every call,
// one line each, so that tests can check what the graphics layer asked for
// and in which order. Objects keep sizes and reference counts; any call can
// be made to fail by name.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/graphics_device.h"

struct FakeGraphicsLog {
  std::vector<std::string> calls;
  // Call name -> how many of its next calls fail, and with what result.
  std::map<std::string, int> failCount;
  std::map<std::string, GfxResult> failResult;
  std::vector<GfxDesktopMode> modes{{0, 0, 1920, 1080, 32, 60}};
  GfxDesktopMode desktop{0, 0, 1920, 1080, 32, 60};
  uint32_t rasterCaps = D3DPRASTERCAPS_FOGTABLE;
  uint32_t liveObjects = 0;
  // The last light set at each index.
  std::map<uint32_t, GfxLight> lights;
  // The vertex bytes of the last DrawPrimitiveUP call, kept only when asked
  // for (copying them would weigh on the benchmarks run on the fake).
  bool keepVertices = false;
  std::vector<uint8_t> lastVertices;
  // With keepVertices and keepEveryDraw as well, the vertex bytes of every
  // DrawPrimitiveUP call in order, for tests that compare whole streams.
  bool keepEveryDraw = false;
  std::vector<std::vector<uint8_t>> drawnVertices;
  void Fail(const std::string& call, int times = 1, GfxResult result = D3DERR_INVALIDCALL) {
    failCount[call] = times;
    failResult[call] = result;
  }
  // The failure the named call should give now, or D3D_OK.
  GfxResult Check(const std::string& call);
  bool Has(const std::string& prefix) const;
  void Clear() {
    calls.clear();
    lights.clear();
    keepVertices = false;
    lastVertices.clear();
    keepEveryDraw = false;
    drawnVertices.clear();
  }
};

// The one log every fake system and device writes to.
FakeGraphicsLog& FakeGraphics_Log();
// The fake's factory, for PlatformBackends::graphics.
IGraphicsSystem* FakeGraphics_CreateSystem();
