// Arbitrary bytes as a file a script reads: the text readers by handle, the
// legacy reader and the binary reader walk it in an order the first byte
// chooses, and none may read out of bounds or stop making progress.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "builtins/files/files.h"
#include "builtins/files/handlers.h"
#include "files/file_layer.h"
#include "fuzz_support.h"
#include "runtime/run_flags.h"

namespace {

ScriptValue Real(double x) {
  ScriptValue v{};
  v.real = x;
  return v;
}

// Wraps a borrowed text; the value never frees it.
ScriptValue Text(const char* text) {
  ScriptValue v{};
  v.kind = kValueString;
  v.text = const_cast<char*>(text);
  return v;
}

double Call(BuiltinFunction f, ScriptValue* args, int32_t count) {
  ScriptValue result{};
  f(&result, nullptr, nullptr, count, args);
  double real = result.real;
  ScriptValue_Release(&result);
  return real;
}

// Every reader must reach the end within one call per byte, give or take.
void WalkByHandle(uint8_t plan, size_t size) {
  ScriptValue name = Text("input.txt");
  ScriptValue handle = Real(Call(F_FileTextOpenRead, &name, 1));
  const BuiltinFunction readers[] = {F_FileTextReadString, F_FileTextReadln, F_FileTextReadReal};
  for (size_t step = 0; step <= 2 * size + 2 && Call(F_FileTextEof, &handle, 1) == 0; ++step) {
    Call(readers[(plan >> (step % 4)) % 3], &handle, 1);
  }
  Call(F_FileTextClose, &handle, 1);
}

void WalkLegacy(uint8_t plan, size_t size) {
  ScriptValue name = Text("input.txt");
  Call(F_FileOpenRead, &name, 1);
  const BuiltinFunction readers[] = {F_FileReadString, F_FileReadln, F_FileReadReal};
  for (size_t step = 0; step <= 2 * size + 2 && Call(F_FileEof, nullptr, 0) == 0; ++step) {
    Call(readers[(plan >> (step % 4)) % 3], nullptr, 0);
  }
  Call(F_FileClose, nullptr, 0);
}

void WalkBinary(size_t size) {
  ScriptValue open[2] = {Text("input.txt"), Real(0)};
  ScriptValue handle = Real(Call(F_FileBinOpen, open, 2));
  for (size_t i = 0; i <= size; ++i) Call(F_FileBinReadByte, &handle, 1);
  Call(F_FileBinClose, &handle, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > (1u << 16)) return 0;
  Fuzz_SilenceConsoles();
  g_runFlags.showErrorDialog = false;
  LoadSave_SetSaveDirectory(Fuzz_ScratchFolder().c_str());
  FileBuiltins_Prepare();
  Fuzz_WriteScratchFile("input.txt", data + 1, size - 1);
  WalkByHandle(data[0], size);
  WalkLegacy(data[0], size);
  WalkBinary(size);
  FileBuiltins_Release();
  return 0;
}
