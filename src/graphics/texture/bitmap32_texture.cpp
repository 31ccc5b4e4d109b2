#include "graphics/bitmap/bitmap32.h"
#include "graphics/texture/texture_table.h"

int32_t GR_Texture_Create_From_Bitmap32(const CBitmap32* bitmap) {
  if (bitmap == nullptr || !bitmap->IsValid()) return -1;
  const int32_t w = bitmap->GetWidth(), h = bitmap->GetHeight();
  return GR_Texture_Create_From_Pixels(w, h, bitmap->GetData()->pixels, static_cast<uint32_t>(w * h * 4));
}
