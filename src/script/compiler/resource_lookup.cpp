#include "script/compiler/resource_lookup.h"

namespace {

int32_t FindNothing(const char*) { return -1; }

ResourceFindFunction g_find[kResourceKindCount] = {
    FindNothing, FindNothing, FindNothing, FindNothing, FindNothing, FindNothing, FindNothing, FindNothing, FindNothing,
};

bool KindInRange(ResourceKind kind) { return kind >= 0 && kind < kResourceKindCount; }

}  // namespace

void ResourceLookup_Install(ResourceKind kind, ResourceFindFunction find) {
  if (!KindInRange(kind)) return;
  g_find[kind] = find != nullptr ? find : FindNothing;
}

int32_t ResourceLookup_Find(ResourceKind kind, const char* name) {
  if (!KindInRange(kind) || name == nullptr) return -1;
  return g_find[kind](name);
}
