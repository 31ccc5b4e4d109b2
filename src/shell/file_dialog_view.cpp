#include "shell/file_dialog_view.h"

#include <vector>

#include "platform/file_view.h"

namespace {

// A session as the view asks for it.
class SessionModel final : public FileViewModel {
 public:
  explicit SessionModel(FileDialogSession* session) : session_(session) {
    for (const FileFilter& filter : session->filters)
      types_.push_back(FileBrowser_Shown(filter.description.empty() ? filter.patterns : filter.description));
  }

  bool Saving() const override { return session_->kind == FileDialogKind::kSave; }
  bool AtTop() const override { return session_->browser.AtTop(); }
  const std::string& Folder() const override { return session_->browser.Folder(); }
  std::string FolderShown() const override { return FileBrowser_Shown(session_->browser.Folder()); }
  const std::vector<BrowserEntry>& Entries() const override { return session_->browser.Entries(); }
  const std::vector<std::string>& TypesShown() const override { return types_; }
  bool Up() override { return session_->browser.Up(); }
  bool Enter(const std::string& folder) override { return session_->browser.Enter(folder); }
  void ChooseType(size_t index) override { session_->browser.SetPatterns(session_->filters[index].patterns); }
  FileDialogDecision Decide(const std::string& typed) const override { return session_->Decide(typed); }
  std::string ReplaceQuestion(const std::string& path) const override { return FileDialog_ReplaceQuestion(path); }

 private:
  FileDialogSession* session_;
  std::vector<std::string> types_;
};

}  // namespace

DialogHostResult FileDialogView_Run(FileDialogSession* session, const std::string& title,
                                    const std::string& defaultName, std::string* path) {
  SessionModel model(session);
  return FileView_Run(&model, title, defaultName, path);
}
