// The global scope: one variable list and the globalvar flags, indexed by
// id - 100000, which make a bare name mean the global.
#include <cstring>
#include <string>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "script/variables/variable_global_state.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"

GlobalScope g_globalScope;

namespace {

constexpr int32_t kFlagGrowth = 1000;
char* g_workingDirectory = nullptr;

void ResizeFlags(int32_t length) {
  g_globalScope.flags = static_cast<uint8_t*>(KV_REALLOC(g_globalScope.flags, static_cast<size_t>(length)));
  if (length > g_globalScope.flagCount)
    std::memset(g_globalScope.flags + g_globalScope.flagCount, 0,
                static_cast<size_t>(length - g_globalScope.flagCount));
  g_globalScope.flagCount = length;
}

void FreeGlobals() {
  delete g_globalScope.list;
  g_globalScope.list = nullptr;
  MemoryManager::Free(g_globalScope.flags);
  g_globalScope.flags = nullptr;
  g_globalScope.flagCount = 0;
}

}  // namespace

void GlobalScope_ReplaceFlags(uint8_t* flags, int32_t count) {
  MemoryManager::Free(g_globalScope.flags);
  g_globalScope.flags = flags;
  g_globalScope.flagCount = count;
}

void Variable_Global_Init() {
  FreeGlobals();
  g_globalScope.list = new CVariableList();
  ResizeFlags(kInitialGlobalVarFlags);
}

bool Variable_Global_Get(int32_t id, int32_t k, ScriptValue* out) {
  return g_globalScope.list != nullptr && g_globalScope.list->GetValue(id, k, out);
}

void Variable_Global_Set(int32_t id, int32_t k, const ScriptValue& value) {
  if (g_globalScope.list != nullptr) g_globalScope.list->SetValue(id, k, value);
}

CVariableList* Variable_Global_List() { return g_globalScope.list; }

uint8_t Variable_IsGlobalVar(int32_t id) { return GlobalScope_Flag(id); }

void Variable_DeclareGlobal(int32_t id) {
  int64_t index = static_cast<int64_t>(id) - kFirstUserVariableId;
  if (index < 0) return;
  if (index >= g_globalScope.flagCount) {
    int64_t length = g_globalScope.flagCount;
    while (length <= index) length += kFlagGrowth;
    ResizeFlags(static_cast<int32_t>(length));
  }
  g_globalScope.flags[index] = 1;
  if (g_globalScope.list == nullptr) g_globalScope.list = new CVariableList();
  g_globalScope.list->Ensure(id);
}

int32_t Variable_GlobalVarFlagCount() { return g_globalScope.flagCount; }

void Variable_Free() {
  Variable_BuiltIn_Clear();
  FreeGlobals();
}

void Variable_InitWorkingDirectory(const char* gameFilePath) {
  if (g_workingDirectory != nullptr) return;
  std::string path = gameFilePath != nullptr ? gameFilePath : "";
  size_t cut = path.rfind('/');
  if (cut == std::string::npos) cut = path.rfind('\\');
  std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut);
  g_workingDirectory = static_cast<char*>(KV_ALLOC(folder.size() + 1, true));
  std::memcpy(g_workingDirectory, folder.c_str(), folder.size() + 1);
  const char* rule = "#########################################################################\n";
  g_debugConsole->Output("%s", rule);
  g_debugConsole->Output("####!!!!$$$$$$ pwd - %s\n", g_workingDirectory);
  g_debugConsole->Output("%s", rule);
}

const char* Variable_WorkingDirectory() { return g_workingDirectory != nullptr ? g_workingDirectory : ""; }
