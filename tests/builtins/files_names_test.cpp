#include <sys/stat.h>

#include "files_test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

using FileNames = FilesTest;

TEST_F(FileNames, OnlySaveFolderFilesAreDeletedOrRenamed) {
  WriteRaw(Program("p.txt"), "p");
  WriteRaw(Save("s.txt"), "s");
  WriteRaw(Save("t.txt"), "t");
  EXPECT_EQ(Call(F_FileExists, {S("p.txt")}), 1);
  EXPECT_EQ(Call(F_FileExists, {S("S.TXT")}), 1);
  EXPECT_EQ(Call(F_FileExists, {S("nosuch")}), 0);
  Call(F_FileDelete, {S("p.txt")});
  Call(F_FileRename, {S("p.txt"), S("q.txt")});
  EXPECT_EQ(ReadRaw(Program("p.txt")), "p");
  EXPECT_EQ(Call(F_FileExists, {S("q.txt")}), 0);

  Call(F_FileRename, {S("s.txt"), S("t.txt")});
  EXPECT_EQ(ReadRaw(Save("s.txt")), "s");
  EXPECT_EQ(ReadRaw(Save("t.txt")), "t");
  Call(F_FileRename, {S("s.txt"), S("u.txt")});
  EXPECT_EQ(ReadRaw(Save("u.txt")), "s");
  Call(F_FileDelete, {S("u.txt")});
  EXPECT_EQ(Call(F_FileExists, {S("u.txt")}), 0);
}

TEST_F(FileNames, CopyReadsEitherFolderAndWritesTheSaveFolder) {
  WriteRaw(Program("p.txt"), "program");
  testsupport::ConsoleCapture console;
  EXPECT_EQ(Call(F_FileCopy, {S("p.txt"), S("c.txt")}), 0);
  EXPECT_EQ(ReadRaw(Save("c.txt")), "program");
  EXPECT_EQ(Call(F_FileCopy, {S("c.txt"), S("c.txt")}), 0);
  EXPECT_EQ(ReadRaw(Save("c.txt")), "program");
  EXPECT_EQ(Call(F_FileCopy, {S("nosuch.txt"), S("d.txt")}), -1);
  EXPECT_EQ(Call(F_FileCopy, {S("p.txt"), S("nofolder/d.txt")}), -1);
  EXPECT_EQ(console.Text(),
            "Unable to open source file nosuch.txt\n"
            "Unable to open destination file nofolder/d.txt (No such file or directory)\n");
  EXPECT_EQ(Call(F_FileExists, {S("nofolder/d.txt")}), 0);
}

TEST_F(FileNames, FoldersAreMadeInTheSaveFolder) {
  WriteRaw(Program("pdir/x"), "");
  EXPECT_EQ(Call(F_DirectoryExists, {S("pdir")}), 1);
  EXPECT_EQ(Call(F_DirectoryExists, {S("a")}), 0);
  Call(F_DirectoryCreate, {S("a\\b")});
  EXPECT_EQ(Call(F_DirectoryExists, {S("a/b")}), 1);
  struct stat info;
  EXPECT_EQ(stat(Save("a/b").c_str(), &info), 0);
  EXPECT_EQ(Call(F_FileAttributes, {S("a"), R(1)}), 0);
}

TEST_F(FileNames, NameParts) {
  const GoldenArg path = S("C:\\dir\\file.txt");
  EXPECT_EQ(Text(F_FilenameName, {path}), "file.txt");
  EXPECT_EQ(Text(F_FilenamePath, {path}), "C:\\dir");
  EXPECT_EQ(Text(F_FilenameDrive, {path}), "C:");
  EXPECT_EQ(Text(F_FilenameExt, {path}), ".txt");
  EXPECT_EQ(Text(F_FilenameName, {S("a/b\\c")}), "c");
  EXPECT_EQ(Text(F_FilenameChangeExt, {path, S(".dat")}), "C:\\dir\\file.dat");
  EXPECT_EQ(Text(F_FilenameChangeExt, {S("dir.v2\\a"), S(".txt")}), "dir.v2\\a.txt");
  EXPECT_EQ(Text(F_FilenameChangeExt, {S("a"), S(".dat")}), "a.dat");
  EXPECT_EQ(Text(F_FilenameChangeExt, {S("a.b.c"), S("d")}), "a.b.d");
  EXPECT_EQ(Text(F_FilenameChangeExt, {S("a.txt"), S("")}), "a");
  EXPECT_EQ(Text(F_FilenameChangeExt, {R(1), S(".x")}), "");
}

TEST_F(FileNames, SearchFindsNamesInOrderIgnoringCase) {
  for (const char* name : {"b.txt", "A.TXT", "c.dat", "sub/d.txt", "sub/e.txt", "sub/g.dat"})
    WriteRaw(Program(name), "");
  const auto all = [](GoldenArg mask) {
    std::vector<std::string> names{Text(F_FileFindFirst, {mask, R(0)})};
    while (!names.back().empty()) names.push_back(Text(F_FileFindNext, {}));
    return names;
  };
  EXPECT_EQ(all(S("*.txt")), (std::vector<std::string>{"A.TXT", "b.txt", ""}));
  EXPECT_EQ(all(S("*")), (std::vector<std::string>{".keep", "A.TXT", "b.txt", "c.dat", "sub", ""}));
  EXPECT_EQ(all(S("sub\\?.TXT")), (std::vector<std::string>{"d.txt", "e.txt", ""}));
  EXPECT_EQ(all(S((program_ + "sub/*.*").c_str())), (std::vector<std::string>{"d.txt", "e.txt", "g.dat", ""}));
  EXPECT_EQ(all(S("nosuch/*")), std::vector<std::string>{""});
  Text(F_FileFindFirst, {S("*"), R(0)});
  Call(F_FileFindClose, {});
  EXPECT_EQ(Text(F_FileFindNext, {}), "");
}

}  // namespace
