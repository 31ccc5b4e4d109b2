#include "files/write_stream.h"

#include <fcntl.h>
#include <pthread.h>
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
#include <utility>
#include <vector>

#include "files/save_folder.h"
#include "platform/regular_file.h"
#include "platform/switches.h"
#include "runtime/console.h"

namespace {

constexpr const char* kMarker = ".kvtmp";
// Fresh names tried before a replacement gives up.
constexpr int kNameAttempts = 8;
// The longest name a folder takes on the systems the player runs on.
constexpr size_t kNameLimit = NAME_MAX;

struct Tracked {
  std::string target;       // as the game named it, for the console
  int folder = -1;          // while replacing: the folder the resolution gave
  std::string name{};       // the target's name there
  bool replacing = false;   // writes a file not yet in place
  std::string temporary{};  // a named temporary's name in folder; empty for an unnamed file
  bool earlier = false;     // a file was there at the open, left whole until the close
  bool cuts = false;        // writes in place a file it emptied: a failure leaves it incomplete
  int error = 0;            // why the first write failed; the stream drops what it held
  pid_t owner = 0;          // a forked child never closes its parent's streams
  dev_t device = 0;         // the file the target named at the open, when there was one
  ino_t inode = 0;
  char* buffer = nullptr;  // the stream's buffer, freed after its close
};

std::mutex g_mutex;
// Never destroyed: the streams are closed from exit, after destructors may
// have begun to run.
std::map<FILE*, Tracked>& Streams() {
  static auto* streams = new std::map<FILE*, Tracked>;
  return *streams;
}

// What the last failed write of this thread left of the file it wrote.
enum class Earlier { kNone, kKept, kIncomplete };
thread_local Earlier g_earlier = Earlier::kNone;

// The size the next stream opened to replace a file announced
// (WriteStream_ReserveNext); 0 for none.
thread_local size_t g_reserve = 0;

// The process's own id, kept across forks without asking the system each time.
pid_t g_pid = 0;
void ForgetPid() { g_pid = getpid(); }
pid_t OwnPid() {
  static std::once_flag once;
  std::call_once(once, [] {
    g_pid = getpid();
    pthread_atfork(nullptr, nullptr, ForgetPid);
  });
  return g_pid;
}

void (*g_beforeCloseAtExit)() = nullptr;
pid_t g_beforeCloseOwner = 0;  // a forked child leaves its parent's writes alone

void CloseAllAtExit() {
  if (g_beforeCloseAtExit != nullptr && g_beforeCloseOwner == OwnPid()) g_beforeCloseAtExit();
  WriteStream_CloseAll();
}

void HookExit() {
  static std::once_flag hook;
  std::call_once(hook, [] { std::atexit(CloseAllAtExit); });
}

// The stream gets a buffer of its own, so that the C library need not ask
// the system how large one should be.
void Register(FILE* stream, Tracked tracked) {
  HookExit();
  tracked.owner = OwnPid();
  tracked.buffer = static_cast<char*>(std::malloc(BUFSIZ));
  if (tracked.buffer != nullptr) setvbuf(stream, tracked.buffer, _IOFBF, BUFSIZ);
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
  const std::string suffix = kMarker + std::to_string(OwnPid()) + "_" + std::to_string(++counter);
  const size_t room = limit > suffix.size() ? limit - suffix.size() : 0;
  return Shortened(name, room) + suffix;
}

int Access(const char* mode) { return std::strchr(mode, '+') != nullptr ? O_RDWR : O_WRONLY; }

// The owner, group and umask a new file of this process gets, read once.
struct Identity {
  uid_t uid;
  gid_t gid;
  mode_t umask;
  bool unnamedLinks;  // files made without a name can be given one
};
const Identity& Self() {
  static const Identity self = [] {
    const mode_t mask = umask(022);
    umask(mask);
    // A switch makes every replacement take the named way, as on a file
    // system that makes no unnamed files.
    const bool unnamed = access("/proc/self/fd", X_OK) == 0 && !Switches_Get().noUnnamedFiles;
    return Identity{geteuid(), getegid(), mask, unnamed};
  }();
  return self;
}

// The permissions a new file is made with: the earlier one's, when there is one.
mode_t NewMode(const struct stat* earlier) { return earlier != nullptr ? earlier->st_mode & 0777 : 0666; }

// The new file keeps the owner (where the process may give it) and the
// permissions of the one it replaces; the owner first, as a change of owner
// may clear permission bits. Made with the earlier permissions, the file
// needs a change only when the umask took some away or the owner differs.
void KeepOwnerAndMode(int fd, const struct stat* earlier) {
  if (earlier == nullptr) return;
  const Identity& self = Self();
  const bool owner = earlier->st_uid != self.uid || earlier->st_gid != self.gid;
  if (owner && fchown(fd, earlier->st_uid, earlier->st_gid) != 0) {
    // Not ours to give: the new file stays the writer's.
  }
  if (owner || (earlier->st_mode & 07000) != 0 || (earlier->st_mode & 0777 & self.umask) != 0) {
    fchmod(fd, earlier->st_mode & 07777);
  }
}

// A file system or kernel without files made unnamed.
bool NoUnnamedFiles(int error) { return error == EOPNOTSUPP || error == EISDIR || error == EINVAL; }

// A folder that takes no new name (its mode, or an immutable folder).
bool RefusesNewNames(int error) { return error == EACCES || error == EPERM; }

// A new file for a replacement of name in folder, made without a name where
// the system can, else under a temporary name beside it (*temporary);
// -1 with errno when none can be made. Nothing locks or sweeps these
// names: only a kill between a temporary's naming and its rename leaves one,
// and then whole.
int CreateReplacement(int folder, const std::string& name, int access, const struct stat* earlier,
                      std::string* temporary) {
  temporary->clear();
  if (Self().unnamedLinks) {
    const int fd = openat(folder, ".", O_TMPFILE | access | O_CLOEXEC, NewMode(earlier));
    if (fd >= 0 || !NoUnnamedFiles(errno)) {
      if (fd >= 0) KeepOwnerAndMode(fd, earlier);
      return fd;
    }
  }
  size_t limit = kNameLimit;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *temporary = NextTemporary(name, limit);
    const int fd = openat(folder, temporary->c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC, NewMode(earlier));
    if (fd >= 0) {
      KeepOwnerAndMode(fd, earlier);
      return fd;
    }
    if (errno == EEXIST) continue;
    // A folder that takes shorter names than usual takes one as long as
    // the target's own.
    if (errno == ENAMETOOLONG && name.size() < limit) {
      limit = name.size();
      continue;
    }
    return -1;
  }
  errno = EEXIST;
  return -1;
}

// Gives the unnamed file fd the name made in folder: by the descriptor
// itself where the process may (the quicker way), else through its name
// under /proc; once refused the first way, the process keeps to the second.
bool LinkUnnamed(int fd, int folder, const std::string& made) {
  static std::atomic<bool> byDescriptor{true};
  if (byDescriptor.load(std::memory_order_relaxed)) {
    if (linkat(fd, "", folder, made.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno != ENOENT && errno != EPERM && errno != EINVAL) return false;
    byDescriptor.store(false, std::memory_order_relaxed);
  }
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return linkat(AT_FDCWD, self.c_str(), folder, made.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Puts the complete file fd (synced) in place of name: a named temporary is
// renamed over it; an unnamed file gets a temporary name first, which is
// then renamed over it, so that the file shows by a rename, whether one was
// there or not. The folder is not synced: the file's bytes are on the disk
// before it takes the name, so a crash leaves the name on the earlier file
// or on the complete new one, never on a cut one; only which of the two is
// left to chance, as with any write a crash interrupts.
bool Install(int fd, int folder, const std::string& name, const std::string& temporary) {
  if (!temporary.empty()) {
    if (renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) return false;
  } else {
    std::string made;
    bool linked = false;
    for (int attempt = 0; attempt < kNameAttempts && !linked; ++attempt) {
      made = NextTemporary(name, attempt == 0 ? kNameLimit : name.size());
      linked = LinkUnnamed(fd, folder, made);
      if (!linked && errno != EEXIST && errno != ENAMETOOLONG) return false;
    }
    if (!linked) return false;
    if (renameat(folder, made.c_str(), folder, name.c_str()) != 0) {
      const int why = errno;
      unlinkat(folder, made.c_str(), 0);
      errno = why;
      return false;
    }
  }
  return true;
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

// Closes the stream and frees the buffer it was given.
int CloseStream(FILE* stream, const Tracked& tracked) {
  const int closed = std::fclose(stream);
  std::free(tracked.buffer);
  return closed;
}

// A replacement of a new name that fails takes away the empty file its open
// showed there, while the name still holds that very file, empty.
void RemoveShownEmpty(const Tracked& tracked) {
  struct stat there;
  if (tracked.earlier || tracked.inode == 0) return;
  if (fstatat(tracked.folder, tracked.name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
      there.st_dev == tracked.device && there.st_ino == tracked.inode && there.st_size == 0) {
    unlinkat(tracked.folder, tracked.name.c_str(), 0);
  }
}

bool PutInPlace(FILE* stream, const Tracked& tracked) {
  bool ok = Flush(stream, true) && Install(fileno(stream), tracked.folder, tracked.name, tracked.temporary);
  const int why = Reason(tracked);
  CloseStream(stream, tracked);
  if (!ok) RemoveShownEmpty(tracked);
  if (!ok && !tracked.temporary.empty()) unlinkat(tracked.folder, tracked.temporary.c_str(), 0);
  close(tracked.folder);
  errno = why;
  return ok;
}

bool CloseInPlace(FILE* stream, const Tracked& tracked) {
  bool ok = Flush(stream, false);
  const int why = Reason(tracked);
  if (CloseStream(stream, tracked) != 0) return false;
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

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True when a stream of this process writes the file of info in place.
bool WrittenInPlace(const struct stat& info) {
  std::lock_guard<std::mutex> hold(g_mutex);
  for (const auto& [stream, tracked] : Streams()) {
    struct stat held;
    if (!tracked.replacing && tracked.owner == OwnPid() && fstat(fileno(stream), &held) == 0 && SameFile(held, info)) {
      return true;
    }
  }
  return false;
}

// Where a replacement of path goes: the folder its name resolved to, held
// open, and the name there. The stream that keeps the folder takes it.
struct Target {
  int folder = -1;
  std::string name;
  const std::string& path;
  struct stat seen {};  // the name's status as the resolution saw it; st_mode 0 when it did not
};

// Opens the file itself for writing, without blocking on anything but a
// file; -1 with errno (EINVAL for something other than a file).
int OpenFileInPlace(const Target& target, int flags) {
  return RegularFile_Check(openat(target.folder, target.name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
}

// Takes the room for size bytes in the file fd, which held earlierSize
// bytes: 0, or the error; what a failed reservation added past the end goes
// again (when it cannot, the file is incomplete).
int ReserveRoom(int fd, size_t size, off_t earlierSize) {
  const int reserved = size > 0 ? posix_fallocate(fd, 0, static_cast<off_t>(size)) : 0;
  struct stat now;
  if (reserved != 0 && fstat(fd, &now) == 0 && now.st_size != earlierSize && ftruncate(fd, earlierSize) != 0) {
    g_earlier = Earlier::kIncomplete;
  }
  return reserved;
}

// The file itself, its room for the size announced taken first, to be
// written over from the start (the writer cuts what stays past its end):
// a full disk leaves it as it was.
int OpenReserved(const Target& target, const char* mode) {
  const int fd = OpenFileInPlace(target, Access(mode));
  struct stat earlier;
  if (fd < 0 || fstat(fd, &earlier) != 0) {
    CloseKeeping(fd);
    return -1;
  }
  g_earlier = Earlier::kKept;
  const int reserved = ReserveRoom(fd, g_reserve, earlier.st_size);
  if (reserved == 0) return fd;
  close(fd);
  errno = reserved;
  return -1;
}

// The file itself, emptied and written from the start, as replacements did
// not: a failure from here on leaves it incomplete.
FILE* OpenInPlace(const Target& target, const char* mode) {
  const int fd = g_reserve > 0 ? OpenReserved(target, mode) : OpenFileInPlace(target, Access(mode) | O_TRUNC);
  FILE* stream = fd >= 0 ? fdopen(fd, mode) : nullptr;
  if (stream == nullptr) {
    CloseKeeping(fd);
    return nullptr;
  }
  Tracked tracked{target.path};
  tracked.cuts = true;
  Register(stream, std::move(tracked));
  return stream;
}

// An empty file of the name, as a handle opened for writing shows at once;
// *made tells whether this call made it.
bool PlaceEmpty(const Target& target, bool* made) {
  int fd = openat(target.folder, target.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  *made = fd >= 0;
  if (fd >= 0) close(fd);
  return fd >= 0 || errno == EEXIST;
}

FILE* OpenReplacement(Target& target, const char* mode, const struct stat* earlier, bool wasThere) {
  std::string temporary;
  const int fd = CreateReplacement(target.folder, target.name, Access(mode), earlier, &temporary);
  if (fd < 0) return nullptr;
  FILE* stream = fdopen(fd, mode);
  if (stream == nullptr) {
    CloseKeeping(fd);
    const int why = errno;
    if (!temporary.empty()) unlinkat(target.folder, temporary.c_str(), 0);
    errno = why;
    return nullptr;
  }
  Tracked tracked{target.path, target.folder, target.name, true, temporary, wasThere};
  target.folder = -1;
  if (earlier != nullptr) {
    tracked.device = earlier->st_dev;
    tracked.inode = earlier->st_ino;
  }
  Register(stream, std::move(tracked));
  return stream;
}

// A file that is there: replaced, or written in place when this process
// writes it in place already or its folder takes no new name.
FILE* OpenOverExisting(Target& target, const char* mode, const struct stat& info) {
  if (WrittenInPlace(info)) return OpenInPlace(target, mode);
  FILE* stream = OpenReplacement(target, mode, &info, true);
  if (stream != nullptr || !RefusesNewNames(errno)) return stream;
  const int why = errno;
  stream = OpenInPlace(target, mode);
  // A room that could not be taken says why; else the refusal of the name.
  if (stream == nullptr && !(g_reserve > 0 && (errno == ENOSPC || errno == EFBIG || errno == EDQUOT))) errno = why;
  return stream;
}

// A new file, there and empty from the open on; gone again when nothing can
// be made to replace it.
FILE* OpenShownAtOnce(Target& target, const char* mode) {
  bool made = false;
  if (!PlaceEmpty(target, &made)) return nullptr;
  const int folder = target.folder;
  struct stat info;
  FILE* stream = fstatat(folder, target.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0
                     ? OpenReplacement(target, mode, &info, !made)
                     : nullptr;
  if (stream == nullptr && made) {
    const int why = errno;
    unlinkat(folder, target.name.c_str(), 0);
    errno = why;
  }
  return stream;
}

// Whether this process may write the file. The owner's write bit answers
// for the owner (an access list never narrows it); anything else is asked
// of the system, which knows the groups, the lists and the superuser.
bool MayWrite(const Target& target, const struct stat& info) {
  if (info.st_uid == Self().uid && (info.st_mode & S_IWUSR) != 0) return true;
  return faccessat(target.folder, target.name.c_str(), W_OK, 0) == 0;
}

// The file the name holds, when it is one this process may write; false,
// with errno, when the name holds something else or cannot be written
// over. *there tells whether a file is there at all.
bool Examine(const Target& target, struct stat* info, bool* there) {
  *there = false;
  if (target.seen.st_mode != 0) {
    *info = target.seen;
  } else if (fstatat(target.folder, target.name.c_str(), info, 0) != 0) {
    return errno == ENOENT;
  }
  if (!S_ISREG(info->st_mode)) {
    errno = S_ISDIR(info->st_mode) ? EISDIR : EINVAL;
    return false;
  }
  *there = true;
  g_earlier = Earlier::kKept;
  return MayWrite(target, *info);
}

FILE* OpenAt(Target& target, const char* mode, NewFile shown) {
  // Only a file is replaced: a folder, a device or a pipe in the way stays,
  // and so does a file that could not be written over, or a name the system
  // does not take (too long, in a folder that cannot be searched).
  struct stat info;
  bool there = false;
  if (!Examine(target, &info, &there)) return nullptr;
  if (there) return OpenOverExisting(target, mode, info);
  return shown == NewFile::kAtOpen ? OpenShownAtOnce(target, mode) : OpenReplacement(target, mode, nullptr, false);
}

// Puts a replacing stream's file in place now, with only what it wrote to
// the file so far: the bytes it holds reach the file at its own close, as a
// plain stream's do. The stream then writes the file in place. False, with
// nothing changed, when that cannot be done.
bool PutInPlaceEarly(FILE* stream, Tracked* tracked) {
  if (fsync(fileno(stream)) != 0 || !Install(fileno(stream), tracked->folder, tracked->name, tracked->temporary)) {
    return false;
  }
  close(tracked->folder);
  tracked->folder = -1;
  tracked->temporary.clear();
  tracked->replacing = false;
  tracked->cuts = true;
  return true;
}

bool WriteAll(int fd, const void* data, size_t size, off_t at) {
  const auto* bytes = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t put = pwrite(fd, bytes + done, size - done, at + static_cast<off_t>(done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(put);
  }
  return true;
}

// The whole of data over the file itself, in a folder that takes no new
// name: the room is taken first, so that a full disk leaves the file as it
// was; only a failure after that leaves it incomplete.
bool ReplaceWholeInPlace(const Target& target, const void* data, size_t size, const struct stat& earlier) {
  const int fd = OpenFileInPlace(target, O_WRONLY);
  if (fd < 0) return false;
  const int reserved = ReserveRoom(fd, size, earlier.st_size);
  if (reserved != 0) {
    close(fd);
    errno = reserved;
    return false;
  }
  g_earlier = Earlier::kIncomplete;
  const bool ok = WriteAll(fd, data, size, 0) && ftruncate(fd, static_cast<off_t>(size)) == 0 && fsync(fd) == 0;
  const int why = errno;
  if (close(fd) != 0 && ok) return false;
  if (ok) g_earlier = Earlier::kNone;
  errno = why;
  return ok;
}

bool ReplaceWholeAt(Target& target, const void* data, size_t size) {
  struct stat info;
  bool there = false;
  if (!Examine(target, &info, &there)) return false;
  std::string temporary;
  const int fd = CreateReplacement(target.folder, target.name, O_WRONLY, there ? &info : nullptr, &temporary);
  if (fd < 0) {
    if (there && RefusesNewNames(errno)) return ReplaceWholeInPlace(target, data, size, info);
    return false;
  }
  const bool ok = WriteAll(fd, data, size, 0) && fsync(fd) == 0 && Install(fd, target.folder, target.name, temporary);
  const int why = errno;
  close(fd);
  if (!ok && !temporary.empty()) unlinkat(target.folder, temporary.c_str(), 0);
  errno = why;
  return ok;
}

// Gives the complete file fd (a named temporary's, when there is one) the
// name, only while the name holds nothing; false with errno (EEXIST when it
// holds something).
bool InstallNew(int fd, int folder, const std::string& name, const std::string& temporary) {
  if (temporary.empty()) return LinkUnnamed(fd, folder, name);
  if (renameat2(folder, temporary.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) return true;
  // A file system without that rename: a second link, then the first goes.
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (linkat(folder, temporary.c_str(), folder, name.c_str(), 0) != 0) return false;
  unlinkat(folder, temporary.c_str(), 0);
  return true;
}

// The folder path's last name resolves to, and that name; false with errno.
bool Resolve(const std::string& path, Target* target) {
  g_earlier = Earlier::kNone;
  if (path.empty() || path.back() == '/') {
    errno = ENOENT;
    return false;
  }
  // Everything happens in the folder the resolution gave, held open: a
  // folder swapped for a link meanwhile changes nothing.
  target->folder = SaveFolder_OpenParent(path, true, &target->name, &target->seen);
  return target->folder >= 0;
}

}  // namespace

FILE* WriteStream_OpenReplacing(const std::string& path, const char* mode, NewFile shown) {
  Target target{-1, std::string(), path};
  FILE* stream = Resolve(path, &target) ? OpenAt(target, mode, shown) : nullptr;
  g_reserve = 0;
  CloseKeeping(target.folder);
  return stream;
}

int WriteStream_CreateWhole(const std::string& path, const void* data, size_t size) {
  Target target{-1, std::string(), path};
  if (!Resolve(path, &target)) return -1;
  std::string temporary;
  const int fd = CreateReplacement(target.folder, target.name, O_RDWR, nullptr, &temporary);
  const bool ok =
      fd >= 0 && WriteAll(fd, data, size, 0) && fsync(fd) == 0 && InstallNew(fd, target.folder, target.name, temporary);
  if (!ok && fd >= 0) {
    CloseKeeping(fd);
    if (!temporary.empty()) {
      const int why = errno;
      unlinkat(target.folder, temporary.c_str(), 0);
      errno = why;
    }
  }
  CloseKeeping(target.folder);
  return ok ? fd : -1;
}

void WriteStream_Track(FILE* stream, const std::string& path) {
  if (stream != nullptr) Register(stream, Tracked{path});
}

void WriteStream_JoinInPlace(const std::string& path) {
  g_earlier = Earlier::kNone;
  std::vector<FILE*> joining;
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    for (const auto& [stream, tracked] : Streams()) {
      if (tracked.replacing && tracked.owner == OwnPid() && tracked.inode != 0) joining.push_back(stream);
    }
  }
  struct stat info;
  if (joining.empty() || !SaveFolder_Stat(path, &info)) return;
  std::lock_guard<std::mutex> hold(g_mutex);
  for (FILE* stream : joining) {
    auto found = Streams().find(stream);
    if (found == Streams().end()) continue;
    Tracked& tracked = found->second;
    if (tracked.replacing && tracked.device == info.st_dev && tracked.inode == info.st_ino) {
      PutInPlaceEarly(stream, &tracked);
    }
  }
}

void WriteStream_BeforeCloseAtExit(void (*step)()) {
  g_beforeCloseAtExit = step;
  g_beforeCloseOwner = OwnPid();
  HookExit();
}

void WriteStream_CloseAll() {
  std::vector<FILE*> open;
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    for (const auto& [stream, tracked] : Streams()) {
      if (tracked.owner == OwnPid()) open.push_back(stream);
    }
  }
  for (FILE* stream : open) WriteStream_Close(stream);
}

bool WriteStream_Close(FILE* stream, bool report) {
  if (stream == nullptr) return true;
  Tracked tracked;
  if (!Untrack(stream, &tracked)) return std::fclose(stream) == 0;
  const bool ok = tracked.replacing ? PutInPlace(stream, tracked) : CloseInPlace(stream, tracked);
  if (!ok) {
    g_earlier = tracked.replacing ? (tracked.earlier ? Earlier::kKept : Earlier::kNone)
                                  : (tracked.cuts ? Earlier::kIncomplete : Earlier::kNone);
  }
  if (!ok && report) WriteStream_Report(tracked.target, errno, tracked.replacing || tracked.cuts);
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
  if (known) {
    CloseStream(stream, tracked);
  } else {
    std::fclose(stream);
  }
  if (known && tracked.replacing) RemoveShownEmpty(tracked);
  if (known && !tracked.temporary.empty()) unlinkat(tracked.folder, tracked.temporary.c_str(), 0);
  if (known) CloseKeeping(tracked.folder);
}

bool WriteStream_ReplaceWhole(const std::string& path, const void* data, size_t size, bool* reached) {
  Target target{-1, std::string(), path};
  const bool found = Resolve(path, &target);
  if (reached != nullptr) *reached = found;
  if (!found) return false;
  const bool ok = ReplaceWholeAt(target, data, size);
  CloseKeeping(target.folder);
  return ok;
}

void WriteStream_ForgetEarlier() { g_earlier = Earlier::kNone; }

void WriteStream_NoteEarlierKept() { g_earlier = Earlier::kKept; }

void WriteStream_ReserveNext(size_t size) { g_reserve = size; }

const char* WriteStream_EarlierNote(const char* kept) {
  switch (g_earlier) {
    case Earlier::kKept: return kept;
    case Earlier::kIncomplete: return "; the file there is incomplete";
    case Earlier::kNone: break;
  }
  return "";
}

void WriteStream_Report(const std::string& path, int error, bool replacing) {
  const char* reason = RegularFile_Reason(error != 0 ? error : EIO);
  if (!replacing) {
    g_debugConsole->Output("Could not write all of %s (%s); what reached it is kept\n", path.c_str(), reason);
  } else if (g_earlier == Earlier::kIncomplete) {
    g_debugConsole->Output("Could not write all of %s (%s); the file there is incomplete\n", path.c_str(), reason);
  } else {
    g_debugConsole->Output("Could not write %s (%s)%s\n", path.c_str(), reason,
                           WriteStream_EarlierNote("; the earlier file there is kept"));
  }
}

bool WriteStream_IsOwnTemporary(int folder, const char* name) {
  struct stat listed;
  bool known = false;
  std::lock_guard<std::mutex> hold(g_mutex);
  for (const auto& [stream, tracked] : Streams()) {
    if (!tracked.replacing || tracked.owner != OwnPid() || tracked.temporary != name) continue;
    if (!known && fstat(folder, &listed) != 0) return false;
    known = true;
    struct stat held;
    if (fstat(tracked.folder, &held) == 0 && SameFile(held, listed)) return true;
  }
  return false;
}

bool WriteStream_LockOwned(int fd, const std::string& path) { return WriteStream_LockOwnedAt(fd, AT_FDCWD, path); }

bool WriteStream_LockOwnedAt(int fd, int folder, const std::string& name) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
  struct stat held;
  struct stat named;
  return fstat(fd, &held) == 0 && held.st_nlink > 0 && fstatat(folder, name.c_str(), &named, 0) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}
