#include "runtime/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "runtime/memory.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder for one test, removed (without following links) at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "kv_files_XXXXXX").string();
    path_ = mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string Take(char* text) {
  if (text == nullptr) return "<null>";
  std::string copy = text;
  MemoryManager::Free(text);
  return copy;
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

TEST(FilePaths, SplitAtTheLastBackslashElseSlash) {
  EXPECT_EQ(Take(File_ExtractPath("C:\\a\\b.txt")), "C:\\a");
  EXPECT_EQ(Take(File_ExtractPath("a/b.txt")), "a");
  EXPECT_EQ(Take(File_ExtractPath("b.txt")), "");
  EXPECT_EQ(Take(File_ExtractPath("\\b.txt")), "");
  // A backslash wins over a later slash.
  EXPECT_EQ(Take(File_ExtractPath("C:\\a/b.txt")), "C:");
  EXPECT_EQ(Take(File_ExtractName("C:\\a/b.txt")), "a/b.txt");
  EXPECT_EQ(Take(File_ExtractName("C:\\a\\b.txt")), "b.txt");
  EXPECT_EQ(Take(File_ExtractName("dir/b")), "b");
  EXPECT_EQ(Take(File_ExtractName("plain")), "plain");
  for (auto split : {File_ExtractPath, File_ExtractName, File_ExtractExt, File_ExtractDrive}) {
    EXPECT_EQ(Take(split(nullptr)), "");
  }
}

TEST(FilePaths, ExtensionAndDrive) {
  EXPECT_EQ(Take(File_ExtractExt("C:\\a.d\\b.txt")), ".txt");
  EXPECT_EQ(Take(File_ExtractExt("C:\\a.d\\b")), "");
  EXPECT_EQ(Take(File_ExtractExt("a/b.tar.gz")), ".gz");
  EXPECT_EQ(Take(File_ExtractExt("C:x.y")), ".y");
  EXPECT_EQ(Take(File_ExtractExt("name.")), ".");
  EXPECT_EQ(Take(File_ExtractDrive("C:\\a")), "C:");
  EXPECT_EQ(Take(File_ExtractDrive("z:")), "z:");
  EXPECT_EQ(Take(File_ExtractDrive("\\a")), "");
  EXPECT_EQ(Take(File_ExtractDrive("1:")), "");
  EXPECT_EQ(Take(File_ExtractDrive("C")), "");
}

TEST(FileKinds, FilesFoldersAndOthersAreTold) {
  ScratchFolder scratch;
  WriteFile(scratch / "f", "x");
  ASSERT_EQ(symlink((scratch / "f").c_str(), (scratch / "link").c_str()), 0);
  EXPECT_TRUE(File_Exists((scratch / "f").c_str()));
  EXPECT_TRUE(File_Exists((scratch / "link").c_str()));
  EXPECT_FALSE(Directory_Exists((scratch / "f").c_str()));
  EXPECT_TRUE(Directory_Exists(scratch.path().c_str()));
  EXPECT_FALSE(File_Exists(scratch.path().c_str()));
  EXPECT_FALSE(File_Exists((scratch / "missing").c_str()));
  EXPECT_FALSE(Directory_Exists((scratch / "missing").c_str()));
  EXPECT_FALSE(File_Exists("/dev/null"));
  EXPECT_FALSE(File_Exists(nullptr));
  EXPECT_FALSE(Directory_Exists(nullptr));
  char* cwd = File_GetWorkingDirectory();
  ASSERT_NE(cwd, nullptr);
  EXPECT_EQ(Take(cwd), fs::current_path().string());
}

TEST(DirectoryCreate, MakesEveryMissingParent) {
  ScratchFolder scratch;
  EXPECT_TRUE(Directory_Create((scratch / "x/y/z").c_str()));
  EXPECT_TRUE(fs::is_directory(scratch / "x/y/z"));
  EXPECT_TRUE(Directory_Create((scratch / "x/y").c_str()));  // already there
  EXPECT_TRUE(Directory_Create((scratch / "trail\\").c_str()));
  EXPECT_TRUE(fs::is_directory(scratch / "trail"));
  EXPECT_TRUE(Directory_Create((scratch / "slash/").c_str()));
  EXPECT_TRUE(fs::is_directory(scratch / "slash"));
  // Short paths are really made, only the roots count as present.
  EXPECT_TRUE(Directory_Create((scratch / "ab").c_str()));
  EXPECT_TRUE(fs::is_directory(scratch / "ab"));
  EXPECT_TRUE(Directory_Create("/"));
  EXPECT_TRUE(Directory_Create("C:"));
  EXPECT_TRUE(Directory_Create("C:\\"));
  EXPECT_FALSE(fs::exists("C:"));
  EXPECT_FALSE(Directory_Create(""));
  EXPECT_FALSE(Directory_Create(nullptr));
  WriteFile(scratch / "file", "x");
  EXPECT_FALSE(Directory_Create((scratch / "file").c_str()));
  EXPECT_FALSE(Directory_Create((scratch / "file/below").c_str()));
}

TEST(DirectoryCreate, ParentsOfAFilePath) {
  ScratchFolder scratch;
  File_CreateParentDirectories((scratch / "p/q/save.dat").c_str());
  EXPECT_TRUE(fs::is_directory(scratch / "p/q"));
  EXPECT_FALSE(fs::exists(scratch / "p/q/save.dat"));
  File_CreateParentDirectories(nullptr);
  File_CreateParentDirectories("no_folder_part.dat");
  EXPECT_FALSE(fs::exists("no_folder_part.dat"));
}

TEST(DirectoryDelete, RemovesLinksWithoutFollowingThem) {
  ScratchFolder scratch;
  std::string outside = scratch / "outside";
  fs::create_directories(outside + "/inner");
  WriteFile(outside + "/keep.txt", "k");
  WriteFile(outside + "/inner/keep2.txt", "k");
  std::string tree = scratch / "tree";
  fs::create_directories(tree + "/sub/deeper");
  WriteFile(tree + "/sub/deeper/f.txt", "f");
  ASSERT_EQ(symlink(outside.c_str(), (tree + "/to_outside").c_str()), 0);
  ASSERT_EQ(symlink((outside + "/keep.txt").c_str(), (tree + "/sub/to_file").c_str()), 0);
  ASSERT_EQ(symlink("/nowhere/at/all", (tree + "/dangling").c_str()), 0);
  fs::create_directories(tree + "/locked");
  WriteFile(tree + "/locked/f.txt", "f");
  chmod((tree + "/locked").c_str(), 0500);

  EXPECT_TRUE(Directory_Delete(tree.c_str()));
  EXPECT_FALSE(fs::exists(fs::symlink_status(tree)));
  EXPECT_TRUE(fs::exists(outside + "/keep.txt"));
  EXPECT_TRUE(fs::exists(outside + "/inner/keep2.txt"));
}

TEST(DirectoryDelete, ALinkGivenAsThePathIsRemovedAlone) {
  ScratchFolder scratch;
  std::string target = scratch / "target";
  fs::create_directories(target);
  WriteFile(target + "/keep.txt", "k");
  std::string link = scratch / "link";
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  EXPECT_TRUE(Directory_Delete(link.c_str()));
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_TRUE(fs::exists(target + "/keep.txt"));

  WriteFile(scratch / "plain", "p");
  EXPECT_FALSE(Directory_Delete((scratch / "plain").c_str()));
  EXPECT_TRUE(fs::exists(scratch / "plain"));
  EXPECT_FALSE(Directory_Delete((scratch / "missing").c_str()));
  EXPECT_FALSE(Directory_Delete(nullptr));
}

int32_t g_draws[8];
int g_drawCount = 0;
int32_t NextDraw(int32_t n) {
  EXPECT_EQ(n, 100000);
  return g_draws[g_drawCount++ % 8];
}

TEST(TempFolder, MadeNamedUsedAndDeleted) {
  ScratchFolder scratch;
  std::string base = scratch / "base";  // missing: made on the way
  ASSERT_TRUE(File_MakeTempDirectory(base.c_str()));
  std::string temp = Take(File_GetTempDirectory());
  ASSERT_EQ(temp.rfind(base + "/qz_ttt_", 0), 0u) << temp;
  int n = std::atoi(temp.c_str() + base.size() + 8);
  EXPECT_GE(n, 0);
  EXPECT_LE(n, 100000);
  EXPECT_TRUE(fs::is_directory(temp));

  // Taken names are skipped: a plain file is taken, a folder is not.
  int32_t draws[8] = {5, 5, 7, 9, 9, 9, 9, 9};
  std::copy(draws, draws + 8, g_draws);
  g_drawCount = 0;
  File_SetTempNameDraw(NextDraw);
  WriteFile(temp + "/a5.txt", "taken");
  fs::create_directories(temp + "/a9.txt");
  EXPECT_EQ(Take(File_MakeTempName(".txt")), temp + "/a7.txt");
  EXPECT_EQ(Take(File_MakeTempName(".txt")), temp + "/a9.txt");
  EXPECT_EQ(Take(File_MakeTempName(nullptr)), temp + "/a9");
  File_SetTempNameDraw(nullptr);

  EXPECT_TRUE(File_DeleteTempDirectory());
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_EQ(File_GetTempDirectory(), nullptr);
  EXPECT_EQ(File_MakeTempName(".txt"), nullptr);
  EXPECT_FALSE(File_DeleteTempDirectory());
  EXPECT_FALSE(File_MakeTempDirectory(nullptr));
}

TEST(TempFolder, SameDrawsStillGiveSeparateFolders) {
  ScratchFolder scratch;
  std::srand(7);
  ASSERT_TRUE(File_MakeTempDirectory(scratch.path().c_str()));
  std::string first = Take(File_GetTempDirectory());
  WriteFile(first + "/mine", "1");
  std::srand(7);
  ASSERT_TRUE(File_MakeTempDirectory(scratch.path().c_str()));
  std::string second = Take(File_GetTempDirectory());
  EXPECT_NE(first, second);
  EXPECT_TRUE(fs::is_empty(second));
  EXPECT_TRUE(File_DeleteTempDirectory());
  EXPECT_TRUE(fs::exists(first + "/mine"));
}

// Several processes with the same generator state start together; each must
// end up with a folder of its own.
TEST(TempFolder, ProcessesStartingTogetherNeverShare) {
  ScratchFolder scratch;
  constexpr int kChildren = 8;
  constexpr size_t kRecord = 256;
  int go[2];
  int results[2];
  ASSERT_EQ(pipe(go), 0);
  ASSERT_EQ(pipe(results), 0);
  std::srand(99);
  std::vector<pid_t> children;
  for (int i = 0; i < kChildren; ++i) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(go[1]);
      char byte;
      (void)!read(go[0], &byte, 1);  // returns when the parent closes the pipe
      char record[kRecord] = {};
      if (File_MakeTempDirectory(scratch.path().c_str())) {
        char* made = File_GetTempDirectory();
        std::snprintf(record, kRecord, "%s", made);
      }
      (void)!write(results[1], record, kRecord);
      _exit(0);
    }
    children.push_back(child);
  }
  close(go[0]);
  close(go[1]);
  close(results[1]);
  std::set<std::string> names;
  char record[kRecord];
  while (read(results[0], record, kRecord) == static_cast<ssize_t>(kRecord)) {
    EXPECT_NE(record[0], '\0');
    names.insert(record);
  }
  close(results[0]);
  for (pid_t child : children) waitpid(child, nullptr, 0);
  EXPECT_EQ(names.size(), static_cast<size_t>(kChildren));
}

}  // namespace
