#include "files/file_layer.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "files/files.h"
#include "files/path_beneath.h"
#include "files/save_folder.h"
#include "files/write_stream.h"
#include "platform/regular_file.h"
#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

struct Roots {
  std::string program;       // full path ending in "/", or empty
  std::string gameName;      // names the save folder
  std::string saveOverride;  // a save folder set directly
  std::string save;          // the save folder in use, ending in "/"
  std::string temporary;     // the game's temporary folder, ending in "/"
  std::vector<std::string> openList;
};

Roots& TheRoots() {
  static Roots& roots = *new Roots;
  return roots;
}

// ---------------------------------------------------------------- paths

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) return std::string();
  return buffer;
}

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// The script's path as a full, folded path, relative ones taken from the
// current directory (read once, into *current); empty when it cannot be
// one (a drive letter names a place outside every root).
std::string FullPath(const char* path, std::string* current) {
  std::string text(path);
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  if (HasDriveLetter(text)) return std::string();
  if (text.empty() || text[0] != '/') {
    if (current->empty()) *current = CurrentDirectory();
    if (current->empty()) return std::string();
    text = *current + "/" + text;
  }
  return Path_Fold(text);
}

std::string FullPath(const char* path) {
  std::string current;
  return FullPath(path, &current);
}

std::string AsFolder(const std::string& full) {
  if (full.empty() || full.back() == '/') return full;
  return full + "/";
}

// Length of the root when full lies in it (or is it), else 0. The match
// ends on a separator, so "/a/bc" is not inside "/a/b/".
size_t MatchRoot(const std::string& full, const std::string& root) {
  if (root.empty()) return 0;
  if (full.compare(0, root.size(), root) == 0) return root.size();
  if (full.size() + 1 == root.size() && root.compare(0, full.size(), full) == 0) return root.size();
  return 0;
}

// Maps full onto target through the innermost root that holds it, so that
// nested roots (a save folder inside the current directory) behave.
std::string MapThroughRoots(const std::string& full, std::initializer_list<const std::string*> roots,
                            const std::string& target) {
  size_t best = 0;
  for (const std::string* root : roots) {
    size_t length = MatchRoot(full, *root);
    if (length > best) best = length;
  }
  if (best == 0 || target.empty()) return std::string();
  std::string mapped;
  mapped.reserve(target.size() + full.size() - std::min(best, full.size()));
  mapped += target;
  if (best < full.size()) mapped.append(full, best, std::string::npos);
  return mapped;
}

// The exact name when it exists, else the first name (in byte order) of the
// same folder that differs only in letter case, else the name unchanged;
// each missing folder on the way is settled alike first. Only a miss reads
// a folder, and a folder found nowhere is not read. *there says whether the
// result names something.
std::string SettleCase(const std::string& path, bool* there) {
  struct stat info;
  *there = path.empty() || lstat(path.c_str(), &info) == 0;
  if (*there) return path;
  const size_t slash = path.rfind('/');
  bool folderThere = true;
  const std::string folder = slash == std::string::npos ? "." : SettleCase(path.substr(0, slash), &folderThere);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string variant = folderThere ? Path_CaseVariant(folder, name) : std::string();
  *there = !variant.empty();
  if (slash == std::string::npos) return *there ? variant : path;
  return folder + "/" + (*there ? variant : name);
}

std::string ResolveCase(const std::string& path) {
  bool there = false;
  return SettleCase(path, &there);
}

// A path under the save folder stays as it is: each operation on it
// resolves it beneath the folder (save_folder.h). Other paths have the
// letter case of their last name settled.
std::string Settle(const std::string& path) { return SaveFolder_Holds(path) ? path : ResolveCase(path); }

bool OnOpenList(const std::string& full) {
  for (const std::string& picked : TheRoots().openList) {
    if (strcasecmp(picked.c_str(), full.c_str()) == 0) return true;
  }
  return false;
}

bool WriteMapped(char* out, size_t size, const std::string& mapped) {
  if (out == nullptr || size == 0) return false;
  out[0] = '\0';
  if (mapped.empty() || mapped.size() >= size) return false;
  std::memcpy(out, mapped.c_str(), mapped.size() + 1);
  return true;
}

std::string MapToProgram(const char* path) {
  if (path == nullptr) return std::string();
  std::string current;
  std::string full = FullPath(path, &current);
  if (full.empty()) return full;
  if (current.empty()) current = CurrentDirectory();
  const Roots& roots = TheRoots();
  const std::string currentFolder = AsFolder(current);
  std::string mapped = MapThroughRoots(full, {&roots.program, &currentFolder}, roots.program);
  if (mapped.empty() && OnOpenList(full)) mapped = full;
  return Settle(mapped);
}

// Cheap: no system call but reading the current directory. Every operation
// on the result holds to the save folder itself.
std::string MapToSave(const char* path) {
  if (path == nullptr) return std::string();
  std::string current;
  std::string full = FullPath(path, &current);
  if (full.empty()) return full;
  if (current.empty()) current = CurrentDirectory();
  const Roots& roots = TheRoots();
  // The temporary folder is a root of its own, which paths in it map onto.
  const size_t inTemporary = MatchRoot(full, roots.temporary);
  if (inTemporary > 0 && inTemporary >= MatchRoot(full, roots.save)) return full;
  const std::string currentFolder = AsFolder(current);
  return MapThroughRoots(full, {&roots.save, &roots.program, &currentFolder}, roots.save);
}

// ---------------------------------------------------------------- roots

std::string DataHome() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.local/share";
  return std::string();
}

// A game name is one folder name: separators become "_", and a name of
// dots only cannot climb out of the data folder.
std::string FolderName(const std::string& name) {
  std::string result = name;
  bool onlyDots = true;
  for (char& c : result) {
    if (c == '/' || c == '\\') c = '_';
    if (c != '.') onlyDots = false;
  }
  if (onlyDots) {
    for (char& c : result) c = '_';
  }
  return result;
}

std::string SaveFolderPath() {
  const Roots& roots = TheRoots();
  if (!roots.saveOverride.empty()) return roots.saveOverride;
  std::string home = DataHome();
  if (home.empty() || roots.gameName.empty()) return std::string();
  return AsFolder(FullPath((home + "/" + FolderName(roots.gameName)).c_str()));
}

void UpdateSaveFolder() {
  TheRoots().save = SaveFolderPath();
  SaveFolder_Set(TheRoots().save);
}

std::string FolderOfText(const char* folder) {
  if (folder == nullptr || folder[0] == '\0') return std::string();
  return AsFolder(FullPath(folder));
}

// ---------------------------------------------------------------- files

// Opens a regular file for reading; -1 for anything else (folders, devices,
// pipes), so no read can block or run without end. errno then says why.
int OpenRegular(const std::string& path, struct stat* info) {
  if (path.empty()) {
    errno = ENOENT;
    return -1;
  }
  return RegularFile_Check(SaveFolder_Open(path, O_RDONLY | O_NONBLOCK), info);
}

bool IsReadableFile(const std::string& path) {
  struct stat info;
  int fd = OpenRegular(path, &info);
  if (fd < 0) return false;
  close(fd);
  return true;
}

// Reads up to size bytes; the count read, or -1 on a read error.
int64_t ReadAll(int fd, uint8_t* data, int64_t size) {
  int64_t done = 0;
  while (done < size) {
    ssize_t got = read(fd, data + done, static_cast<size_t>(size - done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

// Reads the whole of a file OpenRegular opened, and closes it.
uint8_t* ReadOpened(int fd, const struct stat& info, int32_t* outSize) {
  int64_t size = info.st_size;
  // One byte more for the trailing zero; sizes past 2^31 are refused.
  if (size < 0 || size >= INT32_MAX || static_cast<uint64_t>(size) >= MemoryManager::kMaxSize) {
    close(fd);
    errno = EFBIG;
    return nullptr;
  }
  auto* data = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(size) + 1, false));
  int64_t got = ReadAll(fd, data, size);
  const int why = errno;
  close(fd);
  if (got < 0) {
    MemoryManager::Free(data);
    errno = why;
    return nullptr;
  }
  data[got] = 0;
  if (outSize != nullptr) *outSize = static_cast<int32_t>(got);
  return data;
}

uint8_t* ReadWhole(const std::string& path, int32_t* outSize) {
  struct stat info;
  const int fd = OpenRegular(path, &info);
  return fd < 0 ? nullptr : ReadOpened(fd, info, outSize);
}

// The bytes replace the target only once complete: a write cut short (a
// full disk, a size limit) leaves the earlier file as it was. The folder is
// made only when the write does not find it, and the write then tried again.
bool WriteWhole(const std::string& path, const void* data, int32_t size) {
  bool reached = false;
  if (WriteStream_ReplaceWhole(path, data, static_cast<size_t>(size), &reached)) return true;
  if (reached) return false;
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return false;
  if (!Directory_Create(path.substr(0, slash).c_str())) {
    // Something other than a folder holds the folder's name.
    if (errno == EEXIST) errno = ENOTDIR;
    return false;
  }
  return WriteStream_ReplaceWhole(path, data, static_cast<size_t>(size));
}

}  // namespace

// -------------------------------------------------------------------- roots

void LoadSave_SetGameFile(const char* gameFilePath) {
  if (gameFilePath == nullptr) return;
  std::string full = FullPath(gameFilePath);
  if (full.empty()) return;
  size_t slash = full.rfind('/');
  Roots& roots = TheRoots();
  roots.program = full.substr(0, slash + 1);
  std::string base = full.substr(slash + 1);
  size_t dot = base.rfind('.');
  if (dot != std::string::npos && dot > 0) base.resize(dot);
  roots.gameName = base;
  UpdateSaveFolder();
}

void LoadSave_SetProgramDirectory(const char* folder) { TheRoots().program = FolderOfText(folder); }

void LoadSave_SetGameName(const char* name) {
  TheRoots().gameName = name == nullptr ? std::string() : std::string(name);
  UpdateSaveFolder();
}

void LoadSave_SetSaveDirectory(const char* folder) {
  TheRoots().saveOverride = FolderOfText(folder);
  UpdateSaveFolder();
}

void LoadSave_SetTemporaryDirectory(const char* folder) {
  TheRoots().temporary = FolderOfText(folder);
  SaveFolder_SetTemporary(TheRoots().temporary);
}

const char* LoadSave_GetProgramDirectory() { return TheRoots().program.c_str(); }

const char* LoadSave_GetSaveDirectory() { return TheRoots().save.c_str(); }

void LoadSave_RememberOpenPath(const char* fullPath) {
  if (fullPath == nullptr) return;
  std::string full = FullPath(fullPath);
  if (!full.empty()) TheRoots().openList.insert(TheRoots().openList.begin(), full);
}

void LoadSave_CheckSaveFolder() {
  const std::string& folder = TheRoots().save;
  if (folder.empty()) return;
  // Without its last "/", so that a plain file in the way is seen as one.
  const std::string bare = Path_Fold(folder);
  struct stat info;
  if (stat(bare.c_str(), &info) != 0) {
    // A missing folder is made on the first write.
    if (errno == ENOENT) return;
    g_debugConsole->Output("The save folder %s cannot be reached (%s); nothing can be saved\n", folder.c_str(),
                           std::strerror(errno));
    return;
  }
  if (!S_ISDIR(info.st_mode)) {
    g_debugConsole->Output("The save folder %s is not a folder; nothing can be saved\n", folder.c_str());
  }
}

// ------------------------------------------------------------------ mapping

bool LoadSave_MapToProgramDir(char* out, size_t size, const char* path) {
  return WriteMapped(out, size, MapToProgram(path));
}

bool LoadSave_MapToSaveDir(char* out, size_t size, const char* path) { return WriteMapped(out, size, MapToSave(path)); }

std::string LoadSave_SavePath(const char* path) { return MapToSave(path); }

std::string LoadSave_ProgramPath(const char* path) { return MapToProgram(path); }

std::string LoadSave_FindFile(const char* path) {
  std::string save = MapToSave(path);
  if (!save.empty() && IsReadableFile(save)) return save;
  std::string program = MapToProgram(path);
  if (!program.empty() && IsReadableFile(program)) return program;
  return std::string();
}

// --------------------------------------------------------------- whole file

uint8_t* LoadSave_ReadFile(const char* realPath, int32_t* outSize) {
  if (outSize != nullptr) *outSize = 0;
  if (realPath == nullptr || realPath[0] == '\0') return nullptr;
  uint8_t* data = ReadWhole(realPath, outSize);
  // Under the save folder the letter case was settled by the open itself.
  if (data != nullptr || errno != ENOENT || SaveFolder_Holds(realPath)) return data;
  const std::string variant = ResolveCase(realPath);
  return variant == realPath ? nullptr : ReadWhole(variant, outSize);
}

uint8_t* LoadSave_ReadProgramFile(const char* path, int32_t* outSize) {
  if (outSize != nullptr) *outSize = 0;
  std::string mapped = MapToProgram(path);
  return mapped.empty() ? nullptr : ReadWhole(mapped, outSize);
}

uint8_t* LoadSave_ReadSaveFile(const char* path, int32_t* outSize) {
  if (outSize != nullptr) *outSize = 0;
  std::string mapped = MapToSave(path);
  return mapped.empty() ? nullptr : ReadWhole(mapped, outSize);
}

uint8_t* LoadSave_ReadSaveElseProgramFile(const char* path, int32_t* outSize) {
  if (outSize != nullptr) *outSize = 0;
  struct stat info;
  const int fd = OpenRegular(MapToSave(path), &info);
  return fd >= 0 ? ReadOpened(fd, info, outSize) : LoadSave_ReadProgramFile(path, outSize);
}

bool LoadSave_WriteFile(const char* path, const void* data, int32_t size) {
  return LoadSave_WriteSavePath(MapToSave(path), data, size);
}

bool LoadSave_WriteSavePath(const std::string& mapped, const void* data, int32_t size) {
  WriteStream_ForgetEarlier();
  if (size < 0 || (data == nullptr && size > 0)) return false;
  // A name that maps nowhere is refused as a missing one.
  if (mapped.empty()) errno = ENOENT;
  return !mapped.empty() && WriteWhole(mapped, data, size);
}

bool LoadSave_NotRegular(const char* path, std::string* mapped) {
  if (path == nullptr || path[0] == '\0') return false;
  for (const std::string& candidate : {MapToSave(path), MapToProgram(path)}) {
    struct stat info;
    if (candidate.empty() || !SaveFolder_Stat(candidate, &info)) continue;
    if (S_ISREG(info.st_mode)) return false;
    if (mapped != nullptr) *mapped = candidate;
    return true;
  }
  return false;
}

bool LoadSave_TellNotRegular(const char* path) {
  std::string mapped;
  if (!LoadSave_NotRegular(path, &mapped)) return false;
  g_debugConsole->Output("Could not read %s (not a regular file)\n", mapped.c_str());
  return true;
}

void LoadSave_ReportWrite(const char* path, int error) { WriteStream_Report(LoadSave_ReportedPath(path), error, true); }

std::string LoadSave_ReportedPath(const char* path) {
  if (path == nullptr) return std::string();
  std::string shown = MapToSave(path);
  if (shown.empty()) shown = FullPath(path);
  return shown.empty() ? std::string(path) : shown;
}

bool LoadSave_ProgramFileExists(const char* path) { return IsReadableFile(MapToProgram(path)); }

bool LoadSave_SaveFileExists(const char* path) { return IsReadableFile(MapToSave(path)); }

void LoadSave_ApplyIni(CIniFile* ini) { (void)ini; }

// ---------------------------------------------------------------- read file

namespace {

LoadSaveFile* HoldInMemory(uint8_t* data, int32_t size) {
  if (data == nullptr) return nullptr;
  auto* file = static_cast<LoadSaveFile*>(KV_ALLOC(sizeof(LoadSaveFile), true));
  file->data = data;
  file->size = size;
  file->position = 0;
  return file;
}

}  // namespace

LoadSaveFile* LoadSave_Open(const char* path) {
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadProgramFile(path, &size);
  if (data == nullptr) data = LoadSave_ReadSaveFile(path, &size);
  return HoldInMemory(data, size);
}

int LoadSave_OpenRegular(const std::string& path, struct stat* info) { return OpenRegular(path, info); }

LoadSaveFile* LoadSave_HoldOpened(int fd, const struct stat& info) {
  int32_t size = 0;
  uint8_t* data = ReadOpened(fd, info, &size);
  return HoldInMemory(data, size);
}

LoadSaveFile* LoadSave_OpenReal(const char* realPath) {
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadFile(realPath, &size);
  return HoldInMemory(data, size);
}

void LoadSave_Close(LoadSaveFile* file) {
  if (file == nullptr) return;
  MemoryManager::Free(file->data);
  MemoryManager::Free(file);
}

int32_t LoadSave_Tell(const LoadSaveFile* file) { return file == nullptr ? 0 : file->position; }

void LoadSave_Seek(LoadSaveFile* file, int32_t offset, int whence) {
  if (file == nullptr) return;
  int64_t target;
  switch (whence) {
    case 0: target = offset; break;
    case 1: target = static_cast<int64_t>(file->position) + offset; break;
    case 2: target = static_cast<int64_t>(file->size) - offset; break;
    default: return;
  }
  if (target < 0) target = 0;
  if (target > INT32_MAX) target = INT32_MAX;
  file->position = static_cast<int32_t>(target);
}

bool LoadSave_EOF(const LoadSaveFile* file) { return file == nullptr || file->position >= file->size; }

int LoadSave_GetChar(LoadSaveFile* file) {
  if (file == nullptr) return -1;
  int value = -1;
  if (file->position < file->size) value = static_cast<signed char>(file->data[file->position]);
  if (file->position < INT32_MAX) ++file->position;
  return value;
}

bool LoadSave_ReadReal(LoadSaveFile* file, double* out) {
  if (out != nullptr) *out = 0.0;
  if (file == nullptr) return false;
  while (file->position < file->size && std::isspace(file->data[file->position])) ++file->position;
  if (file->position >= file->size) return false;
  // The contents end in a zero byte, so the conversion stops at the end.
  const char* start = reinterpret_cast<const char*>(file->data) + file->position;
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start) return false;
  file->position += static_cast<int32_t>(end - start);
  if (out != nullptr) *out = value;
  return true;
}

int32_t LoadSave_Read(void* buffer, size_t elementSize, size_t count, LoadSaveFile* file) {
  if (buffer == nullptr || file == nullptr || file->position >= file->size) return 0;
  size_t available = static_cast<size_t>(file->size - file->position);
  size_t wanted = available;
  if (elementSize == 0 || count <= available / elementSize) wanted = elementSize * count;
  if (wanted > available) wanted = available;
  std::memcpy(buffer, file->data + file->position, wanted);
  file->position += static_cast<int32_t>(wanted);
  return static_cast<int32_t>(wanted);
}

std::string LoadSave_ResolveCase(const std::string& path) { return ResolveCase(path); }

std::string LoadSave_FoldPath(const std::string& full) { return Path_Fold(full); }
