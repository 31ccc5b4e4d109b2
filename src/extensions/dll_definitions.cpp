#include "extensions/dll_definitions.h"

#include <ffi.h>

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "files/file_layer.h"
#include "platform/dynamic_library.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"

namespace {

struct Definition {
  std::string path;   // resolved
  std::string given;  // as the definition named it
  std::string name;
  void* handle = nullptr;
  void* entry = nullptr;
  int32_t convention = kDllConventionCdecl;
  int32_t count = 0;
  int32_t kinds[kDllMaxArguments] = {};
  bool resultIsString = false;
  // The native call, prepared once; cif points into types.
  ffi_cif cif;
  ffi_type* types[kDllMaxArguments] = {};
};

// Ids are positions and are never reused.
std::vector<std::unique_ptr<Definition>> g_definitions;

// The handle the last definition of this path holds (null when freed or
// when there is none).
void* SharedHandle(const std::string& path) {
  for (auto it = g_definitions.rbegin(); it != g_definitions.rend(); ++it) {
    if ((*it)->path == path) return (*it)->handle;
  }
  return nullptr;
}

bool EndsWithDll(const std::string& name) {
  return name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".dll") == 0;
}

// A file is loaded through a descriptor, by the name "/proc/self/fd/N". The
// loader knows a library by every name it was loaded under and answers that
// library to the name again: each descriptor whose name it was given stays
// open while a library going by it is loaded, so no other file ever takes
// its number, and a file already loaded is loaded again by its first name.
std::vector<int> g_names;

std::string NameOf(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// The descriptor to load fd's file by: one already named for that file (fd
// is closed), else fd itself, from now on a name.
int NameFor(int fd) {
  struct stat file;
  struct stat named;
  if (fstat(fd, &file) == 0) {
    for (int name : g_names) {
      if (fstat(name, &named) == 0 && named.st_dev == file.st_dev && named.st_ino == file.st_ino) {
        close(fd);
        return name;
      }
    }
  }
  g_names.push_back(fd);
  return fd;
}

// Closes the names that no loaded library goes by any more.
void ReleaseNames() {
  std::erase_if(g_names, [](int name) {
    if (DynamicLibrary_Get().loaded(NameOf(name).c_str())) return false;
    close(name);
    return true;
  });
}

constexpr int kBySearch = -2;

// The file a candidate resolved to, opened: beneath the save folder when it
// lies there, and only when it is a regular file. kBySearch for a bare name
// that the system's library search finds; -1 with errno when it cannot be
// opened.
int OpenResolved(const std::string& candidate, const std::string& resolved) {
  if (resolved == candidate && candidate.find('/') == std::string::npos) return kBySearch;
  struct stat info;
  return LoadSave_OpenRegular(resolved, &info);
}

// The loader's words with the file's own name for a descriptor's.
std::string Renamed(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Loads the library through its candidates; the first that loads gives the
// path. A file found is opened first and that descriptor is loaded, so that
// no folder swapped between the look and the load leads elsewhere. When
// none loads, the reason for the first candidate that lies on disk (else the
// first) goes to the debug console.
bool Load(const char* library, std::string* path, void** handle) {
  std::string reason;
  bool reasonFromFile = false;
  const auto keep = [&](const std::string& why, bool onDisk) {
    if (reason.empty() || (onDisk && !reasonFromFile)) {
      reason = why;
      reasonFromFile = onDisk;
    }
  };
  for (const std::string& candidate : DLL_Candidates(library)) {
    std::string resolved;
    if (!DLL_ResolvePath(candidate, &resolved)) continue;
    if (void* shared = SharedHandle(resolved)) {
      *path = resolved;
      *handle = shared;
      return true;
    }
    const int file = OpenResolved(candidate, resolved);
    if (file == -1) {
      const int why = errno;
      keep(resolved + ": cannot open shared object file: " +
               (why == EINVAL ? std::string("not a regular file") : std::strerror(why)),
           why != ENOENT);
      continue;
    }
    const std::string name = file == kBySearch ? resolved : NameOf(NameFor(file));
    void* loaded = DynamicLibrary_Get().open(name.c_str());
    if (loaded != nullptr) {
      *path = resolved;
      *handle = loaded;
      return true;
    }
    keep(Renamed(DynamicLibrary_Get().lastError(), name, resolved),
         file != kBySearch || access(resolved.c_str(), F_OK) == 0);
    if (file != kBySearch) ReleaseNames();
  }
  // No candidate reached the loader: the name itself is at fault.
  if (reason.empty()) {
    reason = library[0] == '\0' ? "no library was named" : "the path is longer than 1024 characters";
  }
  g_debugConsole->Output("Cannot load the external library %s: %s\n", library, reason.c_str());
  return false;
}

// The symbol by name, else by its stdcall decoration "_name@bytes", each
// string counting 4 bytes and each real 8.
void* FindEntry(void* handle, const char* name, int32_t count, const int32_t* kinds) {
  void* entry = DynamicLibrary_Get().symbol(handle, name);
  if (entry != nullptr) return entry;
  int32_t bytes = 0;
  for (int32_t i = 0; i < count; ++i) bytes += kinds[i] == kDllKindString ? 4 : 8;
  std::string decorated = "_" + std::string(name) + "@" + std::to_string(bytes);
  return DynamicLibrary_Get().symbol(handle, decorated.c_str());
}

// Both conventions are the platform's C convention here.
bool Prepare(Definition* d) {
  for (int32_t i = 0; i < d->count; ++i) {
    d->types[i] = d->kinds[i] == kDllKindString ? &ffi_type_pointer : &ffi_type_double;
  }
  ffi_type* result = d->resultIsString ? &ffi_type_pointer : &ffi_type_double;
  return ffi_prep_cif(&d->cif, FFI_DEFAULT_ABI, static_cast<unsigned>(d->count), result, d->types) == FFI_OK;
}

}  // namespace

std::vector<std::string> DLL_Candidates(const char* library) {
  std::string name = library == nullptr ? "" : library;
  if (!EndsWithDll(name)) return {name};
  std::string stem = name.substr(0, name.size() - 4);
  size_t slash = stem.find_last_of("/\\");
  size_t file = slash == std::string::npos ? 0 : slash + 1;
  return {name, stem + ".so", stem.substr(0, file) + "lib" + stem.substr(file) + ".so"};
}

bool DLL_ResolvePath(const std::string& candidate, std::string* path) {
  if (candidate.empty() || candidate.size() > kDllMaxPath) return false;
  if (LoadSave_SaveFileExists(candidate.c_str())) {
    *path = LoadSave_SavePath(candidate.c_str());
  } else if (!LoadSave_ProgramFileExists(candidate.c_str())) {
    // A fifo or a folder of that name is what the game named: its open
    // tells it is no file, where the system's search would tell of none.
    if (!LoadSave_NotRegular(candidate.c_str(), path)) *path = candidate;
  } else {
    char mapped[kDllMaxPath + 1];
    if (!LoadSave_MapToProgramDir(mapped, sizeof mapped, candidate.c_str())) return false;
    *path = mapped;
  }
  return path->size() <= kDllMaxPath;
}

int32_t DLL_Define(const char* library, const char* name, int32_t convention, int32_t argumentCount,
                   const int32_t* kinds, bool resultIsString) {
  if (argumentCount < 0 || argumentCount > kDllMaxArguments) return -1;
  if (argumentCount > 0 && kinds == nullptr) return -1;
  if (argumentCount > kDllMaxMixedArguments) {
    for (int32_t i = 0; i < argumentCount; ++i) {
      if (kinds[i] != kDllKindReal) return -1;
    }
  }
  if (library == nullptr || name == nullptr) return -1;
  auto d = std::make_unique<Definition>();
  if (!Load(library, &d->path, &d->handle)) return -1;
  d->given = library;
  d->name = name;
  // A symbol that is not there leaves the library loaded.
  d->entry = FindEntry(d->handle, name, argumentCount, kinds);
  if (d->entry == nullptr) return -1;
  d->convention = convention;
  d->count = argumentCount;
  for (int32_t i = 0; i < argumentCount; ++i) d->kinds[i] = kinds[i] == kDllKindString ? kDllKindString : kDllKindReal;
  d->resultIsString = resultIsString;
  if (!Prepare(d.get())) return -1;
  g_definitions.push_back(std::move(d));
  return static_cast<int32_t>(g_definitions.size() - 1);
}

void DLL_Call(int32_t id, int32_t argumentCount, const ScriptValue* values, ScriptValue* result) {
  ScriptValue_SetReal(result, 0.0);
  if (g_runFlags.extensionDebug) return;
  if (id < 0 || static_cast<size_t>(id) >= g_definitions.size()) return;
  Definition& d = *g_definitions[static_cast<size_t>(id)];
  if (argumentCount != d.count || d.handle == nullptr) return;
  double reals[kDllMaxArguments];
  const char* texts[kDllMaxArguments];
  void* slots[kDllMaxArguments];
  for (int32_t i = 0; i < d.count; ++i) {
    const ScriptValue& value = values[i];
    if (d.kinds[i] == kDllKindString) {
      // A real given for a string passes the empty text, never a null.
      texts[i] = value.kind == kValueString && value.text != nullptr ? value.text : "";
      slots[i] = &texts[i];
    } else {
      reals[i] = value.real;
      slots[i] = &reals[i];
    }
  }
  union {
    ffi_arg word;
    double real;
    const char* text;
  } answer;
  ffi_call(&d.cif, FFI_FN(d.entry), &answer, slots);
  if (!d.resultIsString) {
    ScriptValue_SetReal(result, answer.real);
  } else if (answer.text != nullptr) {
    // The library keeps its own buffer; the result holds a copy.
    ScriptValue_SetString(result, answer.text);
  }
}

void DLL_Free(const char* library) {
  if (library == nullptr) return;
  std::set<std::string> paths;
  for (const auto& d : g_definitions) {
    if (d->handle != nullptr && (d->path == library || d->given == library)) paths.insert(d->path);
  }
  // Every loaded definition of one path shares one handle: freed once.
  for (const std::string& path : paths) {
    void* handle = nullptr;
    for (const auto& d : g_definitions) {
      if (d->path != path || d->handle == nullptr) continue;
      handle = d->handle;
      d->handle = nullptr;
    }
    if (handle != nullptr) DynamicLibrary_Get().close(handle);
  }
  ReleaseNames();
}

void DLL_FreeAll() {
  for (size_t i = 0; i < g_definitions.size(); ++i) {
    if (g_definitions[i]->handle != nullptr) DLL_Free(g_definitions[i]->path.c_str());
  }
}

std::string DLL_PathOf(int32_t id) {
  if (id < 0 || static_cast<size_t>(id) >= g_definitions.size()) return std::string();
  return g_definitions[static_cast<size_t>(id)]->path;
}

int32_t DLL_Count() { return static_cast<int32_t>(g_definitions.size()); }

void DLL_Clear() { g_definitions.clear(); }
