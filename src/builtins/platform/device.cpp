// The device and the operating system: the clock, the drawing state, the
// game's configuration, language and display facts, the pointer devices,
// tilt, the pause event and the network.
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"
#include "gamefile/game_header.h"
#include "graphics/device/batcher.h"
#include "graphics/device/render_states.h"
#include "graphics/texture/texture_table.h"
#include "platform/system_info.h"
#include "runtime/timer.h"
#include "shell/window.h"
#include "world/draw/room_draw.h"
#include "world/input/input.h"
#include "world/run/run_state.h"
#include "world/services/platform_services.h"

namespace {

void SetFlag(ScriptValue* result, bool on) { Result_SetReal(result, on ? 1.0 : 0.0); }

void CheckButton(ScriptValue* result, int32_t argc, ScriptValue* args, InputTest test) {
  BuiltinArgs a(argc, args);
  SetFlag(result, IO_CheckButton(test, a.Int(1), a.Int(0)));
}

}  // namespace

void F_GetTimer(KV_BUILTIN_PARAMS) { Result_SetReal(result, static_cast<double>(Timer_GetMicroseconds())); }

void F_EnableAlphaBlend(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!a.IsReal(0)) {
    Builtin_Error("Illegal argument type: true/false expected");
    return;
  }
  Graphics::FlushBatch();
  Graphics::SetRenderState(kStateAlphaBlend, static_cast<uint32_t>(a.Int(0)));
}

void F_DrawTextureFlush(KV_BUILTIN_PARAMS) {
  Graphics::FlushBatch();
  GR_Texture_Flush();
}

void F_GetPlatform(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }
void F_GetDevice(KV_BUILTIN_PARAMS) { Result_SetReal(result, -1.0); }
void F_GetCpuDetails(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }
void F_GetConfig(KV_BUILTIN_PARAMS) { Result_SetText(result, g_gameHeader.configName); }
void F_OsGetLanguage(KV_BUILTIN_PARAMS) { Result_SetText(result, SystemInfo_LanguageCode().c_str()); }
void F_DisplayGetDpi(KV_BUILTIN_PARAMS) { Result_SetReal(result, kSystemInfoDpi); }

void F_DisplaySetGuiSize(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_runValues.guiWidth = a.Int(0);
  g_runValues.guiHeight = a.Int(1);
}

void F_DisplayGetGuiWidth(KV_BUILTIN_PARAMS) { Result_SetReal(result, RoomDraw_GuiArea().width); }
void F_DisplayGetGuiHeight(KV_BUILTIN_PARAMS) { Result_SetReal(result, RoomDraw_GuiArea().height); }
void F_SelectPicture(KV_BUILTIN_PARAMS) { Result_SetReal(result, -1.0); }
void F_GetPictureSprite(KV_BUILTIN_PARAMS) { Result_SetReal(result, -1.0); }

void F_DeviceMouseCheckButton(KV_BUILTIN_PARAMS) { CheckButton(result, argc, args, InputTest::kHeld); }
void F_DeviceMouseCheckButtonPressed(KV_BUILTIN_PARAMS) { CheckButton(result, argc, args, InputTest::kPressed); }
void F_DeviceMouseCheckButtonReleased(KV_BUILTIN_PARAMS) { CheckButton(result, argc, args, InputTest::kReleased); }
void F_DeviceMouseX(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetDeviceMouseX(BuiltinArgs(argc, args).Int(0))); }
void F_DeviceMouseY(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetDeviceMouseY(BuiltinArgs(argc, args).Int(0))); }
void F_DeviceMouseRawX(KV_BUILTIN_PARAMS) { Result_SetReal(result, IO_MouseX(BuiltinArgs(argc, args).Int(0))); }
void F_DeviceMouseRawY(KV_BUILTIN_PARAMS) { Result_SetReal(result, IO_MouseY(BuiltinArgs(argc, args).Int(0))); }

// No tilt sensor reports here.
void F_GetTiltX(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }
void F_GetTiltY(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }
void F_GetTiltZ(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }
void F_IsKeypadOpen(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }

void F_OsIsPaused(KV_BUILTIN_PARAMS) { SetFlag(result, Services_IsPaused()); }
void F_OsIsNetworkConnected(KV_BUILTIN_PARAMS) { SetFlag(result, SystemInfo_NetworkConnected()); }
// Neither power saving nor a screen orientation can be set here.
void F_OsPowersaveEnable(KV_BUILTIN_PARAMS) {}
void F_OsLockOrientation(KV_BUILTIN_PARAMS) {}
