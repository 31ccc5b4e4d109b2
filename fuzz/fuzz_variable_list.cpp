// Saved variable lists and global scopes from arbitrary bytes: a load either
// refuses and changes nothing, or gives a list that saves and loads again to
// the same count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_support.h"
#include "runtime/stream.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"

namespace {

void CheckList(const uint8_t* data, size_t size) {
  CStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  CVariableList list;
  ScriptValue one;
  one.real = 1;
  list.SetValue(100000, 0, one);
  if (!list.Load(stream)) {
    if (list.Count() != 1) std::abort();
    return;
  }
  CStream again;
  list.Save(again);
  again.SetPosition(0);
  CVariableList copy;
  if (!copy.Load(again) || copy.Count() != list.Count()) std::abort();
}

void CheckGlobals(const uint8_t* data, size_t size) {
  CStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  Variable_Global_Init();
  Variable_Global_Load(stream);
  Variable_IsGlobalVar(100000 + 5);
  Variable_Free();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  CheckList(data, size);
  CheckGlobals(data, size);
  return 0;
}
