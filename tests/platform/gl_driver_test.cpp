// The software GL driver keeps the rasteriser threads it is asked for, and
// the device waits for them where a frame hands a scene over: those threads
// let go of a fence only after the drawing thread may already free it.
#include "platform/gl/gl_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "platform/gl/gl_context.h"
#include "platform/switches.h"

namespace {

int DriverThreads() {
  int count = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name.rfind("llvmpipe", 0) == 0) ++count;
  }
  return count;
}

// The driver names its threads as each starts: on a busy machine the last
// may not have started when the context is made.
int DriverThreadsWithin(int wanted, std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  int count = DriverThreads();
  while (count < wanted && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    count = DriverThreads();
  }
  return count;
}

TEST(GlDriver, TheSoftwareDriverKeepsItsRasteriserThreadsAndTheDeviceWaitsForThem) {
  setenv("LP_NUM_THREADS", "4", 1);
  unsetenv("KORVALITH_NO_DRIVER_WAIT");
  Switches_Reload();
  const std::unique_ptr<GlContext> context = GlContext_CreateSurfaceless();
  if (context == nullptr) GTEST_SKIP() << "no GL driver here";
  ASSERT_TRUE(context->MakeCurrent());
  EXPECT_EQ(DriverThreadsWithin(4, std::chrono::seconds(20)), 4);
  // The thread count the driver took and the measuring switch decide it.
  const struct {
    const char* threads;
    const char* noWait;
    bool waits;
  } cases[] = {
      {"4", nullptr, true}, {nullptr, nullptr, true}, {"1", nullptr, true}, {"0", nullptr, false}, {"4", "1", false}};
  for (const auto& c : cases) {
    if (c.threads != nullptr) {
      setenv("LP_NUM_THREADS", c.threads, 1);
    } else {
      unsetenv("LP_NUM_THREADS");
    }
    if (c.noWait != nullptr) {
      setenv("KORVALITH_NO_DRIVER_WAIT", c.noWait, 1);
    } else {
      unsetenv("KORVALITH_NO_DRIVER_WAIT");
    }
    Switches_Reload();
    EXPECT_EQ(GlDriver_WaitsForItsThreads(), c.waits)
        << (c.threads ? c.threads : "unset") << " " << (c.noWait ? "no wait" : "");
  }
  unsetenv("KORVALITH_NO_DRIVER_WAIT");
  Switches_Reload();
}

}  // namespace
