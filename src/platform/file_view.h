// The file dialog's view on the desktop (over Dear ImGui in imgui/): a
// folder's entries, the file types, the name typed or picked, and the
// question before a file is replaced. What each action means is the
// model's, the shell's browser behind it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/dialog_host.h"

// One entry of the folder shown.
struct BrowserEntry {
  std::string name;   // the bytes on disk
  std::string shown;  // the same as UTF-8, bytes that are not shown as U+FFFD
  bool folder = false;
};

enum class FileDialogVerdict {
  kNothing,      // no name typed
  kChosen,       // the path is the answer
  kEnterFolder,  // the name is a folder: look there
  kAskReplace,   // the path exists: ask before replacing it
  kRefused,      // the message says why
};
struct FileDialogDecision {
  FileDialogVerdict verdict = FileDialogVerdict::kNothing;
  std::string path;
  const char* message = "";
};

class FileViewModel {
 public:
  virtual ~FileViewModel() = default;
  virtual bool Saving() const = 0;
  virtual bool AtTop() const = 0;
  // The folder as stored, and as shown.
  virtual const std::string& Folder() const = 0;
  virtual std::string FolderShown() const = 0;
  virtual const std::vector<BrowserEntry>& Entries() const = 0;
  // Each file type as shown, in order.
  virtual const std::vector<std::string>& TypesShown() const = 0;
  // Each true when the folder changed.
  virtual bool Up() = 0;
  virtual bool Enter(const std::string& folder) = 0;
  virtual void ChooseType(size_t index) = 0;
  virtual FileDialogDecision Decide(const std::string& typed) const = 0;
  virtual std::string ReplaceQuestion(const std::string& path) const = 0;
};

// Shows the dialog (over the game's window, else in a window of its own)
// until it is answered; kFinished with *path set when a file was chosen,
// kFinished with *path empty when it was cancelled.
DialogHostResult FileView_Run(FileViewModel* model, const std::string& title, const std::string& defaultName,
                              std::string* path);
