// The software GL driver draws in the calling thread, whatever thread count
// was asked for: its rasteriser threads let go of fences already freed.
#include "platform/gl/gl_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/gl/gl_context.h"

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

TEST(GlDriver, TheSoftwareDriverStartsNoRasteriserThreads) {
  setenv("LP_NUM_THREADS", "4", 1);
  const std::unique_ptr<GlContext> context = GlContext_CreateSurfaceless();
  if (context == nullptr) GTEST_SKIP() << "no GL driver here";
  ASSERT_TRUE(context->MakeCurrent());
  EXPECT_EQ(DriverThreads(), 0);
}

}  // namespace
