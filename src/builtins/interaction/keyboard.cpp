// The keyboard: this step's keys, the keys held at this moment, keys the
// game presses itself, the key map and the wait for a key.
#include "builtins/interaction/handlers.h"
#include "platform/sdl/native_messages.h"
#include "runtime/process.h"
#include "world/input/input.h"

namespace {

void Check(ScriptValue* result, int32_t argc, ScriptValue* args, InputTest test) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, IO_CheckKey(test, a.Int(0)) ? 1.0 : 0.0);
}

bool IsKeyCode(int32_t code) { return code >= 0 && code < 256; }

}  // namespace

KV_BUILTIN(F_KeyboardCheck) { Check(result, argc, args, InputTest::kHeld); }
KV_BUILTIN(F_KeyboardCheckPressed) { Check(result, argc, args, InputTest::kPressed); }
KV_BUILTIN(F_KeyboardCheckReleased) { Check(result, argc, args, InputTest::kReleased); }

KV_BUILTIN(F_KeyboardCheckDirect) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Native_GetAsyncKeyState(a.Int(0)) != 0 ? 1.0 : 0.0);
}

// On, and the key itself not held.
KV_BUILTIN(F_KeyboardGetNumlock) { Result_SetReal(result, Native_GetKeyState(VK_NUMLOCK) > 0 ? 1.0 : 0.0); }

KV_BUILTIN(F_KeyboardSetNumlock) {
  BuiltinArgs a(argc, args);
  if (a.Bool(0) == (Native_GetKeyState(VK_NUMLOCK) >= 1)) return;
  Native_KeybdEvent(VK_NUMLOCK, false);
  Native_KeybdEvent(VK_NUMLOCK, true);
}

KV_BUILTIN(F_KeyboardKeyPress) {
  BuiltinArgs a(argc, args);
  Native_KeybdEvent(a.Int(0), false);
}

KV_BUILTIN(F_KeyboardKeyRelease) {
  BuiltinArgs a(argc, args);
  Native_KeybdEvent(a.Int(0), true);
}

KV_BUILTIN(F_KeyboardSetMap) {
  BuiltinArgs a(argc, args);
  const int32_t key = a.Int(0), target = a.Int(1);
  if (IsKeyCode(key) && IsKeyCode(target)) IO_SetKeyMap(key, target);
}

KV_BUILTIN(F_KeyboardGetMap) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, IO_GetKeyMap(a.Int(0)));
}

KV_BUILTIN(F_KeyboardUnsetMap) { IO_ResetKeyMap(); }

KV_BUILTIN(F_KeyboardClear) {
  BuiltinArgs a(argc, args);
  Runner_ProcessMessages();
  IO_ClearKey(a.Int(0));
}

KV_BUILTIN(F_KeyboardWait) { IO_WaitForKey(); }
