#include "files/file_layer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "files/files.h"
#include "files/ini_file.h"
#include "files/write_stream.h"
#include "runtime/memory.h"
#include "support/system_calls.h"
#include "support/test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

namespace fs = std::filesystem;

std::string TempBase() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/kvfl_XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return std::string();
  return fs::canonical(pattern).string();
}

// An environment variable changed for one test and put back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) old_ = old;
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_.c_str(), old_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// A program folder and a save folder (not made yet) in a fresh temporary
// folder; the current directory is the program folder, as when a game
// starts from its own folder.
class FileLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = TempBase();
    ASSERT_FALSE(base_.empty());
    program_ = base_ + "/prog/";
    save_ = base_ + "/save/";
    fs::create_directories(program_);
    oldDirectory_ = fs::current_path();
    fs::current_path(program_);
    LoadSave_SetProgramDirectory(program_.c_str());
    LoadSave_SetSaveDirectory(save_.c_str());
  }
  void TearDown() override {
    fs::current_path(oldDirectory_);
    fs::remove_all(base_);
  }

  static std::string ToProgram(const char* path) {
    char out[2048];
    LoadSave_MapToProgramDir(out, sizeof out, path);
    return out;
  }
  static std::string ToSave(const char* path) {
    char out[2048];
    LoadSave_MapToSaveDir(out, sizeof out, path);
    return out;
  }
  // The bytes a whole-file read gives, checking the trailing zero byte.
  using Reader = uint8_t* (*)(const char*, int32_t*);
  static std::optional<std::string> Take(Reader reader, const std::string& path) {
    int32_t size = -1;
    uint8_t* data = reader(path.c_str(), &size);
    if (data == nullptr) return std::nullopt;
    EXPECT_EQ(data[size], 0);
    std::string bytes(reinterpret_cast<char*>(data), static_cast<size_t>(size));
    MemoryManager::Free(data);
    return bytes;
  }

  std::string base_, program_, save_;
  fs::path oldDirectory_;
};

TEST_F(FileLayer, MapsScriptPathsOntoEitherRoot) {
  EXPECT_EQ(ToSave("data\\level1.txt"), save_ + "data/level1.txt");
  EXPECT_EQ(ToProgram("data\\level1.txt"), program_ + "data/level1.txt");
  EXPECT_EQ(ToProgram("./a/../b.txt"), program_ + "b.txt");
  // Absolute paths inside a root keep their place; one in the program
  // folder lands at the same place in the save folder.
  EXPECT_EQ(ToSave((save_ + "x/y.txt").c_str()), save_ + "x/y.txt");
  EXPECT_EQ(ToProgram((program_ + "x.txt").c_str()), program_ + "x.txt");
  EXPECT_EQ(ToSave((program_ + "x.txt").c_str()), save_ + "x.txt");
}

TEST_F(FileLayer, PathsOutsideEveryRootMapNowhere) {
  EXPECT_EQ(ToProgram("/etc/hostname"), "");
  EXPECT_EQ(ToSave("/etc/hostname"), "");
  EXPECT_EQ(ToSave("C:\\games\\x.ini"), "");
  EXPECT_EQ(ToSave("..\\..\\escape.txt"), "");
  EXPECT_EQ(ToSave(nullptr), "");
  // A sibling folder whose name merely starts like a root is outside it.
  EXPECT_EQ(ToProgram((base_ + "/prog2/x.txt").c_str()), "");
  EXPECT_EQ(ToSave((base_ + "/save2/x.txt").c_str()), "");

  // A file the user picked may be read, never written.
  std::string picked = base_ + "/picked.txt";
  LoadSave_RememberOpenPath(picked.c_str());
  EXPECT_EQ(ToProgram(picked.c_str()), picked);
  EXPECT_EQ(ToSave(picked.c_str()), "");

  // A result that does not fit is refused whole, never cut.
  char small[8] = "junk";
  EXPECT_FALSE(LoadSave_MapToSaveDir(small, sizeof small, "a.txt"));
  EXPECT_STREQ(small, "");
}

TEST_F(FileLayer, InnermostRootWinsWhenRootsNest) {
  // Started from the folder above the game: absolute paths into the game
  // folder must not pick up the folder name twice.
  fs::current_path(base_);
  EXPECT_EQ(ToProgram((program_ + "options.ini").c_str()), program_ + "options.ini");
  EXPECT_EQ(ToSave((save_ + "s.ini").c_str()), save_ + "s.ini");
  EXPECT_EQ(ToProgram("prog/a.txt"), program_ + "a.txt");
}

TEST_F(FileLayer, WritesStayInsideTheSaveFolder) {
  const std::string bytes("a\0b\r\n", 5);
  ASSERT_FALSE(fs::exists(save_));
  EXPECT_TRUE(LoadSave_WriteFile("sub\\deep\\f.bin", bytes.data(), 5));
  EXPECT_EQ(ReadRaw(save_ + "sub/deep/f.bin"), bytes);
  EXPECT_EQ(Take(LoadSave_ReadSaveFile, "sub/deep/f.bin"), bytes);
  EXPECT_FALSE(fs::exists(program_ + "sub"));

  EXPECT_FALSE(LoadSave_WriteFile("../escape.txt", "x", 1));
  EXPECT_FALSE(LoadSave_WriteFile((base_ + "/escape.txt").c_str(), "x", 1));
  EXPECT_FALSE(fs::exists(base_ + "/escape.txt"));
  // A folder in the way, or a file where a folder should be.
  fs::create_directories(save_ + "taken");
  EXPECT_FALSE(LoadSave_WriteFile("taken", "x", 1));
  EXPECT_FALSE(LoadSave_WriteFile("sub/deep/f.bin/inner", "x", 1));
  EXPECT_FALSE(LoadSave_WriteFile("neg", "x", -1));

  EXPECT_TRUE(LoadSave_WriteFile("empty", nullptr, 0));
  EXPECT_EQ(Take(LoadSave_ReadSaveFile, "empty"), "");
}

// A write cut short by the file size limit (as by a full disk) keeps the
// earlier file whole and leaves no partial file beside it.
TEST_F(FileLayer, AFailedWriteKeepsTheEarlierFile) {
  const std::string good(100, 'g');
  ASSERT_TRUE(LoadSave_WriteFile("slot.sav", good.data(), 100));
  const std::string big(8192, 'b');
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(LoadSave_WriteFile("slot.sav", big.data(), 8192) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the cut write must report failure";
  EXPECT_EQ(ReadRaw(save_ + "slot.sav"), good);
  EXPECT_EQ(std::distance(fs::directory_iterator(save_), fs::directory_iterator()), 1);

  ASSERT_TRUE(LoadSave_WriteFile("slot.sav", big.data(), 8192));
  EXPECT_EQ(ReadRaw(save_ + "slot.sav"), big);
}

// The save folder is held open once it is there; removed under the running
// player, it is made again by the next write and held anew.
TEST_F(FileLayer, TheSaveFolderIsHeldAnewWhenMadeAgain) {
  EXPECT_FALSE(LoadSave_SaveFileExists("one.sav"));
  ASSERT_TRUE(LoadSave_WriteFile("one.sav", "1", 1));
  EXPECT_EQ(Take(LoadSave_ReadSaveFile, "one.sav"), "1");
  fs::remove_all(save_);
  EXPECT_FALSE(LoadSave_SaveFileExists("one.sav"));
  ASSERT_TRUE(LoadSave_WriteFile("deep/two.sav", "2", 1));
  EXPECT_EQ(ReadRaw(save_ + "deep/two.sav"), "2");
  EXPECT_EQ(Take(LoadSave_ReadSaveFile, "deep/two.sav"), "2");
}

// A save folder that is a plain file or lies past one is said once at start,
// and writes then fail without harm; a missing one is made on first write.
TEST_F(FileLayer, ASaveFolderInTheWayIsToldAtStart) {
  struct Case {
    std::string folder;
    std::string line;
  };
  WriteRaw(base_ + "/plain", "x");
  const Case cases[] = {
      {base_ + "/missing/", ""},
      {base_ + "/plain/", "The save folder " + base_ + "/plain/ is not a folder; nothing can be saved\n"},
      {base_ + "/plain/inner/",
       "The save folder " + base_ + "/plain/inner/ cannot be reached (Not a directory); nothing can be saved\n"},
  };
  for (const Case& c : cases) {
    LoadSave_SetSaveDirectory(c.folder.c_str());
    testsupport::ConsoleCapture console;
    LoadSave_CheckSaveFolder();
    EXPECT_EQ(console.Text(), c.line);
    EXPECT_EQ(LoadSave_WriteFile("slot.sav", "s", 1), c.line.empty());
    EXPECT_EQ(ReadRaw(base_ + "/plain"), "x");
  }
}

TEST_F(FileLayer, ReadsFailClosed) {
  int32_t size = 7;
  EXPECT_EQ(LoadSave_ReadProgramFile("missing.txt", &size), nullptr);
  EXPECT_EQ(size, 0);
  EXPECT_FALSE(LoadSave_ProgramFileExists("missing.txt"));
  fs::create_directories(program_ + "folder");
  EXPECT_EQ(LoadSave_ReadProgramFile("folder", &size), nullptr);
  EXPECT_FALSE(LoadSave_ProgramFileExists("folder"));
  EXPECT_EQ(LoadSave_ReadFile("/dev/null", &size), nullptr);
  EXPECT_EQ(LoadSave_ReadFile(nullptr, &size), nullptr);
  EXPECT_EQ(LoadSave_ReadSaveFile("/etc/hostname", &size), nullptr);
  // A pipe nobody writes to must not hang the reader.
  ASSERT_EQ(mkfifo((program_ + "pipe").c_str(), 0600), 0);
  EXPECT_EQ(LoadSave_ReadProgramFile("pipe", &size), nullptr);
  EXPECT_FALSE(LoadSave_ProgramFileExists("pipe"));
}

TEST_F(FileLayer, ReadsFallBackToANameDifferingInCase) {
  WriteRaw(program_ + "Levels/Data.TXT", "upper");
  EXPECT_EQ(Take(LoadSave_ReadProgramFile, "Levels/data.txt"), "upper");
  EXPECT_TRUE(LoadSave_ProgramFileExists("Levels\\DATA.txt"));
  EXPECT_EQ(ToProgram("Levels/data.txt"), program_ + "Levels/Data.TXT");
  EXPECT_EQ(Take(LoadSave_ReadFile, (program_ + "Levels/dAtA.txt").c_str()), "upper");

  // The exact name wins; among several others the first in byte order.
  WriteRaw(program_ + "a.txt", "lower");
  WriteRaw(program_ + "A.txt", "capital");
  EXPECT_EQ(Take(LoadSave_ReadProgramFile, "a.txt"), "lower");
  EXPECT_EQ(Take(LoadSave_ReadProgramFile, "A.txt"), "capital");
  EXPECT_EQ(Take(LoadSave_ReadProgramFile, "A.TXT"), "capital");
  EXPECT_FALSE(LoadSave_ProgramFileExists("Levels/data.txt2"));
}

TEST_F(FileLayer, GameNamesTheSaveFolder) {
  std::string xdg = base_ + "/xdg";
  ScopedEnv setXdg("XDG_DATA_HOME", xdg.c_str());
  LoadSave_SetSaveDirectory(nullptr);
  LoadSave_SetGameFile((base_ + "/game/data.win").c_str());
  EXPECT_STREQ(LoadSave_GetProgramDirectory(), (base_ + "/game/").c_str());
  EXPECT_STREQ(LoadSave_GetSaveDirectory(), (xdg + "/data/").c_str());

  LoadSave_SetGameName("My Game");
  EXPECT_STREQ(LoadSave_GetSaveDirectory(), (xdg + "/My Game/").c_str());
  LoadSave_SetGameName("..");
  EXPECT_STREQ(LoadSave_GetSaveDirectory(), (xdg + "/__/").c_str());
  LoadSave_SetGameName("../../evil");
  EXPECT_STREQ(LoadSave_GetSaveDirectory(), (xdg + "/.._.._evil/").c_str());

  // Without a usable XDG_DATA_HOME (unset or relative) the home folder's.
  ScopedEnv setHome("HOME", (base_ + "/home").c_str());
  ScopedEnv relative("XDG_DATA_HOME", "relative/dir");
  LoadSave_SetGameName("g");
  EXPECT_STREQ(LoadSave_GetSaveDirectory(), (base_ + "/home/.local/share/g/").c_str());
  EXPECT_TRUE(LoadSave_WriteFile("first.sav", "1", 1));
  EXPECT_EQ(ReadRaw(base_ + "/home/.local/share/g/first.sav"), "1");
}

TEST_F(FileLayer, OpenFilePrefersTheProgramCopy) {
  WriteRaw(program_ + "both.txt", "program");
  WriteRaw(save_ + "both.txt", "save");
  WriteRaw(save_ + "only.txt", "saved");
  LoadSaveFile* file = LoadSave_Open("both.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(file->data), file->size), "program");
  LoadSave_Close(file);
  file = LoadSave_Open("only.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->size, 5);
  LoadSave_Close(file);
  EXPECT_EQ(LoadSave_Open("none.txt"), nullptr);
  LoadSave_Close(nullptr);
}

TEST_F(FileLayer, ReadFileWalksItsBytes) {
  WriteRaw(program_ + "r.bin",
           "  3.5x\xff\x80"
           "12");
  LoadSaveFile* file = LoadSave_Open("r.bin");
  ASSERT_NE(file, nullptr);
  double real = 0;
  EXPECT_TRUE(LoadSave_ReadReal(file, &real));
  EXPECT_EQ(real, 3.5);
  EXPECT_EQ(LoadSave_Tell(file), 5);
  EXPECT_FALSE(LoadSave_ReadReal(file, &real));  // "x" is no number
  EXPECT_EQ(LoadSave_GetChar(file), 'x');
  EXPECT_EQ(LoadSave_GetChar(file), -1);  // 0xFF reads like the end
  EXPECT_EQ(LoadSave_GetChar(file), -128);
  EXPECT_TRUE(LoadSave_ReadReal(file, &real));  // a number ending the data
  EXPECT_EQ(real, 12.0);
  EXPECT_TRUE(LoadSave_EOF(file));
  EXPECT_EQ(LoadSave_GetChar(file), -1);
  EXPECT_EQ(LoadSave_Tell(file), 11);  // moves on past the end
  EXPECT_FALSE(LoadSave_ReadReal(file, &real));

  char buffer[32] = {};
  LoadSave_Seek(file, 3, 2);
  EXPECT_EQ(LoadSave_Read(buffer, 4, 100, file), 3);
  EXPECT_EQ(std::string(buffer, 3),
            "\x80"
            "12");
  LoadSave_Seek(file, -100, 1);  // never before the start
  EXPECT_EQ(LoadSave_Tell(file), 0);
  LoadSave_Seek(file, 4, 7);  // unknown origin: no move
  EXPECT_EQ(LoadSave_Tell(file), 0);
  EXPECT_EQ(LoadSave_Read(buffer, SIZE_MAX, SIZE_MAX, file), 10);
  LoadSave_Seek(file, 0, 2);
  EXPECT_TRUE(LoadSave_EOF(file));
  EXPECT_EQ(LoadSave_Read(buffer, 1, 1, file), 0);
  LoadSave_Close(file);

  WriteRaw(program_ + "empty.bin", "");
  file = LoadSave_Open("empty.bin");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(LoadSave_EOF(file));
  EXPECT_EQ(LoadSave_GetChar(file), -1);
  LoadSave_Close(file);
}

// What the file built-ins pay per operation once the save folder is held:
// a text rewrite syncs its file once (not the folder) in at most twelve
// calls, an INI file that is there is opened once to be read, and a missing
// name three folders deep, looked for under both roots, reads no folder the
// second time and makes at most fourteen calls.
TEST_F(FileLayer, ARewriteAndADeepMissCostFewCalls) {
  const auto rewrite = [] {
    const std::string path = LoadSave_SavePath("t.txt");
    FILE* stream = WriteStream_OpenReplacing(path, "w", NewFile::kAtOpen);
    if (stream == nullptr) std::abort();
    std::fputs("hello", stream);
    if (!WriteStream_Close(stream)) std::abort();
  };
  ASSERT_TRUE(Directory_Create(save_.c_str()));
  rewrite();
  const long calls = testsupport::CountSystemCalls(rewrite);
  if (calls < 0) GTEST_SKIP() << "system calls cannot be traced here";
  EXPECT_LE(calls, 12);
  EXPECT_EQ(testsupport::CountSystemCalls(rewrite, SYS_fsync), 1);
  EXPECT_EQ(ReadRaw(save_ + "t.txt"), "hello");

  WriteRaw(save_ + "s.ini", "[a]\nk=v\n");
  const auto iniOpen = [] {
    CIniFile ini("s.ini", false);
    if (ini.FindKey("a", "k") == nullptr) std::abort();
  };
  iniOpen();
  EXPECT_LE(testsupport::CountSystemCalls(iniOpen), 8);
  EXPECT_EQ(testsupport::CountSystemCalls(iniOpen, SYS_openat2) + testsupport::CountSystemCalls(iniOpen, SYS_openat),
            1);

  fs::create_directories(save_ + "a/b/c");
  // A folder changed a moment ago is read again until its change time lies
  // clearly in the past (folder_index.h).
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  const auto miss = [] {
    const std::string save = LoadSave_SavePath("a/b/c/x.txt");
    const std::string program = LoadSave_ProgramPath("a/b/c/x.txt");
    if (File_Exists(save.c_str()) || File_Exists(program.c_str())) std::abort();
  };
  miss();
  EXPECT_LE(testsupport::CountSystemCalls(miss), 14);
  EXPECT_EQ(testsupport::CountSystemCalls(miss, SYS_getdents64), 0);
}

}  // namespace
