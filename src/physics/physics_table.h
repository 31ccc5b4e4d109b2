// The physics table: the physics objects of the running game by id. Its
// owner gives it a value deleter; at exit each value is deleted.
#pragma once

#include "runtime/hash.h"

extern Hash g_physicsTable;

// Gives the table its 128 buckets and registers its exit-time release with
// the program-wide globals. Called once, right after Globals_Init.
void PhysicsTable_Init();
