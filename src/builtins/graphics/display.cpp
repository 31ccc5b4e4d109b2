// The display's mode and the mouse on the display. A refused change still
// resets the device, surfaces and all.
#include <cmath>

#include "builtins/graphics/handlers.h"
#include "graphics/device/graphics.h"
#include "graphics/start/graphics_start.h"
#include "world/run/run_state.h"

namespace {

// Beyond any screen's size, rate or depth (the mode list's 16-bit fields).
constexpr double kLargestModeValue = 32767.0;

void SetResult(ScriptValue* result, bool granted) {
  GR_Display_Reset();
  Result_SetReal(result, granted ? 1.0 : 0.0);
}

// A request with NaN or a value too large for any mode in it is refused
// whole; 0 or below leaves a field as it is.
bool Usable(const BuiltinArgs& a, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const double v = a.Real(i);
    if (std::isnan(v) || v > kLargestModeValue) return false;
  }
  return true;
}

}  // namespace

void F_DisplayGetWidth(KV_BUILTIN_PARAMS) { Result_SetReal(result, Graphics::GetScreenWidth()); }
void F_DisplayGetHeight(KV_BUILTIN_PARAMS) { Result_SetReal(result, Graphics::GetScreenHeight()); }
void F_DisplayGetColordepth(KV_BUILTIN_PARAMS) { Result_SetReal(result, Graphics::GetDisplayColorDepth()); }
void F_DisplayGetFrequency(KV_BUILTIN_PARAMS) { Result_SetReal(result, Graphics::GetDisplayFrequency()); }

void F_DisplaySetSize(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetResult(result, Usable(a, 2) && Graphics::SetDisplaySize(a.Int(0), a.Int(1)));
}

void F_DisplaySetColordepth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetResult(result, Usable(a, 1) && Graphics::SetDisplayColorDepth(a.Int(0)));
}

void F_DisplaySetFrequency(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetResult(result, Usable(a, 1) && Graphics::SetDisplayFrequency(a.Int(0)));
}

// Width, height, frequency, colour depth.
void F_DisplaySetAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetResult(result, Usable(a, 4) && Graphics::SetDisplayMode(a.Int(0), a.Int(1), a.Int(2), a.Int(3)));
}

void F_DisplayTestAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const bool accepted = Usable(a, 4) && Graphics::TestDisplayMode(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
  Result_SetReal(result, accepted ? 1.0 : 0.0);
}

// The anti-aliasing level is the low byte of the truncated argument; the
// vertical sync stays as it is. The device is reset at the next frame.
void F_DisplayReset(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Graphics::SetMultisample(static_cast<int32_t>(static_cast<uint32_t>(a.TruncInt(0)) & 0xFFu));
  g_graphicsResetPending = 1;
}

void F_DisplayMouseGetX(KV_BUILTIN_PARAMS) { Result_SetReal(result, Graphics::GetCursorX()); }
void F_DisplayMouseGetY(KV_BUILTIN_PARAMS) { Result_SetReal(result, Graphics::GetCursorY()); }

void F_DisplayMouseSet(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Graphics::SetCursorPosition(a.Int(0), a.Int(1));
}
