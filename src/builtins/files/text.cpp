// Text files by handle. A file opened for reading is held whole in memory and
// read as bytes, so CR LF line ends come back as they are; a file opened for
// writing is a stream that turns every LF into CR LF.
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "builtins/files/handlers.h"
#include "builtins/files/paths.h"
#include "builtins/files/slots.h"
#include "files/file_layer.h"
#include "files/write_stream.h"
#include "runtime/console.h"

namespace {

enum TextState : int32_t { kFree = 0, kReading = 1, kWriting = 2 };

struct TextSlot {
  TextState state = kFree;
  LoadSaveFile* reader = nullptr;
  FILE* writer = nullptr;
};

// Slot 0 is the legacy file's and is never used here.
std::array<TextSlot, kFileSlots> g_text;

// One readln returns at most this many bytes; the rest of a longer line
// comes with the next call.
constexpr int32_t kLineBytes = 32768;

void CloseSlot(TextSlot& slot) {
  LoadSave_Close(slot.reader);
  slot.reader = nullptr;
  FileStream_Close(&slot.writer);
  slot.state = kFree;
}

int32_t LowestFree() {
  return FileSlot_Lowest([](int32_t h) { return g_text[h].state == kFree; });
}

TextSlot* SlotIn(const BuiltinArgs& args, TextState state, const char* message) {
  int32_t handle = FileSlot_Handle(args, 0);
  if (handle == 0 || g_text[handle].state != state) {
    Builtin_Error(message);
    return nullptr;
  }
  return &g_text[handle];
}

LoadSaveFile* Reader(const BuiltinArgs& args) {
  TextSlot* slot = SlotIn(args, kReading, "File is not opened for reading.");
  return slot == nullptr ? nullptr : slot->reader;
}

FILE* Writer(const BuiltinArgs& args) {
  TextSlot* slot = SlotIn(args, kWriting, "File not opened for writing.");
  return slot == nullptr ? nullptr : slot->writer;
}

const char* At(const LoadSaveFile* file) { return reinterpret_cast<const char*>(file->data) + file->position; }

// The bytes from the position up to the first of the stop bytes (or the end).
int32_t SpanTo(const LoadSaveFile* file, int32_t limit, bool throughLf) {
  const int32_t left = file->size - file->position;
  const int32_t most = left < limit ? left : limit;
  const char* start = At(file);
  for (int32_t i = 0; i < most; ++i) {
    if (start[i] == '\n') return throughLf ? i + 1 : i;
    if (start[i] == '\r' && !throughLf) return i;
  }
  return most;
}

void OpenForWriting(ScriptValue* result, const BuiltinArgs& a, const char* mode) {
  Result_SetReal(result, -1);
  int32_t handle = LowestFree();
  if (handle == 0) return;
  if (a.Text(0)[0] == '\0') {
    // "" would name the save folder itself.
    g_debugConsole->Output("Could not write a file: no file was named\n");
    return;
  }
  FILE* stream = FileStream_Open(FilePath_Save(a.Text(0)), mode);
  if (stream == nullptr) {
    LoadSave_ReportWrite(a.Text(0), errno);
    return;
  }
  g_text[handle].writer = stream;
  g_text[handle].state = kWriting;
  Result_SetReal(result, handle);
}

}  // namespace

void F_FileTextOpenRead(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1);
  int32_t handle = LowestFree();
  if (handle == 0) return;
  if (!a.IsString(0)) {
    g_debugConsole->Output("ERROR!!! :: wrong type for filename\n");
    return;
  }
  std::string path;
  struct stat info;
  const int fd = FilePath_OpenExisting(a.Text(0), &path, &info);
  if (path.empty()) {
    g_debugConsole->Output("ERROR!!! :: Failed to open file: %s\n", a.Text(0));
    return;
  }
  LoadSaveFile* reader = fd < 0 ? nullptr : LoadSave_HoldOpened(fd, info);
  if (reader == nullptr) {
    g_debugConsole->Output("ERROR!!! :: Failed to open file: %s\n", path.c_str());
    return;
  }
  g_text[handle].reader = reader;
  g_text[handle].state = kReading;
  Result_SetReal(result, handle);
}

void F_FileTextOpenWrite(KV_BUILTIN_PARAMS) { OpenForWriting(result, BuiltinArgs(argc, args), "wb"); }

void F_FileTextOpenAppend(KV_BUILTIN_PARAMS) { OpenForWriting(result, BuiltinArgs(argc, args), "ab"); }

void F_FileTextClose(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t handle = FileSlot_Handle(a, 0);
  if (handle == 0) {
    Builtin_Error("Trying to close unexisting text file.");
    return;
  }
  CloseSlot(g_text[handle]);
}

// The line end stays unread for file_text_readln.
void F_FileTextReadString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  LoadSaveFile* file = Reader(a);
  if (file == nullptr || LoadSave_EOF(file)) return;
  int32_t length = SpanTo(file, file->size, false);
  Result_SetText(result, At(file), static_cast<size_t>(length));
  file->position += length;
}

void F_FileTextReadReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  LoadSaveFile* file = Reader(a);
  double value = 0.0;
  if (file != nullptr && LoadSave_ReadReal(file, &value)) Result_SetReal(result, value);
}

void F_FileTextReadln(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  LoadSaveFile* file = Reader(a);
  if (file == nullptr || LoadSave_EOF(file)) return;
  int32_t length = SpanTo(file, kLineBytes, true);
  Result_SetText(result, At(file), static_cast<size_t>(length));
  file->position += length;
}

// A handle not open for reading is at its end, so a read loop on a failed
// open ends.
void F_FileTextEof(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  LoadSaveFile* file = Reader(a);
  Result_SetReal(result, file == nullptr || LoadSave_EOF(file) ? 1 : 0);
}

void F_FileTextWriteString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (FILE* stream = Writer(a)) FileStream_WriteText(stream, a.Text(1));
}

// "%g " keeps its blank: numbers written one after another stay apart.
void F_FileTextWriteReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (FILE* stream = Writer(a)) {
    std::fprintf(stream, "%g ", a.Real(1));
    WriteStream_NoteFailure(stream);
  }
}

void F_FileTextWriteln(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (FILE* stream = Writer(a)) FileStream_WriteText(stream, "\n", 1);
}

void FileText_CloseAll() {
  for (TextSlot& slot : g_text) CloseSlot(slot);
}
