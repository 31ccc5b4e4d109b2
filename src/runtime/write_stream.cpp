#include "runtime/write_stream.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "runtime/console.h"
#include "runtime/save_folder.h"

namespace {

constexpr const char* kMarker = ".kvtmp";
// Fresh names tried before a replacement gives up.
constexpr int kNameAttempts = 8;
// The longest name a folder takes on the systems the player runs on.
constexpr size_t kNameLimit = NAME_MAX;

struct Tracked {
  std::string target;     // as the game named it, for the console
  std::string temporary;  // its name in folder; empty for a stream writing in place
  int folder = -1;        // the folder the resolution gave, holding both names
  std::string name{};     // the target's name there
  int error = 0;          // why the first write failed; the stream drops what it held
  pid_t owner = 0;        // a forked child never closes its parent's streams
  dev_t device = 0;       // the file the target named at the open, when there was one
  ino_t inode = 0;
};

std::mutex g_mutex;
// Never destroyed: the streams are closed from exit, after destructors may
// have begun to run.
std::map<FILE*, Tracked>& Streams() {
  static auto* streams = new std::map<FILE*, Tracked>;
  return *streams;
}

// The folders (device and inode) whose leftovers this run removed already.
std::set<std::pair<dev_t, ino_t>>& SweptFolders() {
  static auto* swept = new std::set<std::pair<dev_t, ino_t>>;
  return *swept;
}

void (*g_beforeCloseAtExit)() = nullptr;
pid_t g_beforeCloseOwner = 0;  // a forked child leaves its parent's writes alone

void CloseAllAtExit() {
  if (g_beforeCloseAtExit != nullptr && g_beforeCloseOwner == getpid()) g_beforeCloseAtExit();
  WriteStream_CloseAll();
}

void HookExit() {
  static std::once_flag hook;
  std::call_once(hook, [] { std::atexit(CloseAllAtExit); });
}

void Register(FILE* stream, Tracked tracked) {
  HookExit();
  tracked.owner = getpid();
  std::lock_guard<std::mutex> hold(g_mutex);
  Streams()[stream] = std::move(tracked);
}

void CloseKeeping(int fd) {
  const int why = errno;
  if (fd >= 0) close(fd);
  errno = why;
}

// The first bytes of name, at most room of them (at least one), cut between
// two characters.
std::string Shortened(const std::string& name, size_t room) {
  if (room < 1) room = 1;
  if (name.size() <= room) return name;
  size_t cut = room;
  while (cut > 1 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return name.substr(0, cut);
}

// "<name>.kvtmp<pid>_<n>", no longer than limit bytes: a long name gives up
// its end.
std::string NextTemporary(const std::string& name, size_t limit) {
  static std::atomic<uint32_t> counter{0};
  const std::string suffix = kMarker + std::to_string(getpid()) + "_" + std::to_string(++counter);
  const size_t room = limit > suffix.size() ? limit - suffix.size() : 0;
  return Shortened(name, room) + suffix;
}

int WriteFlags(const char* mode) {
  return (std::strchr(mode, '+') != nullptr ? O_RDWR : O_WRONLY) | O_CREAT | O_EXCL | O_CLOEXEC;
}

// The new file keeps the owner (where the process may give it) and the
// permissions of the one it replaces; the owner first, as a change of owner
// may clear permission bits.
void KeepOwnerAndMode(int fd, int folder, const std::string& name) {
  struct stat old;
  if (fstatat(folder, name.c_str(), &old, 0) != 0 || !S_ISREG(old.st_mode)) return;
  if (fchown(fd, old.st_uid, old.st_gid) != 0) {
    // Not ours to give: the new file stays the writer's.
  }
  fchmod(fd, old.st_mode & 07777);
}

// A locked temporary beside name in folder; -1 with errno when none can be
// made.
int CreateTemporary(int folder, const std::string& name, const char* mode, std::string* temporary) {
  size_t limit = kNameLimit;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *temporary = NextTemporary(name, limit);
    int fd = openat(folder, temporary->c_str(), WriteFlags(mode), 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      // A folder that takes shorter names than usual takes one as long as
      // the target's own.
      if (errno == ENAMETOOLONG && name.size() < limit) {
        limit = name.size();
        continue;
      }
      return -1;
    }
    if (WriteStream_LockOwnedAt(fd, folder, *temporary)) {
      KeepOwnerAndMode(fd, folder, name);
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
// Every temporary, shortened or not, is recognised here and nowhere else.
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

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True when a stream of this process writes the file of info in place.
bool WrittenInPlace(const struct stat& info) {
  std::lock_guard<std::mutex> hold(g_mutex);
  for (const auto& [stream, tracked] : Streams()) {
    struct stat held;
    if (tracked.temporary.empty() && tracked.owner == getpid() && fstat(fileno(stream), &held) == 0 &&
        SameFile(held, info)) {
      return true;
    }
  }
  return false;
}

// Where a replacement of path goes: the folder its name resolved to, held
// open, and the name there. The stream that keeps the folder takes it.
struct Place {
  int folder = -1;
  std::string name;
  const std::string& path;
};

// The file itself, emptied and written from the start, as replacements did
// not.
FILE* OpenInPlace(const Place& place, const char* mode) {
  const int how = std::strchr(mode, '+') != nullptr ? O_RDWR : O_WRONLY;
  // Non-blocking until it is known to be a file, so no pipe is waited on.
  int fd = openat(place.folder, place.name.c_str(), how | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  const bool usable = fstat(fd, &info) == 0 && fcntl(fd, F_SETFL, 0) == 0;
  if (usable && !S_ISREG(info.st_mode)) errno = EINVAL;
  FILE* stream = usable && S_ISREG(info.st_mode) ? fdopen(fd, mode) : nullptr;
  if (stream == nullptr) {
    CloseKeeping(fd);
    return nullptr;
  }
  Register(stream, Tracked{place.path, std::string()});
  return stream;
}

// An empty file of the name, as a handle opened for writing shows at once;
// *made tells whether this call made it.
bool PlaceEmpty(const Place& place, bool* made) {
  int fd = openat(place.folder, place.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  *made = fd >= 0;
  if (fd >= 0) close(fd);
  return fd >= 0 || errno == EEXIST;
}

// A folder that takes no new name (its mode, or an immutable folder).
bool RefusesNewNames(int error) { return error == EACCES || error == EPERM; }

FILE* OpenOnTemporary(Place& place, const char* mode, const struct stat* earlier) {
  SweepOnce(place.folder);
  std::string temporary;
  int fd = CreateTemporary(place.folder, place.name, mode, &temporary);
  if (fd < 0) return nullptr;
  FILE* stream = fdopen(fd, mode);
  if (stream == nullptr) {
    CloseKeeping(fd);
    const int why = errno;
    unlinkat(place.folder, temporary.c_str(), 0);
    errno = why;
    return nullptr;
  }
  Tracked tracked{place.path, temporary, place.folder, place.name};
  place.folder = -1;
  if (earlier != nullptr) {
    tracked.device = earlier->st_dev;
    tracked.inode = earlier->st_ino;
  }
  Register(stream, std::move(tracked));
  return stream;
}

// Puts a replacing stream's bytes in place now; the stream then writes the
// file in place. False, with nothing changed, when that cannot be done.
bool PutInPlaceEarly(FILE* stream, Tracked* tracked) {
  if (!Flush(stream, true) ||
      renameat(tracked->folder, tracked->temporary.c_str(), tracked->folder, tracked->name.c_str()) != 0) {
    return false;
  }
  fsync(tracked->folder);
  close(tracked->folder);
  tracked->folder = -1;
  tracked->temporary.clear();
  return true;
}

// A file that is there: replaced through a temporary, or written in place
// when this process writes it in place already or its folder takes no new
// name.
FILE* OpenOverExisting(Place& place, const char* mode, const struct stat& info) {
  if (WrittenInPlace(info)) return OpenInPlace(place, mode);
  FILE* stream = OpenOnTemporary(place, mode, &info);
  if (stream != nullptr || !RefusesNewNames(errno)) return stream;
  const int why = errno;
  stream = OpenInPlace(place, mode);
  if (stream == nullptr) errno = why;
  return stream;
}

// A new file, there and empty from the open on; gone again when no
// temporary can be made for it.
FILE* OpenShownAtOnce(Place& place, const char* mode) {
  bool made = false;
  if (!PlaceEmpty(place, &made)) return nullptr;
  const int folder = place.folder;
  struct stat info;
  FILE* stream = fstatat(folder, place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0
                     ? OpenOnTemporary(place, mode, &info)
                     : nullptr;
  if (stream == nullptr && made) {
    const int why = errno;
    unlinkat(folder, place.name.c_str(), 0);
    errno = why;
  }
  return stream;
}

FILE* OpenAt(Place& place, const char* mode, NewFile shown) {
  // Only a file is replaced: a folder, a device or a pipe in the way stays,
  // and so does a file that could not be written over, or a name the system
  // does not take (too long, in a folder that cannot be searched).
  struct stat info;
  if (fstatat(place.folder, place.name.c_str(), &info, 0) == 0) {
    if (!S_ISREG(info.st_mode)) {
      errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
      return nullptr;
    }
    return faccessat(place.folder, place.name.c_str(), W_OK, 0) == 0 ? OpenOverExisting(place, mode, info) : nullptr;
  }
  if (errno != ENOENT) return nullptr;
  return shown == NewFile::kAtOpen ? OpenShownAtOnce(place, mode) : OpenOnTemporary(place, mode, nullptr);
}

}  // namespace

FILE* WriteStream_OpenReplacing(const std::string& path, const char* mode, NewFile shown) {
  if (path.empty() || path.back() == '/') {
    errno = ENOENT;
    return nullptr;
  }
  // Everything happens in the folder the resolution gave, held open: a
  // folder swapped for a link meanwhile changes nothing.
  Place place{-1, std::string(), path};
  place.folder = SaveFolder_OpenParent(path, true, &place.name);
  if (place.folder < 0) return nullptr;
  FILE* stream = OpenAt(place, mode, shown);
  CloseKeeping(place.folder);
  return stream;
}

void WriteStream_Track(FILE* stream, const std::string& path) {
  if (stream != nullptr) Register(stream, Tracked{path, std::string()});
}

void WriteStream_JoinInPlace(const std::string& path) {
  struct stat info;
  if (!SaveFolder_Stat(path, &info)) return;
  std::lock_guard<std::mutex> hold(g_mutex);
  for (auto& [stream, tracked] : Streams()) {
    if (!tracked.temporary.empty() && tracked.owner == getpid() && tracked.device == info.st_dev &&
        tracked.inode == info.st_ino) {
      PutInPlaceEarly(stream, &tracked);
    }
  }
}

void WriteStream_BeforeCloseAtExit(void (*step)()) {
  g_beforeCloseAtExit = step;
  g_beforeCloseOwner = getpid();
  HookExit();
}

void WriteStream_CloseAll() {
  std::vector<FILE*> open;
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    for (const auto& [stream, tracked] : Streams()) {
      if (tracked.owner == getpid()) open.push_back(stream);
    }
  }
  for (FILE* stream : open) WriteStream_Close(stream);
}

bool WriteStream_IsTemporaryName(const char* name) { return name != nullptr && TemporaryOwner(name) != 0; }

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
  if (known) CloseKeeping(tracked.folder);
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
