// Name lookups into the resource stores, as the compiler's constant lookup
// asks them. The world installs every kind's lookup at once
// (world/name_lookups.h); until then no name is a resource.
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

// Null makes the kind find nothing.
void ResourceLookup_Install(ResourceKind kind, ResourceFindFunction find);
// -1 for a kind out of range or a null name.
int32_t ResourceLookup_Find(ResourceKind kind, const char* name);
