// Writers killed at random moments: each file they replace is either the old
// one or a new one, whole, and what the killed runs left is removed (their
// temporaries as the next player meets them, their temporary folders at its
// start) but never what a running player is still writing.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "runtime/files.h"

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

TEST_F(KilledWriters, FilesAreWhollyOldOrNewAndLeftoversGoWhenMet) {
  for (const char* name : {"notes.txt", "data.bin", "game.sav"}) WriteRaw(Save(name), Content(0));
  std::mt19937 random(80);
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
  }

  // Each kill's successor removed what the kill before it left, so the last
  // kill may or may not have left one: plant one more dead writer's.
  WriteRaw(Save("data.bin.kvtmp2147483001_1"), "dead");
  Reaper liveWriter{StartLiveWriter()};
  const pid_t live = liveWriter.pid;
  ASSERT_GT(live, 0);
  ASSERT_FALSE(Names(temp_, "qz_ttt_").empty());
  // Each player's first write into a folder removes what dead writers left
  // there (the live writer's removed the kills'); the start walks nothing.
  WriteRaw(Save("notes.txt.kvtmp2147483000_1"), "dead");
  LoadSave_CheckSaveFolder();
  EXPECT_EQ(Names(save_, ".kvtmp").size(), 2u);
  ASSERT_TRUE(LoadSave_WriteFile("other.sav", "o", 1));
  File_RemoveLeftoverTempDirectories(temp_.c_str());
  // Only the running player's temporary and temporary folder are left.
  const std::vector<std::string> kept = Names(save_, ".kvtmp");
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NE(kept[0].find(".kvtmp" + std::to_string(live) + "_"), std::string::npos);
  EXPECT_EQ(Names(temp_, "qz_ttt_").size(), 1u);
  // Its file, still being written, reads as before.
  EXPECT_TRUE(IsWhole(ReadRaw(Save("notes.txt"))));

  ::kill(live, SIGKILL);
  waitpid(live, nullptr, 0);
  liveWriter.pid = 0;
  // A listing removes the leftovers it meets, and never shows them.
  EXPECT_EQ(FindAll(save_ + "*").find(".kvtmp"), std::string::npos);
  File_RemoveLeftoverTempDirectories(temp_.c_str());
  EXPECT_TRUE(Names(save_, ".kvtmp").empty());
  EXPECT_TRUE(Names(temp_, "qz_ttt_").empty());
}

// What a killed writer left deep in the save folder is never seen: a
// listing or an existence test removes it first. A name that only looks
// like one stays, and so does anything in the program folder.
TEST_F(KilledWriters, NoGameSeesALeftover) {
  WriteRaw(Save("a/b/c/n.txt"), "whole");
  WriteRaw(Save("a/b/c/n.txt.kvtmp2147483000_4"), "half");
  WriteRaw(Save("a/b/c/look.kvtmp.txt"), "kept");
  WriteRaw(Save("a/b/d/m.txt.kvtmp2147483000_5"), "half");
  WriteRaw(Program("p.txt.kvtmp2147483000_6"), "program");
  EXPECT_EQ(FindAll(Save("a/b/c/*")), "look.kvtmp.txt,n.txt");
  EXPECT_TRUE(Names(Save("a/b/c"), "_4").empty());
  EXPECT_EQ(Call(F_FileExists, {S("a/b/d/m.txt.kvtmp2147483000_5")}), 0);
  EXPECT_TRUE(Names(Save("a/b/d"), "_5").empty());
  EXPECT_EQ(Call(F_FileExists, {S("p.txt.kvtmp2147483000_6")}), 1);
  FindAll(Program("*"));
  EXPECT_EQ(Names(program_, "_6").size(), 1u);
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
