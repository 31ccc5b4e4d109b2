// Writers killed at random moments: each file they replace is either the old
// one or a new one, whole, and they leave no half-written file behind; no
// name in the save folder is removed because it looks like a temporary, as
// nothing tells it from a file of the game's own. Killed runs' temporary
// folders are removed at the next start, but never a running player's.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "files/files.h"
#include "files_test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

// Each content is one repeated letter, with a length of its own.
std::string Content(int n) {
  const char letter = "abc"[n % 3];
  return std::string(60000 + (n % 3) * 7777, letter);
}

bool IsWhole(const std::string& bytes) {
  if (bytes.empty()) return false;
  for (int n = 0; n < 3; ++n) {
    if (bytes == Content(n)) return true;
  }
  return false;
}

std::vector<std::string> Names(const std::string& folder, const char* containing) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  while (const dirent* entry = dir != nullptr ? readdir(dir) : nullptr) {
    if (std::string(entry->d_name).find(containing) != std::string::npos) names.push_back(entry->d_name);
  }
  if (dir != nullptr) closedir(dir);
  return names;
}

// Kills and reaps a child when the test ends, whatever stopped it.
struct Reaper {
  pid_t pid;
  ~Reaper() {
    if (pid <= 0) return;
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

class KilledWriters : public FilesTest {
 protected:
  // A player's writes, over and over, until it is killed.
  [[noreturn]] void WriteForever() {
    File_MakeTempDirectory(temp_.c_str());
    for (int n = 0;; ++n) {
      const std::string text = Content(n);
      const double h = Call(F_FileTextOpenWrite, {S("notes.txt")});
      Call(F_FileTextWriteString, {R(h), S(text.c_str())});
      Call(F_FileTextClose, {R(h)});
      const double b = Call(F_FileBinOpen, {S("data.bin"), R(1)});
      for (char c : Content(n + 1)) Call(F_FileBinWriteByte, {R(b), R(c)});
      Call(F_FileBinClose, {R(b)});
      const std::string saved = Content(n + 2);
      LoadSave_WriteFile("game.sav", saved.data(), static_cast<int32_t>(saved.size()));
    }
  }

  // A player that holds a file open for writing and waits to be killed.
  pid_t StartLiveWriter() {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
      File_MakeTempDirectory(temp_.c_str());
      const double h = Call(F_FileTextOpenWrite, {S("notes.txt")});
      Call(F_FileTextWriteString, {R(h), S(Content(1).c_str())});
      if (write(ready[1], "r", 1) != 1) _exit(1);
      pause();
      _exit(0);
    }
    char byte;
    if (read(ready[0], &byte, 1) != 1) ADD_FAILURE() << "the live writer did not start";
    close(ready[0]);
    close(ready[1]);
    return pid;
  }

  std::string temp_ = folder_ / "tmp";
};

TEST_F(KilledWriters, FilesAreWhollyOldOrNewAndNoNameIsSwept) {
  for (const char* name : {"notes.txt", "data.bin", "game.sav"}) WriteRaw(Save(name), Content(0));
  std::mt19937 random(80);
  // A kill between a new file's naming and its rename leaves it under its
  // temporary name, whole; no kill leaves anything else.
  std::vector<std::string> leftovers;
  for (int kill = 0; kill < 50; ++kill) {
    Reaper writer{fork()};
    ASSERT_GE(writer.pid, 0);
    if (writer.pid == 0) WriteForever();
    usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random));
    ::kill(writer.pid, SIGKILL);
    waitpid(writer.pid, nullptr, 0);
    writer.pid = 0;
    for (const char* name : {"notes.txt", "data.bin", "game.sav"}) {
      EXPECT_TRUE(IsWhole(ReadRaw(Save(name)))) << name << " after kill " << kill;
    }
    for (const std::string& name : Names(save_, ".kvtmp")) {
      if (std::find(leftovers.begin(), leftovers.end(), name) != leftovers.end()) continue;
      EXPECT_TRUE(IsWhole(ReadRaw(Save(name)))) << name << " after kill " << kill;
      leftovers.push_back(name);
    }
  }
  EXPECT_LE(leftovers.size(), 5u);

  // A dead writer's temporary name, as a file system without unnamed files
  // would leave it, stays through a start, a running player's writes and
  // listings.
  WriteRaw(Save("notes.txt.kvtmp2147483000_1"), "dead");
  leftovers.push_back("notes.txt.kvtmp2147483000_1");
  std::sort(leftovers.begin(), leftovers.end());
  Reaper liveWriter{StartLiveWriter()};
  const pid_t live = liveWriter.pid;
  ASSERT_GT(live, 0);
  ASSERT_FALSE(Names(temp_, "qz_ttt_").empty());
  LoadSave_CheckSaveFolder();
  ASSERT_TRUE(LoadSave_WriteFile("other.sav", "o", 1));
  FindAll(save_ + "*");
  File_RemoveLeftoverTempDirectories(temp_.c_str());
  std::vector<std::string> kept = Names(save_, ".kvtmp");
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, leftovers);
  // The running player's temporary folder is left, and its file, still
  // being written, reads as before.
  EXPECT_EQ(Names(temp_, "qz_ttt_").size(), 1u);
  EXPECT_TRUE(IsWhole(ReadRaw(Save("notes.txt"))));

  ::kill(live, SIGKILL);
  waitpid(live, nullptr, 0);
  liveWriter.pid = 0;
  kept = Names(save_, ".kvtmp");
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, leftovers);
  File_RemoveLeftoverTempDirectories(temp_.c_str());
  EXPECT_TRUE(Names(temp_, "qz_ttt_").empty());
}

// A name of the form of a writer's temporary, whose process no longer runs,
// is a file like any other: the game may make one itself, and nothing tells
// it from a killed writer's. An existence test, a listing, a write into its
// folder and the highscore table written at a run's end all leave it.
TEST_F(KilledWriters, NamesLikeADeadWritersTemporaryAreFilesLikeAnyOther) {
  const double h = Call(F_FileTextOpenWrite, {S("notes.kvtmp2147483000_1")});
  Call(F_FileTextWriteString, {R(h), S("the game's own")});
  Call(F_FileTextClose, {R(h)});
  EXPECT_EQ(Call(F_FileExists, {S("notes.kvtmp2147483000_1")}), 1);
  WriteRaw(Save("a/b/c/n.txt"), "whole");
  WriteRaw(Save("a/b/c/n.txt.kvtmp2147483000_4"), "half");
  WriteRaw(Save("a/b/d/m.txt.kvtmp2147483000_5"), "half");
  WriteRaw(Program("p.txt.kvtmp2147483000_6"), "program");
  EXPECT_EQ(FindAll(Save("a/b/c/*")), "n.txt,n.txt.kvtmp2147483000_4");
  EXPECT_EQ(Call(F_FileExists, {S("a/b/d/m.txt.kvtmp2147483000_5")}), 1);
  EXPECT_EQ(Call(F_FileExists, {S("p.txt.kvtmp2147483000_6")}), 1);
  ASSERT_TRUE(LoadSave_WriteFile("a/b/d/other.sav", "o", 1));
  ASSERT_TRUE(LoadSave_WriteFile("hiscore.dat", "HISC", 4));
  FindAll(Program("*"));
  EXPECT_EQ(ReadRaw(Save("notes.kvtmp2147483000_1")), "the game's own");
  EXPECT_EQ(ReadRaw(Save("a/b/c/n.txt.kvtmp2147483000_4")), "half");
  EXPECT_EQ(ReadRaw(Save("a/b/d/m.txt.kvtmp2147483000_5")), "half");
  EXPECT_EQ(ReadRaw(Program("p.txt.kvtmp2147483000_6")), "program");
}

// A second handle reading while a writer is open sees the earlier content;
// once the writer closes, the new content is there, as it always was.
TEST_F(KilledWriters, ReadersSeeTheEarlierFileUntilTheWriterCloses) {
  WriteRaw(Save("n.txt"), "old");
  const double w = Call(F_FileTextOpenWrite, {S("n.txt")});
  Call(F_FileTextWriteString, {R(w), S("new")});
  const double r = Call(F_FileTextOpenRead, {S("n.txt")});
  EXPECT_EQ(Text(F_FileTextReadString, {R(r)}), "old");
  Call(F_FileTextClose, {R(r)});
  Call(F_FileTextClose, {R(w)});
  EXPECT_EQ(ReadRaw(Save("n.txt")), "new");
}

}  // namespace
