// The display's mode, which this player never changes, and the mouse on the
// display. A refused change still resets the device, surfaces and all.
#include "builtins/graphics/handlers.h"
#include "graphics/device/graphics.h"
#include "graphics/device/graphics_start.h"
#include "world/loop/run_state.h"

namespace {

void SetResult(ScriptValue* result, bool granted) {
  GR_Display_Reset();
  Result_SetReal(result, granted ? 1.0 : 0.0);
}

}  // namespace

KV_BUILTIN(F_DisplayGetWidth) { Result_SetReal(result, Graphics::GetScreenWidth()); }
KV_BUILTIN(F_DisplayGetHeight) { Result_SetReal(result, Graphics::GetScreenHeight()); }
KV_BUILTIN(F_DisplayGetColordepth) { Result_SetReal(result, Graphics::GetDisplayColorDepth()); }
KV_BUILTIN(F_DisplayGetFrequency) { Result_SetReal(result, Graphics::GetDisplayFrequency()); }

KV_BUILTIN(F_DisplaySetSize) {
  BuiltinArgs a(argc, args);
  SetResult(result, Graphics::SetDisplaySize(a.Int(0), a.Int(1)));
}

KV_BUILTIN(F_DisplaySetColordepth) {
  BuiltinArgs a(argc, args);
  SetResult(result, Graphics::SetDisplayColorDepth(a.Int(0)));
}

KV_BUILTIN(F_DisplaySetFrequency) {
  BuiltinArgs a(argc, args);
  SetResult(result, Graphics::SetDisplayFrequency(a.Int(0)));
}

// Width, height, frequency, colour depth.
KV_BUILTIN(F_DisplaySetAll) {
  BuiltinArgs a(argc, args);
  SetResult(result, Graphics::SetDisplayMode(a.Int(0), a.Int(1), a.Int(2), a.Int(3)));
}

KV_BUILTIN(F_DisplayTestAll) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Graphics::TestDisplayMode(a.Int(0), a.Int(1), a.Int(2), a.Int(3)) ? 1.0 : 0.0);
}

// The anti-aliasing level is the low byte of the truncated argument; the
// vertical sync stays as it is. The device is reset at the next frame.
KV_BUILTIN(F_DisplayReset) {
  BuiltinArgs a(argc, args);
  Graphics::SetMultisample(static_cast<int32_t>(static_cast<uint32_t>(a.TruncInt(0)) & 0xFFu));
  g_graphicsResetPending = 1;
}

KV_BUILTIN(F_DisplayMouseGetX) { Result_SetReal(result, Graphics::GetCursorX()); }
KV_BUILTIN(F_DisplayMouseGetY) { Result_SetReal(result, Graphics::GetCursorY()); }

KV_BUILTIN(F_DisplayMouseSet) {
  BuiltinArgs a(argc, args);
  Graphics::SetCursorPosition(a.Int(0), a.Int(1));
}
