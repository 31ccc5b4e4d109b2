// Feeds arbitrary text to the six ds_*_read built-ins and hostile numbers to
// the grid built-ins. A refused text must leave the structure exactly as it
// was; an accepted one must give what a fresh structure reads from it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "builtins/ds/handlers.h"
#include "runtime/console.h"
#include "runtime/ds_pool.h"
#include "runtime/hex.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/events/error_report.h"

namespace {

struct Quiet final : tagIConsole {
  bool AlwaysTrue(int) override { return true; }
  void Output(const char*, ...) override {}
};

double Call(BuiltinFunction f, std::initializer_list<ScriptValue> arguments) {
  ScriptValue args[8];
  int32_t count = 0;
  for (const ScriptValue& a : arguments) ScriptValue_Copy(&args[count++], &a);
  ScriptValue result;
  f(&result, nullptr, nullptr, count, args);
  for (int32_t i = 0; i < count; ++i) ScriptValue_Release(&args[i]);
  double real = result.real;
  ScriptValue_Release(&result);
  return real;
}

ScriptValue Real(double x) {
  ScriptValue v;
  v.real = x;
  return v;
}

// Wraps a borrowed text; the value never frees it.
ScriptValue Text(const char* text) {
  ScriptValue v;
  v.kind = kValueString;
  v.text = const_cast<char*>(text);
  return v;
}

std::string Written(BuiltinFunction write, int32_t id) {
  ScriptValue arg = Real(id);
  ScriptValue result;
  write(&result, nullptr, nullptr, 1, &arg);
  std::string text = ScriptValue_Text(result);
  ScriptValue_Release(&result);
  return text;
}

template <typename T, typename... Sizes>
bool Probe(const char* text, std::string* written, Sizes... sizes) {
  T fresh(sizes...);
  if (!fresh.ReadText(text)) return false;
  char* out = fresh.WriteText();
  *written = out;
  MemoryManager::Free(out);
  return true;
}

struct Kind {
  BuiltinFunction create, write, read, put;
  bool (*probe)(const char*, std::string*);
};

const Kind kKinds[] = {
    {F_DsStackCreate, F_DsStackWrite, F_DsStackRead, F_DsStackPush, Probe<CDS_Stack>},
    {F_DsQueueCreate, F_DsQueueWrite, F_DsQueueRead, F_DsQueueEnqueue, Probe<CDS_Queue>},
    {F_DsListCreate, F_DsListWrite, F_DsListRead, F_DsListAdd, Probe<CDS_List>},
    {F_DsMapCreate, F_DsMapWrite, F_DsMapRead, nullptr, Probe<CDS_Map>},
    {F_DsPriorityCreate, F_DsPriorityWrite, F_DsPriorityRead, nullptr, Probe<CDS_Priority>},
    {F_DsGridCreate, F_DsGridWrite, F_DsGridRead, nullptr,
     [](const char* text, std::string* out) { return Probe<CDS_Grid>(text, out, 0, 0); }},
};

void Fill(const Kind& kind, int32_t id) {
  if (kind.put != nullptr) {
    Call(kind.put, {Real(id), Real(2.5)});
    Call(kind.put, {Real(id), Text("held")});
  } else if (kind.create == F_DsMapCreate) {
    Call(F_DsMapAdd, {Real(id), Text("k"), Real(1)});
  } else if (kind.create == F_DsPriorityCreate) {
    Call(F_DsPriorityAdd, {Real(id), Text("v"), Real(3)});
  } else {
    Call(F_DsGridResize, {Real(id), Real(3), Real(2)});
    Call(F_DsGridSet, {Real(id), Real(1), Real(1), Text("cell")});
  }
}

void ReadCheck(const Kind& kind, const std::string& text) {
  int32_t id = static_cast<int32_t>(Call(kind.create, {}));
  Fill(kind, id);
  std::string before = Written(kind.write, id);
  Call(kind.read, {Real(id), Text(text.c_str())});
  std::string fresh;
  std::string after = Written(kind.write, id);
  if (kind.probe(text.c_str(), &fresh) ? after != fresh : after != before) __builtin_trap();
}

// Eight doubles from the input drive the grid's rectangles, disks and
// region copies, NaN, infinities and huge values included.
void GridNumbers(const uint8_t* data, size_t size) {
  double n[8] = {};
  std::memcpy(n, data, size < sizeof n ? size : sizeof n);
  int32_t grid = static_cast<int32_t>(Call(F_DsGridCreate, {Real(5), Real(4)}));
  Call(F_DsGridSetRegion, {Real(grid), Real(n[0]), Real(n[1]), Real(n[2]), Real(n[3]), Real(n[4])});
  Call(F_DsGridAddDisk, {Real(grid), Real(n[0]), Real(n[1]), Real(n[2]), Real(n[5])});
  Call(F_DsGridGetDiskMean, {Real(grid), Real(n[3]), Real(n[4]), Real(n[5])});
  Call(F_DsGridValueDiskX, {Real(grid), Real(n[6]), Real(n[7]), Real(n[0]), Real(n[1])});
  Call(F_DsGridAddGridRegion,
       {Real(grid), Real(grid), Real(n[0]), Real(n[1]), Real(n[2]), Real(n[3]), Real(n[6]), Real(n[7])});
  Call(F_DsGridMultiply, {Real(grid), Real(n[4]), Real(n[5]), Real(n[6])});
  Call(F_DsGridGet, {Real(n[7]), Real(n[0]), Real(n[1])});
  // A script may ask for any grid it can hold; the fuzzer's sizes stay small
  // so a legal but huge grid does not look like a fault.
  Call(F_DsGridResize, {Real(grid), Real(std::fmod(n[2], 64)), Real(std::fmod(n[3], 64))});
  Call(F_DsGridGetSum, {Real(grid), Real(n[4]), Real(n[5]), Real(n[6]), Real(n[7])});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Quiet quiet;
  g_releaseConsole = &quiet;
  g_debugConsole = &quiet;
  g_runFlags.showErrorDialog = false;
  if (size == 0) return 0;
  const uint8_t* body = data + 1;
  size_t length = size - 1;
  std::string text =
      (data[0] & 1) ? Hex_Encode(body, length) : std::string(reinterpret_cast<const char*>(body), length);
  ReadCheck(kKinds[(data[0] >> 1) % 6], text);
  if (data[0] & 0x80) GridNumbers(body, length);
  DS_ReleasePools();
  return 0;
}
