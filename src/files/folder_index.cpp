#include "files/folder_index.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <ctime>
#include <list>
#include <mutex>
#include <unordered_map>

namespace {

// Bounds of what is kept: folders, and names over all of them. A folder of
// more names than that is read on each miss.
constexpr size_t kMostFolders = 256;
constexpr size_t kMostNames = size_t{1} << 18;

// How far in the past a change time must lie, when the folder is looked at,
// for no later change to be able to carry the same time: the kernel stamps
// changes from a clock that lags by up to a scheduler tick, then cuts the
// stamp to the file system's own step. A time of whole seconds says that
// step may be seconds long.
constexpr int64_t kSettleFineNs = 50'000'000;
constexpr int64_t kSettleCoarseNs = 2'100'000'000;

struct Identity {
  dev_t device;
  ino_t inode;
  bool operator==(const Identity& other) const { return device == other.device && inode == other.inode; }
};

struct IdentityHash {
  size_t operator()(const Identity& id) const {
    return std::hash<uint64_t>()(static_cast<uint64_t>(id.device) * 1000003u ^ static_cast<uint64_t>(id.inode));
  }
};

struct Folder {
  Identity id;
  timespec changed;
  std::unordered_map<std::string, std::string> byFolded;
};

struct Index {
  std::mutex mutex;
  std::list<Folder> folders;  // the most recently used first
  std::unordered_map<Identity, std::list<Folder>::iterator, IdentityHash> where;
  size_t names = 0;
};

std::atomic<uint64_t> g_reads{0};

Index& TheIndex() {
  static Index& index = *new Index;
  return index;
}

std::string Folded(const char* name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

int64_t Nanoseconds(const timespec& time) { return int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec; }

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// Whether no change after now can carry the change time changed.
bool Settled(const timespec& changed, const timespec& now) {
  const int64_t margin = changed.tv_nsec == 0 ? kSettleCoarseNs : kSettleFineNs;
  return Nanoseconds(changed) + margin < Nanoseconds(now);
}

// Reads the names of the folder at fd into folder; takes fd. False when it
// cannot be read.
bool ReadNames(int fd, Folder* folder) {
  if (fd < 0) return false;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) {
    close(fd);
    return false;
  }
  g_reads.fetch_add(1, std::memory_order_relaxed);
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    auto [at, made] = folder->byFolded.try_emplace(Folded(entry->d_name), entry->d_name);
    if (!made && std::strcmp(entry->d_name, at->second.c_str()) < 0) at->second = entry->d_name;
  }
  closedir(dir);
  return true;
}

void Drop(Index& index, std::list<Folder>::iterator at) {
  index.names -= at->byFolded.size();
  index.where.erase(at->id);
  index.folders.erase(at);
}

// Keeps folder as the most recently used, dropping the least recently used
// ones beyond the bounds.
void Keep(Index& index, Folder&& folder) {
  if (folder.byFolded.size() > kMostNames) return;
  index.names += folder.byFolded.size();
  index.folders.push_front(std::move(folder));
  index.where[index.folders.front().id] = index.folders.begin();
  while (index.folders.size() > kMostFolders || index.names > kMostNames) Drop(index, std::prev(index.folders.end()));
}

std::string Lookup(const Folder& folder, const std::string& name) {
  const auto at = folder.byFolded.find(Folded(name.c_str()));
  return at == folder.byFolded.end() ? std::string() : at->second;
}

// The variant from the kept index of the folder info describes, when it
// still holds; false when the folder must be read.
bool FromKept(const struct stat& info, const std::string& name, std::string* variant) {
  Index& index = TheIndex();
  std::lock_guard<std::mutex> hold(index.mutex);
  const auto at = index.where.find(Identity{info.st_dev, info.st_ino});
  if (at == index.where.end()) return false;
  if (!SameTime(at->second->changed, info.st_ctim)) {
    Drop(index, at->second);
    return false;
  }
  index.folders.splice(index.folders.begin(), index.folders, at->second);
  *variant = Lookup(index.folders.front(), name);
  return true;
}

// The variant by one pass over the folder open at fd (taken), for a folder
// whose index would not be kept: a folder changing all the time costs no
// more than reading it.
std::string Scan(int fd, const std::string& name) {
  DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr;
  if (dir == nullptr) {
    if (fd >= 0) close(fd);
    return std::string();
  }
  g_reads.fetch_add(1, std::memory_order_relaxed);
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) != 0) continue;
    if (best.empty() || std::strcmp(entry->d_name, best.c_str()) < 0) best = entry->d_name;
  }
  closedir(dir);
  return best;
}

// File systems of their own that linux/magic.h does not name.
constexpr uint64_t kZfsMagic = 0x2FC12FC1;
constexpr uint64_t kBcachefsMagic = 0xCA451A4E;

// Whether the folder open at fd lies on a file system whose change times
// the kernel keeps itself, so that a change shows in the folder's time at
// once: the local ones. A network file system or a FUSE mount answers a
// time it cached a while ago, after the names it lists have changed, and a
// folder there is read at each miss.
bool TimesComeAtOnce(int fd) {
  struct statfs system;
  if (fstatfs(fd, &system) != 0) return false;
  switch (static_cast<uint64_t>(system.f_type)) {
    case EXT4_SUPER_MAGIC:  // ext2, ext3 and ext4 alike
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case RAMFS_MAGIC:
    case F2FS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:  // over local layers
    case kZfsMagic:
    case kBcachefsMagic: return true;
    default: return false;
  }
}

// Reads the folder open at fd (taken), which info describes as it was at
// now, and keeps its index when its change time has settled on a file
// system whose times can be trusted.
std::string ReadAndKeep(int fd, const struct stat& info, const timespec& now, const std::string& name) {
  if (!Settled(info.st_ctim, now) || !TimesComeAtOnce(fd)) return Scan(fd, name);
  Folder folder{Identity{info.st_dev, info.st_ino}, info.st_ctim, {}};
  if (!ReadNames(fd, &folder)) return std::string();
  std::string variant = Lookup(folder, name);
  Index& index = TheIndex();
  std::lock_guard<std::mutex> hold(index.mutex);
  if (index.where.count(folder.id) == 0) Keep(index, std::move(folder));
  return variant;
}

}  // namespace

std::string FolderIndex_Variant(int folder, const std::string& name) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  struct stat info;
  if (folder < 0 || fstat(folder, &info) != 0 || !S_ISDIR(info.st_mode)) return std::string();
  std::string variant;
  if (FromKept(info, name, &variant)) return variant;
  return ReadAndKeep(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC), info, now, name);
}

std::string FolderIndex_VariantAt(const std::string& folder, const std::string& name) {
  const std::string path = folder.empty() ? std::string("/") : folder;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::string();
  std::string variant;
  if (FromKept(info, name, &variant)) return variant;
  // The folder read is the one opened, whatever took the path meanwhile.
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 || fstat(fd, &info) != 0) {
    if (fd >= 0) close(fd);
    return std::string();
  }
  return ReadAndKeep(fd, info, now, name);
}

uint64_t FolderIndex_Reads() { return g_reads.load(std::memory_order_relaxed); }

void FolderIndex_Clear() {
  Index& index = TheIndex();
  std::lock_guard<std::mutex> hold(index.mutex);
  index.folders.clear();
  index.where.clear();
  index.names = 0;
}
