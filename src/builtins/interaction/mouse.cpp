// The system mouse's buttons and wheel in this step, the wait for a button,
// and handling or clearing the input as a whole.
#include "builtins/interaction/handlers.h"
#include "runtime/process.h"
#include "world/input/input.h"

namespace {

constexpr int32_t kSystemMouse = 0;

// Not read anywhere yet: the flag only keeps what a caller set.
bool g_doubleClicks = false;

void Check(ScriptValue* result, int32_t argc, ScriptValue* args, InputTest test) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, IO_CheckButton(test, a.Int(0), kSystemMouse) ? 1.0 : 0.0);
}

}  // namespace

KV_BUILTIN(F_MouseCheckButton) { Check(result, argc, args, InputTest::kHeld); }
KV_BUILTIN(F_MouseCheckButtonPressed) { Check(result, argc, args, InputTest::kPressed); }
KV_BUILTIN(F_MouseCheckButtonReleased) { Check(result, argc, args, InputTest::kReleased); }
KV_BUILTIN(F_MouseWheelUp) { Result_SetReal(result, IO_WheelUp(kSystemMouse) ? 1.0 : 0.0); }
KV_BUILTIN(F_MouseWheelDown) { Result_SetReal(result, IO_WheelDown(kSystemMouse) ? 1.0 : 0.0); }

KV_BUILTIN(F_MouseClear) {
  BuiltinArgs a(argc, args);
  Runner_ProcessMessages();
  IO_ClearButton(a.Int(0), kSystemMouse);
}

KV_BUILTIN(F_MouseWait) { IO_WaitForButton(); }

KV_BUILTIN(F_IoClear) {
  Runner_ProcessMessages();
  IO_Clear();
}

KV_BUILTIN(F_IoHandle) { Runner_ProcessMessages(); }

KV_BUILTIN(F_DeviceMouseDbclickEnable) {
  BuiltinArgs a(argc, args);
  if (a.Count() == 1 && a.IsReal(0)) g_doubleClicks = a.Real(0) > 0.5;
}
