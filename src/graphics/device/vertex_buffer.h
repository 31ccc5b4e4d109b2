// Static vertex buffers: vertices copied to the device once and drawn from
// there any number of times.
#pragma once

#include <cstdint>

#include "graphics/device/batcher.h"
#include "platform/graphics_device.h"

// The vertex format of NormalTexVertex: position, normal, colour, one uv.
constexpr uint32_t kNormalTexFormat = 0x152;

namespace Graphics {

// A write-only buffer holding `count` vertices, filled; 0 when the device
// cannot make or fill one (nothing is left behind).
GfxObject CreateVertexBuffer(const NormalTexVertex* vertices, int32_t count);
void ReleaseVertexBuffer(GfxObject buffer);

}  // namespace Graphics
