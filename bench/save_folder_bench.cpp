// The save folder's costs: a name three folders deep looked up through
// file_exists and file_text_open_read, beside a plain stat and a plain
// open-and-read of the same file by its full path; what a start does to the
// save folder, with none and with 100,000 files in nested folders; and a
// text file rewritten through the built-ins, beside a plain fopen, fwrite
// and fclose of it (what a rewrite was before writers kept the earlier file
// until complete) and beside the plain calls of a rewrite that keeps it, on
// a memory file system, each with its system calls.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "builtins/files/files.h"
#include "builtins/files/handlers.h"
#include "files/file_layer.h"
#include "runtime/script_value.h"
#include "write_cost.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kDeepName = "a/b/c/f.txt";

// A folder of its own under base, removed with its tree.
class Scratch {
 public:
  explicit Scratch(const char* base = "/tmp") {
    std::string pattern = std::string(base) + "/kv_save_bench_XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

double Call(BuiltinFunction handler, ScriptValue* args, int32_t count) {
  ScriptValue result{};
  handler(&result, nullptr, nullptr, count, args);
  const double real = result.real;
  ScriptValue_Release(&result);
  return real;
}

// The save folder with one file three folders deep, and the file built-ins
// ready.
class DeepFile {
 public:
  DeepFile() : full_(scratch_.Path() + "/save/" + kDeepName) {
    fs::create_directories(fs::path(full_).parent_path());
    std::ofstream(full_) << "the quick brown fox\n";
    LoadSave_SetSaveDirectory((scratch_.Path() + "/save").c_str());
    LoadSave_SetProgramDirectory((scratch_.Path() + "/program").c_str());
    FileBuiltins_Prepare();
    ScriptValue_SetString(&name_, kDeepName);
  }
  ~DeepFile() {
    ScriptValue_Release(&name_);
    FileBuiltins_Release();
    LoadSave_SetSaveDirectory(nullptr);
    LoadSave_SetProgramDirectory(nullptr);
  }
  DeepFile(const DeepFile&) = delete;
  DeepFile& operator=(const DeepFile&) = delete;
  ScriptValue* Name() { return &name_; }
  const std::string& Full() const { return full_; }

 private:
  Scratch scratch_;
  std::string full_;
  ScriptValue name_{};
};

void BM_LookupFileExists(benchmark::State& state) {
  DeepFile file;
  for (auto _ : state) {
    if (Call(F_FileExists, file.Name(), 1) != 1) state.SkipWithError("not found");
  }
}
BENCHMARK(BM_LookupFileExists);

void BM_LookupPlainStat(benchmark::State& state) {
  DeepFile file;
  struct stat info;
  for (auto _ : state) {
    if (stat(file.Full().c_str(), &info) != 0) state.SkipWithError("not found");
  }
}
BENCHMARK(BM_LookupPlainStat);

void BM_LookupTextOpenRead(benchmark::State& state) {
  DeepFile file;
  ScriptValue handle{};
  for (auto _ : state) {
    ScriptValue_SetReal(&handle, Call(F_FileTextOpenRead, file.Name(), 1));
    if (handle.real < 0) state.SkipWithError("not opened");
    Call(F_FileTextClose, &handle, 1);
  }
}
BENCHMARK(BM_LookupTextOpenRead);

// What an open for reading costs by a full path, without the built-in: the
// file read whole.
void BM_LookupPlainOpenRead(benchmark::State& state) {
  DeepFile file;
  char buffer[64];
  for (auto _ : state) {
    const int fd = open(file.Full().c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0 || read(fd, buffer, sizeof buffer) <= 0) state.SkipWithError("not read");
    close(fd);
  }
}
BENCHMARK(BM_LookupPlainOpenRead);

// range(0) files in a tree of folders four wide (1,365 folders for 100,000
// files), made once.
void FillSaveFolder(const std::string& save, int64_t files) {
  std::vector<std::string> folders = {save};
  for (size_t i = 0; folders.size() < 1365 && i < folders.size(); ++i) {
    for (int child = 0; child < 4 && folders.size() < 1365; ++child) {
      folders.push_back(folders[i] + "/d" + std::to_string(child));
    }
  }
  for (const std::string& folder : folders) fs::create_directories(folder);
  for (int64_t n = 0; n < files; ++n) {
    const std::string& folder = folders[static_cast<size_t>(n) % folders.size()];
    std::ofstream(folder + "/f" + std::to_string(n) + ".dat") << "x";
  }
}

// What the player does to the save folder between its start and the game's
// first step: the folder named, then looked at once; with range(1), then
// the first write into it, which removes what killed writers left in that
// one folder.
void BM_StartBesideSaveFolder(benchmark::State& state) {
  Scratch scratch;
  const std::string save = scratch.Path() + "/save";
  fs::create_directories(save);
  if (state.range(0) > 0) FillSaveFolder(save, state.range(0));
  const bool write = state.range(1) != 0;
  for (auto _ : state) {
    LoadSave_SetSaveDirectory(save.c_str());
    LoadSave_CheckSaveFolder();
    if (write && !LoadSave_WriteFile("hiscore.dat", "HISC", 4)) state.SkipWithError("not written");
  }
  LoadSave_SetSaveDirectory(nullptr);
  state.counters["files"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_StartBesideSaveFolder)
    ->ArgNames({"files", "first_write"})
    ->ArgsProduct({{0, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

constexpr const char* kLine = "the quick brown fox jumps over the lazy dog";

bool RewriteThroughBuiltins() {
  ScriptValue args[2]{};
  ScriptValue_SetString(&args[0], "note.txt");
  const double handle = Call(F_FileTextOpenWrite, args, 1);
  ScriptValue_Release(&args[0]);
  if (handle < 0) return false;
  ScriptValue_SetReal(&args[0], handle);
  ScriptValue_SetString(&args[1], kLine);
  Call(F_FileTextWriteString, args, 2);
  ScriptValue_Release(&args[1]);
  Call(F_FileTextClose, args, 1);
  return true;
}

bool RewritePlain(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fputs(kLine, file);
  return std::fclose(file) == 0;
}

// The least a rewrite that keeps the earlier file until complete does, by
// plain calls on the folder: a file made without a name, written, synced,
// linked in under another name and renamed over the earlier one, the
// folder synced.
bool RewriteUnnamed(const std::string& folder) {
  const int at = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const int fd = openat(at, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
  const bool ok = fd >= 0 && write(fd, kLine, std::strlen(kLine)) > 0 && fsync(fd) == 0 &&
                  linkat(fd, "", at, "note.txt.new", AT_EMPTY_PATH) == 0 &&
                  renameat(at, "note.txt.new", at, "note.txt") == 0 && fsync(at) == 0;
  if (fd >= 0) close(fd);
  close(at);
  return ok;
}

// note.txt in a save folder on a memory file system, rewritten over and
// over; "calls" counts one rewrite's system calls.
enum class Way { kBuiltins, kPlain, kUnnamed };
void Rewrite(benchmark::State& state, Way way) {
  Scratch scratch(benchsupport::MemoryFolderBase());
  const std::string save = scratch.Path() + "/save";
  const std::string note = save + "/note.txt";
  fs::create_directories(save);
  std::ofstream(note) << "";
  LoadSave_SetSaveDirectory(save.c_str());
  LoadSave_SetProgramDirectory((scratch.Path() + "/program").c_str());
  FileBuiltins_Prepare();
  const auto once = [&] {
    if (way == Way::kPlain) return RewritePlain(note);
    return way == Way::kUnnamed ? RewriteUnnamed(save) : RewriteThroughBuiltins();
  };
  benchsupport::MeasureRewrite(state, once);
  FileBuiltins_Release();
  LoadSave_SetSaveDirectory(nullptr);
  LoadSave_SetProgramDirectory(nullptr);
}

void BM_TextRewrite(benchmark::State& state) { Rewrite(state, Way::kBuiltins); }
BENCHMARK(BM_TextRewrite)->Unit(benchmark::kMicrosecond);

void BM_TextRewritePlain(benchmark::State& state) { Rewrite(state, Way::kPlain); }
BENCHMARK(BM_TextRewritePlain)->Unit(benchmark::kMicrosecond);

void BM_TextRewriteUnnamedPlain(benchmark::State& state) { Rewrite(state, Way::kUnnamed); }
BENCHMARK(BM_TextRewriteUnnamedPlain)->Unit(benchmark::kMicrosecond);

}  // namespace
