// The device and the operating system: the clock, the drawing state, the
// game's configuration, language and display facts, the pointer devices,
// tilt, the pause event and the network.
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"
#include "gamefile/game_header.h"
#include "graphics/device/render_states.h"
#include "graphics/draw/batcher.h"
#include "graphics/texture/texture_table.h"
#include "platform/system_info.h"
#include "runtime/timer.h"
#include "shell/window.h"
#include "world/draw/room_draw.h"
#include "world/input/input.h"
#include "world/loop/run_state.h"
#include "world/services/platform_services.h"

namespace {

void SetFlag(ScriptValue* result, bool on) { Result_SetReal(result, on ? 1.0 : 0.0); }

void CheckButton(ScriptValue* result, int32_t argc, ScriptValue* args, InputTest test) {
  BuiltinArgs a(argc, args);
  SetFlag(result, IO_CheckButton(test, a.Int(1), a.Int(0)));
}

}  // namespace

KV_BUILTIN(F_GetTimer) { Result_SetReal(result, static_cast<double>(Timer_GetMicroseconds())); }

KV_BUILTIN(F_EnableAlphaBlend) {
  BuiltinArgs a(argc, args);
  if (!a.IsReal(0)) {
    Builtin_Error("Illegal argument type: true/false expected");
    return;
  }
  Graphics::FlushBatch();
  Graphics::SetRenderState(kStateAlphaBlend, static_cast<uint32_t>(a.Int(0)));
}

KV_BUILTIN(F_DrawTextureFlush) {
  Graphics::FlushBatch();
  GR_Texture_Flush();
}

KV_BUILTIN(F_GetPlatform) { Result_SetReal(result, 0.0); }
KV_BUILTIN(F_GetDevice) { Result_SetReal(result, -1.0); }
KV_BUILTIN(F_GetCpuDetails) { Result_SetReal(result, 0.0); }
KV_BUILTIN(F_GetConfig) { Result_SetText(result, g_gameHeader.configName); }
KV_BUILTIN(F_OsGetLanguage) { Result_SetText(result, SystemInfo_LanguageCode().c_str()); }
KV_BUILTIN(F_DisplayGetDpi) { Result_SetReal(result, kSystemInfoDpi); }

KV_BUILTIN(F_DisplaySetGuiSize) {
  BuiltinArgs a(argc, args);
  g_runValues.guiWidth = a.Int(0);
  g_runValues.guiHeight = a.Int(1);
}

KV_BUILTIN(F_DisplayGetGuiWidth) { Result_SetReal(result, RoomDraw_GuiArea().width); }
KV_BUILTIN(F_DisplayGetGuiHeight) { Result_SetReal(result, RoomDraw_GuiArea().height); }
KV_BUILTIN(F_SelectPicture) { Result_SetReal(result, -1.0); }
KV_BUILTIN(F_GetPictureSprite) { Result_SetReal(result, -1.0); }

KV_BUILTIN(F_DeviceMouseCheckButton) { CheckButton(result, argc, args, InputTest::kHeld); }
KV_BUILTIN(F_DeviceMouseCheckButtonPressed) { CheckButton(result, argc, args, InputTest::kPressed); }
KV_BUILTIN(F_DeviceMouseCheckButtonReleased) { CheckButton(result, argc, args, InputTest::kReleased); }
KV_BUILTIN(F_DeviceMouseX) { Result_SetReal(result, Win_GetDeviceMouseX(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_DeviceMouseY) { Result_SetReal(result, Win_GetDeviceMouseY(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_DeviceMouseRawX) { Result_SetReal(result, IO_MouseX(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_DeviceMouseRawY) { Result_SetReal(result, IO_MouseY(BuiltinArgs(argc, args).Int(0))); }

// No tilt sensor reports here.
KV_BUILTIN(F_GetTiltX) { Result_SetReal(result, 0.0); }
KV_BUILTIN(F_GetTiltY) { Result_SetReal(result, 0.0); }
KV_BUILTIN(F_GetTiltZ) { Result_SetReal(result, 0.0); }
KV_BUILTIN(F_IsKeypadOpen) { Result_SetReal(result, 0.0); }

KV_BUILTIN(F_OsIsPaused) { SetFlag(result, Services_IsPaused()); }
KV_BUILTIN(F_OsIsNetworkConnected) { SetFlag(result, SystemInfo_NetworkConnected()); }
// Neither power saving nor a screen orientation can be set here.
KV_BUILTIN(F_OsPowersaveEnable) {}
KV_BUILTIN(F_OsLockOrientation) {}
