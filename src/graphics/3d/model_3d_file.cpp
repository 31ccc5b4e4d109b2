// The model file: text, one item a line, each line ended by "\n": the
// format "100", the record count, then per record its kind and ten values,
// each written " %10.4f". Whole-number slots are written as their exact
// value and rounded when read back, so they survive the file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/file_layer.h"
#include "files/write_stream.h"
#include "graphics/3d/model_3d.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"

namespace {

constexpr char kFormat[] = "100";

// Lines as the reader has always split them: carriage returns, line feeds
// and NUL bytes before a line are skipped, and the line ends at the next of
// them or at the end of the data.
class LineReader {
 public:
  LineReader(const char* data, size_t size) : data_(data), size_(size) {}
  bool Next(std::string* line) {
    while (at_ < size_ && IsBreak(data_[at_])) ++at_;
    if (at_ >= size_) return false;
    const size_t start = at_;
    while (at_ < size_ && !IsBreak(data_[at_])) ++at_;
    line->assign(data_ + start, at_ - start);
    return true;
  }

 private:
  static bool IsBreak(char c) { return c == '\r' || c == '\n' || c == '\0'; }
  const char* data_;
  size_t size_;
  size_t at_ = 0;
};

// A decimal whole number as "%d" reads it, held to 32 bits; false when none
// stands at the start (after blanks).
bool ReadWhole(const char*& at, int32_t* out) {
  char* end = nullptr;
  const long long value = std::strtoll(at, &end, 10);
  if (end == at) return false;
  at = end;
  *out = value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<int32_t>(value);
  return true;
}

// Reads record lines as the format has always been read: the kind, then up
// to ten values, into one set of values kept from line to line. What a line
// does not give stays as the line before left it (0 before the first), so a
// short line takes the rest from the record above it.
class RecordParser {
 public:
  ModelRecord Parse(const std::string& line) {
    const char* at = line.c_str();
    if (ReadWhole(at, &kind_)) ReadValues(at);
    ModelRecord record;
    record.kind = kind_;
    for (int32_t slot = 0; slot < kModelValues; ++slot) record.SetValue(slot, values_[slot]);
    return record;
  }

 private:
  // Whole-number slots are read as doubles, the others as floats: what
  // each slot of this kind keeps.
  void ReadValues(const char* at) {
    for (int32_t slot = 0; slot < kModelValues; ++slot) {
      char* end = nullptr;
      const double value =
          ModelRecord::IsWhole(kind_, slot) ? std::strtod(at, &end) : static_cast<double>(std::strtof(at, &end));
      if (end == at) return;
      values_[slot] = value;
      at = end;
    }
  }

  int32_t kind_ = 0;
  double values_[kModelValues] = {};
};

}  // namespace

bool C3DModel::Save(const char* path) const {
  if (path == nullptr || path[0] == '\0') return false;
  // The earlier model stays whole until the new one is complete.
  FILE* file = WriteStream_OpenReplacing(path, "w");
  if (file == nullptr) {
    WriteStream_Report(path, errno, true);
    return false;
  }
  bool written = std::fprintf(file, "%s\n%d\n", kFormat, static_cast<int32_t>(records_.size())) > 0;
  for (const ModelRecord& record : records_) {
    if (!written) break;
    written = std::fprintf(file, "%d", record.kind) > 0;
    for (int32_t slot = 0; slot < kModelValues && written; ++slot) {
      written = std::fprintf(file, " %10.4f", record.Value(slot)) > 0;
    }
    written = written && std::fputc('\n', file) != EOF;
  }
  // A full disk shows at a write, the flush or the close; each fails the save.
  WriteStream_NoteFailure(file);
  return WriteStream_Close(file) && written;
}

bool C3DModel::Load(const char* path) {
  Clear();
  int32_t size = 0;
  char* data = reinterpret_cast<char*>(LoadSave_ReadFile(path, &size));
  if (data == nullptr) return false;
  const bool loaded = LoadFromMemory(data, static_cast<size_t>(size));
  MemoryManager::Free(data);
  return loaded;
}

bool C3DModel::LoadFromMemory(const char* data, size_t size) {
  Clear();
  if (data == nullptr || size == 0) return false;
  LineReader lines(data, size);
  std::string line;
  if (!lines.Next(&line) || line != kFormat) return false;
  int32_t count = 0;
  if (lines.Next(&line)) {
    const char* at = line.c_str();
    if (!ReadWhole(at, &count)) count = 0;
  }
  // The count is only what the file claims: nothing is reserved for it.
  RecordParser parser;
  int32_t read = 0;
  while (read < count && lines.Next(&line)) {
    records_.push_back(parser.Parse(line));
    ++read;
  }
  if (read < count) {
    g_debugConsole->Output("A model file ends after %d of its %d records\n", read, count);
  }
  return true;
}
