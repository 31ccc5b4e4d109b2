#include "files/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "files/save_folder.h"
#include "files/write_stream.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"
#include "runtime/random.h"

namespace {

// Gives up on a name search after this many taken names.
constexpr int kNameAttempts = 100000;
constexpr const char* kTempPrefix = "qz_ttt_";

std::string g_tempBase;
std::string g_tempDirectory;
// Held open, locked, while the temporary folder is ours: a folder nobody
// locks is a killed run's leftover.
int g_tempLock = -1;
bool g_haveTempDirectory = false;

char* NewText(const std::string& text) {
  auto* copy = static_cast<char*>(KV_ALLOC(text.size() + 1, false));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Position of the last "\", else of the last "/"; npos when neither.
size_t LastSeparator(const std::string& path) {
  size_t back = path.rfind('\\');
  return back != std::string::npos ? back : path.rfind('/');
}

bool IsDriveOnly(const std::string& path) {
  if (path.size() != 2 || path[1] != ':') return false;
  char c = path[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StatIs(const char* path, mode_t type) {
  struct stat info;
  return path != nullptr && SaveFolder_Stat(path, &info) && (info.st_mode & S_IFMT) == type;
}

std::string ExtractPath(const std::string& path) {
  size_t at = LastSeparator(path);
  if (at == std::string::npos || at == 0) return std::string();
  return path.substr(0, at);
}

bool CreateFolder(std::string path) {
  if (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  if (path == "/" || path == "\\" || IsDriveOnly(path)) return true;
  // Under the save (or temporary) folder each folder is made where the
  // resolution from the folder's descriptor leads, once that folder is there.
  if (SaveFolder_Holds(path)) return CreateFolder(SaveFolder_RootOf(path)) && SaveFolder_MakeFolders(path);
  if (StatIs(path.c_str(), S_IFDIR)) return true;
  std::string parent = ExtractPath(path);
  if (!parent.empty() && parent != path) CreateFolder(parent);
  if (mkdir(path.c_str(), 0777) == 0) return true;
  return errno == EEXIST && StatIs(path.c_str(), S_IFDIR);
}

bool DeleteEntryAt(int parentFd, const char* name);

std::vector<std::string> ListFolder(int folderFd) {
  std::vector<std::string> names;
  int listFd = dup(folderFd);
  if (listFd < 0) return names;
  DIR* dir = fdopendir(listFd);
  if (dir == nullptr) {
    close(listFd);
    return names;
  }
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      names.emplace_back(entry->d_name);
    }
  }
  closedir(dir);
  return names;
}

// Opens a folder (never through a link) with the rights needed to empty it,
// granting them to ourselves when they are missing.
int OpenFolderToEmpty(int parentFd, const char* name, mode_t mode) {
  constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
  int fd = openat(parentFd, name, kFlags);
  if (fd < 0 && errno == EACCES) {
    fchmodat(parentFd, name, mode | S_IRWXU, AT_SYMLINK_NOFOLLOW);
    fd = openat(parentFd, name, kFlags);
  }
  if (fd >= 0 && (mode & S_IRWXU) != S_IRWXU) fchmod(fd, mode | S_IRWXU);
  return fd;
}

bool DeleteFolderAt(int parentFd, const char* name, mode_t mode) {
  int fd = OpenFolderToEmpty(parentFd, name, mode);
  if (fd < 0) return false;
  for (const std::string& entry : ListFolder(fd)) DeleteEntryAt(fd, entry.c_str());
  close(fd);
  return unlinkat(parentFd, name, AT_REMOVEDIR) == 0;
}

bool DeleteEntryAt(int parentFd, const char* name) {
  struct stat info;
  if (fstatat(parentFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISDIR(info.st_mode)) return DeleteFolderAt(parentFd, name, info.st_mode);
  return unlinkat(parentFd, name, 0) == 0;
}

}  // namespace

char* File_GetWorkingDirectory() {
  char* current = getcwd(nullptr, 0);
  if (current == nullptr) return nullptr;
  char* copy = NewText(current);
  std::free(current);
  return copy;
}

bool File_Exists(const char* path) { return StatIs(path, S_IFREG); }

bool Directory_Exists(const char* path) { return StatIs(path, S_IFDIR); }

char* File_ExtractPath(const char* path) { return NewText(path == nullptr ? std::string() : ExtractPath(path)); }

char* File_ExtractName(const char* path) {
  if (path == nullptr) return NewText(std::string());
  std::string text = path;
  size_t at = LastSeparator(text);
  return NewText(at == std::string::npos ? text : text.substr(at + 1));
}

char* File_ExtractExt(const char* path) {
  if (path == nullptr) return NewText(std::string());
  std::string text = path;
  size_t nameStart = text.find_last_of("\\/");
  nameStart = nameStart == std::string::npos ? (IsDriveOnly(text.substr(0, 2)) ? 2 : 0) : nameStart + 1;
  size_t dot = text.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return NewText(std::string());
  return NewText(text.substr(dot));
}

char* File_ExtractDrive(const char* path) {
  if (path == nullptr) return NewText(std::string());
  std::string start = std::string(path).substr(0, 2);
  return NewText(IsDriveOnly(start) ? start : std::string());
}

bool Directory_Create(const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  return CreateFolder(path);
}

void File_CreateParentDirectories(const char* path) {
  if (path == nullptr) return;
  std::string parent = ExtractPath(path);
  if (!parent.empty()) CreateFolder(parent);
}

bool Directory_Delete(const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  struct stat info;
  if (lstat(path, &info) != 0) return false;
  if (S_ISLNK(info.st_mode)) return unlink(path) == 0;
  if (!S_ISDIR(info.st_mode)) return false;
  return DeleteFolderAt(AT_FDCWD, path, info.st_mode);
}

char* File_DefaultTempBase() {
  const char* base = std::getenv("TMPDIR");
  return NewText(base != nullptr && base[0] != '\0' ? base : "/tmp");
}

namespace {

bool LockTempDirectory(const std::string& name) {
  int fd = open(name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  if (!WriteStream_LockOwned(fd, name)) {
    close(fd);
    return false;
  }
  if (g_tempLock >= 0) close(g_tempLock);
  g_tempLock = fd;
  g_tempDirectory = name;
  g_haveTempDirectory = true;
  return true;
}

bool IsTempDirectoryName(const char* name) {
  if (std::strncmp(name, kTempPrefix, std::strlen(kTempPrefix)) != 0) return false;
  const char* digits = name + std::strlen(kTempPrefix);
  if (*digits == '\0') return false;
  for (const char* c = digits; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
  }
  return true;
}

// Removes the folder when no running player holds its lock.
void RemoveIfUnowned(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) Directory_Delete(path.c_str());
  close(fd);
}

}  // namespace

void File_RemoveLeftoverTempDirectories(const char* base) {
  if (base == nullptr || base[0] == '\0') return;
  DIR* dir = opendir(base);
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    if (!IsTempDirectoryName(entry->d_name)) continue;
    const std::string path = std::string(base) + "/" + entry->d_name;
    if (path != g_tempDirectory) RemoveIfUnowned(path);
  }
  closedir(dir);
}

bool File_MakeTempDirectory(const char* base) {
  if (base == nullptr || base[0] == '\0') return false;
  g_tempBase = base;
  CreateFolder(g_tempBase);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    int r = std::rand() % 32768;
    int n = Num_TruncInt32(r / 32767.0 * 100000.0);
    std::string name = g_tempBase + "/" + kTempPrefix + std::to_string(n);
    // An exclusive create: whoever makes the folder owns it, once it holds
    // the lock on it (a player tidying leftovers may take the folder first).
    if (mkdir(name.c_str(), 0700) == 0) {
      if (LockTempDirectory(name)) return true;
      continue;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

char* File_GetTempDirectory() { return g_haveTempDirectory ? NewText(g_tempDirectory) : nullptr; }

char* File_MakeTempName(const char* suffix) {
  if (!g_haveTempDirectory) return nullptr;
  std::string tail = suffix == nullptr ? "" : suffix;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = g_tempDirectory + "/a" + std::to_string(Random_Int(100000)) + tail;
    if (!File_Exists(name.c_str())) return NewText(name);
  }
  return nullptr;
}

bool File_DeleteTempDirectory() {
  if (!g_haveTempDirectory) return false;
  g_haveTempDirectory = false;
  const bool deleted = Directory_Delete(g_tempDirectory.c_str());
  close(g_tempLock);
  g_tempLock = -1;
  return deleted;
}
