#include "graphics/start/graphics_start.h"

#include <cstring>

#include "graphics/3d/model_3d.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/overlay/profiler.h"
#include "graphics/surface/surfaces.h"
#include "graphics/texture/texture_table.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/timer.h"

namespace {

constexpr uint32_t kClearAll = 7;
int32_t ClampToScreen(int32_t value, int32_t screen) { return value > screen ? screen : value; }

// Copies a whole surface through a lockable one of the same size.
uint32_t* ReadWholeSurface(IGraphicsDevice* device, GfxObject surface, int32_t w, int32_t h) {
  GfxObject copy = 0;
  if (device->CreateRenderTarget(static_cast<uint32_t>(w), static_cast<uint32_t>(h), D3DFMT_A8R8G8B8, 0, 0, true,
                                 &copy) != D3D_OK) {
    return nullptr;
  }
  const GfxRect all{0, 0, w, h};
  GfxLockedRect locked{};
  uint32_t* block = nullptr;
  if (device->StretchRect(surface, &all, copy, &all, D3DTEXF_POINT) == D3D_OK &&
      device->LockRect(copy, 0, &locked, D3DLOCK_READONLY) == D3D_OK) {
    block = static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, true));
    for (int32_t row = 0; block != nullptr && locked.bits != nullptr && row < h; ++row) {
      std::memcpy(
          block + static_cast<size_t>(row) * static_cast<size_t>(w),
          static_cast<const uint8_t*>(locked.bits) + static_cast<size_t>(row) * static_cast<size_t>(locked.pitch),
          static_cast<size_t>(w) * 4);
    }
    device->UnlockRect(copy, 0);
  }
  device->Release(copy);
  return block;
}

}  // namespace

bool GR_D3D_Init(DeviceWindow* window, int32_t width, int32_t height, uint32_t flags) {
  g_screenSize =
      ScreenSize{ClampToScreen(width, Graphics::GetScreenWidth()), ClampToScreen(height, Graphics::GetScreenHeight())};
  g_drawState.startInterpolation = (flags & Graphics::kCreateInterpolate) != 0;
  Graphics::SetLostDeviceHandler(GR_Display_Reset);
  const bool created = Graphics::CreateDevice(window, width, height, flags);
  GR_Texture_Table_Free();
  GR_Restore_Render_States();
  Graphics::Clear(0, 1.0f, 0, kClearAll);
  DeviceTexture* screen = Graphics::ScreenTexture();
  if (Graphics::HasDevice() && screen != nullptr) {
    const int32_t w = DeviceTexture_Width(screen), h = DeviceTexture_Height(screen);
    GR_Set_Viewport(0, 0, w, h);
    GR_Set_View_Projection(0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h), 0.0f);
  }
  Graphics::InitFrameClock();
  return created;
}

bool GR_Display_Reset() {
  g_debugConsole->Output("Free all surfaces\n");
  GR_Surface_Free_All();
  g_debugConsole->Output("Graphics::Reset()\n");
  if (!Graphics::Reset()) return false;
  g_debugConsole->Output("Graphics::Clear()\n");
  Graphics::Clear(0, 1.0f, 0, kClearAll);
  g_debugConsole->Output("D3D Settings Init\n");
  GR_Restore_Render_States();
  return true;
}

bool GR_D3D_Start_Frame() {
  if (!Graphics::HasDevice()) return false;
  Graphics::BeginScene();
  return true;
}

bool GR_D3D_Finish_Frame(bool present) {
  if (!Graphics::HasDevice()) return false;
  GR_Surface_Frame_End();
  Graphics::EndScene();
  if (present) {
    const int64_t start = Timer_GetMicroseconds();
    Graphics::Present();
    g_presentTime = Timer_GetMicroseconds() - start;
  }
  return true;
}

// Every texture goes before the device that made them.
void GR_D3D_Shutdown() {
  GR_3D_Model_Free_All();
  GR_Surface_Free_All();
  Graphics::Shutdown();
  GR_Texture_Free_All();
  while (Graphics::TextureList() != nullptr) Graphics::FreeTexture(Graphics::TextureList());
  Graphics::Release();
}

uint32_t* GR_Read_Back_Buffer(int32_t* width, int32_t* height) {
  *width = *height = 0;
  IGraphicsDevice* device = Graphics::GetDevice();
  if (device == nullptr || Graphics::SceneDepth() != 0) return nullptr;
  int32_t w = 0, h = 0;
  Graphics::GetBackBufferSize(&w, &h);
  GfxObject back = 0;
  if (w <= 0 || h <= 0 || device->GetRenderTarget(0, &back) != D3D_OK) return nullptr;
  uint32_t* block = ReadWholeSurface(device, back, w, h);
  device->Release(back);
  if (block != nullptr) {
    *width = w;
    *height = h;
  }
  return block;
}
