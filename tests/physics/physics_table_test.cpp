#include <gtest/gtest.h>

#include "physics/physics_table.h"
#include "runtime/globals.h"

namespace {

struct Counted {
  explicit Counted(int* deaths) : deaths(deaths) {}
  ~Counted() { ++*deaths; }
  int* deaths;
};

// The table is made once however often it is asked for, and the program's
// exit-time release deletes what it holds and leaves it empty.
TEST(PhysicsTable, MadeOnceAndReleasedWithTheGlobals) {
  int deaths = 0;
  Globals_Init();
  PhysicsTable_Init();
  PhysicsTable_Init();
  EXPECT_EQ(g_physicsTable.BucketCount(), 128);
  g_physicsTable.SetValueDeleter(&Hash_DeleteObject<Counted>);
  g_physicsTable.Insert(3, new Counted(&deaths));
  g_physicsTable.Insert(131, new Counted(&deaths));
  Globals_Shutdown();
  EXPECT_EQ(deaths, 2);
  EXPECT_EQ(g_physicsTable.BucketCount(), 0);
  Globals_Shutdown();
  EXPECT_EQ(deaths, 2);
  g_physicsTable.SetValueDeleter(nullptr);
}

}  // namespace
