#include "files_test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

using FileText = FilesTest;

TEST_F(FileText, ReadStringLeavesTheLineEndForReadln) {
  for (const std::string end : {"\r\n", "\n"}) {
    WriteRaw(Program("lines.txt"), "ab" + end + "cd" + end + "7.5 -2e3x");
    double h = Call(F_FileTextOpenRead, {S("lines.txt")});
    ASSERT_EQ(h, 1);
    EXPECT_EQ(Text(F_FileTextReadString, {R(h)}), "ab");
    EXPECT_EQ(Text(F_FileTextReadln, {R(h)}), end);
    EXPECT_EQ(Text(F_FileTextReadln, {R(h)}), "cd" + end);
    EXPECT_EQ(Call(F_FileTextReadReal, {R(h)}), 7.5);
    EXPECT_EQ(Call(F_FileTextReadReal, {R(h)}), -2000);
    EXPECT_EQ(Call(F_FileTextEof, {R(h)}), 0);
    EXPECT_EQ(Text(F_FileTextReadString, {R(h)}), "x");
    EXPECT_EQ(Call(F_FileTextEof, {R(h)}), 1);
    // At the end: "" and 0, and the file stays open.
    EXPECT_EQ(Text(F_FileTextReadString, {R(h)}), "");
    EXPECT_EQ(Text(F_FileTextReadln, {R(h)}), "");
    EXPECT_EQ(Call(F_FileTextReadReal, {R(h)}), 0);
    EXPECT_EQ(Call(F_FileTextEof, {R(h)}), 1);
    Call(F_FileTextClose, {R(h)});
  }
}

TEST_F(FileText, ReadsPreferTheSaveFolder) {
  WriteRaw(Program("both.txt"), "program");
  WriteRaw(Save("both.txt"), "save");
  double h = Call(F_FileTextOpenRead, {S("both.txt")});
  EXPECT_EQ(Text(F_FileTextReadString, {R(h)}), "save");
}

TEST_F(FileText, WritersPutCrLfAndAKeptBlank) {
  double h = Call(F_FileTextOpenWrite, {S("sub/out.txt")});
  Call(F_FileTextWriteString, {R(h), S("a\nb")});
  Call(F_FileTextWriteReal, {R(h), R(1.5)});
  Call(F_FileTextWriteReal, {R(h), R(1000000)});
  Call(F_FileTextWriteln, {R(h)});
  Call(F_FileTextClose, {R(h)});
  h = Call(F_FileTextOpenAppend, {S("sub/out.txt")});
  Call(F_FileTextWriteString, {R(h), S("z")});
  Call(F_FileTextClose, {R(h)});
  EXPECT_EQ(ReadRaw(Save("sub/out.txt")), "a\r\nb1.5 1e+06 \r\nz");
  h = Call(F_FileTextOpenWrite, {S("sub/out.txt")});
  Call(F_FileTextClose, {R(h)});
  EXPECT_EQ(ReadRaw(Save("sub/out.txt")), "");
}

TEST_F(FileText, WrongStatesAndNamesReport) {
  WriteRaw(Program("r.txt"), "x");
  double r = Call(F_FileTextOpenRead, {S("r.txt")});
  double w = Call(F_FileTextOpenWrite, {S("w.txt")});
  {
    ErrorCapture errors;
    Call(F_FileTextWriteln, {R(r)});
    Call(F_FileTextReadln, {R(w)});
    Call(F_FileTextEof, {R(9)});
    Call(F_FileTextClose, {R(0)});
    Call(F_FileTextClose, {R(9)});
    EXPECT_EQ(errors.Messages(),
              (std::vector<std::string>{"File not opened for writing.", "File is not opened for reading.",
                                        "File is not opened for reading.", "Trying to close unexisting text file."}));
  }
  testsupport::ConsoleCapture console;
  EXPECT_EQ(Call(F_FileTextOpenRead, {S("nosuch.txt")}), -1);
  EXPECT_EQ(Call(F_FileTextOpenRead, {R(3)}), -1);
  EXPECT_EQ(Call(F_FileTextOpenWrite, {S("C:\\outside.txt")}), -1);
  // A name that maps nowhere is refused as a missing name, in one line.
  EXPECT_EQ(console.Text(),
            "ERROR!!! :: Failed to open file: nosuch.txt\nERROR!!! :: wrong type for filename\n"
            "Could not write C:\\outside.txt (No such file or directory)\n");
}

// A read loop on a handle that is not open for reading ends at once: the
// end-of-file tests answer 1, the reads their closed-handle answers.
TEST_F(FileText, AHandleNotOpenForReadingIsAtItsEnd) {
  WriteRaw(Save("r.txt"), "x");
  const double closed = Call(F_FileTextOpenRead, {S("r.txt")});
  Call(F_FileTextClose, {R(closed)});
  const double writing = Call(F_FileTextOpenWrite, {S("w.txt")});
  const double failed = Call(F_FileTextOpenRead, {S("missing.txt")});
  ErrorCapture errors;
  for (const GoldenArg& handle : {R(failed), R(closed), R(writing), R(0), R(32), S("1")}) {
    EXPECT_EQ(Call(F_FileTextEof, {handle}), 1);
    EXPECT_EQ(Text(F_FileTextReadString, {handle}), "");
    EXPECT_EQ(Text(F_FileTextReadln, {handle}), "");
    EXPECT_EQ(Call(F_FileTextReadReal, {handle}), 0);
  }
  EXPECT_EQ(errors.Messages(), std::vector<std::string>(24, "File is not opened for reading."));
}

using LegacyFile = FilesTest;

TEST_F(LegacyFile, AFileNotOpenForReadingIsAtItsEnd) {
  ErrorCapture errors;
  Call(F_FileOpenRead, {S("missing.txt")});
  EXPECT_EQ(Call(F_FileEof, {}), 1);
  EXPECT_EQ(Text(F_FileReadString, {}), "");
  EXPECT_EQ(Call(F_FileReadReal, {}), 0);
  Call(F_FileOpenWrite, {S("w.txt")});
  EXPECT_EQ(Call(F_FileEof, {}), 1);
  EXPECT_EQ(Text(F_FileReadln, {}), "");
  EXPECT_EQ(errors.Messages(),
            (std::vector<std::string>{"File is not opened for reading.", "File not opened for reading.",
                                      "File not opened for reading.", "File is not opened for reading.",
                                      "File not opened for reading."}));
}

TEST_F(LegacyFile, WritesTextAndReadsItBackLineByLine) {
  Call(F_FileOpenWrite, {S("legacy.txt")});
  Call(F_FileWriteString, {S("one")});
  Call(F_FileWriteln, {});
  Call(F_FileWriteReal, {R(3.14159)});
  Call(F_FileWriteln, {});
  Call(F_FileClose, {});
  Call(F_FileOpenAppend, {S("legacy.txt")});
  Call(F_FileWriteString, {S("two\nthree")});
  Call(F_FileClose, {});
  EXPECT_EQ(ReadRaw(Save("legacy.txt")), "one\r\n    3.1416\r\ntwo\r\nthree");

  Call(F_FileOpenRead, {S("legacy.txt")});
  EXPECT_EQ(Text(F_FileReadString, {}), "one");
  EXPECT_DOUBLE_EQ(Call(F_FileReadReal, {}), 3.1416);
  EXPECT_EQ(Text(F_FileReadln, {}), "\n");
  EXPECT_EQ(Text(F_FileReadString, {}), "two");
  EXPECT_EQ(Call(F_FileEof, {}), 0);
  EXPECT_EQ(Text(F_FileReadln, {}), "three");
  EXPECT_EQ(Call(F_FileEof, {}), 1);
  EXPECT_EQ(Text(F_FileReadString, {}), "");
}

TEST_F(LegacyFile, ReadsLookInTheSaveFolderTheProgramFolderThenAnAbsolutePath) {
  WriteRaw(Program("p.txt"), "program\r\n");
  WriteRaw(folder_ / "outside.txt", "outside");
  Call(F_FileOpenRead, {S("p.txt")});
  EXPECT_EQ(Text(F_FileReadln, {}), "program\n");
  Call(F_FileOpenRead, {S((folder_ / "outside.txt").c_str())});
  EXPECT_EQ(Text(F_FileReadString, {}), "outside");

  ErrorCapture errors;
  Call(F_FileOpenRead, {S("/dev/zero")});
  Call(F_FileReadln, {});
  Call(F_FileOpenRead, {S("nosuch.txt")});
  Call(F_FileReadString, {});
  Call(F_FileEof, {});
  Call(F_FileWriteln, {});
  EXPECT_EQ(errors.Messages(),
            (std::vector<std::string>{"File not opened for reading.", "File not opened for reading.",
                                      "File is not opened for reading.", "File not opened for writing."}));
  // Writing an absolute path outside the save folder goes nowhere.
  Call(F_FileOpenWrite, {S((folder_ / "outside.txt").c_str())});
  Call(F_FileWriteString, {S("changed")});
  Call(F_FileClose, {});
  EXPECT_EQ(ReadRaw(folder_ / "outside.txt"), "outside");
}

}  // namespace
