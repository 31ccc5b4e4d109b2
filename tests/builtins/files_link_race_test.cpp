// A folder of the save folder, and one two levels down, swapped for links
// leading out, over and over by another process, while the file built-ins
// write, read, delete and rename beneath them and the extension loader
// loads a library from the deeper one: whenever the swaps fall, nothing
// outside changes, no temporary lands there and no library outside is
// loaded. It runs for KORVALITH_RACE_SECONDS (20 by default), half of each
// second as on a kernel without openat2.
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "builtins/misc/external.h"
#include "files/path_beneath.h"
#include "files_test_support.h"

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

  // "sub" and "swap" trade places as fast as the system lets them, and so
  // do "deep/er" and "deep/swap": in each pair one is a folder of the save
  // folder, the other a link to the folder outside.
  void StartSwapping() {
    swapper_ = fork();
    ASSERT_GE(swapper_, 0);
    if (swapper_ != 0) return;
    const std::string sub = Save("sub");
    const std::string swap = Save("swap");
    const std::string deep = Save("deep/er");
    const std::string deepSwap = Save("deep/swap");
    for (;;) {
      renameat2(AT_FDCWD, sub.c_str(), AT_FDCWD, swap.c_str(), RENAME_EXCHANGE);
      renameat2(AT_FDCWD, deep.c_str(), AT_FDCWD, deepSwap.c_str(), RENAME_EXCHANGE);
    }
  }

  // The library beneath the deeper folder is no library: only the one
  // outside, a real one, would give a definition. Loads are quick beside
  // the round's synced writes: two fall in each round.
  static int LoadedOutside() {
    int loaded = 0;
    for (int i = 0; i < 2; ++i) {
      if (Call(F_ExternalDefine, {S("deep/er/lib.so"), S("m11"), R(0), R(0), R(1), R(0)}) < 0) continue;
      Call(F_ExternalFree, {S("deep/er/lib.so")});
      ++loaded;
    }
    return loaded;
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
    const double d = Call(F_FileTextOpenWrite, {S("deep/er/f.txt")});
    Call(F_FileTextWriteString, {R(d), S("RACE")});
    Call(F_FileTextClose, {R(d)});
    return reached + (w >= 0 ? 1 : 0);
  }

  pid_t swapper_ = 0;
};

TEST_F(FileLinkRace, AFolderSwappedForAnOutwardLinkNeverLetsAnOperationOut) {
  const std::string outside = folder_ / "outside";
  WriteRaw(outside + "/victim.txt", "victim");
  fs::copy_file(KV_EXT_FIXTURE, outside + "/lib.so");
  fs::create_directories(Save("sub"));
  ASSERT_EQ(symlink(outside.c_str(), Save("swap").c_str()), 0);
  WriteRaw(Save("deep/er/lib.so"), "not a library");
  ASSERT_EQ(symlink(outside.c_str(), Save("deep/swap").c_str()), 0);
  const auto before = Snapshot(outside);
  testsupport::ConsoleCapture console;
  StartSwapping();

  int rounds = 0;
  int reached = 0;
  int loadedOutside = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto now = start; now - start < RaceTime(); now = std::chrono::steady_clock::now()) {
    Beneath_UseWalkOnly(std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count() % 1000 >= 500);
    reached += Round();
    loadedOutside += LoadedOutside();
    ++rounds;
  }
  EXPECT_EQ(Snapshot(outside), before) << rounds << " rounds";
  EXPECT_LT(reached, 1000000) << "the file outside was read";
  EXPECT_EQ(loadedOutside, 0) << "the library outside was loaded, " << rounds << " rounds";
  // The swap did not stop the writes that fell on the folder.
  EXPECT_GT(reached, 0);
}

}  // namespace
