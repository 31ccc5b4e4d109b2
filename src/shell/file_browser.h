// What a file dialog shows and where a typed name leads, without drawing:
// the folder being looked at, its folders and then its files that match the
// chosen patterns, and the resolution of a name typed by the user.
#pragma once

#include <string>
#include <vector>

#include "platform/file_view.h"

// Where a typed name leads, as a full, folded path.
enum class BrowserTarget {
  kNothing,  // an empty name
  kFile,     // an existing file (found in any letter case)
  kFolder,   // an existing folder
  kMissing,  // nothing by that name yet
  kOutside,  // a place outside the browser's root
};
struct BrowserResolution {
  BrowserTarget target = BrowserTarget::kNothing;
  std::string path;
};

class FileBrowser {
 public:
  // `root` empty: the browser goes anywhere. Else it is a folder (ending in
  // "/", not necessarily made yet) that the browser and every name it
  // resolves stay inside. A start outside the root starts at the root.
  FileBrowser(const std::string& start, const std::string& root);

  // The folder looked at, a full path ending in "/".
  const std::string& Folder() const { return folder_; }
  // The root as a full path ending in "/"; "" when there is none.
  const std::string& Root() const { return root_; }
  // Goes to a folder (full, or relative to the current one); false, with
  // nothing changed, when it is no folder or lies outside the root.
  bool Enter(const std::string& folder);
  // Goes to the parent folder; false at the top ("/" or the root).
  bool Up();
  bool AtTop() const;

  // ";"-separated patterns ("*.txt;*.text"); none lists every file.
  void SetPatterns(const std::string& patterns);
  // Reads the folder again.
  void Refresh();
  // The folders, then the files that match, each in name order, letter
  // case aside; names starting with "." are left out.
  const std::vector<BrowserEntry>& Entries() const { return entries_; }

  // Where a typed name leads: "\" separates folders as "/" does, a name not
  // starting with "/" is taken from the current folder, and a missing name
  // that exists in another letter case is taken as that one.
  BrowserResolution Resolve(const std::string& typed) const;

 private:
  bool Inside(const std::string& full) const;

  std::string root_;
  std::string folder_;
  std::string patterns_;
  std::vector<BrowserEntry> entries_;
};

// True when a name matches one of the ";"-separated patterns, letter case
// aside ("*" any run, "?" one character; "*.*" matches every name, names
// without a dot too). Blank patterns are skipped; when none is left every
// name matches.
bool FileBrowser_Matches(const std::string& name, const std::string& patterns);

// The bytes as UTF-8 to show: each byte that does not belong to a valid
// sequence becomes U+FFFD.
std::string FileBrowser_Shown(const std::string& bytes);
