#include "shell/file_browser.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

#include "files/file_layer.h"
#include "files/path_beneath.h"
#include "files/save_folder.h"

namespace {

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) return "/";
  return buffer;
}

std::string WithSlashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

std::string AsFolder(const std::string& path) {
  if (!path.empty() && path.back() == '/') return path;
  return path + "/";
}

// A full, folded path for a name taken from `base` (a folder ending in "/").
std::string FullFrom(const std::string& base, const std::string& name) {
  return LoadSave_FoldPath(!name.empty() && name[0] == '/' ? name : base + name);
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

unsigned char Lower(char c) { return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c))); }

// "*" and "?" over bytes, letter case aside; a failed "*" tries one more
// character, so the match takes time in proportion to name times pattern.
bool Glob(const std::string& name, const std::string& pattern) {
  size_t n = 0, p = 0, starName = std::string::npos, starPattern = std::string::npos;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool NameOrder(const BrowserEntry& a, const BrowserEntry& b) {
  const int folded = strcasecmp(a.name.c_str(), b.name.c_str());
  return folded != 0 ? folded < 0 : a.name < b.name;
}

// Bytes a valid sequence starting with `lead` takes, 0 for a byte that
// cannot start one; overlong forms, surrogates and code points past
// U+10FFFF are not valid.
size_t SequenceLength(const std::string& bytes, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

bool FileBrowser_Matches(const std::string& name, const std::string& patterns) {
  bool any = false;
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    const std::string pattern = Trimmed(patterns.substr(start, end - start));
    start = end + 1;
    if (pattern.empty()) continue;
    any = true;
    if (pattern == "*.*" || Glob(name, pattern)) return true;
  }
  return !any;
}

std::string FileBrowser_Shown(const std::string& bytes) {
  std::string shown;
  shown.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const size_t length = SequenceLength(bytes, at);
    if (length == 0) {
      shown += "\xEF\xBF\xBD";
      ++at;
    } else {
      shown.append(bytes, at, length);
      at += length;
    }
  }
  return shown;
}

FileBrowser::FileBrowser(const std::string& start, const std::string& root) {
  const std::string current = AsFolder(CurrentDirectory());
  if (!root.empty()) root_ = AsFolder(FullFrom(current, WithSlashes(root)));
  folder_ = AsFolder(FullFrom(current, WithSlashes(start.empty() ? current : start)));
  if (!Inside(folder_)) folder_ = root_;
  Refresh();
}

// Under the root by name, and by where its links lead.
bool FileBrowser::Inside(const std::string& full) const {
  if (root_.empty()) return true;
  const std::string folder = AsFolder(full);
  return folder.compare(0, root_.size(), root_) == 0 && Beneath_Stays(root_, folder.substr(root_.size()));
}

bool FileBrowser::Enter(const std::string& folder) {
  const std::string full = AsFolder(FullFrom(folder_, WithSlashes(folder)));
  // The root may not be made yet; it is still the place to look.
  if (!Inside(full) || (full != root_ && !IsFolder(full))) return false;
  folder_ = full;
  Refresh();
  return true;
}

bool FileBrowser::AtTop() const { return folder_ == "/" || folder_ == root_; }

bool FileBrowser::Up() {
  if (AtTop()) return false;
  const size_t slash = folder_.rfind('/', folder_.size() - 2);
  folder_ = folder_.substr(0, slash + 1);
  Refresh();
  return true;
}

void FileBrowser::SetPatterns(const std::string& patterns) {
  patterns_ = patterns;
  Refresh();
}

void FileBrowser::Refresh() {
  entries_.clear();
  DIR* dir = SaveFolder_OpenListing(folder_);
  if (dir == nullptr) return;
  std::vector<BrowserEntry> files;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    struct stat info;
    if (fstatat(dirfd(dir), entry->d_name, &info, 0) != 0) continue;
    const bool folder = S_ISDIR(info.st_mode);
    if (!folder && !FileBrowser_Matches(entry->d_name, patterns_)) continue;
    (folder ? entries_ : files).push_back(BrowserEntry{entry->d_name, FileBrowser_Shown(entry->d_name), folder});
  }
  closedir(dir);
  std::sort(entries_.begin(), entries_.end(), NameOrder);
  std::sort(files.begin(), files.end(), NameOrder);
  entries_.insert(entries_.end(), files.begin(), files.end());
}

BrowserResolution FileBrowser::Resolve(const std::string& typed) const {
  const std::string name = WithSlashes(typed);
  if (name.empty()) return {};
  std::string full = FullFrom(folder_, name);
  if (!Inside(full)) return {BrowserTarget::kOutside, full};
  if (!Exists(full)) {
    const std::string other = LoadSave_ResolveCase(full);
    if (other != full && Exists(other)) full = other;
  }
  if (IsFolder(full)) return {BrowserTarget::kFolder, AsFolder(full)};
  if (Exists(full)) return {BrowserTarget::kFile, full};
  // A name ending in a separator asks for a folder.
  return {BrowserTarget::kMissing, name.back() == '/' ? AsFolder(full) : full};
}
