// The game window: caption, cursor, colour, place and size, full screen,
// and the mouse in window and room coordinates. Several window properties
// of other desktops are names here that do nothing or answer a fixed value.
#include "builtins/graphics/handlers.h"
#include "runtime/run_flags.h"
#include "shell/window.h"

KV_BUILTIN(F_WindowDoNothing) {}
KV_BUILTIN(F_WindowAnswerZero) { Result_SetReal(result, 0.0); }
KV_BUILTIN(F_WindowGetVisible) { Result_SetReal(result, 1.0); }

KV_BUILTIN(F_WindowSetFullscreen) {
  BuiltinArgs a(argc, args);
  Win_SetFullscreen(a.Bool(0));
}

KV_BUILTIN(F_WindowGetFullscreen) { Result_SetReal(result, Win_GetFullscreen() ? 1.0 : 0.0); }

KV_BUILTIN(F_WindowSetCaption) {
  BuiltinArgs a(argc, args);
  Win_SetCaption(a.Text(0), false);
}

KV_BUILTIN(F_WindowGetCaption) { Result_SetText(result, Win_GetCaption()); }

// Every cursor but none shows one, so the flag the game's options set
// follows.
KV_BUILTIN(F_WindowSetCursor) {
  BuiltinArgs a(argc, args);
  const int32_t cursor = a.Int(0);
  Win_SetCursor(cursor);
  g_showCursor = cursor != kWinCursorNone;
}

KV_BUILTIN(F_WindowGetCursor) { Result_SetReal(result, Win_GetCursor()); }

KV_BUILTIN(F_WindowSetColor) {
  BuiltinArgs a(argc, args);
  Win_SetColor(static_cast<uint32_t>(a.Int(0)));
}

KV_BUILTIN(F_WindowGetColor) { Result_SetReal(result, Win_GetColor()); }

KV_BUILTIN(F_WindowSetPosition) {
  BuiltinArgs a(argc, args);
  Win_SetPosition(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_WindowSetSize) {
  BuiltinArgs a(argc, args);
  Win_SetSize(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_WindowSetRectangle) {
  BuiltinArgs a(argc, args);
  Win_SetRectangle(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

KV_BUILTIN(F_WindowCenter) { Win_Center(); }

KV_BUILTIN(F_WindowGetX) { Result_SetReal(result, Win_GetX()); }
KV_BUILTIN(F_WindowGetY) { Result_SetReal(result, Win_GetY()); }
KV_BUILTIN(F_WindowGetWidth) { Result_SetReal(result, Win_GetWidth()); }
KV_BUILTIN(F_WindowGetHeight) { Result_SetReal(result, Win_GetHeight()); }

KV_BUILTIN(F_WindowMouseGetX) { Result_SetReal(result, Win_GetMouseX()); }
KV_BUILTIN(F_WindowMouseGetY) { Result_SetReal(result, Win_GetMouseY()); }

KV_BUILTIN(F_WindowMouseSet) {
  BuiltinArgs a(argc, args);
  Win_SetMouse(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_WindowViewMouseGetX) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Win_GetViewMouseX(a.Int(0)));
}

KV_BUILTIN(F_WindowViewMouseGetY) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Win_GetViewMouseY(a.Int(0)));
}

KV_BUILTIN(F_WindowViewsMouseGetX) { Result_SetReal(result, Win_GetDeviceMouseX(0)); }
KV_BUILTIN(F_WindowViewsMouseGetY) { Result_SetReal(result, Win_GetDeviceMouseY(0)); }
