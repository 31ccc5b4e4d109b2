#include "files/path_beneath.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "files/folder_index.h"
#include "platform/switches.h"

namespace {

// The system refuses a path that needs more links than this (ELOOP).
constexpr int kMostLinks = 40;
// openat2 answers EAGAIN when a rename elsewhere raced its walk.
constexpr int kRaceRetries = 8;
// A walk gives up after taking this many folder names in another letter
// case (each one was there when looked at: only folders renamed over and
// over while it walks come near).
constexpr int kMostVariants = 256;

bool g_walkOnly = false;

using Names = std::vector<std::string>;

// The names of a path, without empty ones and ".".
Names Split(const std::string& path) {
  Names names;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string name = path.substr(start, end - start);
    if (!name.empty() && name != ".") names.push_back(name);
    start = end + 1;
  }
  return names;
}

// The first count names joined by "/"; "." for none.
std::string Joined(const Names& names, size_t count) {
  if (count == 0) return ".";
  std::string path = names[0];
  for (size_t i = 1; i < count; ++i) path += "/" + names[i];
  return path;
}

// Errors after which the walk by descriptors decides: an absolute link
// (which may stay inside), a kernel without openat2, a race it gave up on.
bool WalkDecides(int error) { return error == EXDEV || error == ENOSYS || error == EAGAIN; }

int OpenAt2(int folder, const std::string& path, int flags, mode_t mode) {
  if (Switches_Get().noOpenat2) {
    g_walkOnly = true;
    errno = ENOSYS;
    return -1;
  }
  open_how how{};
  how.flags = static_cast<uint64_t>(flags | O_CLOEXEC);
  how.mode = (flags & O_CREAT) != 0 ? mode : 0;
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  for (int attempt = 0;; ++attempt) {
    const long fd = syscall(SYS_openat2, folder, path.c_str(), &how, sizeof how);
    if (fd >= 0) return static_cast<int>(fd);
    if (errno != EAGAIN || attempt >= kRaceRetries) break;
  }
  if (errno == ENOSYS) g_walkOnly = true;
  return -1;
}

enum class Probe { kLink, kMissing, kOther };

// Whether name in folder is a link (its target in *target), missing, or
// something else (or cannot be looked at).
Probe ProbeName(int folder, const std::string& name, std::string* target) {
  char buffer[PATH_MAX];
  const ssize_t length = readlinkat(folder, name.c_str(), buffer, sizeof buffer);
  if (length >= 0) {
    // A target too long for the system to follow is followed nowhere.
    target->assign(buffer, static_cast<size_t>(length) < sizeof buffer ? static_cast<size_t>(length) : 0);
    return Probe::kLink;
  }
  return errno == ENOENT ? Probe::kMissing : Probe::kOther;
}

// An absolute link target's names below the root, when it names a place
// under one of the root's spellings.
bool BelowRoot(const BeneathRoot& root, const Names& target, Names* below) {
  for (const Names& spelling : root.spellings) {
    if (target.size() < spelling.size() || !std::equal(spelling.begin(), spelling.end(), target.begin())) continue;
    below->assign(target.begin() + static_cast<std::ptrdiff_t>(spelling.size()), target.end());
    return true;
  }
  return false;
}

// The walk by descriptors: each folder is opened from the one before
// without following a link, and a link met is read and its target walked
// in turn, so the walk never leaves the folders it holds.
class Walk {
 public:
  Walk(const BeneathRoot& root, const std::string& rest) : root_(root) {
    const Names names = Split(rest);
    todo_.assign(names.begin(), names.end());
  }
  ~Walk() {
    for (int fd : folders_) close(fd);
  }
  Walk(const Walk&) = delete;
  Walk& operator=(const Walk&) = delete;

  int Open(int flags, mode_t mode) {
    std::string name;
    bool caseSettled = false;
    while (ToLast(&name)) {
      if (name.empty()) return openat(Top(), ".", flags | O_CLOEXEC, mode);
      std::string target;
      const Probe probe = ProbeName(Top(), name, &target);
      if (probe == Probe::kLink) {
        if (!Follow(target)) return -1;
        continue;
      }
      if (probe == Probe::kMissing && !caseSettled) {
        // The variant is looked at in turn: it may be a link.
        caseSettled = true;
        const std::string variant = Beneath_CaseVariant(Top(), name);
        if (!variant.empty()) {
          todo_.push_front(variant);
          continue;
        }
      }
      const int fd = openat(Top(), name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
      if (fd >= 0 || errno != ELOOP) return fd;
      // A link took its place since it was looked at.
      if (++links_ > kMostLinks) return -1;
      todo_.push_front(name);
    }
    return -1;
  }

  int OpenParent(bool followLast, std::string* leaf) {
    std::string name;
    while (ToLast(&name)) {
      if (name.empty()) {
        errno = EINVAL;
        return -1;
      }
      std::string target;
      Probe probe = ProbeName(Top(), name, &target);
      if (probe == Probe::kMissing) {
        const std::string variant = Beneath_CaseVariant(Top(), name);
        if (!variant.empty()) {
          name = variant;
          probe = ProbeName(Top(), name, &target);
        }
      }
      if (probe == Probe::kLink && followLast) {
        if (!Follow(target)) return -1;
        continue;
      }
      *leaf = name;
      return ReopenTop();
    }
    return -1;
  }

 private:
  int Top() const { return folders_.empty() ? root_.fd : folders_.back(); }

  // Walks the folders up to the last name, which it gives ("" when the
  // names end at a folder); false with errno.
  bool ToLast(std::string* last) {
    while (!todo_.empty()) {
      const std::string name = todo_.front();
      todo_.pop_front();
      if (name == "..") {
        if (folders_.empty()) {
          errno = EXDEV;
          return false;
        }
        close(folders_.back());
        folders_.pop_back();
        continue;
      }
      if (todo_.empty()) {
        *last = name;
        return true;
      }
      const int fd = openat(Top(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (fd >= 0) {
        folders_.push_back(fd);
        continue;
      }
      const int why = errno;
      if (why == ENOENT && ++variants_ <= kMostVariants) {
        // A missing folder stands for one differing only in letter case,
        // looked at in turn: it may be a link.
        const std::string variant = Beneath_CaseVariant(Top(), name);
        if (!variant.empty() && variant != name) {
          todo_.push_front(variant);
          continue;
        }
      }
      std::string target;
      if (why != ENOTDIR || ProbeName(Top(), name, &target) != Probe::kLink) {
        errno = why;
        return false;
      }
      if (!Follow(target)) return false;
    }
    last->clear();
    return true;
  }

  // Puts a link's target in front of the names still to walk; false when
  // it leads out of the root or one link too many was met.
  bool Follow(const std::string& target) {
    if (++links_ > kMostLinks) {
      errno = ELOOP;
      return false;
    }
    if (target.empty()) {
      errno = ENAMETOOLONG;
      return false;
    }
    Names names = Split(target);
    if (target[0] == '/') {
      Names below;
      if (!BelowRoot(root_, names, &below)) {
        errno = EXDEV;
        return false;
      }
      for (int fd : folders_) close(fd);
      folders_.clear();
      names = below;
    }
    todo_.insert(todo_.begin(), names.begin(), names.end());
    return true;
  }

  int ReopenTop() const {
    int fd = openat(Top(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) fd = openat(Top(), ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd;
  }

  const BeneathRoot& root_;
  std::vector<int> folders_;  // opened below the root, innermost last
  std::deque<std::string> todo_;
  int links_ = 0;
  int variants_ = 0;
};

// A missing last name: a name of its folder differing only in letter case.
int OpenCaseVariant(const BeneathRoot& root, const std::string& rest, const Names& names, int flags, mode_t mode) {
  const std::string folder = Joined(names, names.size() - 1);
  const int parent = OpenAt2(root.fd, folder, O_RDONLY | O_DIRECTORY, 0);
  // A folder on the way may differ in letter case: the walk settles each.
  if (parent < 0 && (WalkDecides(errno) || errno == ENOENT)) return Walk(root, rest).Open(flags, mode);
  const std::string variant = FolderIndex_Variant(parent, names.back());
  if (parent >= 0) close(parent);
  if (variant.empty() || variant == names.back()) {
    errno = ENOENT;
    return -1;
  }
  const int fd = OpenAt2(root.fd, folder == "." ? variant : folder + "/" + variant, flags, mode);
  if (fd < 0 && WalkDecides(errno)) return Walk(root, rest).Open(flags, mode);
  return fd;
}

// A file made where the last name (or the link it is) leads, in the folder
// the resolution gave.
int OpenCreating(const BeneathRoot& root, const std::string& rest, int flags, mode_t mode) {
  std::string leaf;
  const int parent = Beneath_OpenParent(root, rest, true, &leaf);
  if (parent < 0) return -1;
  const int fd = openat(parent, leaf.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
  const int why = errno;
  close(parent);
  errno = why;
  return fd;
}

}  // namespace

bool Beneath_OpenRoot(const std::string& folder, BeneathRoot* root) {
  Beneath_CloseRoot(root);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 && errno == EACCES) fd = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  root->fd = fd;
  root->spellings.push_back(Split(folder));
  if (char* real = realpath(folder.c_str(), nullptr)) {
    root->spellings.push_back(Split(real));
    std::free(real);
  }
  return true;
}

void Beneath_CloseRoot(BeneathRoot* root) {
  if (root->fd >= 0) close(root->fd);
  root->fd = -1;
  root->spellings.clear();
}

int Beneath_Open(const BeneathRoot& root, const std::string& rest, int flags, mode_t mode) {
  if (root.fd < 0) {
    errno = EBADF;
    return -1;
  }
  if ((flags & O_CREAT) != 0) return OpenCreating(root, rest, flags, mode);
  if (!g_walkOnly) {
    // The kernel takes rest as it is, "." and ".." included.
    const int fd = OpenAt2(root.fd, rest.empty() ? std::string(".") : rest, flags, mode);
    if (fd >= 0) return fd;
    const Names names = errno == ENOENT ? Split(rest) : Names();
    if (!names.empty() && names.back() != "..") return OpenCaseVariant(root, rest, names, flags, mode);
    if (!WalkDecides(errno)) return -1;
  }
  return Walk(root, rest).Open(flags, mode);
}

int Beneath_OpenParent(const BeneathRoot& root, const std::string& rest, bool followLast, std::string* leaf,
                       struct stat* last) {
  struct stat ignored;
  if (last == nullptr) last = &ignored;
  last->st_mode = 0;
  if (root.fd < 0) {
    errno = EBADF;
    return -1;
  }
  const Names names = Split(rest);
  if (g_walkOnly || names.empty() || names.back() == "..") return Walk(root, rest).OpenParent(followLast, leaf);
  const std::string folder = Joined(names, names.size() - 1);
  // A name in the root itself needs no walk: the root held open is its folder.
  int parent =
      names.size() == 1 ? fcntl(root.fd, F_DUPFD_CLOEXEC, 0) : OpenAt2(root.fd, folder, O_RDONLY | O_DIRECTORY, 0);
  if (parent < 0 && errno == EACCES) parent = OpenAt2(root.fd, folder, O_PATH | O_DIRECTORY, 0);
  if (parent < 0 && (WalkDecides(errno) || errno == ENOENT)) return Walk(root, rest).OpenParent(followLast, leaf);
  if (parent < 0) return -1;
  // One look at the last name tells a link from a file; only a link is read.
  std::string name = names.back();
  bool there = fstatat(parent, name.c_str(), last, AT_SYMLINK_NOFOLLOW) == 0;
  if (!there && errno == ENOENT) {
    const std::string variant = Beneath_CaseVariant(parent, name);
    if (!variant.empty()) {
      name = variant;
      there = fstatat(parent, name.c_str(), last, AT_SYMLINK_NOFOLLOW) == 0;
    }
  }
  if (!there) last->st_mode = 0;
  if (there && S_ISLNK(last->st_mode)) {
    last->st_mode = 0;
    if (followLast) {
      close(parent);
      return Walk(root, rest).OpenParent(followLast, leaf);
    }
  }
  *leaf = name;
  return parent;
}

bool Beneath_Stays(const std::string& root, const std::string& rest) {
  BeneathRoot held;
  if (!Beneath_OpenRoot(root, &held)) return true;
  std::string leaf;
  const int fd = Beneath_OpenParent(held, rest, true, &leaf);
  const bool out = fd < 0 && (errno == EXDEV || errno == ELOOP);
  if (fd >= 0) close(fd);
  Beneath_CloseRoot(&held);
  return !out;
}

void Beneath_UseWalkOnly(bool walkOnly) { g_walkOnly = walkOnly; }

std::string Path_Fold(const std::string& absolute) {
  std::string folded;
  folded.reserve(absolute.size());
  size_t start = 0;
  while (start < absolute.size()) {
    size_t end = absolute.find('/', start);
    if (end == std::string::npos) end = absolute.size();
    const size_t length = end - start;
    if (length == 2 && absolute.compare(start, 2, "..") == 0) {
      const size_t slash = folded.rfind('/');
      folded.resize(slash == std::string::npos ? 0 : slash);
    } else if (length > 0 && !(length == 1 && absolute[start] == '.')) {
      folded += '/';
      folded.append(absolute, start, length);
    }
    start = end + 1;
  }
  return folded.empty() ? std::string("/") : folded;
}

std::string Path_CaseVariant(const std::string& folder, const std::string& name) {
  return FolderIndex_VariantAt(folder, name);
}

std::string Beneath_CaseVariant(int folder, const std::string& name) { return FolderIndex_Variant(folder, name); }
