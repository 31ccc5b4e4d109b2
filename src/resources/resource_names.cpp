#include "resources/resource_names.h"

#include <cstdio>
#include <cstring>

#include "runtime/memory.h"
#include "runtime/text.h"

char* Resource_CopyName(const char* name) { return String_Duplicate(name == nullptr ? "" : name); }

char* Resource_NewName(const char* prefix, int32_t index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", static_cast<int>(index));
  char* name = nullptr;
  String_Concat(&name, prefix, digits);
  return name;
}
