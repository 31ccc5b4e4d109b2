#include "script/variables/variable_names.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

#include "runtime/memory.h"
#include "script/variables/variable_registry.h"

namespace {

struct NameTable {
  char** names = nullptr;  // owned copies, in order of first appearance
  int32_t count = 0;
  int32_t capacity = 0;
  // Keys view the owned copies above, which never move.
  std::unordered_map<std::string_view, int32_t> positions;
};

NameTable g_names;

char* CopyName(const char* name, size_t length) {
  auto* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, name, length + 1);
  return copy;
}

int32_t Append(const char* name, size_t length) {
  if (g_names.count == g_names.capacity) {
    int32_t grown = g_names.capacity < 64 ? 64 : g_names.capacity * 2;
    g_names.names = static_cast<char**>(KV_REALLOC(g_names.names, static_cast<size_t>(grown) * sizeof(char*)));
    g_names.capacity = grown;
  }
  char* copy = CopyName(name, length);
  int32_t position = g_names.count++;
  g_names.names[position] = copy;
  g_names.positions.emplace(std::string_view(copy, length), position);
  return position;
}

}  // namespace

int32_t Code_Variable_Find(const char* name) {
  if (name == nullptr) return -1;
  int32_t builtIn = Variable_BuiltIn_Find(name);
  if (builtIn >= 0) return builtIn;
  std::string_view key(name);
  auto found = g_names.positions.find(key);
  int32_t position = found != g_names.positions.end() ? found->second : Append(name, key.size());
  return kFirstUserVariableId + position;
}

const char* Code_Variable_GetName(int32_t id) {
  if (id < kFirstUserVariableId) return Variable_BuiltIn_GetName(id);
  int64_t position = static_cast<int64_t>(id) - kFirstUserVariableId;
  if (position >= g_names.count) return "<unknown variable>";
  return g_names.names[position];
}

void Code_Variable_Finish() {}

int32_t Code_Variable_Count() { return g_names.count; }

void Code_Variable_Reset() {
  for (int32_t i = 0; i < g_names.count; ++i) MemoryManager::Free(g_names.names[i]);
  MemoryManager::Free(g_names.names);
  g_names.names = nullptr;
  g_names.count = 0;
  g_names.capacity = 0;
  g_names.positions.clear();
}
