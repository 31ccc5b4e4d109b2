#include "files/ini_file.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/file_layer.h"
#include "runtime/console.h"
#include "support/test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

namespace fs = std::filesystem;

// Sections as "name: key=value, ..." in list order, for compact checks.
std::string Dump(const CIniFile& ini) {
  std::string out;
  for (IniSection* s = ini.Sections(); s != nullptr; s = s->next) {
    out += std::string("[") + s->name + "]";
    for (IniKey* k = s->keys; k != nullptr; k = k->next) out += std::string(" ") + k->key + "=" + k->value;
    out += ";";
  }
  return out;
}

std::string Parsed(const std::string& text) {
  CIniFile ini("never-written.ini", false);
  ini.ParseText(text.data(), static_cast<int32_t>(text.size()));
  return Dump(ini);
}

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = fs::temp_directory_path().string() + "/kvini_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    base_ = fs::canonical(pattern).string();
    program_ = base_ + "/prog/";
    save_ = base_ + "/save/";
    fs::create_directories(program_);
    oldDirectory_ = fs::current_path();
    fs::current_path(program_);
    LoadSave_SetProgramDirectory(program_.c_str());
    LoadSave_SetSaveDirectory(save_.c_str());
    oldConsole_ = g_debugConsole;
    g_debugConsole = &console_;
  }
  void TearDown() override {
    g_debugConsole = oldConsole_;
    fs::current_path(oldDirectory_);
    fs::remove_all(base_);
  }

  std::string base_, program_, save_;
  fs::path oldDirectory_;
  testsupport::RecordingConsole console_;
  tagIConsole* oldConsole_ = nullptr;
};

TEST(IniParse, KeysValuesAndComments) {
  EXPECT_EQ(Parsed("a=1\r\n[s]\r\nk = v x  ; note\r\n"), "[s] k=v x;");
  EXPECT_EQ(Parsed("[s]\nk=\nj=2\n"), "[s] j=2;");
  EXPECT_EQ(Parsed("[s]\nk=  # only a comment\nl=\t w\t\n"), "[s] l=w;");
  EXPECT_EQ(Parsed("[c]\n; comment\nkey=1\n"), "[c] key=1;");
  EXPECT_EQ(Parsed("[c]\r\n# comment\r\nkey=1"), "[c] key=1;");
  EXPECT_EQ(Parsed("[v]\nk=a#b\nl=c;d\nm=e\r\n"), "[v] m=e l=c k=a;");
  EXPECT_EQ(Parsed("[e]\n=5\n"), "[e] =5;");
  EXPECT_EQ(Parsed("[n]\nkey ;\n= 7\n"), "[n] key=7;");
}

TEST(IniParse, SectionsAndOddShapes) {
  EXPECT_EQ(Parsed("[a]\nx=1\n[b\ny=2"), "[a] x=1;");
  EXPECT_EQ(Parsed("[a]\nx=1\nno equals sign"), "[a] x=1;");
  EXPECT_EQ(Parsed("no header at all\nx=1\n"), "");
  EXPECT_EQ(Parsed(""), "");
  EXPECT_EQ(Parsed("[]\n[x y]z\n"), "[x y];[];");
  // Names are any bytes up to "]" and compare exactly; the newest of two
  // equal sections answers lookups.
  CIniFile ini("never-written.ini", false);
  std::string text = "[s]\nK=1\nk=2\n[s]\nk=3\n[\n]\nq=4\n";
  ini.ParseText(text.data(), static_cast<int32_t>(text.size()));
  EXPECT_STREQ(ini.ReadString("s", "k", "-"), "3");
  EXPECT_STREQ(ini.ReadString("s", "K", "-"), "-");
  EXPECT_STREQ(ini.ReadString("S", "k", "-"), "-");
  EXPECT_STREQ(ini.ReadString("\n", "q", "-"), "4");
  EXPECT_FALSE(ini.IsDirty());
}

TEST(IniValues, ReadIntTakesALeadingNumber) {
  CIniFile ini("never-written.ini", false);
  std::string text = "[n]\na= -12abc\nb=abc\nc=99999999999\nd=-99999999999\ne=+7\n";
  ini.ParseText(text.data(), static_cast<int32_t>(text.size()));
  EXPECT_EQ(ini.ReadInt("n", "a", 5), -12);
  EXPECT_EQ(ini.ReadInt("n", "b", 5), 0);
  EXPECT_EQ(ini.ReadInt("n", "c", 5), INT32_MAX);
  EXPECT_EQ(ini.ReadInt("n", "d", 5), INT32_MIN);
  EXPECT_EQ(ini.ReadInt("n", "e", 5), 7);
  EXPECT_EQ(ini.ReadInt("n", "missing", 5), 5);
  EXPECT_EQ(ini.ReadInt(nullptr, "a", 5), 5);
}

TEST(IniValues, WritesAndDeletes) {
  CIniFile ini("never-written.ini", false);
  EXPECT_FALSE(ini.WriteString(nullptr, "k", "v"));
  EXPECT_FALSE(ini.WriteString("s", nullptr, "v"));
  EXPECT_TRUE(ini.WriteString("s", "k", "a long first value"));
  EXPECT_TRUE(ini.WriteString("s", "k", "short"));
  EXPECT_TRUE(ini.WriteString("s", "j", "x"));
  EXPECT_TRUE(ini.WriteString("t", "k", "y"));
  EXPECT_EQ(Dump(ini), "[t] k=y;[s] j=x k=short;");
  EXPECT_TRUE(ini.WriteString("s", "k", "a value longer than the buffer it had"));
  EXPECT_STREQ(ini.ReadString("s", "k", ""), "a value longer than the buffer it had");

  EXPECT_TRUE(ini.DeleteKey("s", "k"));
  EXPECT_FALSE(ini.DeleteKey("s", "k"));
  EXPECT_FALSE(ini.DeleteKey("none", "j"));
  EXPECT_TRUE(ini.DeleteSection("t"));
  EXPECT_FALSE(ini.DeleteSection("t"));
  EXPECT_FALSE(ini.DeleteSection(nullptr));
  EXPECT_EQ(Dump(ini), "[s] j=x;");
}

TEST_F(IniFile, LoadsTheSaveCopyFirst) {
  WriteRaw(program_ + "cfg.ini", "[p]\nv=program\n");
  {
    CIniFile ini("cfg.ini", true);
    EXPECT_STREQ(ini.ReadString("p", "v", ""), "program");
    ASSERT_EQ(console_.lines.size(), 1u);
    EXPECT_EQ(console_.lines[0], "cfg.ini file contents: [p]\nv=program\n\n");
  }
  WriteRaw(save_ + "cfg.ini", "[p]\nv=save\n");
  CIniFile quiet("cfg.ini", false);  // reads the file as well, without the log
  EXPECT_STREQ(quiet.ReadString("p", "v", ""), "save");
  EXPECT_EQ(console_.lines.size(), 1u);

  CIniFile missing("absent.ini", true);
  EXPECT_EQ(missing.Sections(), nullptr);
  EXPECT_TRUE(missing.Flush());
  EXPECT_FALSE(fs::exists(save_ + "absent.ini"));
}

TEST_F(IniFile, RewriteReversesTheOrderWithCrLf) {
  WriteRaw(program_ + "order.ini", "[a]\nx=1\ny=2\n[b]\nz=3\n");
  CIniFile ini("order.ini", false);
  EXPECT_TRUE(ini.WriteString("a", "x", "1"));
  EXPECT_TRUE(ini.Flush());
  EXPECT_FALSE(ini.IsDirty());
  EXPECT_EQ(ReadRaw(save_ + "order.ini"), "[b]\r\nz=3\r\n[a]\r\ny=2\r\nx=1\r\n");
  EXPECT_EQ(ReadRaw(program_ + "order.ini"), "[a]\nx=1\ny=2\n[b]\nz=3\n");

  // Without a change nothing is written again.
  fs::remove(save_ + "order.ini");
  EXPECT_TRUE(ini.Flush());
  EXPECT_FALSE(fs::exists(save_ + "order.ini"));

  // What is added later comes first, and a reread sees the same values.
  EXPECT_TRUE(ini.WriteString("c", "w", "new"));
  EXPECT_TRUE(ini.DeleteKey("a", "y"));
  EXPECT_TRUE(ini.Flush());
  EXPECT_EQ(ReadRaw(save_ + "order.ini"), "[c]\r\nw=new\r\n[b]\r\nz=3\r\n[a]\r\nx=1\r\n");
  CIniFile again("order.ini", false);
  EXPECT_EQ(Dump(again), "[a] x=1;[b] z=3;[c] w=new;");
}

TEST_F(IniFile, SystemCommandFlushesAtOnce) {
  CIniFile ini("sub\\cmd.ini", false);
  EXPECT_TRUE(ini.WriteString("SYSTEM_COMMAND", "OTHER", "NOW"));
  EXPECT_TRUE(ini.WriteString("SYSTEM_COMMAND", "INI_FILE_FLUSH", "LATER"));
  EXPECT_FALSE(fs::exists(save_ + "sub/cmd.ini"));
  EXPECT_TRUE(ini.WriteString("g", "k", "v"));
  EXPECT_TRUE(ini.WriteString("SYSTEM_COMMAND", "INI_FILE_FLUSH", "NOW"));
  EXPECT_EQ(ReadRaw(save_ + "sub/cmd.ini"), "[g]\r\nk=v\r\n");
  EXPECT_EQ(ini.FindSection("SYSTEM_COMMAND"), nullptr);
}

TEST_F(IniFile, FailedFlushKeepsTheChange) {
  fs::create_directories(save_ + "blocked.ini");  // a folder where the file goes
  CIniFile ini("blocked.ini", false);
  EXPECT_TRUE(ini.WriteString("s", "k", "v"));
  EXPECT_FALSE(ini.Flush());
  EXPECT_TRUE(ini.IsDirty());
  EXPECT_FALSE(ini.WriteString("SYSTEM_COMMAND", "INI_FILE_FLUSH", "NOW"));
  ASSERT_FALSE(console_.lines.empty());
  EXPECT_NE(console_.lines.back().find("blocked.ini"), std::string::npos);

  fs::remove(save_ + "blocked.ini");
  EXPECT_TRUE(ini.Flush());
  EXPECT_FALSE(ini.IsDirty());
  EXPECT_EQ(ReadRaw(save_ + "blocked.ini"), "[s]\r\nk=v\r\n");

  // A name outside the save folder is never written.
  CIniFile outside("../outside.ini", false);
  EXPECT_TRUE(outside.WriteString("s", "k", "v"));
  EXPECT_FALSE(outside.Flush());
  EXPECT_FALSE(fs::exists(base_ + "/outside.ini"));
}

}  // namespace
