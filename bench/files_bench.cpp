// 100,000 lines written through the text-file built-ins and read back line
// by line; bench/lua/compare_files.sh sets it beside the same work in Lua.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "builtins/files/files.h"
#include "builtins/files/handlers.h"
#include "files/file_layer.h"
#include "runtime/script_value.h"

namespace {

constexpr int kLines = 100000;
constexpr const char* kLine = "the quick brown fox jumps over the lazy dog";

// Calls a handler as the interpreters do, with the result freed afterwards.
double Call(BuiltinFunction handler, ScriptValue* args, int32_t count, bool* gotText = nullptr) {
  ScriptValue result{};
  handler(&result, nullptr, nullptr, count, args);
  if (gotText != nullptr) *gotText = result.kind == kValueString && result.text != nullptr;
  double real = result.real;
  ScriptValue_Release(&result);
  return real;
}

void BM_FileTextLines(benchmark::State& state) {
  char folder[] = "/tmp/kv_files_bench_XXXXXX";
  if (mkdtemp(folder) == nullptr) return;
  LoadSave_SetSaveDirectory(folder);
  FileBuiltins_Prepare();
  ScriptValue name{}, line{}, handle{};
  ScriptValue_SetString(&name, "lines.txt");
  ScriptValue_SetString(&line, kLine);
  for (auto _ : state) {
    ScriptValue_SetReal(&handle, Call(F_FileTextOpenWrite, &name, 1));
    ScriptValue pair[2] = {handle, line};
    for (int i = 0; i < kLines; ++i) {
      Call(F_FileTextWriteString, pair, 2);
      Call(F_FileTextWriteln, &handle, 1);
    }
    Call(F_FileTextClose, &handle, 1);
    ScriptValue_SetReal(&handle, Call(F_FileTextOpenRead, &name, 1));
    int read = 0;
    bool gotText = true;
    while (Call(F_FileTextEof, &handle, 1) == 0) {
      Call(F_FileTextReadln, &handle, 1, &gotText);
      read += gotText ? 1 : 0;
    }
    Call(F_FileTextClose, &handle, 1);
    if (read != kLines) state.SkipWithError("lines lost");
  }
  ScriptValue_Release(&name);
  ScriptValue_Release(&line);
  FileBuiltins_Release();
  std::remove((std::string(folder) + "/lines.txt").c_str());
  std::remove(folder);
  LoadSave_SetSaveDirectory(nullptr);
}
BENCHMARK(BM_FileTextLines)->Unit(benchmark::kMillisecond);

}  // namespace
