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
#include <set>
#include <utility>

#include "runtime/console.h"
#include "runtime/save_folder.h"

namespace {

constexpr const char* kMarker = ".kvtmp";
// Fresh names tried before a replacement gives up.
constexpr int kNameAttempts = 8;

struct Tracked {
  std::string target;     // as the game named it, for the console
  std::string temporary;  // its name in folder; empty for a stream writing in place
  int folder = -1;        // the folder the resolution gave, holding both names
  std::string name{};     // the target's name there
  int error = 0;          // why the first write failed; the stream drops what it held
};

std::mutex g_mutex;
std::map<FILE*, Tracked>& Streams() {
  static std::map<FILE*, Tracked> streams;
  return streams;
}

// The folders (device and inode) whose leftovers this run removed already.
std::set<std::pair<dev_t, ino_t>>& SweptFolders() {
  static std::set<std::pair<dev_t, ino_t>> swept;
  return swept;
}

std::string NextTemporary(const std::string& name) {
  static std::atomic<uint32_t> counter{0};
  return name + kMarker + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

void CloseKeeping(int fd) {
  const int why = errno;
  if (fd >= 0) close(fd);
  errno = why;
}

int WriteFlags(const char* mode) {
  return (std::strchr(mode, '+') != nullptr ? O_RDWR : O_WRONLY) | O_CREAT | O_EXCL | O_CLOEXEC;
}

// The new file keeps the permissions of the one it replaces.
void KeepMode(int fd, int folder, const std::string& name) {
  struct stat old;
  if (fstatat(folder, name.c_str(), &old, 0) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
}

// A locked temporary beside name in folder; -1 with errno when none can be
// made.
int CreateTemporary(int folder, const std::string& name, const char* mode, std::string* temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *temporary = NextTemporary(name);
    int fd = openat(folder, temporary->c_str(), WriteFlags(mode), 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    if (WriteStream_LockOwnedAt(fd, folder, *temporary)) {
      KeepMode(fd, folder, name);
      return fd;
    }
    close(fd);
  }
  errno = EEXIST;
  return -1;
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
  bool ok = Flush(stream, true) &&
            renameat(tracked.folder, tracked.temporary.c_str(), tracked.folder, tracked.name.c_str()) == 0;
  const int why = Reason(tracked);
  if (ok) fsync(tracked.folder);
  // The lock goes only now, once the temporary has its final name; the
  // bytes are on the disk already.
  std::fclose(stream);
  if (!ok) unlinkat(tracked.folder, tracked.temporary.c_str(), 0);
  close(tracked.folder);
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

// Removes name in folder when it is an unlocked temporary of a dead
// process; true when it was one and is gone.
bool RemoveIfLeftover(int folder, const char* name) {
  pid_t owner = TemporaryOwner(name);
  if (owner == 0 || Runs(owner)) return false;
  int fd = openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool removed = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                       unlinkat(folder, name, 0) == 0;
  close(fd);
  return removed;
}

// The first replacing write into a folder in a run removes what killed
// writers left there; nothing else walks the save folder.
void SweepOnce(int folder) {
  struct stat info;
  if (fstat(folder, &info) != 0) return;
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    if (!SweptFolders().insert({info.st_dev, info.st_ino}).second) return;
  }
  WriteStream_RemoveLeftovers(folder);
}

// The checks before a replacement of name in folder, then the stream on a
// new temporary beside it.
FILE* OpenIn(int folder, const std::string& name, const std::string& path, const char* mode) {
  // Only a file is replaced: a folder, a device or a pipe in the way stays,
  // and so does a file that could not be written over.
  struct stat info;
  const bool exists = fstatat(folder, name.c_str(), &info, 0) == 0;
  if (exists && !S_ISREG(info.st_mode)) {
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return nullptr;
  }
  if (exists && faccessat(folder, name.c_str(), W_OK, 0) != 0) return nullptr;
  SweepOnce(folder);
  std::string temporary;
  int fd = CreateTemporary(folder, name, mode, &temporary);
  if (fd < 0) return nullptr;
  FILE* stream = fdopen(fd, mode);
  if (stream == nullptr) {
    CloseKeeping(fd);
    const int why = errno;
    unlinkat(folder, temporary.c_str(), 0);
    errno = why;
    return nullptr;
  }
  std::lock_guard<std::mutex> hold(g_mutex);
  Streams()[stream] = Tracked{path, temporary, folder, name};
  return stream;
}

}  // namespace

FILE* WriteStream_OpenReplacing(const std::string& path, const char* mode) {
  if (path.empty() || path.back() == '/') {
    errno = ENOENT;
    return nullptr;
  }
  // The temporary goes into the folder the resolution gave, and is renamed
  // there: a folder swapped for a link meanwhile changes nothing.
  std::string name;
  const int folder = SaveFolder_OpenParent(path, true, &name);
  if (folder < 0) return nullptr;
  FILE* stream = OpenIn(folder, name, path, mode);
  if (stream == nullptr) CloseKeeping(folder);
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
  if (known && !tracked.temporary.empty()) unlinkat(tracked.folder, tracked.temporary.c_str(), 0);
  if (known && tracked.folder >= 0) close(tracked.folder);
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

void WriteStream_RemoveLeftovers(int folder) {
  const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = listing < 0 ? nullptr : fdopendir(listing);
  if (dir == nullptr) {
    CloseKeeping(listing);
    return;
  }
  // Only the names tell a temporary: no entry is looked at but those.
  while (const dirent* entry = readdir(dir)) RemoveIfLeftover(folder, entry->d_name);
  closedir(dir);
}

bool WriteStream_RemoveIfLeftover(int folder, const char* name) { return RemoveIfLeftover(folder, name); }

void WriteStream_DropLeftover(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (TemporaryOwner(path.c_str() + (slash == std::string::npos ? 0 : slash + 1)) == 0) return;
  if (!SaveFolder_Holds(path)) return;
  std::string name;
  const int folder = SaveFolder_OpenParent(path, false, &name);
  if (folder < 0) return;
  RemoveIfLeftover(folder, name.c_str());
  close(folder);
}

void WriteStream_ForgetSweptFolders() {
  std::lock_guard<std::mutex> hold(g_mutex);
  SweptFolders().clear();
}

bool WriteStream_LockOwned(int fd, const std::string& path) { return WriteStream_LockOwnedAt(fd, AT_FDCWD, path); }

bool WriteStream_LockOwnedAt(int fd, int folder, const std::string& name) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
  struct stat held;
  struct stat named;
  return fstat(fd, &held) == 0 && held.st_nlink > 0 && fstatat(folder, name.c_str(), &named, 0) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}
