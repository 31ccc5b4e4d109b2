// The registry and INI files.
#include "files_test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

using Registry = FilesTest;

TEST_F(Registry, NamesIgnoreCaseAndLiveForOneRun) {
  Call(F_RegistryWriteString, {S("Key"), S("value")});
  EXPECT_EQ(Text(F_RegistryReadString, {S("KEY")}), "value");
  Call(F_RegistryWriteString, {S("kEY"), S("other")});
  EXPECT_EQ(Text(F_RegistryReadString, {S("key")}), "other");
  EXPECT_EQ(Call(F_RegistryReadReal, {S("never")}), 0);
  EXPECT_EQ(Call(F_RegistryExists, {S("never")}), 0);
  Call(F_RegistryWriteReal, {S("r"), R(1.5)});
  EXPECT_EQ(Text(F_RegistryReadString, {S("r")}), "1.500000");
  EXPECT_EQ(Call(F_RegistryReadReal, {S("R")}), 1.5);
  Call(F_RegistryWriteString, {S("hex"), S("0x10")});
  EXPECT_EQ(Call(F_RegistryReadReal, {S("hex")}), 0);
  Call(F_RegistryWriteString, {S("blank"), S("\t 2.5 ")});
  EXPECT_EQ(Call(F_RegistryReadReal, {S("blank")}), 2.5) << "leading blanks are skipped";

  Call(F_RegistryInert, {S("k"), S("n"), S("v")});
  BuiltinCall ext(F_RegistryReadStringExt, {S("k"), S("n")});
  EXPECT_TRUE(ext.IsString());
  EXPECT_EQ(ext.Text(), "");
  EXPECT_EQ(Call(F_RegistryReadNothing, {S("k"), S("n")}), 0);

  FileBuiltins_Release();
  FileBuiltins_Prepare();
  EXPECT_EQ(Call(F_RegistryExists, {S("Key")}), 0);
}

using IniBuiltins = FilesTest;

TEST_F(IniBuiltins, WithoutAnOpenFileOrWithWrongTypesTheyReport) {
  ErrorCapture errors;
  Call(F_IniReadString, {S("s"), S("k"), S("d")});
  Call(F_IniWriteReal, {S("s"), S("k"), R(1)});
  Call(F_IniKeyExists, {S("s"), S("k")});
  Call(F_IniKeyDelete, {S("s"), S("k")});
  Call(F_IniSectionDelete, {S("s")});
  Call(F_IniOpen, {S("a.ini")});
  Call(F_IniReadString, {S("s"), S("k"), R(1)});
  Call(F_IniReadReal, {R(1), S("k"), R(1)});
  Call(F_IniWriteString, {S("s"), S("k"), R(1)});
  Call(F_IniWriteReal, {S("s"), S("k"), S("1")});
  EXPECT_EQ(errors.Messages(), (std::vector<std::string>{
                                   "Trying to read from undefined INI file", "Trying to read from undefined INI file",
                                   "Trying to read from undefined INI file", "Trying to change undefined INI file",
                                   "Trying to change undefined INI file", "ini_read_string wrong type of arguments",
                                   "ini_read_real wrong type of arguments", "Wrong argument types for ini_write_string",
                                   "Wrong argument types for ini_write_real"}));
}

TEST_F(IniBuiltins, ReadsDefaultsAndWritesNewestFirst) {
  WriteRaw(Program("game.ini"), "[a]\nx=2.5e1\n");
  Call(F_IniOpen, {S("game.ini")});
  EXPECT_EQ(Call(F_IniReadReal, {S("a"), S("x"), R(0)}), 25);
  EXPECT_EQ(Call(F_IniReadReal, {S("a"), S("missing"), S("2.5")}), 2.5);
  EXPECT_EQ(Call(F_IniReadReal, {S("a"), S("missing"), R(-3)}), -3);
  EXPECT_EQ(Text(F_IniReadString, {S("a"), S("missing"), S("d")}), "d");
  EXPECT_EQ(Call(F_IniSectionExists, {S("a")}), 1);
  Call(F_IniWriteReal, {S("b"), S("y"), R(1.5)});
  Call(F_IniWriteString, {S("a"), S("z"), S("text")});
  EXPECT_EQ(Call(F_IniKeyExists, {S("a"), S("z")}), 1);
  Call(F_IniKeyDelete, {S("a"), S("x")});
  EXPECT_EQ(Call(F_IniKeyExists, {S("a"), S("x")}), 0);
  // A second open flushes the first to the save folder.
  Call(F_IniOpen, {S("other.ini")});
  EXPECT_EQ(ReadRaw(Save("game.ini")), "[b]\r\ny=1.500000\r\n[a]\r\nz=text\r\n");
  EXPECT_EQ(ReadRaw(Program("game.ini")), "[a]\nx=2.5e1\n");
  Call(F_IniSectionDelete, {S("none")});
  Call(F_IniClose, {});
  EXPECT_EQ(Call(F_FileExists, {S("other.ini")}), 0);
}

}  // namespace
