// What each group of built-in constants is for, the groups named by the
// start of their members' names up to the first "_" ("" for those without).
#pragma once

#include <string>

// Null for a group without a text.
const char* ConstantGroup_Meaning(const std::string& prefix);
