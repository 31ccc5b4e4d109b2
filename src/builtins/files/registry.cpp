// The registry: name and value texts held in memory for one run. Names are
// compared ignoring ASCII letter case; nothing is read from or written to
// any store outside the process, and the _ext forms do nothing.
#include <strings.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "builtins/files/handlers.h"
#include "builtins/maths/strings.h"

namespace {

struct Pair {
  std::string name;
  std::string value;
};

// In the order the names were first written.
std::vector<Pair> g_registry;

Pair* Find(const char* name) {
  for (Pair& pair : g_registry) {
    if (strcasecmp(pair.name.c_str(), name) == 0) return &pair;
  }
  return nullptr;
}

void Write(const char* name, std::string value) {
  if (Pair* pair = Find(name)) {
    pair->value = std::move(value);
  } else {
    g_registry.push_back({name, std::move(value)});
  }
}

}  // namespace

void F_RegistryWriteString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Write(a.Text(0), a.Text(1));
}

void F_RegistryWriteReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char text[400];
  std::snprintf(text, sizeof text, "%f", a.Real(1));
  Write(a.Text(0), text);
}

void F_RegistryReadString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Pair* pair = Find(a.Text(0));
  Result_SetText(result, pair == nullptr ? "" : pair->value.c_str());
}

void F_RegistryReadReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Pair* pair = Find(a.Text(0));
  Result_SetReal(result, pair == nullptr ? 0.0 : Strings_ParseReal(pair->value.c_str()));
}

void F_RegistryExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Find(a.Text(0)) != nullptr ? 1 : 0);
}

void F_RegistryInert(KV_BUILTIN_PARAMS) {}

void F_RegistryReadStringExt(KV_BUILTIN_PARAMS) { Result_SetEmptyText(result); }

void F_RegistryReadNothing(KV_BUILTIN_PARAMS) {}

void FileRegistry_Clear() { g_registry.clear(); }
