#include "graphics/transition/transition_define.h"

#include <cstring>

#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

int32_t g_steps = 1;
TransitionFunctionFinder g_finder = nullptr;

// Two parallel arrays sharing one capacity, indexed by user kind.
struct UserTable {
  int32_t* functions = nullptr;
  char** names = nullptr;
  int32_t capacity = 0;
};
UserTable g_user;

void Grow(int32_t kind) {
  const int32_t capacity = kind + kTransitionTableGrowth;
  auto* functions = static_cast<int32_t*>(KV_REALLOC(g_user.functions, sizeof(int32_t) * capacity));
  auto* names = static_cast<char**>(KV_REALLOC(g_user.names, sizeof(char*) * capacity));
  for (int32_t i = g_user.capacity; i < capacity; ++i) {
    functions[i] = -1;
    names[i] = nullptr;
  }
  g_user.functions = functions;
  g_user.names = names;
  g_user.capacity = capacity;
}

// Copies the name into the entry's block, reusing it when it is big enough.
void StoreName(char** slot, const char* name) {
  if (name == nullptr) {
    MemoryManager::Free(*slot);
    *slot = nullptr;
    return;
  }
  const size_t bytes = std::strlen(name) + 1;
  if (*slot == nullptr || MemoryManager::GetSize(*slot) < bytes) {
    MemoryManager::Free(*slot);
    *slot = static_cast<char*>(KV_ALLOC(bytes, false));
  }
  std::memcpy(*slot, name, bytes);
}

bool InTable(int32_t kind) { return kind >= 0 && kind < g_user.capacity; }

}  // namespace

void GR_Transition_SetFinder(TransitionFunctionFinder finder) { g_finder = finder; }

void GR_Transition_Set_Steps(int32_t steps) { g_steps = steps >= 1 ? steps : 1; }
int32_t GR_Transition_Get_Steps() { return g_steps; }

bool TransFunctionExists(int32_t kind) {
  if (kind >= 1 && kind <= kTransitionBuiltInKinds) return true;
  g_debugConsole->Output("TransFunctionExists()\n");
  return false;
}

bool GR_Transition_Define(int32_t kind, const char* name) {
  int32_t function = -1;
  if (g_finder == nullptr || name == nullptr || !g_finder(name, &function)) return false;
  GR_Transition_Add_User(kind, name, function);
  return true;
}

void GR_Transition_Add_User(int32_t kind, const char* name, int32_t function) {
  if (kind < 1 || kind > kTransitionMaxUserKind) return;
  if (kind >= g_user.capacity) Grow(kind);
  g_user.functions[kind] = function;
  StoreName(&g_user.names[kind], name);
}

int32_t GR_Transition_User_Capacity() { return g_user.capacity; }
int32_t GR_Transition_User_Function(int32_t kind) { return InTable(kind) ? g_user.functions[kind] : -1; }
const char* GR_Transition_User_Name(int32_t kind) { return InTable(kind) ? g_user.names[kind] : nullptr; }

void GR_Transition_Shutdown() {
  for (int32_t i = 0; i < g_user.capacity; ++i) MemoryManager::Free(g_user.names[i]);
  MemoryManager::Free(g_user.names);
  MemoryManager::Free(g_user.functions);
  g_user = UserTable();
  g_steps = 1;
}
