// The keyboard: this step's keys, the keys held at this moment, keys the
// game presses itself, the key map and the wait for a key.
#include "builtins/interaction/handlers.h"
#include "platform/native_messages.h"
#include "runtime/process.h"
#include "shell/window_input.h"
#include "world/input/input.h"

namespace {

void Check(ScriptValue* result, int32_t argc, ScriptValue* args, InputTest test) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, IO_CheckKey(test, a.Int(0)) ? 1.0 : 0.0);
}

bool IsKeyCode(int32_t code) { return code >= 0 && code < 256; }

}  // namespace

void F_KeyboardCheck(KV_BUILTIN_PARAMS) { Check(result, argc, args, InputTest::kHeld); }
void F_KeyboardCheckPressed(KV_BUILTIN_PARAMS) { Check(result, argc, args, InputTest::kPressed); }
void F_KeyboardCheckReleased(KV_BUILTIN_PARAMS) { Check(result, argc, args, InputTest::kReleased); }

void F_KeyboardCheckDirect(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Native_GetAsyncKeyState(a.Int(0)) != 0 ? 1.0 : 0.0);
}

// On, and the key itself not held.
void F_KeyboardGetNumlock(KV_BUILTIN_PARAMS) { Result_SetReal(result, Native_GetKeyState(VK_NUMLOCK) > 0 ? 1.0 : 0.0); }

void F_KeyboardSetNumlock(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Bool(0) == (Native_GetKeyState(VK_NUMLOCK) >= 1)) return;
  Native_KeybdEvent(VK_NUMLOCK, false);
  Native_KeybdEvent(VK_NUMLOCK, true);
}

void F_KeyboardKeyPress(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Native_KeybdEvent(a.Int(0), false);
}

void F_KeyboardKeyRelease(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Native_KeybdEvent(a.Int(0), true);
}

void F_KeyboardSetMap(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t key = a.Int(0), target = a.Int(1);
  if (IsKeyCode(key) && IsKeyCode(target)) IO_SetKeyMap(key, target);
}

void F_KeyboardGetMap(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, IO_GetKeyMap(a.Int(0)));
}

void F_KeyboardUnsetMap(KV_BUILTIN_PARAMS) { IO_ResetKeyMap(); }

void F_KeyboardClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Runner_ProcessMessages();
  IO_ClearKey(a.Int(0));
}

void F_KeyboardWait(KV_BUILTIN_PARAMS) { IO_WaitForKey(); }
