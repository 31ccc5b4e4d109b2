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

// A FUSE mount (bindfs) of a folder changed behind it: the mount answers a
// folder's change time from its cache for a while, so a name made behind it
// shows in a listing before the time says the folder changed. Every miss
// there reads the folder, through the walk and by path alike.
class FuseMount {
 public:
  FuseMount(const std::string& behind, const std::string& at) : at_(at) {
    const std::string command = "bindfs '" + behind + "' '" + at + "' 2>&1";
    mounted_ = std::system(command.c_str()) == 0;
  }
  ~FuseMount() {
    if (mounted_) std::system(("fusermount3 -u '" + at_ + "' || umount -l '" + at_ + "'").c_str());
  }
  bool mounted() const { return mounted_; }

 private:
  std::string at_;
  bool mounted_ = false;
};

TEST(FolderIndex, AFolderOnAMountThatCachesItsTimesIsReadAtEachMiss) {
  if (access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "/dev/fuse is not available: no FUSE mount can be made";
  ASSERT_EQ(std::system("command -v bindfs >/dev/null"), 0) << "bindfs is missing (scripts/setup.sh installs it)";
  testsupport::ScratchFolder scratch("kv_folder_fuse");
  const std::string behind = scratch / "behind";
  const std::string at = scratch / "mount";
  testsupport::WriteRaw(behind + "/d/old.txt", "");
  std::filesystem::create_directory(at);
  FuseMount mount(behind, at);
  ASSERT_TRUE(mount.mounted()) << "bindfs could not mount " << behind;
  LetTheChangeTimeSettle();
  const int folder = open((at + "/d").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(folder, 0);
  EXPECT_EQ(FolderIndex_VariantAt(at + "/d", "OLD.TXT"), "old.txt");
  EXPECT_EQ(FolderIndex_Variant(folder, "Old.txt"), "old.txt");
  for (int round = 0; round < 10; ++round) {
    const std::string name = "p" + std::to_string(round) + ".txt";
    testsupport::WriteRaw(behind + "/d/" + name, "");
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(FolderIndex_VariantAt(at + "/d", "P" + std::to_string(round) + ".TXT"), name);
    EXPECT_EQ(FolderIndex_Variant(folder, "P" + std::to_string(round) + ".txt"), name);
  }
  close(folder);
}

}  // namespace
