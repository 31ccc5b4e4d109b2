// Which folder a name means: folders named in another letter case, the save
// folder moved, removed or replaced while the game runs, and a save folder
// whose path is long.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "files/path_beneath.h"
#include "files_test_support.h"
#include "graphics/bitmap/bmp_png.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadRaw;
using testsupport::WriteRaw;

double WriteText(const std::string& name, const char* text) {
  const double h = Call(F_FileTextOpenWrite, {S(name.c_str())});
  if (h >= 0) {
    Call(F_FileTextWriteString, {R(h), S(text)});
    Call(F_FileTextClose, {R(h)});
  }
  return h;
}

std::string ReadText(const std::string& name) {
  const double h = Call(F_FileTextOpenRead, {S(name.c_str())});
  if (h < 0) return "-1";
  std::string text = Text(F_FileTextReadString, {R(h)});
  Call(F_FileTextClose, {R(h)});
  return text;
}

class FolderCase : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    WriteRaw(Save("saves/old.txt"), "old");
    WriteRaw(Save("top.txt"), "top");
  }
  void TearDown() override {
    Beneath_UseWalkOnly(false);
    FilesTest::TearDown();
  }
  void CheckEveryWriterUsesTheFolderThere();
};

// Each writer, given "Saves/..." while "saves/" is there, writes into
// "saves/", and the same name reads it back; no second folder is made.
void FolderCase::CheckEveryWriterUsesTheFolderThere() {
  const struct {
    const char* writer;
    std::function<double()> write;
    const char* written;  // under the save folder
    const char* readBack;
    const char* content;
  } cases[] = {
      {"file_text_open_write", [] { return WriteText("Saves/slot1.txt", "one"); }, "saves/slot1.txt", "Saves/slot1.txt",
       "one"},
      {"file_text_open_append",
       [] {
         const double h = Call(F_FileTextOpenAppend, {S("SAVES/old.txt")});
         Call(F_FileTextWriteString, {R(h), S("+")});
         Call(F_FileTextClose, {R(h)});
         return h;
       },
       "saves/old.txt", "Saves/OLD.txt", "old+"},
      {"file_bin_open 1",
       [] {
         const double h = Call(F_FileBinOpen, {S("Saves/bin.dat"), R(1)});
         Call(F_FileBinWriteByte, {R(h), R('b')});
         Call(F_FileBinClose, {R(h)});
         return h;
       },
       "saves/bin.dat", "Saves/bin.dat", "b"},
      {"file_copy",
       [] {
         return Call(F_FileCopy, {S("top.txt"), S("Saves/copy.txt")});
       },
       "saves/copy.txt", "SAVES/copy.txt", "top"},
      {"file_rename",
       [] {
         return Call(F_FileRename, {S("top.txt"), S("Saves/renamed.txt")});
       },
       "saves/renamed.txt", "Saves/renamed.txt", "top"},
      {"ini_open",
       [] {
         Call(F_IniOpen, {S("Saves/opts.ini")});
         Call(F_IniWriteString, {S("s"), S("k"), S("v")});
         Call(F_IniClose, {});
         return 0.0;
       },
       "saves/opts.ini", "Saves/opts.ini", "[s]"},
      {"directory_create", [] { return Call(F_DirectoryCreate, {S("Saves/extra/deeper")}); }, "saves/extra/deeper",
       nullptr, nullptr},
  };
  for (const auto& c : cases) {
    WriteRaw(Save("top.txt"), "top");
    EXPECT_GE(c.write(), 0) << c.writer;
    EXPECT_TRUE(fs::exists(Save(c.written))) << c.writer;
    EXPECT_FALSE(fs::exists(Save("Saves"))) << c.writer;
    EXPECT_FALSE(fs::exists(Save("SAVES"))) << c.writer;
    if (c.readBack != nullptr) {
      EXPECT_EQ(Call(F_FileExists, {S(c.readBack)}), 1) << c.writer;
      EXPECT_EQ(ReadText(c.readBack), c.content) << c.writer;
    }
  }
  EXPECT_EQ(Call(F_DirectoryExists, {S("SAVES/Extra/DEEPER")}), 1);
  EXPECT_EQ(FindAll(Save("Saves/*.txt")), "copy.txt,old.txt,renamed.txt,slot1.txt");
}

TEST_F(FolderCase, EveryWriterUsesTheFolderThereInAnyCase) { CheckEveryWriterUsesTheFolderThere(); }

TEST_F(FolderCase, WithoutOpenat2TheWalkSettlesTheCaseAlike) {
  Beneath_UseWalkOnly(true);
  CheckEveryWriterUsesTheFolderThere();
}

// Beside the game, where nothing is written, reads settle the folders'
// letter case as the save folder's do.
TEST_F(FolderCase, ReadsBesideTheGameSettleEveryFolder) {
  WriteRaw(Program("Data/levels/one.txt"), "level");
  EXPECT_EQ(ReadText("DATA/Levels/ONE.txt"), "level");
  EXPECT_EQ(Call(F_FileExists, {S("data/LEVELS/one.txt")}), 1);
  EXPECT_EQ(ReadText("data/missing/one.txt"), "-1");
}

// The save folder is the folder at its path at each operation: what is
// there now is written and read, whatever the player held before.
TEST_F(FolderCase, TheSaveFolderIsTheOneAtItsPathAtEachOperation) {
  const std::string bare = save_.substr(0, save_.size() - 1);
  const std::string other = folder_ / "other";
  // Another folder, holding top.txt, takes the save folder's place, moved
  // there or linked to.
  const auto replace = [&](bool link) {
    WriteRaw(other + "/top.txt", "other");
    fs::remove_all(bare);
    link ? fs::create_directory_symlink(other, bare) : fs::rename(other, bare);
  };
  const struct {
    const char* change;
    std::function<void()> make;
    const char* stillRead;  // what reading "top.txt" then gives
  } cases[] = {
      {"moved away", [&] { fs::rename(bare, bare + ".bak"); }, "-1"},
      {"removed", [&] { fs::remove_all(bare); }, "-1"},
      {"replaced", [&] { replace(false); }, "other"},
      {"replaced by a link to another folder", [&] { replace(true); }, "other"},
  };
  for (const auto& c : cases) {
    fs::remove_all(bare);
    fs::remove_all(bare + ".bak");
    fs::remove_all(other);
    WriteRaw(Save("top.txt"), "top");
    ASSERT_EQ(ReadText("top.txt"), "top") << c.change;  // the folder is held from here
    c.make();
    EXPECT_EQ(ReadText("top.txt"), c.stillRead) << c.change;
    EXPECT_EQ(Call(F_FileExists, {S("top.txt")}), std::string(c.stillRead) == "-1" ? 0 : 1) << c.change;
    EXPECT_GE(WriteText("after.txt", "after"), 0) << c.change;
    EXPECT_TRUE(LoadSave_WriteFile("hiscore.dat", "HISC", 4)) << c.change;
    EXPECT_EQ(ReadRaw(Save("after.txt")), "after") << c.change;
    EXPECT_EQ(ReadRaw(Save("hiscore.dat")), "HISC") << c.change;
    EXPECT_EQ(ReadText("after.txt"), "after") << c.change;
    EXPECT_FALSE(fs::exists(bare + ".bak/after.txt")) << c.change;
    EXPECT_FALSE(fs::exists(bare + ".bak/hiscore.dat")) << c.change;
  }
  fs::remove(bare);
}

// A data folder path far past 2,048 bytes: the text, binary and existence
// built-ins reach the save folder as the whole-file writers do.
TEST_F(FolderCase, ALongSaveFolderPathServesEveryBuiltin) {
  std::string deep = folder_ / "data";
  while (deep.size() < 2300) deep += "/" + std::string(100, 'd');
  LoadSave_SetSaveDirectory(deep.c_str());
  EXPECT_GE(WriteText("long.txt", "long"), 0);
  EXPECT_EQ(ReadRaw(deep + "/long.txt"), "long");
  EXPECT_EQ(ReadText("long.txt"), "long");
  EXPECT_EQ(Call(F_FileExists, {S("long.txt")}), 1);
  const double b = Call(F_FileBinOpen, {S("long.bin"), R(1)});
  EXPECT_GE(b, 0);
  Call(F_FileBinWriteByte, {R(b), R(7)});
  Call(F_FileBinClose, {R(b)});
  EXPECT_EQ(ReadRaw(deep + "/long.bin"), "\x07");
  EXPECT_EQ(Call(F_FileExists, {S("long.bin")}), 1);
  const double r = Call(F_FileBinOpen, {S("long.bin"), R(0)});
  EXPECT_EQ(Call(F_FileBinReadByte, {R(r)}), 7);
  Call(F_FileBinClose, {R(r)});
  const uint8_t pixel[4] = {1, 2, 3, 255};
  EXPECT_TRUE(write_png_file("long.png", pixel, 1, 1, nullptr));
  EXPECT_TRUE(fs::is_regular_file(deep + "/long.png"));
}

}  // namespace
