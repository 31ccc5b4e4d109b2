// A folder of the save folder swapped for a link leading out, over and over
// by another process, while the file built-ins write, read, delete and
// rename beneath it: whenever the swap falls, nothing outside changes and no
// temporary lands there. It runs for KORVALITH_RACE_SECONDS (20 by default),
// half of each second as on a kernel without openat2.
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "files_test_support.h"
#include "runtime/path_beneath.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadRaw;
using testsupport::WriteRaw;

std::chrono::seconds RaceTime() {
  const char* text = std::getenv("KORVALITH_RACE_SECONDS");
  const int seconds = text != nullptr ? std::atoi(text) : 0;
  return std::chrono::seconds(seconds > 0 ? seconds : 20);
}

std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> seen;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    seen[entry.path().string()] = entry.is_regular_file() ? ReadRaw(entry.path().string()) : "(folder)";
  }
  return seen;
}

class FileLinkRace : public FilesTest {
 protected:
  void TearDown() override {
    Beneath_UseWalkOnly(false);
    if (swapper_ > 0) {
      ::kill(swapper_, SIGKILL);
      waitpid(swapper_, nullptr, 0);
    }
    FilesTest::TearDown();
  }

  // "sub" and "swap" trade places as fast as the system lets them: one is
  // a folder of the save folder, the other a link to the folder outside.
  void StartSwapping() {
    swapper_ = fork();
    ASSERT_GE(swapper_, 0);
    if (swapper_ != 0) return;
    const std::string sub = Save("sub");
    const std::string swap = Save("swap");
    for (;;) renameat2(AT_FDCWD, sub.c_str(), AT_FDCWD, swap.c_str(), RENAME_EXCHANGE);
  }

  // One round of every kind of operation beneath the swapped folder; the
  // count of those that reached a file.
  static int Round() {
    int reached = 0;
    const double w = Call(F_FileTextOpenWrite, {S("sub/f.txt")});
    Call(F_FileTextWriteString, {R(w), S("RACE")});
    Call(F_FileTextClose, {R(w)});
    const double a = Call(F_FileTextOpenAppend, {S("sub/log.txt")});
    Call(F_FileTextWriteString, {R(a), S("RACE")});
    Call(F_FileTextClose, {R(a)});
    const double b = Call(F_FileBinOpen, {S("sub/b.bin"), R(2)});
    Call(F_FileBinWriteByte, {R(b), R('R')});
    Call(F_FileBinClose, {R(b)});
    const std::string saved = "RACE";
    reached += LoadSave_WriteFile("sub/w.sav", saved.data(), 4) ? 1 : 0;
    const double r = Call(F_FileTextOpenRead, {S("sub/victim.txt")});
    if (r >= 0) reached += Text(F_FileTextReadString, {R(r)}) == "victim" ? 1000000 : 1;
    Call(F_FileTextClose, {R(r)});
    Call(F_FileCopy, {S("sub/f.txt"), S("sub/copy.txt")});
    Call(F_FileRename, {S("sub/f.txt"), S("sub/g.txt")});
    Call(F_FileRename, {S("sub/victim.txt"), S("sub/taken.txt")});
    Call(F_FileDelete, {S("sub/g.txt")});
    Call(F_FileDelete, {S("sub/victim.txt")});
    Call(F_DirectoryCreate, {S("sub/made")});
    Call(F_IniOpen, {S("sub/s.ini")});
    Call(F_IniWriteString, {S("s"), S("k"), S("RACE")});
    Call(F_IniClose, {});
    return reached + (w >= 0 ? 1 : 0);
  }

  pid_t swapper_ = 0;
};

TEST_F(FileLinkRace, AFolderSwappedForAnOutwardLinkNeverLetsAnOperationOut) {
  const std::string outside = folder_ / "outside";
  WriteRaw(outside + "/victim.txt", "victim");
  fs::create_directories(Save("sub"));
  ASSERT_EQ(symlink(outside.c_str(), Save("swap").c_str()), 0);
  const auto before = Snapshot(outside);
  testsupport::ConsoleCapture console;
  StartSwapping();

  int rounds = 0;
  int reached = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto now = start; now - start < RaceTime(); now = std::chrono::steady_clock::now()) {
    Beneath_UseWalkOnly(std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count() % 1000 >= 500);
    reached += Round();
    ++rounds;
  }
  EXPECT_EQ(Snapshot(outside), before) << rounds << " rounds";
  EXPECT_LT(reached, 1000000) << "the file outside was read";
  // The swap did not stop the writes that fell on the folder.
  EXPECT_GT(reached, 0);
}

}  // namespace
