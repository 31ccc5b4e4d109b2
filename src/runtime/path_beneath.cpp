#include "runtime/path_beneath.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

namespace {

// The system refuses a path that needs more links than this (ELOOP).
constexpr int kMostLinks = 40;

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

std::string Join(const std::string& root, const Names& names) {
  std::string path = root;
  for (const std::string& name : names) {
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
  }
  return path.empty() ? std::string("/") : path;
}

bool ReadLink(const std::string& path, std::string* target) {
  char buffer[PATH_MAX];
  ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) return false;
  target->assign(buffer, static_cast<size_t>(length));
  return true;
}

struct Walk {
  std::string root;
  std::vector<Names> rootSpellings;  // the root as given, and with its own links followed
  Names done;                        // names walked so far, none of them a link
  std::deque<std::string> todo;      // names still to walk
  int links = 0;
};

// An absolute link target's names below the root, when it names a place
// under one of the root's spellings.
bool BelowRoot(const Walk& walk, const Names& target, Names* below) {
  for (const Names& root : walk.rootSpellings) {
    if (target.size() < root.size() || !std::equal(root.begin(), root.end(), target.begin())) continue;
    below->assign(target.begin() + static_cast<std::ptrdiff_t>(root.size()), target.end());
    return true;
  }
  return false;
}

// Puts a link's target in front of the names still to walk; false when it
// leads out of the root or one link too many was met.
bool FollowLink(Walk& walk, const std::string& link) {
  std::string target;
  if (++walk.links > kMostLinks || !ReadLink(link, &target)) return false;
  Names names = Split(target);
  if (target[0] == '/') {
    Names below;
    if (!BelowRoot(walk, names, &below)) return false;
    walk.done.clear();
    names = below;
  }
  walk.todo.insert(walk.todo.begin(), names.begin(), names.end());
  return true;
}

// Walks the next name; false when the walk leaves the root. A name that
// cannot be looked at (missing, in a file, unreadable folder) is kept as
// given: the operation on the answer meets the same obstacle.
bool Step(Walk& walk) {
  std::string name = walk.todo.front();
  walk.todo.pop_front();
  if (name == "..") {
    if (walk.done.empty()) return false;
    walk.done.pop_back();
    return true;
  }
  const std::string folder = Join(walk.root, walk.done);
  struct stat info;
  bool found = lstat(Join(folder, Names{name}).c_str(), &info) == 0;
  if (!found && errno == ENOENT && walk.todo.empty()) {
    std::string variant = Path_CaseVariant(folder, name);
    if (!variant.empty() && variant != name) {
      name = variant;
      found = lstat(Join(folder, Names{name}).c_str(), &info) == 0;
    }
  }
  if (found && S_ISLNK(info.st_mode)) return FollowLink(walk, Join(folder, Names{name}));
  walk.done.push_back(name);
  return true;
}

}  // namespace

std::string Path_ResolveBeneath(const std::string& root, const std::string& rest) {
  Walk walk;
  walk.root = root;
  walk.rootSpellings.push_back(Split(root));
  if (char* real = realpath(root.c_str(), nullptr)) {
    walk.rootSpellings.push_back(Split(real));
    std::free(real);
  }
  Names names = Split(rest);
  walk.todo.assign(names.begin(), names.end());
  while (!walk.todo.empty()) {
    if (!Step(walk)) return std::string();
  }
  return walk.done.empty() ? root : Join(root, walk.done);
}

std::string Path_CaseVariant(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (dir == nullptr) return std::string();
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) != 0) continue;
    if (best.empty() || std::strcmp(entry->d_name, best.c_str()) < 0) best = entry->d_name;
  }
  closedir(dir);
  return best;
}
