#include "shell/file_dialog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "files/file_layer.h"
#include "platform/answers.h"
#include "platform/switches.h"
#include "runtime/console.h"
#include "shell/file_dialog_view.h"

namespace {

constexpr const char* kOpenTitle = "Open";
constexpr const char* kSaveTitle = "Save As";

// The process's current folder, put back however the dialog ends, so that
// the game's relative paths mean the same afterwards.
class CurrentFolderKeeper {
 public:
  CurrentFolderKeeper() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) != nullptr) folder_ = buffer;
  }
  ~CurrentFolderKeeper() {
    // Nothing more can be done when the folder went away meanwhile.
    if (!folder_.empty() && chdir(folder_.c_str()) != 0) folder_.clear();
  }
  CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
  CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

 private:
  std::string folder_;
};

bool IsFolder(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string Text(const char* text) { return text == nullptr ? std::string() : std::string(text); }

// No "." in the part after the last separator.
bool IsBare(const std::string& typed) {
  const size_t slash = typed.find_last_of("/\\");
  return typed.find('.', slash == std::string::npos ? 0 : slash + 1) == std::string::npos;
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Headless: the title, then the next scripted answer typed into the dialog.
bool Answer(const FileDialogSession& session, const std::string& title, std::string* path) {
  Answers_PrintDialogText(title.c_str());
  std::string typed;
  if (!Answers_Next(&typed) || typed.empty() || typed == "Cancel") return false;
  const FileDialogDecision decision = session.Decide(typed);
  if (decision.verdict == FileDialogVerdict::kAskReplace) {
    Answers_PrintDialogText(FileDialog_ReplaceQuestion(decision.path).c_str());
    std::string replace;
    if (!Answers_Next(&replace) || replace != "Yes") return false;
  } else if (decision.verdict != FileDialogVerdict::kChosen) {
    return false;
  }
  *path = decision.path;
  return true;
}

bool Run(FileDialogSession* session, const char* title, const char* defaultName, std::string* path) {
  const std::string shownTitle = title != nullptr && title[0] != '\0'
                                     ? std::string(title)
                                     : std::string(session->kind == FileDialogKind::kOpen ? kOpenTitle : kSaveTitle);
  if (!Switches_Get().headless) {
    switch (FileDialogView_Run(session, shownTitle, Text(defaultName), path)) {
      case DialogHostResult::kFinished: return !path->empty();
      case DialogHostResult::kClosed: return false;
      case DialogHostResult::kUnavailable: break;
    }
  }
  return Answer(*session, shownTitle, path);
}

}  // namespace

std::vector<FileFilter> FileDialog_ParseFilter(const char* filter) {
  std::vector<std::string> items;
  const std::string text = Text(filter);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('|', start);
    if (end == std::string::npos) end = text.size();
    items.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (!text.empty() && text.back() == '|') items.emplace_back();
  std::vector<FileFilter> filters;
  for (size_t i = 0; i < items.size(); i += 2) {
    FileFilter pair{items[i], i + 1 < items.size() ? items[i + 1] : std::string()};
    if (!pair.description.empty() || !pair.patterns.empty()) filters.push_back(pair);
  }
  if (filters.empty()) filters.push_back(FileFilter{});
  return filters;
}

bool FileDialog_DefaultExtension(const char* filter, std::string* text) {
  text->clear();
  const std::string whole = Text(filter);
  const size_t bar = whole.find('|');
  if (bar == std::string::npos) return false;
  const size_t dot = whole.find('.', bar + 1);
  if (dot == std::string::npos) return false;
  const size_t end = whole.find('|', dot + 1);
  *text = whole.substr(dot + 1, end == std::string::npos ? std::string::npos : end - dot - 1);
  return true;
}

std::string FileDialog_ExtensionToAdd(const std::string& text) {
  std::string extension = text.substr(0, text.find(';'));
  while (!extension.empty() && extension.back() == ' ') extension.pop_back();
  if (extension.find_first_of("*?") != std::string::npos) return std::string();
  return extension;
}

std::string FileDialog_ReplaceQuestion(const std::string& path) {
  return FileBrowser_Shown(path) + " already exists.\nDo you want to replace it?";
}

FileDialogDecision FileDialogSession::Decide(const std::string& typed) const {
  BrowserResolution found = browser.Resolve(typed);
  if (found.target == BrowserTarget::kNothing) return {};
  if (found.target == BrowserTarget::kFolder) return {FileDialogVerdict::kEnterFolder, found.path};
  if (found.target == BrowserTarget::kOutside) {
    return {FileDialogVerdict::kRefused, "", "Files can only be saved in the game's save folder."};
  }
  if (kind == FileDialogKind::kOpen) {
    if (found.target == BrowserTarget::kFile) return {FileDialogVerdict::kChosen, found.path};
    return {FileDialogVerdict::kRefused, "", "The file does not exist."};
  }
  if (!extension.empty() && IsBare(typed)) {
    found = browser.Resolve(typed + "." + extension);
    if (found.target == BrowserTarget::kFolder) return {FileDialogVerdict::kEnterFolder, found.path};
  }
  if (found.target == BrowserTarget::kFile) return {FileDialogVerdict::kAskReplace, found.path};
  // A new file needs its folder; the save folder itself is made on the first write.
  const std::string parent = ParentOf(found.path);
  if (found.path.back() == '/' || (parent != browser.Root() && !IsFolder(parent))) {
    return {FileDialogVerdict::kRefused, "", "The folder does not exist."};
  }
  return {FileDialogVerdict::kChosen, found.path};
}

bool Win_GetOpenFileName(const char* filter, const char* defaultName, const char* initialFolder, const char* title,
                         std::string* path) {
  path->clear();
  CurrentFolderKeeper keeper;
  std::string start = Text(initialFolder);
  for (char& c : start) {
    if (c == '\\') c = '/';
  }
  if (!IsFolder(start)) start.clear();
  FileDialogSession session{FileDialogKind::kOpen, FileBrowser(start, std::string()), FileDialog_ParseFilter(filter),
                            std::string()};
  session.browser.SetPatterns(session.filters.front().patterns);
  return Run(&session, title, defaultName, path);
}

bool Win_GetSaveFileName(const char* filter, const char* defaultName, const char* initialFolder, const char* title,
                         std::string* path) {
  path->clear();
  CurrentFolderKeeper keeper;
  std::string extension;
  const bool hasExtension = FileDialog_DefaultExtension(filter, &extension);
  g_debugConsole->Output("pDefExt = %s\n", hasExtension ? extension.c_str() : "(null)");
  const std::string root = LoadSave_GetSaveDirectory();
  if (root.empty()) return false;
  std::string start;
  if (initialFolder != nullptr && initialFolder[0] != '\0') {
    char mapped[PATH_MAX];
    if (LoadSave_MapToSaveDir(mapped, sizeof mapped, initialFolder) && IsFolder(mapped)) start = mapped;
  }
  FileDialogSession session{FileDialogKind::kSave, FileBrowser(start.empty() ? root : start, root),
                            FileDialog_ParseFilter(filter), FileDialog_ExtensionToAdd(extension)};
  session.browser.SetPatterns(session.filters.front().patterns);
  return Run(&session, title, defaultName, path);
}
