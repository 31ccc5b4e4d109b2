// File search. The mask is used as given, not mapped: a relative mask looks
// in the program folder. "*" and "?" match in the name part, letters of
// either case alike; files and folders are found, "." and ".." never, and
// the names come in name order, letter case ignored. A folder under the save
// folder is listed only when no link leads out of it. Every name is
// listed, whatever its form, but for the temporary of a write this player
// has open now (where the file system makes no unnamed files).
#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "builtins/files/handlers.h"
#include "files/file_layer.h"
#include "files/save_folder.h"
#include "files/write_stream.h"

namespace {

struct Search {
  bool open = false;
  std::vector<std::string> names;
  size_t next = 0;
};

Search g_search;

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Iterative matching with one remembered star, so no mask can take
// exponential time.
bool Matches(const char* name, const char* mask) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*mask == '*') {
      star = mask++;
      resume = name;
    } else if (*mask != '\0' && (*mask == '?' || SameLetter(*mask, *name))) {
      ++mask;
      ++name;
    } else if (star != nullptr) {
      mask = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

bool NameOrder(const std::string& a, const std::string& b) {
  int order = strcasecmp(a.c_str(), b.c_str());
  return order != 0 ? order < 0 : a < b;
}

std::vector<std::string> Find(std::string mask) {
  std::replace(mask.begin(), mask.end(), '\\', '/');
  size_t slash = mask.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : mask.substr(0, slash + 1);
  std::string pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);
  // "*.*" is every name, dotted or not.
  if (pattern == "*.*") pattern = "*";
  if (folder.empty() || folder[0] != '/') folder = LoadSave_GetProgramDirectory() + folder;
  std::vector<std::string> names;
  DIR* dir = SaveFolder_OpenListing(folder);
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    if (WriteStream_IsOwnTemporary(dirfd(dir), entry->d_name)) continue;
    if (Matches(entry->d_name, pattern.c_str())) names.emplace_back(entry->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), NameOrder);
  return names;
}

void NextName(ScriptValue* result) {
  Result_SetEmptyText(result);
  if (!g_search.open || g_search.next >= g_search.names.size()) return;
  const std::string& name = g_search.names[g_search.next++];
  Result_SetText(result, name.data(), name.size());
}

}  // namespace

void F_FileFindFirst(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  FileFind_Close();
  g_search.open = a.IsString(0);
  if (g_search.open) g_search.names = Find(a.Text(0));
  NextName(result);
}

void F_FileFindNext(KV_BUILTIN_PARAMS) { NextName(result); }

void F_FileFindClose(KV_BUILTIN_PARAMS) { FileFind_Close(); }

void FileFind_Close() {
  g_search.open = false;
  g_search.names.clear();
  g_search.next = 0;
}
