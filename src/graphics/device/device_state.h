// The device layer's own state, shared by its files.
#pragma once
#include <vector>

#include "graphics/device/graphics.h"

struct AdapterRecord {
  GfxCaps caps;
  GfxAdapterIdentifier identifier;
  GfxDesktopMode desktop;
  uint32_t ordinal;
  uint32_t flags;  // bit 0: taller than wide; bit 1: group master
  std::vector<DisplayModeEntry> modes;
};

struct DeviceState {
  DeviceWindow* window = nullptr;
  IGraphicsSystem* system = nullptr;
  IGraphicsDevice* device = nullptr;
  GfxPresentParameters present{};
  uint32_t behaviour = 0;
  uint32_t texturePool = D3DPOOL_MANAGED;
  uint32_t multisampleType = 0;
  uint32_t swapEffect = D3DSWAPEFFECT_COPY;
  uint32_t multisampleMask = 0;
  bool vsync = false;
  bool keepAspect = false;
  bool screenInterpolation = false;
  DeviceTexture* screenTexture = nullptr;
  int32_t sceneDepth = 0;
  int32_t backBufferWidth = 0, backBufferHeight = 0;
  int32_t requestedWidth = -1, requestedHeight = -1;
  std::vector<AdapterRecord> adapters;
  GfxCaps caps{};
};

DeviceState& Device_State();
