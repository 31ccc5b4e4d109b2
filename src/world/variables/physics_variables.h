// The phy_* variables over an instance's body: positions and speeds in
// pixels through the current room's world scale, angles in degrees.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CInstance;

// The physics variables, by their position among the physics records
// (0 phy_rotation ... 22 phy_col_normal_y), of an instance that holds a
// body; false when the read or write fails.
bool PhysicsVariables_Get(CInstance* instance, int32_t variable, int32_t k, ScriptValue* out);
bool PhysicsVariables_Set(CInstance* instance, int32_t variable, int32_t k, const ScriptValue& value);
