// Every writer on a disk that is full: the earlier file stays byte for byte,
// one console line tells what happened, and the built-in answers as it does
// for any failure. The disk is a small memory file system mounted for the
// test, which needs the right to mount; without it the test is skipped.
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "files/write_stream.h"
#include "files_test_support.h"
#include "graphics/3d/model_3d.h"
#include "graphics/bitmap/bmp_png.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

// What a writer puts down: more than fits in any buffer, so it must reach
// the disk.
const std::string kNew(64 * 1024, 'n');
const std::string kOld = "the earlier content\n";

class FullDisk : public FilesTest {
 protected:
  void SetUp() override {
    const std::string mountPoint = folder_ / "disk";
    WriteRaw(mountPoint + "/.keep", "");
    if (mount("kvfull", mountPoint.c_str(), "tmpfs", 0, "size=256k") != 0) {
      GTEST_SKIP() << "no right to mount a small file system";
    }
    mounted_ = mountPoint;
    save_ = mountPoint + "/";
    FilesTest::SetUp();
  }
  void TearDown() override {
    FilesTest::TearDown();
    if (!mounted_.empty()) umount2(mounted_.c_str(), MNT_DETACH);
  }

  // Takes every free block; a write of new bytes then fails.
  void Fill() {
    int fd = open(Save("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'f');
    while (write(fd, block.data(), block.size()) > 0) {}
    close(fd);
  }

  // No temporary stays behind a failed write.
  bool HasTemporaries() const {
    DIR* dir = opendir(save_.c_str());
    bool found = false;
    while (const dirent* entry = dir != nullptr ? readdir(dir) : nullptr) {
      found = found || std::string(entry->d_name).find(".kvtmp") != std::string::npos;
    }
    if (dir != nullptr) closedir(dir);
    return found;
  }

  std::string mounted_;
};

struct Writer {
  const char* name;
  const char* file;
  // Writes kNew over (or after) the file; the answer the built-in gave.
  std::function<double(const std::string& file)> write;
  double failureAnswer;
  bool inPlace;  // appends or read-write: the earlier bytes stay as the start
};

double WriteText(BuiltinFunction open, const std::string& file) {
  const double h = Call(open, {S(file.c_str())});
  Call(F_FileTextWriteString, {R(h), S(kNew.c_str())});
  Call(F_FileTextClose, {R(h)});
  return h;
}

double WriteBinary(int mode, const std::string& file) {
  const double h = Call(F_FileBinOpen, {S(file.c_str()), R(mode)});
  Call(F_FileBinSeek, {R(h), R(Call(F_FileBinSize, {R(h)}))});
  for (char c : kNew) Call(F_FileBinWriteByte, {R(h), R(c)});
  Call(F_FileBinClose, {R(h)});
  return h;
}

double WriteLegacy(BuiltinFunction open, const std::string& file) {
  Call(open, {S(file.c_str())});
  Call(F_FileWriteString, {S(kNew.c_str())});
  Call(F_FileClose, {});
  return 0;
}

const std::vector<Writer>& Writers() {
  static const std::vector<Writer> writers = {
      {"file_text_open_write", "t.txt", [](auto& f) { return WriteText(F_FileTextOpenWrite, f); }, 1, false},
      {"file_text_open_append", "a.txt", [](auto& f) { return WriteText(F_FileTextOpenAppend, f); }, 1, true},
      {"file_bin_open mode 1", "b1.bin", [](auto& f) { return WriteBinary(1, f); }, 1, false},
      {"file_bin_open mode 2", "b2.bin", [](auto& f) { return WriteBinary(2, f); }, 1, true},
      {"file_open_write", "l.txt", [](auto& f) { return WriteLegacy(F_FileOpenWrite, f); }, 0, false},
      {"file_open_append", "la.txt", [](auto& f) { return WriteLegacy(F_FileOpenAppend, f); }, 0, true},
      {"file_copy", "copy.txt",
       [](auto& f) {
         return Call(F_FileCopy, {S("source.txt"), S(f.c_str())});
       },
       -1, false},
      {"ini_close", "i.ini",
       [](auto& f) {
         Call(F_IniOpen, {S(f.c_str())});
         Call(F_IniWriteString, {S("s"), S("k"), S(kNew.c_str())});
         Call(F_IniClose, {});
         return 0.0;
       },
       0, false},
  };
  return writers;
}

TEST_F(FullDisk, EveryWriterKeepsTheEarlierFileSaysSoOnceAndAnswersItsFailure) {
  WriteRaw(Program("source.txt"), kNew);
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.name);
    WriteRaw(Save(writer.file), kOld);
    Fill();
    testsupport::ConsoleCapture console;
    EXPECT_EQ(writer.write(writer.file), writer.failureAnswer);
    const std::string now = ReadRaw(Save(writer.file));
    if (writer.inPlace) {
      EXPECT_EQ(now.substr(0, kOld.size()), kOld);
    } else {
      EXPECT_EQ(now, kOld);
    }
    ASSERT_EQ(console.Lines().size(), 1u) << console.Text();
    EXPECT_NE(console.Text().find(writer.file), std::string::npos) << console.Text();
    if (writer.failureAnswer != 0) {
      EXPECT_NE(console.Text().find("No space left on device"), std::string::npos) << console.Text();
    }
    EXPECT_FALSE(HasTemporaries());
    unlink(Save("filler").c_str());
  }
}

// The graphics writers below the built-ins: d3d_model_save's and the image
// savers' (sprite_save writes a PNG; screen_save, surface_save, game_save and
// the highscore table write whole files through the file layer).
TEST_F(FullDisk, ModelAndImageWritersKeepTheEarlierFile) {
  C3DModel model;
  for (int i = 0; i < 2000; ++i) model.Add(ModelRecord{});
  // Noise, so the image does not shrink into the last free bytes.
  std::vector<uint8_t> pixels(64 * 64 * 4);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 2654435761u >> 13);
  for (int i = 0; i < 3; ++i) {
    const std::string file = "w" + std::to_string(i);
    WriteRaw(Save(file), kOld);
    Fill();
    testsupport::ConsoleCapture console;
    bool written = true;
    if (i == 0) written = model.Save(Save(file).c_str());
    if (i == 1) written = write_png_file(file.c_str(), pixels.data(), 64, 64);
    if (i == 2) written = LoadSave_WriteFile(file.c_str(), kNew.data(), static_cast<int32_t>(kNew.size()));
    EXPECT_FALSE(written) << i;
    EXPECT_EQ(ReadRaw(Save(file)), kOld) << i;
    EXPECT_LE(console.Lines().size(), 1u) << console.Text();
    EXPECT_FALSE(HasTemporaries());
    unlink(Save("filler").c_str());
  }
}

// A full disk in a folder that takes no new names, where the writers write
// the file itself: a whole-file writer takes the room first and leaves the
// earlier file as it was when there is none, and says it is kept; a handle
// that empties the file at its open cannot keep it, and says it is
// incomplete. Tried as an unprivileged user, since one with every right adds
// names anywhere.
TEST_F(FullDisk, AFolderThatTakesNoNewNamesKeepsOnlyWhatItSaysItKeeps) {
  const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
  if (nobody == nullptr) GTEST_SKIP() << "no unprivileged user to write as";
  struct Row {
    const char* file;
    std::function<void(const std::string& file)> write;
    bool kept;         // the earlier file is there as it was
    const char* says;  // in the one console line
  };
  const std::vector<Row> rows = {
      // game_save, screen_save, surface_save and the highscore table, as
      // screen_save says it.
      {"whole.sav",
       [](auto& f) {
         if (!LoadSave_WriteFile(f.c_str(), kNew.data(), static_cast<int32_t>(kNew.size()))) {
           WriteStream_Report(f, errno, true);
         }
       },
       true, "; the earlier file there is kept"},
      {"i.ini",
       [](auto& f) {
         Call(F_IniOpen, {S(f.c_str())});
         Call(F_IniWriteString, {S("s"), S("k"), S(kNew.c_str())});
         Call(F_IniClose, {});
       },
       true, "could not be written (No space left on device)"},
      {"t.txt", [](auto& f) { WriteText(F_FileTextOpenWrite, f); }, false, "; the file there is incomplete"},
      {"b1.bin", [](auto& f) { WriteBinary(1, f); }, false, "; the file there is incomplete"},
  };
  for (const Row& row : rows) {
    WriteRaw(Save(row.file), kOld);
    ASSERT_EQ(chown(Save(row.file).c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }
  Fill();
  chmod(folder_.Path().c_str(), 0711);
  ASSERT_EQ(chown(save_.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  chmod(save_.c_str(), 0555);
  int said[2];
  ASSERT_EQ(pipe(said), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(77);
    std::string lines;
    for (const Row& row : rows) {
      testsupport::ConsoleCapture console;
      row.write(row.file);
      lines += console.Text() + "|";
    }
    _exit(write(said[1], lines.data(), lines.size()) == static_cast<ssize_t>(lines.size()) ? 0 : 1);
  }
  close(said[1]);
  std::string lines;
  char buffer[4096];
  for (ssize_t got; (got = read(said[0], buffer, sizeof buffer)) > 0;) lines.append(buffer, static_cast<size_t>(got));
  close(said[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  chmod(save_.c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot become an unprivileged user";
  ASSERT_EQ(WEXITSTATUS(status), 0);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const size_t end = lines.find('|');
    ASSERT_NE(end, std::string::npos);
    const std::string line = lines.substr(0, end);
    lines.erase(0, end + 1);
    const std::string now = ReadRaw(Save(row.file));
    if (row.kept) {
      EXPECT_EQ(now, kOld);
    } else {
      EXPECT_NE(now, kOld);
      EXPECT_EQ(line.find("kept"), std::string::npos) << line;
    }
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    EXPECT_NE(line.find(row.says), std::string::npos) << line;
    EXPECT_NE(line.find(row.file), std::string::npos) << line;
  }
  EXPECT_FALSE(HasTemporaries());
}

}  // namespace
