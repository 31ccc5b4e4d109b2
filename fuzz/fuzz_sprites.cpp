// Hostile bytes as a sprite chunk (first byte even) or as an image file cut
// into frames (odd); whatever loads is then put through every collision test.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/bitmap/bitmap_loader.h"
#include "resources/sprite.h"
#include "runtime/console.h"

namespace {

class Silent : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char*, ...) override {}
};

// The scans take time in proportion to the boxes, which a record may make
// as large as it likes; only their answers are checked here, not their pace.
void Collide(const CSprite& sprite, uint8_t seed) {
  const SpriteBox& b = sprite.bbox;
  if (int64_t{sprite.width} * sprite.height > 4096 || int64_t{b.right} - b.left > 64 ||
      int64_t{b.bottom} - b.top > 64) {
    return;
  }
  // A record's box may lie at the edge of the 32-bit range: widened, it is
  // held there.
  const auto moved = [](int32_t v, int32_t by) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} + by, INT32_MIN, INT32_MAX));
  };
  const SpriteBox box{moved(b.left, -2), moved(b.top, -2), moved(b.right, 2), moved(b.bottom, 2)};
  const float angle = static_cast<float>(seed) * 7.5f;
  const SpritePlacement plain{seed - 128, box, 0, 0, 1.0f, 1.0f, 0.0f};
  const SpritePlacement turned{seed, box, 1, -1, 0.5f, -2.0f, angle};
  sprite.CollisionInstance(plain, &sprite, turned);
  sprite.CollisionPoint(turned, 1, 1);
  sprite.CollisionRectangle(turned, box);
  sprite.CollisionEllipse(plain, {box.left, box.top, box.left, box.bottom});
  sprite.CollisionLine(turned, box.left, box.top, moved(box.right, 3), box.bottom);
  delete sprite.FrameBox(seed);
}

// Making frames takes time in proportion to their pixels (about a
// microsecond each here), and a GIF of a few dozen bytes may declare
// millions of them in every frame; only the answers are checked here, not
// the pace, so images past 256 by 256 are left out.
constexpr int64_t kMostPixels = int64_t{1} << 16;

int64_t Pixels(BitmapLoader* loader) {
  loader->IsMultiFrame();
  TBitmap* first = loader->GetFrame(0);
  if (first == nullptr) return 0;
  const int64_t pixels = int64_t{first->GetWidth()} * first->GetHeight() * loader->GetFrameCount();
  delete first;
  return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static Silent silent;
  g_debugConsole = &silent;
  const uint8_t mode = data[0];
  if ((mode & 1) == 0) {
    GameImage image;
    image.Assign(std::vector<uint8_t>(data + 1, data + size));
    Sprite_Load(image, 0, static_cast<uint32_t>(size - 1));
    for (int32_t i = 0; i < Sprite_Count(); ++i) {
      if (CSprite* sprite = Sprite_Get(i)) Collide(*sprite, mode);
    }
    Sprite_Init();
    return 0;
  }
  BitmapLoader* loader = BitmapLoader_CreateFromMemory(data + 1, static_cast<int64_t>(size - 1));
  if (Pixels(loader) > kMostPixels) {
    delete loader;
    return 0;
  }
  CSprite sprite;
  if (sprite.LoadFromImage(loader, mode >> 1, true, true, (mode & 2) != 0, false, mode & 7, 0, (mode & 4) != 0)) {
    Collide(sprite, mode);
  }
  delete loader;
  return 0;
}
