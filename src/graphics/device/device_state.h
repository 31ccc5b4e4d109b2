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
  // The render target pixel reads copy into, kept for the next read of the
  // same size; 0 when there is none.
  GfxObject readBack = 0;
  int32_t readBackWidth = 0, readBackHeight = 0;
  // A whole surface as last read back, good while the device's pixel
  // version stays at copyVersion; and the version right after the last read,
  // which tells a run of reads with no drawing between them.
  uint32_t* copy = nullptr;
  GfxObject copySurface = 0;
  int32_t copyWidth = 0, copyHeight = 0;
  uint64_t copyVersion = 0, lastReadVersion = 0;
};

// Gives the read-back target back to the device and forgets the surface
// copy (before a reset or release).
void DeviceState_DropReadBack(DeviceState& s);

DeviceState& Device_State();
