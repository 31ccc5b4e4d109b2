#include "script/compiler/function_registry.h"

#include <cstring>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/name_index.h"
#include "runtime/service_seam.h"

namespace {

int32_t NoName(const char*) { return -1; }
int32_t NoArgumentCount(int32_t) { return kNoArgumentCount; }

FunctionStores g_stores = {NoName, NoName, NoArgumentCount};

struct FunctionTable {
  BuiltinFunctionRecord* records = nullptr;
  int32_t count = 0;
  int32_t capacity = 0;
};

FunctionTable g_functions;
NameIndex g_byName;

void Grow() {
  int32_t grown = g_functions.capacity + kFunctionGrowth;
  size_t bytes = static_cast<size_t>(grown) * sizeof(BuiltinFunctionRecord);
  g_functions.records = static_cast<BuiltinFunctionRecord*>(KV_REALLOC(g_functions.records, bytes));
  g_functions.capacity = grown;
}

}  // namespace

void Function_InstallStores(const FunctionStores& stores) {
  Seam_Take(&g_stores.findScript, stores.findScript, NoName);
  Seam_Take(&g_stores.findExtensionFunction, stores.findExtensionFunction, NoName);
  Seam_Take(&g_stores.extensionArgumentCount, stores.extensionArgumentCount, NoArgumentCount);
}

void Function_Add(const char* name, BuiltinFunction handler, int32_t argumentCount) {
  if (name == nullptr) {
    g_debugConsole->Output("Function_Add: refused a function without a name\n");
    return;
  }
  size_t length = std::strlen(name);
  // The record holds 63 bytes and a terminator; a longer name is not cut
  // short, since the cut name could then be found in place of another.
  if (length >= static_cast<size_t>(kFunctionNameBytes)) {
    g_debugConsole->Output("Function_Add: refused the function name \"%s\", longer than 63 bytes\n", name);
    return;
  }
  if (g_functions.count == g_functions.capacity) Grow();
  BuiltinFunctionRecord& record = g_functions.records[g_functions.count++];
  std::memset(record.name, 0, sizeof(record.name));
  std::memcpy(record.name, name, length);
  record.handler = handler;
  record.argumentCount = argumentCount;
  g_byName.Invalidate();
}

bool Function_Find(const char* name, int32_t* id) {
  *id = -1;
  if (name == nullptr || name[0] == '\0') return false;
  int32_t index = g_stores.findScript(name);
  if (index >= 0) {
    *id = kFirstScriptFunctionId + index;
    return true;
  }
  index = g_stores.findExtensionFunction(name);
  if (index >= 0) {
    *id = kFirstExtensionFunctionId + index;
    return true;
  }
  *id = g_byName.Find(name, [](auto add) {
    for (int32_t i = 0; i < g_functions.count; ++i) add(g_functions.records[i].name, i);
  });
  return *id >= 0;
}

int32_t Function_GetArgumentCount(int32_t id) {
  if (id >= kFirstExtensionFunctionId) return g_stores.extensionArgumentCount(id - kFirstExtensionFunctionId);
  if (id >= kFirstScriptFunctionId) return -1;
  if (id < 0 || id >= g_functions.count) return kNoArgumentCount;
  return g_functions.records[id].argumentCount;
}

const BuiltinFunctionRecord* Function_GetRecord(int32_t id) {
  return id >= 0 && id < g_functions.count ? &g_functions.records[id] : nullptr;
}

BuiltinFunction Function_GetHandler(int32_t id) {
  const BuiltinFunctionRecord* record = Function_GetRecord(id);
  return record != nullptr ? record->handler : nullptr;
}

int32_t Function_Count() { return g_functions.count; }

int32_t Function_Capacity() { return g_functions.capacity; }

void Function_Free() {
  MemoryManager::Free(g_functions.records);
  g_functions = FunctionTable{};
  g_byName.Invalidate();
}
