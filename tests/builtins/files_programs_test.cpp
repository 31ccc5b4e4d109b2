// Programs, the command line and the environment.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "files_test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;
using Clock = std::chrono::steady_clock;

using Programs = FilesTest;

TEST_F(Programs, ExecuteProgramWaitsOnlyWhenAsked) {
  testsupport::ConsoleCapture console;
  EXPECT_EQ(Call(F_ExecuteProgram, {S("true"), S(""), R(1)}), 0);
  EXPECT_EQ(Call(F_ExecuteProgram, {S("nosuch"), S("x"), R(1)}), -1);
  EXPECT_EQ(console.Text(), "Cannot execute nosuch\n");
  const auto start = Clock::now();
  EXPECT_EQ(Call(F_ExecuteProgram, {S("sleep"), S("5"), R(0)}), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

// Waits up to five seconds for a file to hold something.
std::string AwaitFile(const std::string& path) {
  for (int i = 0; i < 100 && ReadRaw(path).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return ReadRaw(path);
}

class PathScope {
 public:
  explicit PathScope(const std::string& first) : saved_(std::getenv("PATH")) {
    setenv("PATH", (first + ":" + saved_).c_str(), 1);
  }
  ~PathScope() { setenv("PATH", saved_.c_str(), 1); }

 private:
  std::string saved_;
};

TEST_F(Programs, ExecuteShellStartsProgramsAndOpensTheRest) {
  const std::string bin = folder_ / "bin";
  for (const char* tool : {"xdg-open", "tool"}) {
    const std::string script = bin + "/" + tool;
    WriteRaw(script, std::string("#!/bin/sh\necho \"$@\" > \"") + folder_.Path() + "/" + tool + ".record\"\n");
    chmod(script.c_str(), 0755);
  }
  PathScope path(bin);
  EXPECT_EQ(Call(F_ExecuteShell, {S("document.txt"), S("ignored")}), 0);
  EXPECT_EQ(AwaitFile(folder_ / "xdg-open.record"), "document.txt\n");
  EXPECT_EQ(Call(F_ExecuteShell, {S("tool"), S("one two")}), 0);
  EXPECT_EQ(AwaitFile(folder_ / "tool.record"), "one two\n");
}

TEST_F(Programs, ParametersAreTheProcessArguments) {
  const std::vector<std::string> argv = ::testing::internal::GetArgvs();
  ASSERT_EQ(Call(F_ParameterCount, {}), static_cast<double>(argv.size()));
  EXPECT_EQ(Text(F_ParameterString, {R(1)}), argv[0]);
  EXPECT_EQ(Text(F_ParameterString, {R(static_cast<double>(argv.size()))}), argv.back());
  EXPECT_EQ(Text(F_ParameterString, {R(0)}), "");
  EXPECT_EQ(Text(F_ParameterString, {R(static_cast<double>(argv.size() + 1))}), "");

  setenv("KV_FILES_TEST", "value", 1);
  EXPECT_EQ(Text(F_EnvironmentGetVariable, {S("KV_FILES_TEST")}), "value");
  unsetenv("KV_FILES_TEST");
  EXPECT_EQ(Text(F_EnvironmentGetVariable, {S("KV_FILES_TEST")}), "");
}

}  // namespace
