// Names of resource slots: copies of stored names and the generated names
// of slots made at run time. All come from MemoryManager; the store frees
// them.
#pragma once

#include <cstdint>

// A copy of the text; null is copied as "".
char* Resource_CopyName(const char* name);
// The prefix followed by the index in decimal ("__newpath3").
char* Resource_NewName(const char* prefix, int32_t index);
