// The writers that replace a file, seen from the game: every name the system
// takes writes, a file open for writing is there and its temporary is not,
// two handles on one file write one file, what was written is in place after
// an exit, and a folder that takes no new names is written in place.
#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "builtins/motion/handlers.h"
#include "files/write_stream.h"
#include "files_test_support.h"
#include "graphics/3d/model_3d.h"
#include "graphics/bitmap/bmp_png.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

using Writers = FilesTest;

std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  while (const dirent* entry = dir != nullptr ? readdir(dir) : nullptr) {
    if (std::string(entry->d_name).find(".kvtmp") != std::string::npos) names.push_back(entry->d_name);
  }
  if (dir != nullptr) closedir(dir);
  return names;
}

// One replacing writer: writes the file of that name; what it then starts
// with.
struct ReplacingWriter {
  const char* what;
  std::function<void(const std::string& name)> write;
  std::string start;
};

void TextWrite(const std::string& name) {
  const double h = Call(F_FileTextOpenWrite, {S(name.c_str())});
  if (h < 0) return;
  Call(F_FileTextWriteString, {R(h), S("text")});
  Call(F_FileTextClose, {R(h)});
}

void BinaryWrite(const std::string& name) {
  const double h = Call(F_FileBinOpen, {S(name.c_str()), R(1)});
  if (h < 0) return;
  Call(F_FileBinWriteByte, {R(h), R('B')});
  Call(F_FileBinClose, {R(h)});
}

void LegacyWrite(const std::string& name) {
  Call(F_FileOpenWrite, {S(name.c_str())});
  Call(F_FileWriteString, {S("legacy")});
  Call(F_FileClose, {});
}

void IniWrite(const std::string& name) {
  Call(F_IniOpen, {S(name.c_str())});
  Call(F_IniWriteString, {S("s"), S("k"), S("v")});
  Call(F_IniClose, {});
}

const PngWriteMessages kPngMessages = {true, "png bytes failed\n", "png end failed\n"};

const std::vector<ReplacingWriter>& ReplacingWriters() {
  static const std::string kPixels(4 * 4 * 4, '\x7f');
  static const std::vector<ReplacingWriter> writers = {
      {"file_text_open_write", TextWrite, "text"},
      {"file_bin_open mode 1", BinaryWrite, "B"},
      {"file_open_write", LegacyWrite, "legacy"},
      {"file_copy",
       [](auto& n) {
         Call(F_FileCopy, {S("source.txt"), S(n.c_str())});
       },
       "copied"},
      {"ini_close", IniWrite, "[s]\r\nk=v\r\n"},
      {"game_save", [](auto& n) { Call(F_GameSave, {S(n.c_str())}); }, std::string("\x1c\x02\0\0", 4)},
      {"d3d_model_save",
       [](auto& n) {
         const std::string path = LoadSave_SavePath(n.c_str());
         if (!path.empty()) C3DModel().Save(path.c_str());
       },
       "100\n0\n"},
      {"sprite_save", [](auto& n) { write_png_file(n.c_str(), kPixels.data(), 4, 4, &kPngMessages); }, "\x89PNG"},
  };
  return writers;
}

TEST_F(Writers, EveryNameTheSystemTakesWritesThroughEveryReplacingWriter) {
  WriteRaw(Program("source.txt"), "copied");
  std::vector<std::string> names;
  for (size_t length = 1; length <= 255; ++length) names.push_back(std::string(length, 'n'));
  // Two-byte characters up to the limit.
  std::string wide;
  while (wide.size() + 2 <= 255) wide += "\xc3\xa9";
  names.push_back(wide + "x");
  for (const ReplacingWriter& writer : ReplacingWriters()) {
    SCOPED_TRACE(writer.what);
    for (const std::string& name : names) {
      // The longest names replace an earlier file.
      if (name.size() > 240) WriteRaw(Save(name), "earlier");
      testsupport::ConsoleCapture console;
      writer.write(name);
      EXPECT_EQ(ReadRaw(Save(name)).substr(0, writer.start.size()), writer.start) << name.size();
      EXPECT_EQ(console.Text(), "") << name.size();
      unlink(Save(name).c_str());
    }
    EXPECT_EQ(Temporaries(save_), std::vector<std::string>{});
    // One byte more than a name may have: refused, and said on the console
    // first thing, without an earlier file there said to be kept.
    const std::string tooLong(256, 'n');
    testsupport::ConsoleCapture console;
    writer.write(tooLong);
    ASSERT_FALSE(console.Lines().empty());
    EXPECT_NE(console.Lines().front().find(tooLong), std::string::npos) << console.Text();
    EXPECT_EQ(console.Text().find("kept"), std::string::npos) << console.Text();
    EXPECT_EQ(Temporaries(save_), std::vector<std::string>{});
  }
  // A writer killed with the longest name open leaves nothing behind.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const double h = Call(F_FileTextOpenWrite, {S(std::string(255, 'k').c_str())});
    Call(F_FileTextWriteString, {R(h), S("killed")});
    raise(SIGKILL);
  }
  waitpid(child, nullptr, 0);
  EXPECT_EQ(Temporaries(save_), std::vector<std::string>{});
}

TEST_F(Writers, AFileOpenForWritingIsThereAndNoTemporaryIsListed) {
  WriteRaw(Save("earlier.txt"), "earlier");
  // Names of other players' temporaries, a running one's (process 1 always
  // runs) and a killed one's, and names that only look like temporaries:
  // files like any other, listed and left alone.
  const std::vector<std::string> others = {"x.txt.kvtmp1_3", "y.txt.kvtmp2147483000_1"};
  const std::vector<std::string> lookalikes = {"n.kvtmp.txt", "n.txt.kvtmp12_1x"};
  for (const std::string& name : others) WriteRaw(Save(name), "");
  for (const std::string& name : lookalikes) WriteRaw(Save(name), "");
  const size_t before = others.size() + lookalikes.size();
  const double fresh = Call(F_FileTextOpenWrite, {S("fresh.txt")});
  const double earlier = Call(F_FileBinOpen, {S("earlier.txt"), R(1)});
  const std::string longName = std::string(250, 'l');
  const double shortened = Call(F_FileTextOpenWrite, {S(longName.c_str())});
  Call(F_FileOpenWrite, {S("legacy.txt")});
  // The files being written show under their own names only.
  ASSERT_EQ(Temporaries(save_).size(), before);

  for (const char* name : {"fresh.txt", "earlier.txt", "legacy.txt"}) {
    EXPECT_EQ(Call(F_FileExists, {S(name)}), 1) << name;
  }
  EXPECT_EQ(Call(F_FileExists, {S(longName.c_str())}), 1);
  EXPECT_EQ(ReadRaw(Save("fresh.txt")), "");
  EXPECT_EQ(ReadRaw(Save("earlier.txt")), "earlier");
  std::vector<std::string> names{Text(F_FileFindFirst, {S((save_ + "*").c_str()), R(0)})};
  while (!names.back().empty()) names.push_back(Text(F_FileFindNext, {}));
  EXPECT_EQ(names, (std::vector<std::string>{"earlier.txt", "fresh.txt", "legacy.txt", longName, "n.kvtmp.txt",
                                             "n.txt.kvtmp12_1x", "x.txt.kvtmp1_3", "y.txt.kvtmp2147483000_1", ""}));

  Call(F_FileTextWriteString, {R(fresh), S("fresh")});
  Call(F_FileBinWriteByte, {R(earlier), R('e')});
  Call(F_FileTextClose, {R(fresh)});
  Call(F_FileBinClose, {R(earlier)});
  Call(F_FileTextClose, {R(shortened)});
  Call(F_FileClose, {});
  EXPECT_EQ(ReadRaw(Save("fresh.txt")), "fresh");
  EXPECT_EQ(ReadRaw(Save("earlier.txt")), "e");
  EXPECT_EQ(Temporaries(save_).size(), before);
}

// Two handles of one game on one file, one writing in place and one
// replacing it, in either order: both write the one file.
TEST_F(Writers, TwoHandlesOnOneFileWriteOneFile) {
  const auto text = [](BuiltinFunction open) { return Call(open, {S("log.txt")}); };
  const auto binary = [](int mode) { return Call(F_FileBinOpen, {S("log.txt"), R(mode)}); };
  const auto put = [](double h, const char* bytes) {
    for (const char* c = bytes; *c != '\0'; ++c) Call(F_FileBinWriteByte, {R(h), R(*c)});
  };
  // The appending handle opened before the writing one, or once it wrote.
  const auto textHandles = [&](bool appendFirst) {
    double a = appendFirst ? text(F_FileTextOpenAppend) : -1;
    const double w = text(F_FileTextOpenWrite);
    Call(F_FileTextWriteString, {R(w), S("NEW")});
    if (!appendFirst) a = text(F_FileTextOpenAppend);
    Call(F_FileTextClose, {R(w)});
    Call(F_FileTextWriteString, {R(a), S("+APPENDED")});
    Call(F_FileTextClose, {R(a)});
  };
  struct Case {
    const char* what;
    std::function<void()> run;
    const char* holds;
  };
  const std::vector<Case> cases = {
      {"append, then write", [&] { textHandles(true); }, "NEW+APPENDED"},
      {"write, then append", [&] { textHandles(false); }, "NEW+APPENDED"},
      {"binary mode 2, then mode 1",
       [&] {
         const double both = binary(2);
         const double w = binary(1);
         put(w, "NEW");
         Call(F_FileBinClose, {R(w)});
         Call(F_FileBinSeek, {R(both), R(3)});
         put(both, "+2");
         Call(F_FileBinClose, {R(both)});
       },
       "NEW+2"},
      {"legacy append, then binary mode 1",
       [&] {
         Call(F_FileOpenAppend, {S("log.txt")});
         const double w = binary(1);
         put(w, "NEW");
         Call(F_FileBinClose, {R(w)});
         Call(F_FileWriteString, {S("+LEGACY")});
         Call(F_FileClose, {});
       },
       "NEW+LEGACY"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteRaw(Save("log.txt"), "OLD");
    testsupport::ConsoleCapture console;
    c.run();
    EXPECT_EQ(ReadRaw(Save("log.txt")), c.holds);
    EXPECT_EQ(console.Text(), "");
    EXPECT_EQ(Temporaries(save_), std::vector<std::string>{});
  }
}

// What replacing a file keeps as it was: another hard link to it keeps the
// earlier content, appends through a hard link reach its other name, and the
// new file has the earlier one's permissions, whether the umask would give
// them or not.
TEST_F(Writers, AReplacedFileKeepsItsModeAndItsOtherLinksTheirContent) {
  for (const mode_t mode : {0604u, 0666u, 0700u, 0444u | 0200u}) {
    SCOPED_TRACE(mode);
    WriteRaw(Save("a.txt"), "old");
    chmod(Save("a.txt").c_str(), mode);
    unlink(Save("b.txt").c_str());
    ASSERT_EQ(link(Save("a.txt").c_str(), Save("b.txt").c_str()), 0);
    TextWrite("a.txt");
    struct stat info;
    ASSERT_EQ(stat(Save("a.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode);
    EXPECT_EQ(ReadRaw(Save("a.txt")), "text");
    EXPECT_EQ(ReadRaw(Save("b.txt")), "old");
  }
  WriteRaw(Save("c.txt"), "C");
  ASSERT_EQ(link(Save("c.txt").c_str(), Save("d.txt").c_str()), 0);
  const double a = Call(F_FileTextOpenAppend, {S("d.txt")});
  Call(F_FileTextWriteString, {R(a), S("+D")});
  Call(F_FileTextClose, {R(a)});
  EXPECT_EQ(ReadRaw(Save("c.txt")), "C+D");
  EXPECT_EQ(Temporaries(save_), std::vector<std::string>{});
}

// A handle that writes the file anew, joined in place by a second handle on
// the same file, ends as plain buffered streams that write at their close
// would: the first handle's file is emptied at its open, what it holds
// reaches the file at its own close, from where its writes began, over what
// the second handle wrote meanwhile. Each row ends the same whether a file
// was there before or not.
TEST_F(Writers, TwoHandlesOnOneFileEndAsPlainStreamsWould) {
  const auto text = [](double h, const char* s) { Call(F_FileTextWriteString, {R(h), S(s)}); };
  const auto bytes = [](double h, const char* s) {
    for (const char* c = s; *c != '\0'; ++c) Call(F_FileBinWriteByte, {R(h), R(*c)});
  };
  const auto textWrite = [] { return Call(F_FileTextOpenWrite, {S("two.txt")}); };
  const auto binary = [](int mode) { return Call(F_FileBinOpen, {S("two.txt"), R(mode)}); };
  struct Case {
    const char* what;
    std::function<void()> run;
    const char* holds;
  };
  const std::vector<Case> cases = {
      // The byte lands first, in the emptied file; "W1W2" covers it at the
      // text handle's close.
      {"text, a binary byte between its writes",
       [&] {
         const double w = textWrite();
         text(w, "W1");
         const double b = binary(2);
         bytes(b, "B");
         Call(F_FileBinClose, {R(b)});
         text(w, "W2");
         Call(F_FileTextClose, {R(w)});
       },
       "W1W2"},
      {"text, a binary byte after its writes",
       [&] {
         const double w = textWrite();
         text(w, "ABC");
         const double b = binary(2);
         bytes(b, "Z");
         Call(F_FileBinClose, {R(b)});
         Call(F_FileTextClose, {R(w)});
       },
       "ABC"},
      // The appended "G" goes to the end of the emptied file, and "LE"
      // covers it.
      {"binary mode 1, a text append closed first",
       [&] {
         const double w = binary(1);
         bytes(w, "LE");
         const double a = Call(F_FileTextOpenAppend, {S("two.txt")});
         text(a, "G");
         Call(F_FileTextClose, {R(a)});
         Call(F_FileBinClose, {R(w)});
       },
       "LE"},
      // Closed the other way round, the append follows what was written.
      {"text, a text append closed last",
       [&] {
         const double w = textWrite();
         text(w, "AB");
         const double a = Call(F_FileTextOpenAppend, {S("two.txt")});
         text(a, "E");
         text(w, "D");
         Call(F_FileTextClose, {R(w)});
         Call(F_FileTextClose, {R(a)});
       },
       "ABDE"},
      {"legacy write, a binary byte between",
       [&] {
         Call(F_FileOpenWrite, {S("two.txt")});
         Call(F_FileWriteString, {S("ZE")});
         const double b = binary(2);
         bytes(b, "G");
         Call(F_FileBinClose, {R(b)});
         Call(F_FileClose, {});
       },
       "ZE"},
  };
  for (const bool earlier : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (earlier ? ", over an earlier file" : ", new"));
      unlink(Save("two.txt").c_str());
      if (earlier) WriteRaw(Save("two.txt"), "EARLIER");
      testsupport::ConsoleCapture console;
      c.run();
      EXPECT_EQ(ReadRaw(Save("two.txt")), c.holds);
      EXPECT_EQ(console.Text(), "");
      EXPECT_EQ(Temporaries(save_), std::vector<std::string>{});
    }
  }
}

// What a player wrote is in place when it ends through exit, as closing
// each handle would put it, but not when a signal kills it; a forked child's
// exit leaves its parent's writers alone.
TEST_F(Writers, AnExitPutsWhatWasWrittenInPlaceAndAKillDoesNot) {
  const std::vector<std::string> names = {"text.txt", "data.bin", "legacy.txt"};
  WriteRaw(Save("parent.txt"), "earlier");
  const double parents = Call(F_FileTextOpenWrite, {S("parent.txt")});
  for (const bool killed : {false, true}) {
    SCOPED_TRACE(killed ? "killed" : "exit");
    for (const std::string& name : names) WriteRaw(Save(name), "earlier");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Call(F_FileTextWriteString, {R(Call(F_FileTextOpenWrite, {S("text.txt")})), S("text")});
      Call(F_FileBinWriteByte, {R(Call(F_FileBinOpen, {S("data.bin"), R(1)})), R('B')});
      Call(F_FileOpenWrite, {S("legacy.txt")});
      Call(F_FileWriteString, {S("legacy")});
      if (killed) raise(SIGKILL);
      std::exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(killed ? WTERMSIG(status) : WEXITSTATUS(status), killed ? SIGKILL : 3);
    const std::vector<std::string> expected =
        killed ? std::vector<std::string>(3, "earlier") : std::vector<std::string>{"text", "B", "legacy"};
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(ReadRaw(Save(names[i])), expected[i]) << names[i];
  }
  EXPECT_EQ(ReadRaw(Save("parent.txt")), "earlier");
  Call(F_FileTextWriteString, {R(parents), S("parent")});
  Call(F_FileTextClose, {R(parents)});
  EXPECT_EQ(ReadRaw(Save("parent.txt")), "parent");
}

// A folder the player cannot add names to, whose files it may write: each
// rewrite goes to the file itself, which keeps its owner and mode; a new
// name is still refused. Tried as an unprivileged user, since one with
// every right adds names anywhere.
TEST_F(Writers, AFolderThatTakesNoNewNamesIsWrittenInPlace) {
  const bool root = geteuid() == 0;
  uid_t uid = geteuid();
  gid_t gid = getegid();
  if (root) {
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) GTEST_SKIP() << "no unprivileged user to write as";
    uid = nobody->pw_uid;
    gid = nobody->pw_gid;
    // Where it may, a replacement gives the new file the earlier one's owner.
    WriteRaw(Save("theirs.txt"), "earlier");
    ASSERT_EQ(chown(Save("theirs.txt").c_str(), uid, gid), 0);
    chmod(Save("theirs.txt").c_str(), 0604);
    TextWrite("theirs.txt");
    struct stat info;
    ASSERT_EQ(stat(Save("theirs.txt").c_str(), &info), 0);
    EXPECT_EQ(ReadRaw(Save("theirs.txt")), "text");
    EXPECT_EQ(info.st_uid, uid);
    EXPECT_EQ(info.st_gid, gid);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
  }
  const std::vector<std::string> names = {"text.txt", "data.bin", "legacy.txt", "settings.ini", "game.sav", "copy.txt"};
  for (const std::string& name : names) {
    WriteRaw(Save(name), "earlier");
    ASSERT_EQ(chown(Save(name).c_str(), uid, gid), 0);
    chmod(Save(name).c_str(), 0640);
  }
  WriteRaw(Program("source.txt"), "copied");
  chmod(folder_.Path().c_str(), 0711);
  ASSERT_EQ(chown(save_.c_str(), uid, gid), 0);
  chmod(save_.c_str(), 0555);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)) _exit(77);
    TextWrite("text.txt");
    BinaryWrite("data.bin");
    LegacyWrite("legacy.txt");
    IniWrite("settings.ini");
    LoadSave_WriteFile("game.sav", "saved", 5);
    Call(F_FileCopy, {S("source.txt"), S("copy.txt")});
    _exit(Call(F_FileTextOpenWrite, {S("fresh.txt")}) == -1 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  chmod(save_.c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot become an unprivileged user";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a new name was made";
  const std::vector<std::string> holds = {"text", "B", "legacy", "[s]\r\nk=v\r\n", "saved", "copied"};
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(ReadRaw(Save(names[i])), holds[i]);
    struct stat info;
    ASSERT_EQ(stat(Save(names[i]).c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, uid);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
  }
  EXPECT_EQ(Temporaries(save_), std::vector<std::string>{});
}

}  // namespace
