#include "runtime/process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "kv_process_XXXXXX").string();
    path_ = mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const char* c_str() const { return path_.c_str(); }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Polls for up to five seconds.
template <typename Done>
bool Eventually(Done done) {
  auto until = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < until) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

int g_pumps = 0;
void CountPump() { ++g_pumps; }

TEST(CommandLine, SplitsLikeAWindowsProgram) {
  EXPECT_EQ(Process_SplitCommandLine("prog a  b\tc"), (Words{"prog", "a", "b", "c"}));
  EXPECT_EQ(Process_SplitCommandLine("  prog  "), (Words{"prog"}));
  EXPECT_EQ(Process_SplitCommandLine("p \"a b\" c"), (Words{"p", "a b", "c"}));
  EXPECT_EQ(Process_SplitCommandLine("p x\"a b\"y"), (Words{"p", "xa by"}));
  EXPECT_EQ(Process_SplitCommandLine("p \"\""), (Words{"p", ""}));
  EXPECT_EQ(Process_SplitCommandLine("p \"a\"\"b\""), (Words{"p", "a\"b"}));
  EXPECT_EQ(Process_SplitCommandLine("p \"unclosed arg"), (Words{"p", "unclosed arg"}));
  EXPECT_EQ(Process_SplitCommandLine(""), Words{});
  EXPECT_EQ(Process_SplitCommandLine(nullptr), Words{});
}

TEST(CommandLine, BackslashesMatterOnlyBeforeAQuote) {
  EXPECT_EQ(Process_SplitCommandLine("p a\\\\b c\\"), (Words{"p", "a\\\\b", "c\\"}));
  EXPECT_EQ(Process_SplitCommandLine("p a\\\"b"), (Words{"p", "a\"b"}));
  EXPECT_EQ(Process_SplitCommandLine("p a\\\\\\\"b"), (Words{"p", "a\\\"b"}));
  EXPECT_EQ(Process_SplitCommandLine("p a\\\\\"b c\""), (Words{"p", "a\\b c"}));
  // The program word knows no escapes: its quote simply ends it.
  EXPECT_EQ(Process_SplitCommandLine("\"C:\\Program Files\\x.exe\" -v"),
            (Words{"C:\\Program Files\\x.exe", "-v"}));
  EXPECT_EQ(Process_SplitCommandLine("C:\\dir\\\\x.exe"), (Words{"C:\\dir\\\\x.exe"}));
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
  ScratchFolder scratch;
  ASSERT_TRUE(File_ExecuteProgram("sh", "-c \"pwd > where.txt; printf %s \\\"$0\\\" > arg.txt\" \"two words\"",
                                  scratch.c_str(), true));
  EXPECT_EQ(ReadFile(scratch / "where.txt"), fs::canonical(scratch.c_str()).string() + "\n");
  EXPECT_EQ(ReadFile(scratch / "arg.txt"), "two words");
}

TEST(ExecuteProgram, WaitingKeepsPumpingMessages) {
  Runner_SetMessagePump(CountPump);
  g_pumps = 0;
  auto start = Clock::now();
  EXPECT_TRUE(File_ExecuteProgram("sleep", "0.2", nullptr, true));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(200));
  EXPECT_GE(g_pumps, 3);
  Runner_SetMessagePump(nullptr);
  g_pumps = 0;
  Runner_ProcessMessages();
  EXPECT_EQ(g_pumps, 0);
}

TEST(ExecuteProgram, AProgramNotWaitedForLeavesNoZombie) {
  pid_t child = 0;
  auto start = Clock::now();
  ASSERT_TRUE(Process_Run("sleep 0.1", nullptr, false, &child));
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
  ASSERT_GT(child, 0);
  // A zombie still answers kill(pid, 0); a collected child does not.
  EXPECT_TRUE(Eventually([child] { return kill(child, 0) != 0 && errno == ESRCH; }));
}

TEST(ShellExecute, HandsTheFileToTheDesktopOpener) {
  ScratchFolder scratch;
  fs::create_directories(scratch / "bin");
  std::string opener = scratch / "bin/xdg-open";
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$PWD/opened.tmp\"\n"
                        << "mv \"$PWD/opened.tmp\" \"$PWD/opened.txt\"\n";
  fs::permissions(opener, fs::perms::owner_all);
  const char* oldPath = std::getenv("PATH");
  std::string savedPath = oldPath == nullptr ? "" : oldPath;
  setenv("PATH", ((scratch / "bin") + ":" + savedPath).c_str(), 1);
  bool started = File_ShellExecute("doc file.txt", "ignored", scratch.c_str());
  setenv("PATH", savedPath.c_str(), 1);
  ASSERT_TRUE(started);
  EXPECT_TRUE(Eventually([&] { return fs::exists(scratch / "opened.txt"); }));
  EXPECT_EQ(ReadFile(scratch / "opened.txt"), "1|doc file.txt");
  EXPECT_FALSE(File_ShellExecute(nullptr, nullptr, nullptr));
  EXPECT_FALSE(File_ShellExecute("", nullptr, nullptr));
}

}  // namespace
