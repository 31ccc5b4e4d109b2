// Binary files by handle. Mode 0 reads the whole file into memory (from the
// save folder, else the program folder); modes 1 and 2 are streams on a file
// in the save folder, so nothing in the program folder is ever written.
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <string>

#include "builtins/files/handlers.h"
#include "builtins/files/paths.h"
#include "builtins/files/slots.h"
#include "files/file_layer.h"
#include "files/save_folder.h"
#include "files/write_stream.h"
#include "platform/regular_file.h"
#include "runtime/console.h"
#include "runtime/numeric.h"

namespace {

enum BinaryMode : int32_t { kRead = 0, kWrite = 1, kReadWrite = 2 };

struct BinarySlot {
  bool open = false;
  int32_t mode = kRead;
  std::string savePath;  // where the handle's writes go
  LoadSaveFile* memory = nullptr;
  int64_t at = 0;  // the read position in memory, which may lie past the end
  FILE* stream = nullptr;
  bool lastWrite = false;  // a stream must be repositioned between a write and a read
};

std::array<BinarySlot, kFileSlots> g_binary;

void CloseSlot(BinarySlot& slot) {
  LoadSave_Close(slot.memory);
  slot.memory = nullptr;
  FileStream_Close(&slot.stream);
  slot.open = false;
}

// Files of 2 GiB or more are refused, as the in-memory reader refuses them.
FILE* FitsInHandle(FILE* stream) {
  struct stat info;
  if (stream == nullptr || (fstat(fileno(stream), &info) == 0 && info.st_size < INT32_MAX)) return stream;
  FileStream_Close(&stream, false);
  errno = EFBIG;
  return nullptr;
}

// Mode 2 reads and writes the save folder's file in place. When none is
// there, a copy of the program folder's file takes the name, else a new
// empty file does, but only while nothing else has it: each open takes what
// the name holds at that moment, so a file there is never emptied or
// replaced, however the folders change meanwhile.
FILE* OpenReadWrite(const char* name, const std::string& save) {
  const std::string program = FilePath_Program(name);
  if (!FilePath_IsRegularFile(program)) return FitsInHandle(FileStream_OpenReadWrite(save));
  constexpr int kAttempts = 8;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    FILE* there = FileStream_Open(save, "r+b");
    if (there != nullptr || errno != ENOENT) return FitsInHandle(there);
    LoadSaveFile* source = LoadSave_OpenReal(program.c_str());
    if (source == nullptr) return nullptr;
    FILE* copy = FileStream_CreateHolding(save, source->data, static_cast<size_t>(source->size));
    const int why = errno;
    LoadSave_Close(source);
    if (copy != nullptr || why != EEXIST) {
      errno = why;
      return copy;
    }
  }
  errno = EEXIST;
  return nullptr;
}

bool OpenSlot(BinarySlot& slot, const char* name, int32_t mode) {
  slot.savePath = FilePath_Save(name);
  slot.mode = mode;
  slot.lastWrite = false;
  slot.at = 0;
  if (mode == kRead) {
    std::string path;
    struct stat info;
    const int fd = FilePath_OpenExisting(name, &path, &info);
    if (path.empty()) errno = LoadSave_NotRegular(name) ? EINVAL : ENOENT;
    slot.memory = fd < 0 ? nullptr : LoadSave_HoldOpened(fd, info);
    return slot.memory != nullptr;
  }
  slot.stream = mode == kWrite ? FileStream_Open(slot.savePath, "wb") : OpenReadWrite(name, slot.savePath);
  return slot.stream != nullptr;
}

// The open slot a handle names, or null after the message given.
BinarySlot* OpenSlotOf(const BuiltinArgs& args, const char* message) {
  int32_t handle = FileSlot_Handle(args, 0);
  if (handle == 0 || !g_binary[handle].open) {
    Builtin_Error(message);
    return nullptr;
  }
  return &g_binary[handle];
}

BinarySlot* Slot(const BuiltinArgs& args) { return OpenSlotOf(args, "File is not opened."); }

int64_t StreamSize(FILE* stream) {
  std::fflush(stream);
  struct stat info;
  return fstat(fileno(stream), &info) == 0 ? static_cast<int64_t>(info.st_size) : 0;
}

int64_t Position(const BinarySlot& slot) {
  return slot.memory != nullptr ? slot.at : static_cast<int64_t>(ftello(slot.stream));
}

int64_t Size(const BinarySlot& slot) { return slot.memory != nullptr ? slot.memory->size : StreamSize(slot.stream); }

// Switching between writing and reading on one stream needs a seek.
void Turn(BinarySlot& slot, bool toWrite) {
  if (slot.stream != nullptr && slot.lastWrite != toWrite) std::fseek(slot.stream, 0, SEEK_CUR);
  slot.lastWrite = toWrite;
}

int ReadByte(BinarySlot& slot) {
  if (slot.mode == kWrite) return EOF;
  if (slot.memory != nullptr) {
    if (slot.at >= slot.memory->size) return EOF;
    return slot.memory->data[slot.at++];
  }
  Turn(slot, false);
  return std::getc(slot.stream);
}

// The one line of a failed open: the name, the reason and, when the file
// there was left as it was, that it is kept.
void SayNotOpened(const char* name, int error) {
  const char* reason = name[0] == '\0' ? "no file was named" : RegularFile_Reason(error);
  g_debugConsole->Output("Error opening binary file %s (%s)%s\n", name, reason,
                         WriteStream_EarlierNote("; the earlier file there is kept"));
}

}  // namespace

void F_FileBinOpen(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1);
  int32_t handle = FileSlot_Lowest([](int32_t h) { return !g_binary[h].open; });
  if (handle == 0) return;
  BinarySlot& slot = g_binary[handle];
  CloseSlot(slot);
  WriteStream_ForgetEarlier();
  if (a.Text(0)[0] == '\0' || !OpenSlot(slot, a.Text(0), a.Int(1))) {
    const int why = errno;
    CloseSlot(slot);
    SayNotOpened(a.Text(0), why);
    return;
  }
  slot.open = true;
  Result_SetReal(result, handle);
}

void F_FileBinRewrite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  BinarySlot* slot = OpenSlotOf(a, "Trying to rewrite unopened file.");
  if (slot == nullptr) return;
  CloseSlot(*slot);
  slot->mode = kWrite;
  slot->lastWrite = false;
  WriteStream_ForgetEarlier();
  slot->stream = FileStream_Open(slot->savePath, "wb");
  slot->open = slot->stream != nullptr;
  if (!slot->open) SayNotOpened(slot->savePath.c_str(), errno);
}

void F_FileBinClose(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  BinarySlot* slot = OpenSlotOf(a, "Trying to close unopened file.");
  if (slot != nullptr) CloseSlot(*slot);
}

void F_FileBinPosition(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (BinarySlot* slot = Slot(a)) Result_SetReal(result, static_cast<double>(Position(*slot)));
}

void F_FileBinSize(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (BinarySlot* slot = Slot(a)) Result_SetReal(result, static_cast<double>(Size(*slot)));
}

// Sets the position from the start: one before the start (or no number)
// is the start, and one past the end is kept, so that the next write leaves
// a gap of zero bytes. A position the file cannot reach (past what a
// 64-bit position holds, or what the file system takes) leaves the
// position as it was and says so.
void F_FileBinSeek(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  BinarySlot* slot = Slot(a);
  if (slot == nullptr) return;
  const double wanted = a.Real(1);
  constexpr double kBeyond = 9223372036854775808.0;  // 2^63
  const int64_t target = !(wanted > 0) ? 0 : wanted < kBeyond ? Num_RoundInt64(wanted) : -1;
  if (target >= 0 && slot->memory != nullptr) {
    slot->at = target;
    return;
  }
  if (target >= 0 && fseeko(slot->stream, target, SEEK_SET) == 0) {
    slot->lastWrite = false;
    return;
  }
  // Bytes the seek could not write out first: the close tells of them.
  if (target >= 0 && std::ferror(slot->stream)) {
    WriteStream_NoteFailure(slot->stream);
    return;
  }
  g_debugConsole->Output("file_bin_seek - the file cannot reach byte %.17g; the position stays at %lld\n", wanted,
                         static_cast<long long>(Position(*slot)));
}

void F_FileBinReadByte(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  BinarySlot* slot = Slot(a);
  if (slot == nullptr) return;
  int byte = ReadByte(*slot);
  if (byte == EOF) {
    Builtin_Error("Error reading byte.");
    return;
  }
  Result_SetReal(result, byte);
}

// In mode 0 a write does nothing and says nothing.
void F_FileBinWriteByte(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  BinarySlot* slot = Slot(a);
  if (slot == nullptr || slot->stream == nullptr) return;
  Turn(*slot, true);
  std::fputc(static_cast<uint8_t>(a.Int(1)), slot->stream);
  WriteStream_NoteFailure(slot->stream);
}

void FileBinary_CloseAll() {
  for (BinarySlot& slot : g_binary) CloseSlot(slot);
}
