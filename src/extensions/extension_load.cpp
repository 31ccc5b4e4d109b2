// The EXTN chunk: a table of packages, each with a table of files, each
// with a table of functions. Every record lies inside the chunk; names are
// file offsets of texts (0 reads as the empty name).
#include <algorithm>

#include "extensions/extension.h"
#include "runtime/console.h"
#include "runtime/load_error.h"

namespace {

constexpr const char* kRepeated = "records are read more often than the chunk could hold them";
// The bytes of each record before its table (of files, functions, kinds).
constexpr uint64_t kPackageFields = 12;
constexpr uint64_t kFileFields = 20;
constexpr uint64_t kFunctionFields = 24;

struct ChunkBounds {
  const GameImage* image;
  uint64_t start;
  uint64_t end;
  // Tables may point at one record again and again. Each record read draws
  // its size (its fields and its table) from the chunk's, so a few bytes of
  // tables cannot become millions of records.
  uint64_t left = end - start;
  bool Draw(uint64_t fields, size_t tableCount) {
    const uint64_t size = fields + 4 * static_cast<uint64_t>(tableCount);
    if (size > left) return false;
    left -= size;
    return true;
  }
  // A reader over the record at a file offset; failed when the offset lies
  // outside the chunk.
  ImageReader At(uint32_t offset) const {
    ImageReader r(*image, offset, end);
    if (offset < start || offset >= end) r.Fail();
    return r;
  }
};

std::string Name(ImageReader& r) {
  const char* text = r.Text();
  return text != nullptr ? text : std::string();
}

bool ReadFunction(ChunkBounds& chunk, uint32_t offset, CExtensionFunction* f, const char** what) {
  ImageReader r = chunk.At(offset);
  f->name = Name(r);
  f->id = r.I32();
  f->convention = r.I32();
  f->resultKind = r.I32();
  f->externalName = Name(r);
  uint32_t count = r.U32();
  // The kinds must all lie in the chunk, though only 16 are kept.
  if (r.Failed() || count > r.Remaining() / 4) return false;
  if (!chunk.Draw(kFunctionFields, count)) {
    *what = kRepeated;
    return false;
  }
  f->argumentCount = static_cast<int32_t>(count);
  for (uint32_t i = 0; i < std::min<uint32_t>(count, kExtensionKeptKinds); ++i) f->kinds[i] = r.I32();
  return !r.Failed();
}

bool ReadFile(ChunkBounds& chunk, uint32_t offset, CExtensionFile* file, const char** what) {
  ImageReader r = chunk.At(offset);
  file->fileName = Name(r);
  file->finalName = Name(r);
  file->initName = Name(r);
  file->kind = r.I32();
  std::vector<uint32_t> functions = r.OffsetTable();
  if (r.Failed()) {
    *what = "a file record runs past the chunk";
    return false;
  }
  if (!chunk.Draw(kFileFields, functions.size())) {
    *what = kRepeated;
    return false;
  }
  for (uint32_t functionOffset : functions) {
    CExtensionFunction f;
    *what = "a function record runs past the chunk";
    if (!ReadFunction(chunk, functionOffset, &f, what)) return false;
    // Function ids become table keys and, plus 500000, function ids.
    if (f.id < 0 || f.id > kExtensionMaxFunctionId) {
      g_debugConsole->Output("Extension function %s has the id %d, outside 0 to %d: it is left out\n", f.name.c_str(),
                             f.id, kExtensionMaxFunctionId);
      continue;
    }
    file->functions.push_back(std::move(f));
  }
  return true;
}

bool ReadPackage(ChunkBounds& chunk, uint32_t offset, CExtensionPackage* package, const char** what) {
  ImageReader r = chunk.At(offset);
  package->folder = Name(r);
  package->name = Name(r);
  std::vector<uint32_t> files = r.OffsetTable();
  if (r.Failed()) {
    *what = "a package record runs past the chunk";
    return false;
  }
  if (!chunk.Draw(kPackageFields, files.size())) {
    *what = kRepeated;
    return false;
  }
  package->files.resize(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    if (files[i] == 0) continue;
    if (!ReadFile(chunk, files[i], &package->files[i], what)) return false;
  }
  return true;
}

}  // namespace

bool Extension_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Extension_Clear();
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> packages = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("EXTN", "the package count runs past the chunk");
  ChunkBounds chunk{&image, data, data + size};
  auto& store = Extension_Packages();
  store.resize(packages.size());
  for (size_t i = 0; i < packages.size(); ++i) {
    if (packages[i] == 0) continue;
    auto package = std::make_unique<CExtensionPackage>();
    const char* what = "a package record lies outside the chunk";
    if (!ReadPackage(chunk, packages[i], package.get(), &what)) {
      Extension_Clear();
      return LoadError_Report("EXTN", "package %zu: %s", i, what);
    }
    store[i] = std::move(package);
  }
  return true;
}
