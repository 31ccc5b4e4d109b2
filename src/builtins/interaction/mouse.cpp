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

void F_MouseCheckButton(KV_BUILTIN_PARAMS) { Check(result, argc, args, InputTest::kHeld); }
void F_MouseCheckButtonPressed(KV_BUILTIN_PARAMS) { Check(result, argc, args, InputTest::kPressed); }
void F_MouseCheckButtonReleased(KV_BUILTIN_PARAMS) { Check(result, argc, args, InputTest::kReleased); }
void F_MouseWheelUp(KV_BUILTIN_PARAMS) { Result_SetReal(result, IO_WheelUp(kSystemMouse) ? 1.0 : 0.0); }
void F_MouseWheelDown(KV_BUILTIN_PARAMS) { Result_SetReal(result, IO_WheelDown(kSystemMouse) ? 1.0 : 0.0); }

void F_MouseClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Runner_ProcessMessages();
  IO_ClearButton(a.Int(0), kSystemMouse);
}

void F_MouseWait(KV_BUILTIN_PARAMS) { IO_WaitForButton(); }

void F_IoClear(KV_BUILTIN_PARAMS) {
  Runner_ProcessMessages();
  IO_Clear();
}

void F_IoHandle(KV_BUILTIN_PARAMS) { Runner_ProcessMessages(); }

void F_DeviceMouseDbclickEnable(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Count() == 1 && a.IsReal(0)) g_doubleClicks = a.Real(0) > 0.5;
}
