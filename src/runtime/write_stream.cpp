#include "runtime/write_stream.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "runtime/console.h"

namespace {

constexpr const char* kMarker = ".kvtmp";
// Fresh names tried before a replacement gives up.
constexpr int kNameAttempts = 8;
// Folders under the save folder searched for leftovers.
constexpr int kLeftoverDepth = 16;

struct Tracked {
  std::string target;
  std::string temporary;  // empty for a stream writing in place
  int error = 0;          // why the first write failed; the stream drops what it held
};

std::mutex g_mutex;
std::map<FILE*, Tracked>& Streams() {
  static std::map<FILE*, Tracked> streams;
  return streams;
}

std::string NextTemporary(const std::string& path) {
  static std::atomic<uint32_t> counter{0};
  return path + kMarker + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

int WriteFlags(const char* mode) {
  return (std::strchr(mode, '+') != nullptr ? O_RDWR : O_WRONLY) | O_CREAT | O_EXCL | O_CLOEXEC;
}

// The new file keeps the permissions of the one it replaces.
void KeepMode(int fd, const std::string& path) {
  struct stat old;
  if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
}

// A locked temporary beside path; -1 with errno when none can be made.
int CreateTemporary(const std::string& path, const char* mode, std::string* temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *temporary = NextTemporary(path);
    int fd = open(temporary->c_str(), WriteFlags(mode), 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    if (WriteStream_LockOwned(fd, *temporary)) {
      KeepMode(fd, path);
      return fd;
    }
    close(fd);
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(const std::string& path) {
  int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Flushes the stream's bytes to the disk; false with errno when any write
// failed, now or earlier.
bool Flush(FILE* stream, bool sync) {
  if (std::fflush(stream) != 0) return false;
  if (std::ferror(stream)) {
    errno = EIO;
    return false;
  }
  return !sync || fsync(fileno(stream)) == 0;
}

// The reason a write failed: the first one noted, else the one just seen.
int Reason(const Tracked& tracked) { return tracked.error != 0 ? tracked.error : errno; }

bool PutInPlace(FILE* stream, const Tracked& tracked) {
  bool ok = Flush(stream, true) && std::rename(tracked.temporary.c_str(), tracked.target.c_str()) == 0;
  const int why = Reason(tracked);
  if (ok) SyncFolder(tracked.target);
  // The lock goes only now, once the temporary has its final name; the
  // bytes are on the disk already.
  std::fclose(stream);
  if (!ok) unlink(tracked.temporary.c_str());
  errno = why;
  return ok;
}

bool CloseInPlace(FILE* stream, const Tracked& tracked) {
  bool ok = Flush(stream, false);
  const int why = Reason(tracked);
  if (std::fclose(stream) != 0) return false;
  errno = why;
  return ok;
}

bool Untrack(FILE* stream, Tracked* out) {
  std::lock_guard<std::mutex> hold(g_mutex);
  auto found = Streams().find(stream);
  if (found == Streams().end()) return false;
  *out = found->second;
  Streams().erase(found);
  return true;
}

// "<name>.kvtmp<pid>_<n>": the pid, or 0 when the name is no temporary's.
pid_t TemporaryOwner(const char* name) {
  const char* marker = std::strstr(name, kMarker);
  if (marker == nullptr || marker == name) return 0;
  while (const char* later = std::strstr(marker + 1, kMarker)) marker = later;
  const char* at = marker + std::strlen(kMarker);
  char* end = nullptr;
  long pid = std::strtol(at, &end, 10);
  if (end == at || *end != '_' || pid <= 0) return 0;
  const char* count = end + 1;
  std::strtoul(count, &end, 10);
  return end != count && *end == '\0' ? static_cast<pid_t>(pid) : 0;
}

bool Runs(pid_t pid) { return pid == getpid() || kill(pid, 0) == 0 || errno == EPERM; }

// Removes name in folder when it is an unlocked temporary of a dead process.
void RemoveIfLeftover(int folder, const char* name) {
  pid_t owner = TemporaryOwner(name);
  if (owner == 0 || Runs(owner)) return;
  int fd = openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) unlinkat(folder, name, 0);
  close(fd);
}

void RemoveLeftoversIn(int folder, int depth) {
  DIR* dir = fdopendir(folder);
  if (dir == nullptr) {
    close(folder);
    return;
  }
  while (const dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    struct stat info;
    if (fstatat(dirfd(dir), name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(info.st_mode)) RemoveIfLeftover(dirfd(dir), name);
    if (!S_ISDIR(info.st_mode) || depth <= 0) continue;
    int inner = openat(dirfd(dir), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (inner >= 0) RemoveLeftoversIn(inner, depth - 1);
  }
  closedir(dir);
}

}  // namespace

FILE* WriteStream_OpenReplacing(const std::string& path, const char* mode) {
  if (path.empty() || path.back() == '/') {
    errno = ENOENT;
    return nullptr;
  }
  // Only a file is replaced: a folder, a device or a pipe in the way stays,
  // and so does a file that could not be written over.
  struct stat info;
  if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return nullptr;
  }
  if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) return nullptr;
  std::string temporary;
  int fd = CreateTemporary(path, mode, &temporary);
  if (fd < 0) return nullptr;
  FILE* stream = fdopen(fd, mode);
  if (stream == nullptr) {
    const int why = errno;
    close(fd);
    unlink(temporary.c_str());
    errno = why;
    return nullptr;
  }
  std::lock_guard<std::mutex> hold(g_mutex);
  Streams()[stream] = Tracked{path, temporary};
  return stream;
}

void WriteStream_Track(FILE* stream, const std::string& path) {
  if (stream == nullptr) return;
  std::lock_guard<std::mutex> hold(g_mutex);
  Streams()[stream] = Tracked{path, std::string()};
}

bool WriteStream_Close(FILE* stream, bool report) {
  if (stream == nullptr) return true;
  Tracked tracked;
  if (!Untrack(stream, &tracked)) return std::fclose(stream) == 0;
  const bool replacing = !tracked.temporary.empty();
  const bool ok = replacing ? PutInPlace(stream, tracked) : CloseInPlace(stream, tracked);
  if (!ok && report) WriteStream_Report(tracked.target, errno, replacing);
  return ok;
}

void WriteStream_NoteFailure(FILE* stream) {
  if (stream == nullptr || !std::ferror(stream)) return;
  const int why = errno != 0 ? errno : EIO;
  std::lock_guard<std::mutex> hold(g_mutex);
  auto found = Streams().find(stream);
  if (found != Streams().end() && found->second.error == 0) found->second.error = why;
}

void WriteStream_Abandon(FILE* stream) {
  if (stream == nullptr) return;
  Tracked tracked;
  const bool known = Untrack(stream, &tracked);
  std::fclose(stream);
  if (known && !tracked.temporary.empty()) unlink(tracked.temporary.c_str());
}

bool WriteStream_ReplaceWhole(const std::string& path, const void* data, size_t size) {
  FILE* stream = WriteStream_OpenReplacing(path, "wb");
  if (stream == nullptr) return false;
  if (size > 0 && std::fwrite(data, 1, size, stream) != size) {
    const int why = errno;
    WriteStream_Abandon(stream);
    errno = why;
    return false;
  }
  return WriteStream_Close(stream, false);
}

void WriteStream_Report(const std::string& path, int error, bool replacing) {
  const char* reason = std::strerror(error != 0 ? error : EIO);
  if (replacing) {
    g_debugConsole->Output("Could not write %s (%s); the earlier file there is kept\n", path.c_str(), reason);
  } else {
    g_debugConsole->Output("Could not write all of %s (%s); what reached it is kept\n", path.c_str(), reason);
  }
}

void WriteStream_RemoveLeftovers(const std::string& folder) {
  if (folder.empty()) return;
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) RemoveLeftoversIn(fd, kLeftoverDepth);
}

bool WriteStream_LockOwned(int fd, const std::string& path) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
  struct stat held;
  struct stat named;
  return fstat(fd, &held) == 0 && held.st_nlink > 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}
