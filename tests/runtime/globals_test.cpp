#include "runtime/globals.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

std::string g_order;
void ReleaseA() { g_order += "A"; }
void ReleaseB() { g_order += "B"; }

struct Counted {
  explicit Counted(int* deaths) : deaths(deaths) {}
  virtual ~Counted() { ++*deaths; }
  int* deaths;
};

class QuietConsole : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char*, ...) override {}
};

TEST(Globals, InitShutdownShutdownIsClean) {
  // What earlier tests in this program left in the globals is released first.
  Globals_Init();
  Globals_Shutdown();
  uint32_t blocks = MemoryManager::BlockCount();
  Globals_Init();
  Globals_Init();  // a second start changes nothing
  EXPECT_EQ(g_instanceMap.BucketCount(), 512);
  EXPECT_EQ(g_debugConsole, &g_defaultConsole);
  EXPECT_EQ(g_releaseConsole, &g_defaultConsole);
  Globals_Shutdown();
  EXPECT_EQ(g_instanceMap.BucketCount(), 0);
  Globals_Shutdown();
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
}

TEST(Globals, ReleasesRunInReverseOnce) {
  g_order.clear();
  Globals_Init();
  Globals_RegisterRelease(ReleaseA);
  Globals_RegisterRelease(ReleaseB);
  Globals_RegisterRelease(nullptr);
  Globals_Shutdown();
  Globals_Shutdown();
  EXPECT_EQ(g_order, "BA");
}

TEST(Globals, ShutdownDeletesTheTablesValuesAndRestoresTheConsoles) {
  int deaths = 0;
  g_instanceMap.SetValueDeleter(&Hash_DeleteObject<Counted>);
  Globals_Init();
  g_instanceMap.Insert(100000, new Counted(&deaths));
  g_instanceMap.Insert(100512, new Counted(&deaths));
  QuietConsole quiet;
  g_debugConsole = &quiet;
  g_releaseConsole = &quiet;
  Globals_Shutdown();
  EXPECT_EQ(deaths, 2);
  EXPECT_EQ(g_debugConsole, &g_defaultConsole);
  EXPECT_EQ(g_releaseConsole, &g_defaultConsole);
  Globals_Shutdown();
  EXPECT_EQ(deaths, 2);
  g_instanceMap.SetValueDeleter(nullptr);
}

TEST(GlobalsDeathTest, ExitRunsTheReleases) {
  EXPECT_EXIT(
      {
        Globals_Init();
        Globals_RegisterRelease([] { std::fputs("released\n", stderr); });
        std::exit(-1);
      },
      testing::ExitedWithCode(255), "released");
}

}  // namespace
