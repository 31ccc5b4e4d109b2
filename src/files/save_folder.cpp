#include "files/save_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <mutex>

#include "files/path_beneath.h"

namespace {

struct Held {
  std::mutex mutex;  // the descriptor may be replaced under a running operation
  std::string path;  // ends in "/", or ""
  BeneathRoot root;
  dev_t device = 0;  // what root.fd is, while it is open
  ino_t inode = 0;
};

// Whether this thread's last operation on a path was refused for leading
// out of the folder.
thread_local bool g_refused = false;

Held& TheFolder() {
  static Held& held = *new Held;
  return held;
}

// The game's temporary folder, held by the same rules as the save folder.
Held& TheTemporaryFolder() {
  static Held& held = *new Held;
  return held;
}

// The length of root when the folded full path lies in it or is it; 0 when
// not (or root is "").
size_t Within(const std::string& full, const std::string& root) {
  if (root.empty()) return 0;
  if (full.size() + 1 == root.size() && root.compare(0, full.size(), full) == 0) return root.size();
  return full.compare(0, root.size(), root) == 0 ? root.size() : 0;
}

// The held folder path lies in (the innermost, when one lies in the other)
// and the rest of path below it ("" for the folder itself); null when path
// lies elsewhere. A folder itself is reached by its path, as the player was
// given it: it may be made, removed or replaced while it runs.
Held* Locate(const std::string& path, std::string* rest) {
  g_refused = false;
  if (path.empty()) return nullptr;
  std::string full = path;
  if (full[0] != '/') {
    char current[PATH_MAX];
    if (getcwd(current, sizeof current) == nullptr) return nullptr;
    full = std::string(current) + "/" + path;
  }
  full = Path_Fold(full);
  const size_t save = Within(full, TheFolder().path);
  const size_t temporary = Within(full, TheTemporaryFolder().path);
  if (save == 0 && temporary == 0) return nullptr;
  Held* held = save >= temporary ? &TheFolder() : &TheTemporaryFolder();
  const size_t length = std::max(save, temporary);
  *rest = length >= full.size() ? std::string() : full.substr(length);
  return held;
}

// Closes what the held descriptor was, keeping errno.
void Forget(Held& held) {
  const int why = errno;
  Beneath_CloseRoot(&held.root);
  errno = why;
}

// Holds the folder at the save folder's path now: the held descriptor while
// the path still names its folder, else the folder there (a link the user
// put there followed, as at the start); false with errno when there is none.
bool HoldCurrent(Held& held) {
  struct stat now;
  if (stat(held.path.c_str(), &now) != 0) {
    Forget(held);
    return false;
  }
  if (held.root.fd >= 0 && now.st_dev == held.device && now.st_ino == held.inode) return true;
  if (!Beneath_OpenRoot(held.path, &held.root)) return false;
  struct stat opened;
  if (fstat(held.root.fd, &opened) != 0) {
    Forget(held);
    return false;
  }
  held.device = opened.st_dev;
  held.inode = opened.st_ino;
  return true;
}

// Runs act (answering -1 with errno on failure) beneath the folder at the
// held folder's path. A path refused for leading out answers as a missing
// name, and g_refused tells it was one.
template <typename Act>
int Beneath(Held& held, Act act) {
  g_refused = false;
  std::lock_guard<std::mutex> hold(held.mutex);
  if (!HoldCurrent(held)) return -1;
  int result = act(held.root);
  g_refused = result < 0 && (errno == EXDEV || errno == ELOOP);
  if (g_refused) errno = ENOENT;
  return result;
}

// Makes rest and its missing parents beneath root; 0, or -1 with errno.
int MakeBeneath(const BeneathRoot& root, const std::string& rest) {
  const int existing = Beneath_Open(root, rest, O_PATH | O_DIRECTORY);
  if (existing >= 0) {
    close(existing);
    return 0;
  }
  if (errno != ENOENT) return -1;
  const size_t slash = rest.rfind('/');
  if (slash != std::string::npos && MakeBeneath(root, rest.substr(0, slash)) != 0) return -1;
  std::string leaf;
  const int parent = Beneath_OpenParent(root, rest, true, &leaf);
  if (parent < 0) return -1;
  int result = mkdirat(parent, leaf.c_str(), 0777);
  struct stat info;
  if (result != 0 && errno == EEXIST && fstatat(parent, leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISDIR(info.st_mode)) {
    result = 0;
  }
  const int why = errno;
  close(parent);
  errno = why;
  return result;
}

bool RenameWithoutReplacing(int fromFolder, const std::string& from, int toFolder, const std::string& to) {
  if (renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat info;
  if (fstatat(toFolder, to.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
    errno = EEXIST;
    return false;
  }
  return renameat(fromFolder, from.c_str(), toFolder, to.c_str()) == 0;
}

// The name a rename gives: the one the target resolved to, unless that is
// the source itself, found by a name differing only in letter case: then
// the target's own spelling, so that a rename of the letter case renames.
std::string NewSpelling(int fromFolder, const std::string& fromLeaf, int toFolder, const std::string& toLeaf,
                        const std::string& to) {
  if (fromLeaf != toLeaf) return toLeaf;
  struct stat a;
  struct stat b;
  if (fstat(fromFolder, &a) != 0 || fstat(toFolder, &b) != 0 || a.st_dev != b.st_dev || a.st_ino != b.st_ino) {
    return toLeaf;
  }
  const size_t slash = to.rfind('/');
  return slash == std::string::npos ? to : to.substr(slash + 1);
}

// Closes fd keeping errno.
void CloseKeeping(int fd) {
  const int why = errno;
  if (fd >= 0) close(fd);
  errno = why;
}

void SetHeld(Held& held, const std::string& folder) {
  std::lock_guard<std::mutex> hold(held.mutex);
  Beneath_CloseRoot(&held.root);
  held.path = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

}  // namespace

void SaveFolder_Set(const std::string& folder) { SetHeld(TheFolder(), folder); }

void SaveFolder_SetTemporary(const std::string& folder) { SetHeld(TheTemporaryFolder(), folder); }

std::string SaveFolder_Path() { return TheFolder().path; }

bool SaveFolder_Holds(const std::string& path) {
  std::string rest;
  return Locate(path, &rest) != nullptr && !rest.empty();
}

bool SaveFolder_Within(const std::string& path) {
  std::string rest;
  return Locate(path, &rest) != nullptr;
}

std::string SaveFolder_RootOf(const std::string& path) {
  std::string rest;
  const Held* held = Locate(path, &rest);
  return held == nullptr ? std::string() : held->path;
}

bool SaveFolder_Refused() { return g_refused; }

int SaveFolder_Open(const std::string& path, int flags, mode_t mode) {
  std::string rest;
  Held* held = Locate(path, &rest);
  if (held == nullptr || rest.empty()) return open(path.c_str(), flags | O_CLOEXEC, mode);
  return Beneath(*held, [&](const BeneathRoot& root) { return Beneath_Open(root, rest, flags, mode); });
}

bool SaveFolder_Stat(const std::string& path, struct stat* info) {
  std::string rest;
  Held* held = Locate(path, &rest);
  if (held == nullptr || rest.empty()) return stat(path.c_str(), info) == 0;
  const int fd = Beneath(*held, [&](const BeneathRoot& root) { return Beneath_Open(root, rest, O_PATH); });
  if (fd < 0) return false;
  const bool known = fstat(fd, info) == 0;
  CloseKeeping(fd);
  return known;
}

int SaveFolder_OpenParent(const std::string& path, bool followLast, std::string* leaf, struct stat* last) {
  if (last != nullptr) last->st_mode = 0;
  std::string rest;
  Held* held = Locate(path, &rest);
  if (held == nullptr || rest.empty()) {
    const size_t slash = path.rfind('/');
    *leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    return open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }
  return Beneath(*held,
                 [&](const BeneathRoot& root) { return Beneath_OpenParent(root, rest, followLast, leaf, last); });
}

bool SaveFolder_Unlink(const std::string& path) {
  std::string leaf;
  const int folder = SaveFolder_OpenParent(path, false, &leaf);
  if (folder < 0) return false;
  const bool removed = unlinkat(folder, leaf.c_str(), 0) == 0;
  CloseKeeping(folder);
  return removed;
}

bool SaveFolder_Rename(const std::string& from, const std::string& to) {
  std::string fromLeaf;
  std::string toLeaf;
  const int fromFolder = SaveFolder_OpenParent(from, false, &fromLeaf);
  if (fromFolder < 0) return false;
  const int toFolder = SaveFolder_OpenParent(to, false, &toLeaf);
  if (toFolder >= 0) toLeaf = NewSpelling(fromFolder, fromLeaf, toFolder, toLeaf, to);
  const bool renamed = toFolder >= 0 && RenameWithoutReplacing(fromFolder, fromLeaf, toFolder, toLeaf);
  CloseKeeping(toFolder);
  CloseKeeping(fromFolder);
  return renamed;
}

bool SaveFolder_MakeFolders(const std::string& path) {
  std::string rest;
  Held* held = Locate(path, &rest);
  if (held == nullptr || rest.empty()) {
    errno = EINVAL;
    return false;
  }
  return Beneath(*held, [&](const BeneathRoot& root) { return MakeBeneath(root, rest); }) == 0;
}

DIR* SaveFolder_OpenListing(const std::string& path) {
  const int fd = SaveFolder_Open(path, O_RDONLY | O_DIRECTORY);
  if (fd < 0) return nullptr;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) CloseKeeping(fd);
  return dir;
}
