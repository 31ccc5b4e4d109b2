// Saving the screen, whole or in part, as a BMP file under the save folder.
#include "builtins/graphics/handlers.h"
#include "builtins/graphics/support.h"
#include "builtins/graphics/convert.h"
#include "graphics/bmp_png.h"
#include "graphics/draw_state.h"
#include "graphics/graphics.h"
#include "runtime/memory.h"
#include "shell/file_layer.h"

namespace {

constexpr int32_t kBytesPerPixel = 4;
constexpr char kEmptyName[] = "Trying to save screen to empty image file name.";

}  // namespace

KV_BUILTIN(F_ScreenSave) {
  BuiltinArgs a(argc, args);
  if (!a.IsNonEmptyString(0)) {
    Builtin_Error(kEmptyName);
    return;
  }
  const ScreenSize screen = GR_Get_Screen_Size();
  Graphics_SaveScreenRect(a.Text(0), 0, 0, screen.width, screen.height);
}

// The rectangle is clipped to the screen; nothing at all is written (and
// nothing reported) when no pixel of it remains.
KV_BUILTIN(F_ScreenSavePart) {
  BuiltinArgs a(argc, args);
  if (!a.IsNonEmptyString(0)) {
    Builtin_Error(kEmptyName);
    return;
  }
  const ScreenSize screen = GR_Get_Screen_Size();
  int64_t x = a.Int(1), y = a.Int(2), w = a.Int(3), h = a.Int(4);
  if (x < 0) {
    w += x;
    x = 0;
  }
  if (y < 0) {
    h += y;
    y = 0;
  }
  if (x + w > screen.width) w = screen.width - x;
  if (y + h > screen.height) h = screen.height - y;
  if (w < 1 || h < 1) return;
  Graphics_SaveScreenRect(a.Text(0), static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(w),
                          static_cast<int32_t>(h));
}

bool Graphics_SaveScreenRect(const char* fileName, int32_t x, int32_t y, int32_t w, int32_t h) {
  const ScreenSize screen = GR_Get_Screen_Size();
  uint32_t* pixels = Graphics::ReadScreenPixels(screen.width, screen.height, x, y, w, h);
  if (pixels == nullptr) return false;
  uint32_t size = 0;
  uint8_t* image = GR_Build_BMP(pixels, w, h, &size, kBytesPerPixel);
  MemoryManager::Free(pixels);
  if (image == nullptr) return false;
  const bool written = LoadSave_WriteFile(fileName, image, static_cast<int32_t>(size));
  MemoryManager::Free(image);
  return written;
}
