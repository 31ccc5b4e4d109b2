// Symbolic links planted in the save folder, run through every file built-in
// that writes, reads, removes, renames or lists: a link that leads out of
// the save folder is refused as a name climbing out with ".." is, so nothing
// outside changes or is read; links that stay inside keep working.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "files/path_beneath.h"
#include "files_test_support.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadRaw;
using testsupport::WriteRaw;

std::string Num(double value) { return std::to_string(static_cast<long long>(value)); }

// Everything a built-in shows the game, gathered as text.
using Operation = std::function<std::string(const std::string& name)>;

std::string TextRead(const std::string& name) {
  const double h = Call(F_FileTextOpenRead, {S(name.c_str())});
  if (h < 0) return Num(h);
  std::string text;
  for (int line = 0; line < 10 && Call(F_FileTextEof, {R(h)}) == 0; ++line) text += Text(F_FileTextReadln, {R(h)});
  Call(F_FileTextClose, {R(h)});
  return text;
}

std::string TextWriter(BuiltinFunction open, const std::string& name) {
  const double h = Call(open, {S(name.c_str())});
  if (h >= 0) {
    Call(F_FileTextWriteString, {R(h), S("game")});
    Call(F_FileTextClose, {R(h)});
  }
  return Num(h);
}

std::string Binary(const std::string& name, int mode) {
  const double h = Call(F_FileBinOpen, {S(name.c_str()), R(mode)});
  if (h < 0) return Num(h);
  std::string seen;
  const double size = Call(F_FileBinSize, {R(h)});
  for (double i = 0; i < size && mode != 1; ++i) seen += static_cast<char>(Call(F_FileBinReadByte, {R(h)}));
  if (mode != 0) Call(F_FileBinWriteByte, {R(h), R('g')});
  Call(F_FileBinClose, {R(h)});
  return seen;
}

std::string Legacy(BuiltinFunction open, const std::string& name) {
  ErrorCapture errors;  // a file that did not open reports on use
  Call(open, {S(name.c_str())});
  std::string seen;
  for (int line = 0; line < 10 && open == F_FileOpenRead; ++line) seen += Text(F_FileReadln, {});
  if (open != F_FileOpenRead) Call(F_FileWriteString, {S("game")});
  Call(F_FileClose, {});
  return seen;
}

std::string Ini(const std::string& name) {
  Call(F_IniOpen, {S(name.c_str())});
  std::string seen = Text(F_IniReadString, {S("s"), S("k"), S("none")});
  Call(F_IniWriteString, {S("s"), S("k"), S("game")});
  Call(F_IniClose, {});
  return seen;
}

// The folder's files and folders with their contents, to see any change.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> seen;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string path = entry.path().string();
    seen[path] = entry.is_regular_file() ? ReadRaw(path) : "(folder)";
  }
  return seen;
}

class FileLinks : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    Plant();
  }
  // The save folder and the folder outside it, as at the start; every
  // built-in meets them afresh.
  void Plant() {
    fs::remove_all(save_);
    fs::remove_all(outside_);
    WriteRaw(outside_ + "victim.txt", "[s]\nk=victim\n");
    WriteRaw(outside_ + "vdir/secret.txt", "[s]\nk=secret\n");
    WriteRaw(Save("a/data.txt"), "[s]\nk=data\n");
    WriteRaw(Save("mine.txt"), "mine");
    fs::create_directories(Save("a/b"));
    Link("../outside/victim.txt", "to_file");
    Link(outside_ + "victim.txt", "to_file_abs");
    Link("../outside/vdir", "to_folder");
    Link("../outside/new.txt", "dangling_out");
    Link(outside_ + "newdir", "dangling_out_dir");
    Link("loop2", "loop");
    Link("loop", "loop2");
    Link("a/b/hop1", "chain");  // through several folders, then out
    Link("../hop2", "a/b/hop1");
    Link("../../outside/victim.txt", "a/hop2");
    Link("a/data.txt", "to_inside");
    Link("a/new.txt", "dangling_in");
    Link("a/b/hop_in", "chain_in");
    Link("../../a/data.txt", "a/b/hop_in");
    Link(Save("a"), "to_inside_folder");
  }
  void TearDown() override {
    Beneath_UseWalkOnly(false);
    FilesTest::TearDown();
  }
  void Link(const std::string& target, const std::string& name) const {
    ASSERT_EQ(symlink(target.c_str(), Save(name).c_str()), 0) << name;
  }
  // The two tables below, run as they are and as on a kernel without
  // openat2.
  void CheckLinksLeadingOutAreRefused();
  void CheckLinksStayingInsideWork();

  std::string outside_ = folder_ / "outside/";
};

const std::vector<std::pair<const char*, Operation>>& FileOperations() {
  static const std::vector<std::pair<const char*, Operation>> operations = {
      {"file_text_open_read", TextRead},
      {"file_text_open_write", [](const std::string& n) { return TextWriter(F_FileTextOpenWrite, n); }},
      {"file_text_open_append", [](const std::string& n) { return TextWriter(F_FileTextOpenAppend, n); }},
      {"file_bin_open 0", [](const std::string& n) { return Binary(n, 0); }},
      {"file_bin_open 1", [](const std::string& n) { return Binary(n, 1); }},
      {"file_bin_open 2", [](const std::string& n) { return Binary(n, 2); }},
      {"file_open_read", [](const std::string& n) { return Legacy(F_FileOpenRead, n); }},
      {"file_open_write", [](const std::string& n) { return Legacy(F_FileOpenWrite, n); }},
      {"file_open_append", [](const std::string& n) { return Legacy(F_FileOpenAppend, n); }},
      {"file_exists", [](const std::string& n) { return Num(Call(F_FileExists, {S(n.c_str())})); }},
      {"file_delete", [](const std::string& n) { return Num(Call(F_FileDelete, {S(n.c_str())})); }},
      {"file_rename from",
       [](const std::string& n) {
         return Num(Call(F_FileRename, {S(n.c_str()), S("moved")}));
       }},
      {"file_rename to",
       [](const std::string& n) {
         return Num(Call(F_FileRename, {S("mine.txt"), S(n.c_str())}));
       }},
      {"file_copy from",
       [](const std::string& n) {
         return Num(Call(F_FileCopy, {S(n.c_str()), S("copy.txt")})) + TextRead("copy.txt");
       }},
      {"file_copy to",
       [](const std::string& n) {
         return Num(Call(F_FileCopy, {S("mine.txt"), S(n.c_str())}));
       }},
      {"ini_open", Ini},
  };
  return operations;
}

const std::vector<std::pair<const char*, Operation>>& FolderOperations() {
  static const std::vector<std::pair<const char*, Operation>> operations = {
      {"directory_exists", [](const std::string& n) { return Num(Call(F_DirectoryExists, {S(n.c_str())})); }},
      {"directory_create",
       [](const std::string& n) { return Num(Call(F_DirectoryCreate, {S((n + "/made").c_str())})); }},
      {"file_find_first", [](const std::string& n) { return FindAll(LoadSave_GetSaveDirectory() + n + "/*"); }},
  };
  return operations;
}

void FileLinks::CheckLinksLeadingOutAreRefused() {
  const std::vector<std::string> files = {
      "to_file", "to_file_abs", "to_folder/secret.txt", "dangling_out", "dangling_out_dir/x.txt", "loop",
      "chain",   "TO_FILE",     Save("to_file"),        "a/../to_file"};
  const std::vector<std::string> folders = {"to_folder", "dangling_out_dir", "loop", "to_folder/deeper"};
  testsupport::ConsoleCapture console;
  const auto check = [&](const char* builtin, const std::string& name, const Operation& run) {
    Plant();
    const auto before = Snapshot(outside_);
    const std::string seen = run(name);
    EXPECT_EQ(Snapshot(outside_), before) << builtin << " on " << name;
    EXPECT_EQ(seen.find("victim"), std::string::npos) << builtin << " on " << name;
    EXPECT_EQ(seen.find("secret"), std::string::npos) << builtin << " on " << name;
  };
  for (const auto& [builtin, run] : FileOperations()) {
    for (const std::string& name : files) check(builtin, name, run);
  }
  for (const auto& [builtin, run] : FolderOperations()) {
    for (const std::string& name : folders) check(builtin, name, run);
  }
  // Refused as a missing file is: nothing is found, the links stay links.
  for (const char* name : {"to_file", "to_folder", "dangling_out", "loop", "chain"}) {
    EXPECT_EQ(Call(F_FileExists, {S(name)}), 0) << name;
    EXPECT_EQ(Call(F_DirectoryExists, {S(name)}), 0) << name;
    struct stat info;
    EXPECT_TRUE(lstat(Save(name).c_str(), &info) == 0 && S_ISLNK(info.st_mode)) << name;
  }
  EXPECT_EQ(ReadRaw(Save("mine.txt")), "mine");
}

void FileLinks::CheckLinksStayingInsideWork() {
  EXPECT_EQ(TextRead("to_inside"), "[s]\nk=data\n");
  EXPECT_EQ(TextRead("chain_in"), "[s]\nk=data\n");
  EXPECT_EQ(TextRead("to_inside_folder/data.txt"), "[s]\nk=data\n");
  EXPECT_EQ(Legacy(F_FileOpenRead, "chain_in"), "[s]\nk=data\n");
  EXPECT_EQ(Binary("to_inside", 0), "[s]\nk=data\n");
  EXPECT_EQ(Ini("chain_in"), "data");
  EXPECT_EQ(ReadRaw(Save("a/data.txt")), "[s]\r\nk=game\r\n");
  EXPECT_EQ(Call(F_FileExists, {S("TO_INSIDE")}), 1);
  EXPECT_EQ(Call(F_DirectoryExists, {S("to_inside_folder")}), 1);
  EXPECT_EQ(FindAll(Save("to_inside_folder/*.txt")), "data.txt");

  TextWriter(F_FileTextOpenWrite, "to_inside");
  EXPECT_EQ(ReadRaw(Save("a/data.txt")), "game");
  Binary("dangling_in", 1);
  EXPECT_EQ(ReadRaw(Save("a/new.txt")), "g");
  EXPECT_EQ(Call(F_FileCopy, {S("mine.txt"), S("chain_in")}), 0);
  EXPECT_EQ(ReadRaw(Save("a/data.txt")), "mine");
  Call(F_DirectoryCreate, {S("to_inside_folder/made")});
  EXPECT_TRUE(fs::is_directory(Save("a/made")));
  // A writer replaces the file the link names; the link stays a link.
  struct stat info;
  EXPECT_TRUE(lstat(Save("to_inside").c_str(), &info) == 0 && S_ISLNK(info.st_mode));
}

TEST_F(FileLinks, LinksLeadingOutAreRefusedByEveryBuiltin) { CheckLinksLeadingOutAreRefused(); }

TEST_F(FileLinks, LinksStayingInsideWork) { CheckLinksStayingInsideWork(); }

TEST_F(FileLinks, WithoutOpenat2TheWalkByDescriptorsHoldsTheSame) {
  Beneath_UseWalkOnly(true);
  CheckLinksLeadingOutAreRefused();
  Plant();
  CheckLinksStayingInsideWork();
}

// Deleting or renaming a link that stays inside acts on the link itself, as
// the system does: the file it names stays as it was. Links on the way to
// the last name are followed, as by every operation.
TEST_F(FileLinks, DeleteAndRenameActOnALinkItself) {
  const struct {
    const char* name;
    const char* renamedTo;  // nullptr: deleted
    const char* gone;       // the name no longer there
  } cases[] = {
      {"to_inside", nullptr, "to_inside"},
      {"CHAIN_IN", nullptr, "chain_in"},
      {"to_inside", "moved", "to_inside"},
      {"chain_in", "a/moved", "chain_in"},
  };
  for (const auto& c : cases) {
    Plant();
    if (c.renamedTo == nullptr) {
      Call(F_FileDelete, {S(c.name)});
    } else {
      Call(F_FileRename, {S(c.name), S(c.renamedTo)});
    }
    struct stat info;
    EXPECT_NE(lstat(Save(c.gone).c_str(), &info), 0) << c.name;
    if (c.renamedTo != nullptr) {
      EXPECT_TRUE(lstat(Save(c.renamedTo).c_str(), &info) == 0 && S_ISLNK(info.st_mode)) << c.name;
    }
    EXPECT_EQ(ReadRaw(Save("a/data.txt")), "[s]\nk=data\n") << c.name;
  }
  Plant();
  Call(F_FileRename, {S("to_inside_folder/data.txt"), S("to_inside_folder/renamed.txt")});
  EXPECT_EQ(ReadRaw(Save("a/renamed.txt")), "[s]\nk=data\n");
  struct stat info;
  EXPECT_TRUE(lstat(Save("to_inside_folder").c_str(), &info) == 0 && S_ISLNK(info.st_mode));
}

TEST_F(FileLinks, AnAbsolutePatternStillListsAnyFolder) {
  EXPECT_EQ(FindAll(outside_ + "vdir/*"), "secret.txt");
  EXPECT_EQ(FindAll(Save("to_folder/*")), "");
}

// A name found neither in the save folder nor beside the game is looked for
// in the program folder; when that folder is the save folder, its links are
// held to the same rule.
TEST_F(FileLinks, TheProgramFolderFallbackOpensNoDoor) {
  testsupport::ConsoleCapture console;
  LoadSave_SetProgramDirectory(save_.c_str());
  EXPECT_EQ(TextRead("to_file"), "-1");
  EXPECT_EQ(Call(F_FileExists, {S("to_folder/secret.txt")}), 0);
  EXPECT_EQ(Call(F_DirectoryExists, {S("to_folder")}), 0);
  EXPECT_EQ(FindAll("to_folder/*"), "");
  EXPECT_EQ(Binary("chain", 0), "-1");
  EXPECT_EQ(Ini("to_file"), "none");
  EXPECT_EQ(TextRead("to_inside"), "[s]\nk=data\n");
}

}  // namespace
