// On-screen keys made, removed, shown and hidden by scripts. A key's handle
// is its table position plus one, so 0 can answer "no key".
#include "world/input/virtual_keys.h"
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"

namespace {

// The table position a handle names, or -1 after the error.
int32_t KeyIndex(int32_t argc, ScriptValue* args) {
  BuiltinArgs a(argc, args);
  if (!a.IsReal(0)) {
    Builtin_Error("Illegal argument");
    return -1;
  }
  const int32_t handle = a.Int(0);
  if (handle < 1 || handle > kVirtualKeyCount) {
    Builtin_Error("Illegal virtual key handle");
    return -1;
  }
  return handle - 1;
}

}  // namespace

void F_VirtualKeyAdd(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  BuiltinArgs a(argc, args);
  if (!Platform_AllOfKind<false>(a, 5)) return;
  const int32_t index = IO_AddVirtualKey(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
  Result_SetReal(result, index + 1);
}

void F_VirtualKeyDelete(KV_BUILTIN_PARAMS) {
  const int32_t index = KeyIndex(argc, args);
  if (index >= 0) IO_DeleteVirtualKey(index);
}

void F_VirtualKeyShow(KV_BUILTIN_PARAMS) {
  const int32_t index = KeyIndex(argc, args);
  if (index >= 0) IO_ShowVirtualKey(index, true);
}

void F_VirtualKeyHide(KV_BUILTIN_PARAMS) {
  const int32_t index = KeyIndex(argc, args);
  if (index >= 0) IO_ShowVirtualKey(index, false);
}
