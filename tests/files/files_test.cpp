#include "files/files.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "runtime/memory.h"
#include "runtime/random.h"

namespace {

namespace fs = std::filesystem;

struct Scratch : testsupport::ScratchFolder {
  Scratch() : ScratchFolder("kv_files") {}
  const std::string& path = Path();
};

std::string Take(char* text) {
  if (text == nullptr) return "<null>";
  std::string copy = text;
  MemoryManager::Free(text);
  return copy;
}

void WriteFile(const std::string& path) { std::ofstream(path) << "x"; }

TEST(FilePaths, SplitAtTheLastBackslashElseSlash) {
  EXPECT_EQ(Take(File_ExtractPath("C:\\a\\b.txt")), "C:\\a");
  EXPECT_EQ(Take(File_ExtractPath("a/b.txt")), "a");
  EXPECT_EQ(Take(File_ExtractPath("b.txt")), "");
  EXPECT_EQ(Take(File_ExtractPath("\\b.txt")), "");
  EXPECT_EQ(Take(File_ExtractPath("C:\\a/b.txt")), "C:");
  EXPECT_EQ(Take(File_ExtractName("C:\\a/b.txt")), "a/b.txt");
  EXPECT_EQ(Take(File_ExtractName("plain")), "plain");
  EXPECT_EQ(Take(File_ExtractExt("C:\\a.d\\b.tar.gz")), ".gz");
  EXPECT_EQ(Take(File_ExtractExt("C:\\a.d\\b")), "");
  EXPECT_EQ(Take(File_ExtractExt("C:x.y")), ".y");
  EXPECT_EQ(Take(File_ExtractDrive("z:\\a")), "z:");
  EXPECT_EQ(Take(File_ExtractDrive("1:")), "");
  for (auto split : {File_ExtractPath, File_ExtractName, File_ExtractExt, File_ExtractDrive}) {
    EXPECT_EQ(Take(split(nullptr)), "");
  }
}

TEST(FileKinds, PlainFilesAndFoldersAreTold) {
  Scratch scratch;
  WriteFile(scratch / "f");
  ASSERT_EQ(symlink((scratch / "f").c_str(), (scratch / "link").c_str()), 0);
  EXPECT_TRUE(File_Exists((scratch / "link").c_str()));
  EXPECT_TRUE(Directory_Exists(scratch.path.c_str()));
  EXPECT_FALSE(File_Exists(scratch.path.c_str()));
  EXPECT_FALSE(File_Exists((scratch / "missing").c_str()));
  EXPECT_FALSE(File_Exists("/dev/null"));
  EXPECT_EQ(Take(File_GetWorkingDirectory()), fs::current_path().string());
}

TEST(DirectoryCreate, MakesEveryMissingParent) {
  Scratch scratch;
  EXPECT_TRUE(Directory_Create((scratch / "x/y/z").c_str()));
  EXPECT_TRUE(fs::is_directory(scratch / "x/y/z"));
  EXPECT_TRUE(Directory_Create((scratch / "trail\\").c_str()));
  EXPECT_TRUE(fs::is_directory(scratch / "trail"));
  EXPECT_TRUE(Directory_Create((scratch / "ab").c_str()));  // short names are made too
  EXPECT_TRUE(fs::is_directory(scratch / "ab"));
  EXPECT_TRUE(Directory_Create("/"));
  EXPECT_TRUE(Directory_Create("C:\\"));
  EXPECT_FALSE(fs::exists("C:"));
  EXPECT_FALSE(Directory_Create(""));
  WriteFile(scratch / "file");
  EXPECT_FALSE(Directory_Create((scratch / "file/below").c_str()));

  File_CreateParentDirectories((scratch / "p/q/save.dat").c_str());
  EXPECT_TRUE(fs::is_directory(scratch / "p/q"));
}

TEST(DirectoryDelete, RemovesLinksWithoutFollowingThem) {
  Scratch scratch;
  std::string outside = scratch / "outside";
  std::string tree = scratch / "tree";
  fs::create_directories(outside + "/inner");
  WriteFile(outside + "/inner/keep.txt");
  fs::create_directories(tree + "/sub/locked");
  WriteFile(tree + "/sub/locked/f.txt");
  chmod((tree + "/sub/locked").c_str(), 0500);
  ASSERT_EQ(symlink(outside.c_str(), (tree + "/to_outside").c_str()), 0);
  ASSERT_EQ(symlink((outside + "/inner").c_str(), (tree + "/sub/to_inner").c_str()), 0);
  ASSERT_EQ(symlink("/nowhere/at/all", (tree + "/dangling").c_str()), 0);
  ASSERT_EQ(symlink(tree.c_str(), (scratch / "link_to_tree").c_str()), 0);

  EXPECT_TRUE(Directory_Delete((scratch / "link_to_tree").c_str()));
  EXPECT_TRUE(fs::exists(tree + "/sub/locked/f.txt"));
  EXPECT_TRUE(Directory_Delete(tree.c_str()));
  EXPECT_FALSE(fs::exists(fs::symlink_status(tree)));
  EXPECT_TRUE(fs::exists(outside + "/inner/keep.txt"));
  WriteFile(scratch / "plain");
  EXPECT_FALSE(Directory_Delete((scratch / "plain").c_str()));
  EXPECT_TRUE(fs::exists(scratch / "plain"));
}

TEST(TempFolder, MadeNamedUsedAndDeleted) {
  Scratch scratch;
  std::string base = scratch / "base";  // missing: made on the way
  ASSERT_TRUE(File_MakeTempDirectory(base.c_str()));
  std::string temp = Take(File_GetTempDirectory());
  ASSERT_EQ(temp.rfind(base + "/qz_ttt_", 0), 0u) << temp;
  EXPECT_LE(std::stoi(temp.substr(base.size() + 8)), 100000);

  Random_Seed(11);
  std::string expected = temp + "/a" + std::to_string(Random_Int(100000)) + ".png";
  Random_Seed(11);
  EXPECT_EQ(Take(File_MakeTempName(".png")), expected);
  // Taken names are drawn again: a plain file takes a name, a folder does not.
  Random_Seed(12);
  const std::string first = temp + "/a" + std::to_string(Random_Int(100000));
  const std::string second = temp + "/a" + std::to_string(Random_Int(100000));
  ASSERT_NE(first, second);
  WriteFile(first + ".txt");
  fs::create_directories(second + ".txt");
  Random_Seed(12);
  EXPECT_EQ(Take(File_MakeTempName(".txt")), second + ".txt");
  Random_Seed(12);
  EXPECT_EQ(Take(File_MakeTempName(nullptr)), first);

  EXPECT_TRUE(File_DeleteTempDirectory());
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_EQ(File_GetTempDirectory(), nullptr);
  EXPECT_EQ(File_MakeTempName(".txt"), nullptr);
}

// Processes with the same generator state start together: each must still
// get a folder of its own.
TEST(TempFolder, ProcessesStartingTogetherNeverShare) {
  Scratch scratch;
  constexpr int kChildren = 8;
  char record[256];
  int go[2];
  int results[2];
  ASSERT_EQ(pipe(go), 0);
  ASSERT_EQ(pipe(results), 0);
  std::srand(99);
  std::vector<pid_t> children;
  for (int i = 0; i < kChildren; ++i) {
    children.push_back(fork());
    if (children.back() != 0) continue;
    close(go[1]);
    (void)!read(go[0], record, 1);  // returns when the parent closes the pipe
    record[0] = '\0';
    if (File_MakeTempDirectory(scratch.path.c_str())) {
      std::snprintf(record, sizeof record, "%s", File_GetTempDirectory());
    }
    (void)!write(results[1], record, sizeof record);
    _exit(0);
  }
  close(go[0]);
  close(go[1]);
  close(results[1]);
  std::set<std::string> names;
  while (read(results[0], record, sizeof record) == static_cast<ssize_t>(sizeof record)) names.insert(record);
  close(results[0]);
  for (pid_t child : children) waitpid(child, nullptr, 0);
  EXPECT_EQ(names.size(), static_cast<size_t>(kChildren));
  EXPECT_EQ(names.count(""), 0u);
}

}  // namespace
