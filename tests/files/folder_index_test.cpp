#include "files/folder_index.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "files/path_beneath.h"
#include "support/system_calls.h"
#include "support/test_support.h"

namespace {

// Longer than the index waits before it trusts a change time.
void LetTheChangeTimeSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(120)); }

// Misses beside many names read the folder once while it stays unchanged,
// whether they come through the walk beneath a root or by the folder's
// path; a change, or another folder put in its place, is read anew.
TEST(FolderIndex, MissesReadAnUnchangedFolderOnce) {
  testsupport::ScratchFolder scratch("kv_folder_index");
  const std::string folder = scratch / "many";
  for (int i = 0; i < 2000; ++i) testsupport::WriteRaw(folder + "/f" + std::to_string(i) + ".txt", "");
  LetTheChangeTimeSettle();
  BeneathRoot root;
  ASSERT_TRUE(Beneath_OpenRoot(scratch.Path(), &root));
  const auto misses = [&] {
    for (int i = 0; i < 100; ++i) {
      const std::string name = "x" + std::to_string(i) + ".txt";
      if (Beneath_Open(root, "many/" + name, O_RDONLY) >= 0 || errno != ENOENT) std::abort();
      if (!Path_CaseVariant(folder, name).empty()) std::abort();
    }
    if (Path_CaseVariant(folder, "F17.TXT") != "f17.txt") std::abort();
  };
  misses();
  const long reads = testsupport::CountSystemCalls(misses, SYS_getdents64);
  if (reads < 0) GTEST_SKIP() << "system calls cannot be traced here";
  EXPECT_EQ(reads, 0);

  testsupport::WriteRaw(folder + "/X3.TXT", "3");
  const int fd = Beneath_Open(root, "many/x3.txt", O_RDONLY);
  EXPECT_GE(fd, 0);
  if (fd >= 0) close(fd);
  std::filesystem::rename(folder, scratch / "gone");
  testsupport::WriteRaw(folder + "/Other.txt", "");
  EXPECT_EQ(Path_CaseVariant(folder, "f17.txt"), "");
  EXPECT_EQ(Path_CaseVariant(folder, "other.TXT"), "Other.txt");
  Beneath_CloseRoot(&root);
}

// Two changes within one tick of the file system's clock leave the folder
// one change time: what was indexed after the first must not answer after
// the second. (Kernels that stamp changes from a coarse clock do this;
// those that stamp a change after a look at the time finely never give two
// changes one time, and this case then passes on any index.)
TEST(FolderIndex, AFolderChangedTwiceWithinATickIsReadAgain) {
  testsupport::ScratchFolder scratch("kv_folder_tick");
  const std::string folder = scratch.Path();
  for (int round = 0; round < 8; ++round) {
    LetTheChangeTimeSettle();
    const std::string first = "First" + std::to_string(round) + ".txt";
    const std::string second = "Second" + std::to_string(round) + ".txt";
    testsupport::WriteRaw(folder + "/" + first, "");
    EXPECT_EQ(Path_CaseVariant(folder, "first" + std::to_string(round) + ".txt"), first);
    testsupport::WriteRaw(folder + "/" + second, "");
    EXPECT_EQ(Path_CaseVariant(folder, "SECOND" + std::to_string(round) + ".TXT"), second) << round;
    std::remove((folder + "/" + first).c_str());
    EXPECT_EQ(Path_CaseVariant(folder, "FIRST" + std::to_string(round) + ".txt"), "") << round;
  }
}

}  // namespace
