// The one legacy text file, used without a handle. Its writes go under the
// save folder like every other; its reads look in the save folder, then the
// program folder, then at an absolute path as given. Read or written, it
// behaves as a text-mode stream: LF goes out as CR LF, CR LF comes in as LF.
#include <cerrno>
#include <cstdio>
#include <string>

#include "builtins/files/handlers.h"
#include "builtins/files/paths.h"
#include "files/file_layer.h"
#include "files/write_stream.h"

namespace {

enum LegacyState { kClosed, kReading, kWriting };

struct LegacyFile {
  LegacyState state = kClosed;
  FILE* stream = nullptr;
};

LegacyFile g_legacy;

// Longest text one read gives.
constexpr size_t kLegacyReadBytes = 32768;

std::string ReadPath(const char* name) {
  std::string path = FilePath_Existing(name);
  if (path.empty() && name[0] == '/') path = name;
  return FilePath_IsRegularFile(path) ? path : std::string();
}

FILE* Reading(const char* message) {
  if (g_legacy.state == kReading) return g_legacy.stream;
  Builtin_Error(message);
  return nullptr;
}

FILE* Writing() {
  if (g_legacy.state == kWriting) return g_legacy.stream;
  Builtin_Error("File not opened for writing.");
  return nullptr;
}

void Open(const std::string& path, const char* mode, LegacyState state) {
  FileLegacy_Close();
  g_legacy.stream = FileStream_Open(path, mode);
  if (g_legacy.stream != nullptr) g_legacy.state = state;
}

void OpenToWrite(const char* name, const char* mode) {
  Open(FilePath_Save(name), mode, kWriting);
  if (g_legacy.stream == nullptr) LoadSave_ReportWrite(name, errno);
}

// Characters up to a line end; the LF itself is kept only when asked.
void ReadUpTo(ScriptValue* result, bool keepLf, bool stopAtCr) {
  Result_SetEmptyText(result);
  FILE* stream = Reading("File not opened for reading.");
  if (stream == nullptr) return;
  std::string text;
  while (text.size() < kLegacyReadBytes) {
    int c = FileStream_GetTextChar(stream);
    if (c == EOF) break;
    if (c == '\n' || (stopAtCr && c == '\r')) {
      if (keepLf) text += static_cast<char>(c);
      break;
    }
    text += static_cast<char>(c);
  }
  Result_SetText(result, text.data(), text.size());
}

}  // namespace

void F_FileOpenRead(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  FileLegacy_Close();
  std::string path = ReadPath(a.Text(0));
  if (!path.empty()) Open(path, "rb", kReading);
}

void F_FileOpenWrite(KV_BUILTIN_PARAMS) { OpenToWrite(BuiltinArgs(argc, args).Text(0), "w+b"); }

void F_FileOpenAppend(KV_BUILTIN_PARAMS) { OpenToWrite(BuiltinArgs(argc, args).Text(0), "a+"); }

void F_FileClose(KV_BUILTIN_PARAMS) { FileLegacy_Close(); }

void F_FileReadString(KV_BUILTIN_PARAMS) { ReadUpTo(result, false, true); }

void F_FileReadln(KV_BUILTIN_PARAMS) { ReadUpTo(result, true, false); }

void F_FileReadReal(KV_BUILTIN_PARAMS) {
  FILE* stream = Reading("File not opened for reading.");
  double value = 0.0;
  if (stream != nullptr && std::fscanf(stream, "%lf", &value) == 1) Result_SetReal(result, value);
}

// At the end when nothing is left to read, or when the file is not open
// for reading.
void F_FileEof(KV_BUILTIN_PARAMS) {
  FILE* stream = Reading("File is not opened for reading.");
  Result_SetReal(result, 1);
  if (stream == nullptr) return;
  int c = std::getc(stream);
  if (c != EOF) std::ungetc(c, stream);
  Result_SetReal(result, c == EOF ? 1 : 0);
}

void F_FileWriteString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (FILE* stream = Writing()) FileStream_WriteText(stream, a.Text(0));
}

void F_FileWriteReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (FILE* stream = Writing()) {
    std::fprintf(stream, "%10.4f", a.Real(0));
    WriteStream_NoteFailure(stream);
  }
}

void F_FileWriteln(KV_BUILTIN_PARAMS) {
  if (FILE* stream = Writing()) FileStream_WriteText(stream, "\n", 1);
}

void FileLegacy_Close() {
  FileStream_Close(&g_legacy.stream);
  g_legacy.state = kClosed;
}
