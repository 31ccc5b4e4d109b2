// One numeric id per variable name for the whole run. Built-in variables keep
// their registry index; every other name gets 100000 + its position in order
// of first appearance, and keeps it in every object, script and event.
#pragma once

#include <cstdint>

constexpr int32_t kFirstUserVariableId = 100000;

// The id of a name, entering it when new (exact, case-sensitive). A null name
// has no id: -1.
int32_t Code_Variable_Find(const char* name);
// The name of an id; "<unknown variable>" past the table, and the registry's
// answer below 100000.
const char* Code_Variable_GetName(int32_t id);
// Game end: the names stay until the process ends.
void Code_Variable_Finish();
// Number of user names entered so far.
int32_t Code_Variable_Count();
// Tests only: forget every user name.
void Code_Variable_Reset();
