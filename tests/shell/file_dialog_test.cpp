#include "shell/file_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_layer.h"
#include "platform/answers.h"
#include "platform/switches.h"
#include "shell/file_browser.h"
#include "support/test_support.h"

namespace {

using testsupport::ConsoleCapture;
using testsupport::ReadRaw;
using testsupport::ScratchFolder;
using testsupport::WriteRaw;

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) == nullptr ? std::string() : std::string(buffer);
}

std::vector<std::string> Names(const FileBrowser& browser) {
  std::vector<std::string> names;
  for (const BrowserEntry& entry : browser.Entries()) names.push_back(entry.folder ? entry.name + "/" : entry.name);
  return names;
}

// The text between the bars, pair by pair.
std::string Pairs(const char* filter) {
  std::string text;
  for (const FileFilter& pair : FileDialog_ParseFilter(filter))
    text += "[" + pair.description + "|" + pair.patterns + "]";
  return text;
}

TEST(FileFilter, PairsPatternsAndDefaultExtension) {
  EXPECT_EQ(Pairs("Text files|*.txt|All|*.*"), "[Text files|*.txt][All|*.*]");
  // Bad filters still give something to list with.
  for (const char* bad : {"", "||", "||||"}) EXPECT_EQ(Pairs(bad), "[|]") << bad;
  EXPECT_EQ(Pairs(nullptr), "[|]");
  EXPECT_EQ(Pairs("Text|*.txt|"), "[Text|*.txt]");
  EXPECT_EQ(Pairs("Text||All|*.*"), "[Text|][All|*.*]");
  EXPECT_EQ(Pairs("Just a description"), "[Just a description|]");

  std::string text;
  ASSERT_TRUE(FileDialog_DefaultExtension("Text files|*.txt|All|*.*", &text));
  EXPECT_EQ(text, "txt");
  ASSERT_TRUE(FileDialog_DefaultExtension("Images|*.png;*.jpg|All|*.*", &text));
  EXPECT_EQ(FileDialog_ExtensionToAdd(text), "png");
  ASSERT_TRUE(FileDialog_DefaultExtension("All|*.*", &text));
  EXPECT_EQ(text, "*");
  EXPECT_EQ(FileDialog_ExtensionToAdd(text), "");
  EXPECT_FALSE(FileDialog_DefaultExtension("Text files", &text));
  EXPECT_FALSE(FileDialog_DefaultExtension("Text|*", &text));
}

TEST(FileBrowser, MatchesPatternsAndShowsNamesAsUtf8) {
  EXPECT_TRUE(FileBrowser_Matches("A.TXT", "*.txt"));
  EXPECT_TRUE(FileBrowser_Matches("notes.text", "*.txt; *.text"));
  EXPECT_FALSE(FileBrowser_Matches("b.png", "*.txt;*.text"));
  EXPECT_TRUE(FileBrowser_Matches("README", "*.*"));
  EXPECT_FALSE(FileBrowser_Matches("save12.dat", "save?.dat"));
  EXPECT_TRUE(FileBrowser_Matches("anything", " ; "));
  // Many stars against a long name that almost matches end quickly.
  EXPECT_FALSE(FileBrowser_Matches(std::string(4000, 'a'), std::string(200, '*') + "b"));

  EXPECT_EQ(FileBrowser_Shown("caf\xC3\xA9 \xF0\x9F\x98\x80"), "caf\xC3\xA9 \xF0\x9F\x98\x80");
  EXPECT_EQ(FileBrowser_Shown("caf\xE9.txt"), "caf\xEF\xBF\xBD.txt");
  // An overlong form and a sequence cut short: one replacement a byte.
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(FileBrowser_Shown("\xC0\xAF\xE2\x82"), replacement + replacement + replacement + replacement);
}

// A tree of files, a save folder beside it, an answers file, and the
// current folder put back after each case.
class FileDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = scratch_.Path() + "/tree/";
    save_ = scratch_.Path() + "/save/";
    WriteRaw(base_ + "a.txt", "a");
    WriteRaw(base_ + "B.TXT", "b");
    WriteRaw(base_ + "b.png", "png");
    WriteRaw(base_ + "sub/a.txt", "sub a");
    WriteRaw(base_ + ".hidden.txt", "");
    std::filesystem::create_directories(base_ + "sub2");
    LoadSave_SetSaveDirectory(save_.c_str());
    before_ = CurrentFolder();
    ASSERT_EQ(chdir(base_.c_str()), 0);
  }
  void TearDown() override {
    EXPECT_EQ(chdir(before_.c_str()), 0);
    unsetenv("KORVALITH_ANSWERS");
    Switches_Reload();
    Answers_Reset();
  }

  void Answers(const std::string& lines) {
    WriteRaw(scratch_ / "answers.txt", lines);
    setenv("KORVALITH_ANSWERS", (scratch_ / "answers.txt").c_str(), 1);
    Switches_Reload();
    Answers_Reset();
  }

  // The dialog's answer ("" when cancelled) and what it printed; the open
  // dialog starts in `folder`.
  std::string Run(bool save, const char* filter, const char* folder = nullptr, const char* title = nullptr,
                  std::string* printed = nullptr) {
    std::string path;
    ::testing::internal::CaptureStdout();
    const bool chosen = save ? Win_GetSaveFileName(filter, "default", nullptr, title, &path)
                             : Win_GetOpenFileName(filter, nullptr, folder, title, &path);
    const std::string out = ::testing::internal::GetCapturedStdout();
    if (printed != nullptr) *printed = out;
    EXPECT_EQ(chosen, !path.empty());
    return path;
  }
  std::string Save(const char* filter, const char* title = nullptr, std::string* printed = nullptr) {
    return Run(true, filter, nullptr, title, printed);
  }
  std::string Open(const char* filter, const char* folder, std::string* printed = nullptr) {
    return Run(false, filter, folder, nullptr, printed);
  }

  ScratchFolder scratch_{"kv_dialog"};
  std::string base_, save_, before_;
};

TEST_F(FileDialogs, BrowserListsFoldersThenMatchingFiles) {
  FileBrowser browser(base_, "");
  browser.SetPatterns(FileDialog_ParseFilter("Text files|*.txt|All|*.*").front().patterns);
  EXPECT_EQ(Names(browser), (std::vector<std::string>{"sub/", "sub2/", "a.txt", "B.TXT"}));
  browser.SetPatterns("*.*");
  EXPECT_EQ(Names(browser), (std::vector<std::string>{"sub/", "sub2/", "a.txt", "b.png", "B.TXT"}));
  EXPECT_FALSE(browser.Enter("a.txt"));
  ASSERT_TRUE(browser.Enter("sub"));
  ASSERT_TRUE(browser.Up());
  EXPECT_EQ(browser.Folder(), base_);

  // Inside a root the browser never climbs out, by Up or by name.
  FileBrowser rooted(base_ + "sub", base_);
  EXPECT_TRUE(rooted.Up());
  EXPECT_FALSE(rooted.Up());
  EXPECT_FALSE(rooted.Enter(".."));
  EXPECT_EQ(rooted.Resolve("../x").target, BrowserTarget::kOutside);
  EXPECT_EQ(rooted.Resolve("sub/../a.txt").target, BrowserTarget::kFile);
  FileBrowser outside("/", base_);
  EXPECT_EQ(outside.Folder(), base_);
  // Nor through a link leading out of the root.
  ASSERT_EQ(symlink("..", (base_ + "sub/up").c_str()), 0);
  ASSERT_EQ(symlink("../..", (base_ + "sub/out").c_str()), 0);
  EXPECT_TRUE(rooted.Enter("sub/up"));
  EXPECT_FALSE(rooted.Enter("sub/out"));
  EXPECT_EQ(rooted.Resolve("sub/out/x").target, BrowserTarget::kOutside);
  EXPECT_EQ(FileBrowser(base_ + "sub/up", base_ + "sub/").Folder(), base_ + "sub/");
}

TEST_F(FileDialogs, SaveStaysInTheSaveFolderAndAddsTheExtension) {
  Answers("slot1\n../x.txt\n" + base_ + "a.txt\nsub/deep.txt\nsaved.dat\n");
  ConsoleCapture console;
  std::string printed;
  EXPECT_EQ(Save("Text files|*.txt|All|*.*", nullptr, &printed), save_ + "slot1.txt");
  EXPECT_EQ(printed, "Save As\n");
  EXPECT_EQ(console.Text(), "pDefExt = txt\n");
  EXPECT_EQ(Save("Text files|*.txt"), "") << "../x.txt climbs out of the save folder";
  EXPECT_EQ(Save("Text files|*.txt"), "") << "an absolute path outside the save folder";
  EXPECT_EQ(Save("Text files|*.txt"), "") << "a folder that does not exist";
  EXPECT_EQ(Save("Text files|*.txt", "Keep"), save_ + "saved.dat") << "a name with its own extension";
  EXPECT_FALSE(std::filesystem::exists(save_)) << "the dialog writes nothing";
}

TEST_F(FileDialogs, SaveAsksBeforeReplacing) {
  WriteRaw(save_ + "slot1.txt", "old");
  WriteRaw(save_ + "slot2.txt", "old");
  std::filesystem::create_directories(save_ + "slots");
  Answers("slot1\nYes\nslot2.txt\nNo\nslots\n" + save_ + "SLOT1.TXT\nYes\nplain\n");
  ConsoleCapture console;
  std::string printed;
  EXPECT_EQ(Save("Text|*.txt", "Pick", &printed), save_ + "slot1.txt");
  EXPECT_EQ(printed, "Pick\n" + save_ + "slot1.txt already exists.\nDo you want to replace it?\n");
  EXPECT_EQ(Save("Text|*.txt"), "") << "No keeps the file";
  EXPECT_EQ(Save("Text|*.txt"), "") << "a folder is no file";
  EXPECT_EQ(Save("Text|*.txt"), save_ + "slot1.txt") << "the file in another letter case";
  EXPECT_EQ(Save("All|*.*"), save_ + "plain") << "no extension is added for *";
  EXPECT_EQ(console.Lines().back(), "pDefExt = *\n");
  EXPECT_EQ(ReadRaw(save_ + "slot1.txt"), "old");
}

TEST_F(FileDialogs, OpenNeedsAnExistingFile) {
  Answers("sub/a.txt\nsub\\a.txt\nmissing.txt\nsub\n\nCancel\nb.TXT\n");
  std::string printed;
  EXPECT_EQ(Open("Text files|*.txt", base_.c_str(), &printed), base_ + "sub/a.txt");
  EXPECT_EQ(printed, "Open\n");
  EXPECT_EQ(Open("Text files|*.txt", base_.c_str()), base_ + "sub/a.txt") << "\\ separates folders";
  EXPECT_EQ(Open("Text files|*.txt", base_.c_str()), "") << "a missing file cancels";
  EXPECT_EQ(Open("Text files|*.txt", base_.c_str()), "") << "a folder cancels";
  EXPECT_EQ(Open("Text files|*.txt", base_.c_str()), "") << "an empty answer cancels";
  EXPECT_EQ(Open("Text files|*.txt", base_.c_str()), "") << "Cancel cancels";
  EXPECT_EQ(Open("", "nowhere"), base_ + "B.TXT") << "a missing start folder starts in the current one";
  EXPECT_EQ(Open("", base_.c_str()), "") << "no answer left cancels";
  EXPECT_EQ(CurrentFolder() + "/", base_);
}

TEST_F(FileDialogs, LongAndRawNamesComeBackWhole) {
  const std::string folder = base_ + std::string(150, 'f') + "/" + std::string(150, 'g') + "/";
  const std::string raw = "caf\xE9.txt";
  WriteRaw(folder + "long.txt", "x");
  WriteRaw(base_ + raw, "raw");
  Answers(folder + "long.txt\n" + raw + "\n");
  const std::string path = Open(nullptr, base_.c_str());
  EXPECT_EQ(path, folder + "long.txt");
  EXPECT_GT(path.size(), 300u);
  EXPECT_EQ(Open(nullptr, base_.c_str()), base_ + raw);

  FileBrowser browser(base_, "");
  bool listed = false;
  for (const BrowserEntry& entry : browser.Entries()) {
    if (entry.name == raw) listed = entry.shown == "caf\xEF\xBF\xBD.txt";
  }
  EXPECT_TRUE(listed);
}

}  // namespace
