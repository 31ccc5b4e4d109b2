#include "platform/window_picture.h"

namespace {

WindowPictureDrawer g_drawer = nullptr;
WindowOverlay g_overlay = nullptr;

}  // namespace

void WindowPicture_SetDrawer(WindowPictureDrawer drawer) { g_drawer = drawer; }

bool WindowPicture_DrawLast() { return g_drawer != nullptr && g_drawer(); }

void WindowPicture_SetOverlay(WindowOverlay overlay) { g_overlay = overlay; }

void WindowPicture_DrawOverlay() {
  if (g_overlay != nullptr) g_overlay();
}
