#include "physics/physics_table.h"

#include "runtime/globals.h"

Hash g_physicsTable;

namespace {

constexpr int32_t kPhysicsBuckets = 128;

void ReleasePhysicsTable() { g_physicsTable.Release(kHashDeleteValue); }

}  // namespace

void PhysicsTable_Init() {
  if (g_physicsTable.BucketCount() != 0) return;
  g_physicsTable.Init(kPhysicsBuckets);
  Globals_RegisterRelease(ReleasePhysicsTable);
}
