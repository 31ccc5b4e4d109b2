// Name lookups into the resource stores, as the compiler's constant lookup
// asks them. Each store installs its own lookup when it exists; until then a
// kind finds nothing (scripts are found through their store from the start).
#pragma once

#include <cstdint>

// In the order the compiler tries them.
enum ResourceKind : int32_t {
  kResourceObject,
  kResourceSprite,
  kResourceSound,
  kResourceBackground,
  kResourcePath,
  kResourceFont,
  kResourceTimeLine,
  kResourceScript,
  kResourceRoom,
  kResourceKindCount,
};

// The resource's index, or -1 when no resource of the kind has the name.
using ResourceFindFunction = int32_t (*)(const char* name);

// Null puts the kind's default back.
void ResourceLookup_Install(ResourceKind kind, ResourceFindFunction find);
// -1 for a kind out of range or a null name.
int32_t ResourceLookup_Find(ResourceKind kind, const char* name);
