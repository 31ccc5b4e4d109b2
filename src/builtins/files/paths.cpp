#include "builtins/files/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/file_layer.h"
#include "files/files.h"
#include "files/save_folder.h"
#include "files/write_stream.h"
#include "platform/regular_file.h"

namespace {

int OpenFlags(const char* mode) {
  const bool plus = std::strchr(mode, '+') != nullptr;
  switch (mode[0]) {
    case 'w': return (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
    case 'a': return (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
    default: return plus ? O_RDWR : O_RDONLY;
  }
}

// A write in place refused at its open left any file there as it was.
void KeepEarlierFile(const std::string& path) {
  const int why = errno;
  struct stat info;
  if (SaveFolder_Stat(path, &info) && S_ISREG(info.st_mode)) WriteStream_NoteEarlierKept();
  errno = why;
}

// A name that maps nowhere is refused as a missing one.
bool MapsNowhere(const std::string& path) {
  if (!path.empty()) return false;
  WriteStream_ForgetEarlier();
  errno = ENOENT;
  return true;
}

// A stream on what path names now, opened with flags in one step; the C
// library's mode for it.
FILE* OpenInOneStep(const std::string& path, int flags, const char* mode) {
  if (MapsNowhere(path)) return nullptr;
  const bool writes = (flags & O_CREAT) != 0 || (flags & O_ACCMODE) != O_RDONLY;
  if (writes) WriteStream_JoinInPlace(path);
  // Non-blocking so that a pipe or device in the way is seen, not waited on.
  int fd = SaveFolder_Open(path, flags | O_NONBLOCK, 0666);
  if (fd < 0 && errno == ENOENT && (flags & O_CREAT) != 0) {
    File_CreateParentDirectories(path.c_str());
    fd = SaveFolder_Open(path, flags | O_NONBLOCK, 0666);
  }
  fd = RegularFile_Check(fd);
  if (fd < 0) {
    if (writes) KeepEarlierFile(path);
    return nullptr;
  }
  FILE* stream = fdopen(fd, mode);
  if (stream == nullptr) close(fd);
  if (writes) WriteStream_Track(stream, path);
  return stream;
}

}  // namespace

// Mapped paths have no length limit of their own: the system says what it
// cannot take.
std::string FilePath_Save(const char* name) { return LoadSave_SavePath(name); }

std::string FilePath_Program(const char* name) { return LoadSave_ProgramPath(name); }

bool FilePath_IsRegularFile(const std::string& path) { return !path.empty() && File_Exists(path.c_str()); }

std::string FilePath_Existing(const char* name) {
  std::string save = FilePath_Save(name);
  if (FilePath_IsRegularFile(save)) return save;
  std::string program = FilePath_Program(name);
  return FilePath_IsRegularFile(program) ? program : std::string();
}

// One open: the name is resolved once, and what it resolved to is read.
int FilePath_OpenExisting(const char* name, std::string* path, struct stat* info) {
  for (const auto map : {FilePath_Save, FilePath_Program}) {
    const std::string candidate = map(name);
    if (candidate.empty()) continue;
    const int fd = LoadSave_OpenRegular(candidate, info);
    if (fd >= 0 || (errno != ENOENT && FilePath_IsRegularFile(candidate))) {
      *path = candidate;
      return fd;
    }
  }
  path->clear();
  return -1;
}

FILE* FileStream_Open(const std::string& path, const char* mode) {
  const int flags = OpenFlags(mode);
  // A handle opened for writing shows its file at once, empty when new.
  if ((flags & O_TRUNC) == 0) return OpenInOneStep(path, flags, mode);
  if (MapsNowhere(path)) return nullptr;
  FILE* stream = WriteStream_OpenReplacing(path, mode, NewFile::kAtOpen);
  if (stream != nullptr || errno != ENOENT) return stream;
  // Missing folders are made only when the open does not find them.
  File_CreateParentDirectories(path.c_str());
  return WriteStream_OpenReplacing(path, mode, NewFile::kAtOpen);
}

FILE* FileStream_OpenReadWrite(const std::string& path) { return OpenInOneStep(path, O_RDWR | O_CREAT, "r+b"); }

FILE* FileStream_CreateHolding(const std::string& path, const void* data, size_t size) {
  if (MapsNowhere(path)) return nullptr;
  int fd = WriteStream_CreateWhole(path, data, size);
  if (fd < 0 && errno == ENOENT) {
    File_CreateParentDirectories(path.c_str());
    fd = WriteStream_CreateWhole(path, data, size);
  }
  FILE* stream = fd >= 0 ? fdopen(fd, "r+b") : nullptr;
  if (stream == nullptr && fd >= 0) close(fd);
  WriteStream_Track(stream, path);
  return stream;
}

bool FileStream_Close(FILE** stream, bool report) {
  const bool ok = WriteStream_Close(*stream, report);
  *stream = nullptr;
  return ok;
}

void FileStream_WriteText(FILE* stream, const char* text, size_t length) {
  size_t start = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] != '\n') continue;
    std::fwrite(text + start, 1, i - start, stream);
    std::fwrite("\r\n", 1, 2, stream);
    start = i + 1;
  }
  std::fwrite(text + start, 1, length - start, stream);
  WriteStream_NoteFailure(stream);
}

void FileStream_WriteText(FILE* stream, const char* text) { FileStream_WriteText(stream, text, std::strlen(text)); }

int FileStream_GetTextChar(FILE* stream) {
  int c = std::getc(stream);
  if (c != '\r') return c;
  int next = std::getc(stream);
  if (next == '\n') return next;
  if (next != EOF) std::ungetc(next, stream);
  return c;
}
