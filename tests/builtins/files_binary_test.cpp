#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "files_test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

using FileBinary = FilesTest;

TEST_F(FileBinary, ThirtyOneHandlesThenNoMore) {
  for (int i = 1; i <= 31; ++i) {
    ASSERT_EQ(Call(F_FileBinOpen, {S(("f" + std::to_string(i)).c_str()), R(1)}), i);
  }
  ErrorCapture errors;
  EXPECT_EQ(Call(F_FileBinOpen, {S("f32"), R(1)}), -1);
  EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Cannot open another file (maximum exceeded)."});
  Call(F_FileBinClose, {R(7)});
  EXPECT_EQ(Call(F_FileBinOpen, {S("again"), R(1)}), 7);
}

TEST_F(FileBinary, TheProgramFolderIsOnlyRead) {
  WriteRaw(Program("p.bin"), "AB");
  ErrorCapture errors;
  double h = Call(F_FileBinOpen, {S("p.bin"), R(0)});
  ASSERT_EQ(h, 1);
  Call(F_FileBinWriteByte, {R(h), R(90)});
  EXPECT_EQ(Call(F_FileBinReadByte, {R(h)}), 'A');
  EXPECT_EQ(Call(F_FileBinReadByte, {R(h)}), 'B');
  EXPECT_EQ(Call(F_FileBinReadByte, {R(h)}), 0);
  EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Error reading byte."});
  Call(F_FileBinClose, {R(h)});

  // Mode 2 writes the save folder's copy; mode 1 makes a new, empty file.
  h = Call(F_FileBinOpen, {S("p.bin"), R(2)});
  Call(F_FileBinWriteByte, {R(h), R(256 + 'Q')});
  EXPECT_EQ(Call(F_FileBinReadByte, {R(h)}), 'B');
  Call(F_FileBinClose, {R(h)});
  EXPECT_EQ(ReadRaw(Save("p.bin")), "QB");
  h = Call(F_FileBinOpen, {S("p.bin"), R(1)});
  EXPECT_EQ(Call(F_FileBinReadByte, {R(h)}), 0);
  Call(F_FileBinClose, {R(h)});
  EXPECT_EQ(ReadRaw(Save("p.bin")), "");
  EXPECT_EQ(ReadRaw(Program("p.bin")), "AB");
}

TEST_F(FileBinary, PositionSizeAndSeek) {
  double h = Call(F_FileBinOpen, {S("sub/s.bin"), R(2)});
  for (int b : {1, 2, 3}) Call(F_FileBinWriteByte, {R(h), R(b)});
  EXPECT_EQ(Call(F_FileBinSize, {R(h)}), 3);
  EXPECT_EQ(Call(F_FileBinPosition, {R(h)}), 3);
  Call(F_FileBinSeek, {R(h), R(1)});
  EXPECT_EQ(Call(F_FileBinReadByte, {R(h)}), 2);
  Call(F_FileBinWriteByte, {R(h), R(9)});
  Call(F_FileBinClose, {R(h)});
  EXPECT_EQ(ReadRaw(Save("sub/s.bin")), std::string("\x01\x02\x09", 3));
}

// A seek sets the position from the start: before the start it is the
// start, past the end it stays there and the next write fills the gap with
// zero bytes; one the file cannot reach keeps the position and says so.
TEST_F(FileBinary, SeeksBeforeTheStartAndPastTheEnd) {
  const std::string far = std::string("AB") + std::string(8, '\0') + "C";
  const std::string kept = "; the position stays at 1\n";
  struct Case {
    int mode;
    double pos;
    double position;  // after the seek
    double size;      // after one byte written there
    std::string file;
    std::string line;
  };
  const std::vector<Case> cases = {
      {1, 10, 10, 11, far, ""},
      {2, 10, 10, 11, far, ""},
      {2, 0, 0, 2, "CB", ""},
      {2, 2.5, 2, 3, "ABC", ""},
      {2, -5, 0, 2, "CB", ""},
      {2, std::nan(""), 0, 2, "CB", ""},
      {2, 1e19, 1, 2, "AC", "file_bin_seek - the file cannot reach byte 1e+19" + kept},
      {2, INFINITY, 1, 2, "AC", "file_bin_seek - the file cannot reach byte inf" + kept},
      {0, 10, 10, 2, "AB", ""},
      {0, -1, 0, 2, "AB", ""},
      {0, 4e18, 4e18, 2, "AB", ""},
      {0, 1e19, 1, 2, "AB", "file_bin_seek - the file cannot reach byte 1e+19" + kept},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + ", seek to " + std::to_string(c.pos));
    WriteRaw(Save("s.bin"), "AB");
    const double h = Call(F_FileBinOpen, {S("s.bin"), R(c.mode)});
    if (c.mode == 1) {
      for (char b : {'A', 'B'}) Call(F_FileBinWriteByte, {R(h), R(b)});
    }
    Call(F_FileBinSeek, {R(h), R(1)});
    testsupport::ConsoleCapture console;
    Call(F_FileBinSeek, {R(h), R(c.pos)});
    EXPECT_EQ(console.Text(), c.line);
    EXPECT_EQ(Call(F_FileBinPosition, {R(h)}), c.position);
    Call(F_FileBinWriteByte, {R(h), R('C')});
    EXPECT_EQ(Call(F_FileBinSize, {R(h)}), c.size);
    Call(F_FileBinClose, {R(h)});
    EXPECT_EQ(ReadRaw(Save("s.bin")), c.file);
  }
  // Reading past the end of a file held in memory reports, as at its end;
  // a closed handle cannot seek.
  WriteRaw(Save("s.bin"), "AB");
  const double h = Call(F_FileBinOpen, {S("s.bin"), R(0)});
  Call(F_FileBinSeek, {R(h), R(10)});
  ErrorCapture errors;
  EXPECT_EQ(Call(F_FileBinReadByte, {R(h)}), 0);
  Call(F_FileBinClose, {R(h)});
  Call(F_FileBinSeek, {R(h), R(0)});
  EXPECT_EQ(errors.Messages(), (std::vector<std::string>{"Error reading byte.", "File is not opened."}));
}

// Mode 2 under another thread swapping the folder of its file with an empty
// one, over and over: whichever folder each open finds, the file there keeps
// its bytes. The empty folder is emptied again after each open (by its own
// descriptor, whatever its name then), so that every open can meet it.
TEST_F(FileBinary, ReadWriteOpensNeverEmptyAFileUnderAFolderSwap) {
  for (const bool programCopy : {false, true}) {
    SCOPED_TRACE(programCopy ? "a copy of the program folder's file" : "no file in the program folder");
    const std::string slot = programCopy ? "copied" : "slot";
    if (programCopy) WriteRaw(Program(slot + "/f.bin"), "PR");
    WriteRaw(Save(slot + "/f.bin"), "AB");
    WriteRaw(Save(slot + "_spare/.keep"), "");
    const int kept = open(Save(slot).c_str(), O_RDONLY | O_DIRECTORY);
    const int spare = open(Save(slot + "_spare").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(kept, 0);
    ASSERT_GE(spare, 0);
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
      const std::string a = Save(slot);
      const std::string b = Save(slot + "_spare");
      while (!stop.load()) renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
    });
    const std::string name = slot + "/f.bin";
    for (int i = 0; i < 3000; ++i) {
      const double h = Call(F_FileBinOpen, {S(name.c_str()), R(2)});
      if (h > 0) Call(F_FileBinClose, {R(h)});
      unlinkat(spare, "f.bin", 0);
    }
    stop = true;
    swapper.join();
    const int file = openat(kept, "f.bin", O_RDONLY);
    char bytes[4] = {};
    EXPECT_EQ(file >= 0 ? read(file, bytes, sizeof bytes) : -1, 2);
    EXPECT_EQ(std::string(bytes), "AB");
    if (file >= 0) close(file);
    close(kept);
    close(spare);
  }
}

TEST_F(FileBinary, RewriteEmptiesTheHandlesOwnSaveFile) {
  WriteRaw(Program("r.bin"), "hello");
  double h = Call(F_FileBinOpen, {S("r.bin"), R(0)});
  Call(F_FileBinRewrite, {R(h)});
  Call(F_FileBinWriteByte, {R(h), R('x')});
  EXPECT_EQ(Call(F_FileBinSize, {R(h)}), 1);
  Call(F_FileBinClose, {R(h)});
  EXPECT_EQ(ReadRaw(Save("r.bin")), "x");
  EXPECT_EQ(ReadRaw(Program("r.bin")), "hello");
}

TEST_F(FileBinary, BadHandlesAndNamesReportAndAnswerTheDefault) {
  {
    ErrorCapture errors;
    for (double h : {0.0, 32.0, 1.0, std::nan("")}) EXPECT_EQ(Call(F_FileBinPosition, {R(h)}), 0);
    Call(F_FileBinClose, {R(1)});
    Call(F_FileBinRewrite, {R(1)});
    EXPECT_EQ(Call(F_FileBinReadByte, {S("1")}), 0);
    std::vector<std::string> expected(4, "File is not opened.");
    expected.insert(expected.end(),
                    {"Trying to close unopened file.", "Trying to rewrite unopened file.", "File is not opened."});
    EXPECT_EQ(errors.Messages(), expected);
  }
  testsupport::ConsoleCapture console;

  // A folder, a missing file in mode 0, a file of 2 GiB, a path outside.
  WriteRaw(Save("dir/x"), "");
  ASSERT_EQ(truncate(Save("dir/x").c_str(), 0x80000000LL), 0);
  for (const char* name : {"dir", "nosuch", "dir/x"}) EXPECT_EQ(Call(F_FileBinOpen, {S(name), R(0)}), -1);
  EXPECT_EQ(Call(F_FileBinOpen, {S("dir/x"), R(2)}), -1);
  EXPECT_EQ(Call(F_FileBinOpen, {S("C:\\x.bin"), R(1)}), -1);
  EXPECT_EQ(Call(F_FileBinOpen, {S("dir"), R(1)}), -1);
  EXPECT_EQ(Call(F_FileBinOpen, {S(std::string(3000, 'n').c_str()), R(1)}), -1);
  EXPECT_NE(console.Text().find("Error opening binary file nosuch (No such file or directory)\n"), std::string::npos);
}

TEST_F(FileBinary, WhatIsLeftOpenReachesTheDiskAtRelease) {
  double b = Call(F_FileBinOpen, {S("b.bin"), R(1)});
  Call(F_FileBinWriteByte, {R(b), R('b')});
  double t = Call(F_FileTextOpenWrite, {S("t.txt")});
  Call(F_FileTextWriteString, {R(t), S("t")});
  Call(F_FileOpenWrite, {S("l.txt")});
  Call(F_FileWriteString, {S("l")});
  Call(F_IniOpen, {S("i.ini")});
  Call(F_IniWriteString, {S("s"), S("k"), S("v")});
  FileBuiltins_Release();
  EXPECT_EQ(ReadRaw(Save("b.bin")), "b");
  EXPECT_EQ(ReadRaw(Save("t.txt")), "t");
  EXPECT_EQ(ReadRaw(Save("l.txt")), "l");
  EXPECT_EQ(ReadRaw(Save("i.ini")), "[s]\r\nk=v\r\n");
}

}  // namespace
