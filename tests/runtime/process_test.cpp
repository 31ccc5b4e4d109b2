#include "runtime/process.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

struct Scratch : testsupport::ScratchFolder {
  Scratch() : ScratchFolder("kv_process") {}
  const std::string& path = Path();
};

std::string ReadFile(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// Polls for up to five seconds.
template <typename Done>
bool Eventually(Done done) {
  for (auto until = Clock::now() + std::chrono::seconds(5); Clock::now() < until;) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

int g_pumps = 0;
void CountPump() { ++g_pumps; }

TEST(CommandLine, SplitsLikeAWindowsProgram) {
  EXPECT_EQ(Process_SplitCommandLine("  prog a  b\tc  "), (Words{"prog", "a", "b", "c"}));
  EXPECT_EQ(Process_SplitCommandLine("p x\"a b\"y \"\""), (Words{"p", "xa by", ""}));
  EXPECT_EQ(Process_SplitCommandLine("p \"a\"\"b\" \"open end"), (Words{"p", "a\"b", "open end"}));
  // Backslashes count only before a quote.
  EXPECT_EQ(Process_SplitCommandLine("p a\\\\b c\\"), (Words{"p", "a\\\\b", "c\\"}));
  EXPECT_EQ(Process_SplitCommandLine("p a\\\"b a\\\\\\\"b"), (Words{"p", "a\"b", "a\\\"b"}));
  EXPECT_EQ(Process_SplitCommandLine("p a\\\\\"b c\""), (Words{"p", "a\\b c"}));
  // The program word knows no escapes: a quote simply ends it.
  EXPECT_EQ(Process_SplitCommandLine("\"C:\\Program Files\\x.exe\" -v"), (Words{"C:\\Program Files\\x.exe", "-v"}));
  EXPECT_EQ(Process_SplitCommandLine(""), Words{});
  EXPECT_EQ(Process_SplitCommandLine(nullptr), Words{});
}

TEST(ExecuteProgram, AnswersWhetherTheProgramStarted) {
  EXPECT_TRUE(File_ExecuteProgram("true", nullptr, nullptr, true));
  EXPECT_TRUE(File_ExecuteProgram("false", "", "", true));  // its status does not matter
  EXPECT_FALSE(File_ExecuteProgram("kv-no-such-program-here", nullptr, nullptr, true));
  EXPECT_FALSE(File_ExecuteProgram("kv-no-such-program-here", nullptr, nullptr, false));
  EXPECT_FALSE(File_ExecuteProgram("", nullptr, nullptr, false));
  EXPECT_FALSE(File_ExecuteProgram("true", nullptr, "/kv/no/such/folder", true));
}

TEST(ExecuteProgram, RunsInTheFolderWithQuotedArguments) {
  Scratch scratch;
  ASSERT_TRUE(File_ExecuteProgram("sh", "-c \"pwd > where.txt; printf %s \\\"$0\\\" > arg.txt\" \"two words\"",
                                  scratch.path.c_str(), true));
  EXPECT_EQ(ReadFile(scratch / "where.txt"), fs::canonical(scratch.path).string() + "\n");
  EXPECT_EQ(ReadFile(scratch / "arg.txt"), "two words");
}

TEST(ExecuteProgram, WaitingPumpsMessagesAndUnwaitedChildrenAreCollected) {
  Runner_SetMessagePump(CountPump);
  auto start = Clock::now();
  EXPECT_TRUE(File_ExecuteProgram("sleep", "0.2", nullptr, true));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(200));
  EXPECT_GE(g_pumps, 3);
  Runner_SetMessagePump(nullptr);

  pid_t child = 0;
  start = Clock::now();
  ASSERT_TRUE(Process_Run("sleep 0.1", nullptr, false, &child));
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
  // A zombie still answers kill(pid, 0); a collected child does not.
  EXPECT_TRUE(Eventually([child] { return kill(child, 0) != 0 && errno == ESRCH; }));
}

TEST(ShellExecute, HandsTheFileToTheDesktopOpener) {
  Scratch scratch;
  fs::create_directories(scratch / "bin");
  std::ofstream(scratch / "bin/xdg-open") << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > ../tmp\nmv ../tmp opened\n";
  fs::permissions(scratch / "bin/xdg-open", fs::perms::owner_all);
  std::string savedPath = getenv("PATH") == nullptr ? "" : getenv("PATH");
  setenv("PATH", ((scratch / "bin") + ":" + savedPath).c_str(), 1);
  bool started = File_ShellExecute("doc file.txt", "ignored", (scratch / "bin").c_str());
  setenv("PATH", savedPath.c_str(), 1);
  ASSERT_TRUE(started);
  EXPECT_TRUE(Eventually([&] { return fs::exists(scratch / "bin/opened"); }));
  EXPECT_EQ(ReadFile(scratch / "bin/opened"), "1|doc file.txt");
  EXPECT_FALSE(File_ShellExecute(nullptr, nullptr, nullptr));
}

}  // namespace
