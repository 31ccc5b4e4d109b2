#include "script/compiler/constants.h"

#include <cstring>

#include "runtime/memory.h"
#include "runtime/name_index.h"
#include "script/compiler/resource_lookup.h"

namespace {

// Both arrays grow by one entry per addition.
char** g_names = nullptr;
ScriptValue* g_values = nullptr;
int32_t g_count = 0;
// The latest constant of each name, for the compiler's every identifier.
NameIndex g_byName;

char* CopyText(const char* text) {
  size_t length = std::strlen(text);
  char* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, text, length + 1);
  return copy;
}

unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool EqualIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char left = LowerAscii(static_cast<unsigned char>(*a));
    if (left != LowerAscii(static_cast<unsigned char>(*b))) return false;
    if (left == 0) return true;
  }
}

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int32_t FindResource(const char* name) {
  for (int32_t kind = 0; kind < kResourceKindCount; ++kind) {
    int32_t index = ResourceLookup_Find(static_cast<ResourceKind>(kind), name);
    if (index >= 0) return index;
  }
  return -1;
}

}  // namespace

void Code_Constant_Add(const char* name, const ScriptValue& value) {
  if (name == nullptr) return;
  size_t count = static_cast<size_t>(g_count) + 1;
  g_names = static_cast<char**>(KV_REALLOC(g_names, count * sizeof(char*)));
  g_values = static_cast<ScriptValue*>(KV_REALLOC(g_values, count * sizeof(ScriptValue)));
  g_names[g_count] = CopyText(name);
  g_values[g_count] = ScriptValue();
  ScriptValue_Copy(&g_values[g_count], &value);
  ++g_count;
  g_byName.Invalidate();
}

void Code_Constant_AddReal(const char* name, double value) {
  ScriptValue real;
  real.real = value;
  Code_Constant_Add(name, real);
}

bool Code_Constant_Resolve(const char* name, ScriptValue* out) {
  ScriptValue_Release(out);
  out->kind = kValueReal;
  if (name == nullptr) return false;
  int32_t index = FindResource(name);
  if (index >= 0) {
    out->real = index;
    return true;
  }
  index = g_byName.Find(name, [](auto add) {
    for (int32_t i = g_count - 1; i >= 0; --i) add(g_names[i], i);
  });
  if (index < 0) return false;
  ScriptValue_Copy(out, &g_values[index]);
  return true;
}

const ScriptValue* Code_Constant_Find(const char* name) {
  if (name == nullptr) return nullptr;
  for (int32_t i = g_count - 1; i >= 0; --i) {
    if (EqualIgnoringCase(g_names[i], name)) return &g_values[i];
  }
  return nullptr;
}

bool Code_Constant_IsIdentifier(const char* name) {
  if (name == nullptr || !IsLetter(static_cast<unsigned char>(name[0]))) return false;
  for (const char* c = name + 1; *c != 0; ++c) {
    unsigned char byte = static_cast<unsigned char>(*c);
    if (!IsLetter(byte) && !IsDigit(byte)) return false;
  }
  return true;
}

void Code_Constant_Free() {
  for (int32_t i = 0; i < g_count; ++i) {
    MemoryManager::Free(g_names[i]);
    ScriptValue_Release(&g_values[i]);
  }
  MemoryManager::Free(g_names);
  MemoryManager::Free(g_values);
  g_names = nullptr;
  g_values = nullptr;
  g_count = 0;
  g_byName.Invalidate();
}

int32_t Code_Constant_Count() { return g_count; }

const char* Code_Constant_Name(int32_t index) { return index >= 0 && index < g_count ? g_names[index] : nullptr; }

const ScriptValue* Code_Constant_Value(int32_t index) {
  return index >= 0 && index < g_count ? &g_values[index] : nullptr;
}
