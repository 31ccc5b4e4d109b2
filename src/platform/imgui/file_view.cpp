#include "platform/file_view.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <string>
#include <vector>

#include "platform/device_window.h"

namespace {

constexpr float kPanelWidth = 640.0f;
constexpr float kPanelHeight = 460.0f;
constexpr float kButtonWidth = 90.0f;
constexpr const char* kReplacePopup = "Confirm Save As";

// A selectable row showing the text as it is: names and descriptions may
// hold "##", which a label would take for the start of its id.
bool Row(int id, const std::string& text, bool selected, ImGuiSelectableFlags flags = 0) {
  ImGui::PushID(id);
  const float x = ImGui::GetCursorPosX();
  const bool pressed = ImGui::Selectable("##row", selected, flags);
  ImGui::SameLine(x);
  ImGui::TextUnformatted(text.c_str());
  ImGui::PopID();
  return pressed;
}

// What the dialog holds between frames.
class FileDialogView {
 public:
  FileDialogView(FileViewModel* model, const std::string& title, const std::string& defaultName)
      : model_(model), title_(title), name_(defaultName) {}

  // One frame; false once the dialog is answered (path_ empty: cancelled).
  bool Frame() {
    // A small panel has the name and the type on one row, unlabelled.
    const bool small = DialogHost_BeginPanel(title_.c_str(), kPanelWidth, kPanelHeight);
    bool accept = false;
    bool cancel = false;
    const bool asking = ImGui::IsPopupOpen(kReplacePopup);
    const std::vector<const char*> labels = {model_->Saving() ? "Save" : "Open", "Cancel"};
    DialogHost_ShowsText(title_);
    DialogHost_ShowsText(model_->FolderShown());
    DialogHost_ShowsText(name_);

    ImGui::BeginDisabled(model_->AtTop());
    if (ImGui::Button("Up")) GoUp();
    ImGui::EndDisabled();
    ImGui::SameLine();
    ImGui::TextUnformatted(model_->FolderShown().c_str());

    // Below the list: the name, the type, a message, then the buttons.
    const float rows = (small ? 1.0f : 2.0f) + (message_.empty() ? 0.0f : 1.0f);
    const float below = ImGui::GetFrameHeightWithSpacing() * rows + DialogHost_ButtonsHeight(labels, kButtonWidth) +
                        ImGui::GetStyle().ItemSpacing.y;
    ImGui::BeginChild("entries", ImVec2(0.0f, -below), true);
    int enter = -1;
    const auto& entries = model_->Entries();
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
      const BrowserEntry& entry = entries[static_cast<size_t>(i)];
      const std::string label = entry.folder ? entry.shown + "/" : entry.shown;
      DialogHost_ShowsText(label);
      if (Row(i, label, selected_ == i, ImGuiSelectableFlags_AllowDoubleClick)) {
        selected_ = i;
        if (!entry.folder) name_ = entry.shown;
        if (ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) {
          if (entry.folder) {
            enter = i;
          } else {
            accept = true;
          }
        }
      }
    }
    ImGui::EndChild();
    if (enter >= 0) Open(model_->Folder() + entries[static_cast<size_t>(enter)].name);

    Label("File name:", small);
    ImGui::SetNextItemWidth(small ? ImGui::GetContentRegionAvail().x * 0.6f : -1.0f);
    if (focusName_) {
      ImGui::SetKeyboardFocusHere();
      focusName_ = false;
    }
    if (ImGui::InputText("##name", &name_, ImGuiInputTextFlags_EnterReturnsTrue)) accept = true;

    const auto& types = model_->TypesShown();
    for (const std::string& type : types) DialogHost_ShowsText(type);
    if (small) ImGui::SameLine();
    Label("Files of type:", small);
    ImGui::SetNextItemWidth(-1.0f);
    if (ImGui::BeginCombo("##type", types[type_].c_str())) {
      for (size_t i = 0; i < types.size(); ++i) {
        if (Row(static_cast<int>(i), types[i], i == type_)) ChooseType(i);
      }
      ImGui::EndCombo();
    }

    if (!message_.empty()) ImGui::TextColored(ImVec4(1.0f, 0.45f, 0.4f, 1.0f), "%s", message_.c_str());
    const int clicked = DialogHost_Buttons(labels, kButtonWidth, -1);
    accept = accept || clicked == 0;
    cancel = clicked == 1;

    bool finished = false;
    if (!asking) {
      accept = accept || DialogHost_ReturnPressed();
      finished = cancel || DialogHost_EscapePressed();
      // Judged inside the panel: the question it may open belongs to it.
      if (!finished && accept) finished = Accept();
    }
    if (AskReplace()) finished = true;
    DialogHost_EndPanel();
    return !finished;
  }

  const std::string& Path() const { return path_; }

 private:
  static void Label(const char* text, bool small) {
    if (small) return;
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(text);
    ImGui::SameLine();
  }

  void ChooseType(size_t index) {
    type_ = index;
    model_->ChooseType(index);
    selected_ = -1;
  }

  void Moved() {
    selected_ = -1;
    message_.clear();
    focusName_ = true;
  }

  void GoUp() {
    if (model_->Up()) Moved();
  }

  void Open(const std::string& folder) {
    if (model_->Enter(folder)) Moved();
  }

  // The name to judge: the entry picked in the list keeps its bytes on disk
  // even when they are not UTF-8 and the field shows U+FFFD for them.
  std::string Typed() const {
    const auto& entries = model_->Entries();
    if (selected_ >= 0 && static_cast<size_t>(selected_) < entries.size()) {
      const BrowserEntry& entry = entries[static_cast<size_t>(selected_)];
      if (!entry.folder && entry.shown == name_) return entry.name;
    }
    return name_;
  }

  // True when the dialog has its answer.
  bool Accept() {
    const FileDialogDecision decision = model_->Decide(Typed());
    switch (decision.verdict) {
      case FileDialogVerdict::kNothing: return false;
      case FileDialogVerdict::kChosen: path_ = decision.path; return true;
      case FileDialogVerdict::kEnterFolder:
        Open(decision.path);
        name_.clear();
        return false;
      case FileDialogVerdict::kAskReplace:
        replacing_ = decision.path;
        ImGui::OpenPopup(kReplacePopup);
        return false;
      case FileDialogVerdict::kRefused: message_ = decision.message; return false;
    }
    return false;
  }

  // The question before a file is replaced; true when Yes answered it and
  // with it the dialog.
  bool AskReplace() {
    if (!ImGui::BeginPopupModal(kReplacePopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return false;
    ImGui::TextUnformatted(model_->ReplaceQuestion(replacing_).c_str());
    bool replace = false;
    if (ImGui::Button("Yes", ImVec2(90.0f, 0.0f))) {
      path_ = replacing_;
      replace = true;
      ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("No", ImVec2(90.0f, 0.0f)) || DialogHost_EscapePressed()) {
      ImGui::CloseCurrentPopup();
      focusName_ = true;
    }
    ImGui::EndPopup();
    return replace;
  }

  FileViewModel* model_;
  std::string title_;
  std::string name_;
  std::string message_;
  std::string replacing_;
  std::string path_;
  int selected_ = -1;
  size_t type_ = 0;
  bool focusName_ = true;
};

}  // namespace

DialogHostResult FileView_Run(FileViewModel* model, const std::string& title, const std::string& defaultName,
                              std::string* path) {
  FileDialogView view(model, title, defaultName);
  DialogOwnWindow own;
  own.title = title.c_str();
  own.width = static_cast<int>(kPanelWidth);
  own.height = static_cast<int>(kPanelHeight);
  SDL_Window* window = DeviceWindow_SdlWindow(DeviceWindow_Current());
  const DialogHostResult result = DialogHost_Run(window, own, [&view] { return view.Frame(); });
  *path = view.Path();
  return result;
}
