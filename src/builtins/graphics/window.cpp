// The game window: caption, cursor, colour, place and size, full screen,
// and the mouse in window and room coordinates. Several window properties
// of other desktops are names here that do nothing or answer a fixed value.
#include "shell/window.h"
#include "builtins/graphics/handlers.h"
#include "runtime/run_flags.h"

void F_WindowDoNothing(KV_BUILTIN_PARAMS) {}
void F_WindowAnswerZero(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }
void F_WindowGetVisible(KV_BUILTIN_PARAMS) { Result_SetReal(result, 1.0); }

void F_WindowSetFullscreen(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Win_SetFullscreen(a.Bool(0));
}

void F_WindowGetFullscreen(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetFullscreen() ? 1.0 : 0.0); }

void F_WindowSetCaption(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Win_SetCaption(a.Text(0), false);
}

void F_WindowGetCaption(KV_BUILTIN_PARAMS) { Result_SetText(result, Win_GetCaption()); }

// Every cursor but none shows one, so the flag the game's options set
// follows.
void F_WindowSetCursor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t cursor = a.Int(0);
  Win_SetCursor(cursor);
  g_showCursor = cursor != kWinCursorNone;
}

void F_WindowGetCursor(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetCursor()); }

void F_WindowSetColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Win_SetColor(static_cast<uint32_t>(a.Int(0)));
}

void F_WindowGetColor(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetColor()); }

void F_WindowSetPosition(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Win_SetPosition(a.Int(0), a.Int(1));
}

void F_WindowSetSize(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Win_SetSize(a.Int(0), a.Int(1));
}

void F_WindowSetRectangle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Win_SetRectangle(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

void F_WindowCenter(KV_BUILTIN_PARAMS) { Win_Center(); }

void F_WindowGetX(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetX()); }
void F_WindowGetY(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetY()); }
void F_WindowGetWidth(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetWidth()); }
void F_WindowGetHeight(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetHeight()); }

void F_WindowMouseGetX(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetMouseX()); }
void F_WindowMouseGetY(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetMouseY()); }

void F_WindowMouseSet(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Win_SetMouse(a.Int(0), a.Int(1));
}

void F_WindowViewMouseGetX(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Win_GetViewMouseX(a.Int(0)));
}

void F_WindowViewMouseGetY(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Win_GetViewMouseY(a.Int(0)));
}

void F_WindowViewsMouseGetX(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetDeviceMouseX(0)); }
void F_WindowViewsMouseGetY(KV_BUILTIN_PARAMS) { Result_SetReal(result, Win_GetDeviceMouseY(0)); }
