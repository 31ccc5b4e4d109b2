#include "platform/dialog_box.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/answers.h"
#include "platform/imgui/imgui_support.h"

namespace {

// Windows' dialog units in pixels, across and down.
constexpr float kUnitX = 1.5f;
constexpr float kUnitY = 1.6f;
// The least width of a button, as Windows' push buttons.
constexpr float kButtonWidth = 50 * kUnitX;

struct Size {
  float width, height;
};

Size SizeOf(DialogBoxKind kind) {
  switch (kind) {
    case DialogBoxKind::kInput:
    case DialogBoxKind::kQuestion: return {319 * kUnitX, 74 * kUnitY};
    case DialogBoxKind::kMessage: return {316 * kUnitX, 92 * kUnitY};
    case DialogBoxKind::kLogin: return {197 * kUnitX, 82 * kUnitY};
  }
  return {0, 0};
}

// The title shown, and one id for every dialog whatever its title.
std::string Title(const DialogBoxContent& content) {
  const std::string shown = content.kind == DialogBoxKind::kLogin ? "Login" : content.caption;
  return shown + "###korvalith_dialog";
}

class DialogBoxView {
 public:
  explicit DialogBoxView(const DialogBoxContent& content)
      : content_(content), prompt_(Answers_LineFeeds(content.prompt.c_str())), title_(Title(content)) {
    answer_.text = content.text;
    answer_.password = content.password;
  }

  const DialogBoxAnswer& Answer() const { return answer_; }

  // One frame; false once answered.
  bool Frame() {
    const Size size = SizeOf(content_.kind);
    DialogHost_BeginPanel(title_.c_str(), size.width, size.height);
    DialogHost_ShowsText(title_);
    DialogHost_ShowsText(prompt_);
    DialogHost_ShowsText(answer_.text);
    const bool edits = content_.kind == DialogBoxKind::kInput || content_.kind == DialogBoxKind::kLogin;
    const std::vector<const char*> labels = Labels();
    // Without a field the buttons have the keyboard: Tab moves between
    // them, Space and Return press the one it is on.
    if (!edits && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Tab))) focus_ = (focus_ + 1) % labels.size();
    int pressed = -1;
    if (!edits && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Space), false)) pressed = static_cast<int>(focus_);
    bool confirm = DialogHost_ReturnPressed();
    if (!edits && confirm) {
      confirm = false;
      pressed = static_cast<int>(focus_);
    }
    bool cancel = (edits || content_.escapeCloses) && DialogHost_EscapePressed();
    const float buttons = DialogHost_ButtonsHeight(labels, kButtonWidth) + ImGui::GetStyle().ItemSpacing.y;
    if (content_.kind == DialogBoxKind::kLogin) {
      Field("Username", "##user", &answer_.text, 0);
      Field("Password", "##password", &answer_.password, ImGuiInputTextFlags_Password);
    } else {
      const float below = buttons + (edits ? ImGui::GetFrameHeightWithSpacing() : 0.0f);
      // A long text scrolls inside its own region.
      ImGui::BeginChild("prompt", ImVec2(0.0f, -below), false);
      // Room is kept for the scroll bar, so the lines stay as they are
      // when it comes.
      const float width = ImGui::GetContentRegionAvail().x - ImGui::GetStyle().ScrollbarSize;
      const int glyphs = ImGui::GetFont()->Glyphs.Size;
      if (width != wrappedFor_ || glyphs != wrappedGlyphs_) {
        wrapped_ = ImguiSupport_Wrap(prompt_, width);
        wrappedFor_ = width;
        wrappedGlyphs_ = glyphs;
      }
      ImGui::TextUnformatted(wrapped_.c_str(), wrapped_.c_str() + wrapped_.size());
      ImGui::EndChild();
      if (edits) Field(nullptr, "##text", &answer_.text, 0);
    }
    const int clicked = DialogHost_Buttons(labels, kButtonWidth, edits ? -1 : static_cast<int>(focus_));
    if (clicked >= 0) pressed = clicked;
    DialogHost_EndPanel();
    ++frames_;
    // The first button says yes, the second no.
    if (pressed == 0) confirm = true;
    if (pressed == 1) cancel = true;
    // A message's only button answers OK whatever closed it.
    if (cancel && content_.kind == DialogBoxKind::kMessage) {
      cancel = false;
      confirm = true;
    }
    if (confirm) {
      answer_.confirmed = true;
      return false;
    }
    if (cancel) {
      answer_ = DialogBoxAnswer{};
      return false;
    }
    return true;
  }

 private:
  std::vector<const char*> Labels() const {
    switch (content_.kind) {
      case DialogBoxKind::kQuestion: return {"Yes", "No"};
      case DialogBoxKind::kMessage: return {"OK"};
      case DialogBoxKind::kInput:
      case DialogBoxKind::kLogin: break;
    }
    return {"OK", "Cancel"};
  }

  // The first edit box has the keyboard from the start.
  void Field(const char* label, const char* id, std::string* text, ImGuiInputTextFlags flags) {
    if (label != nullptr) {
      ImGui::AlignTextToFramePadding();
      ImGui::TextUnformatted(label);
      ImGui::SameLine(ImGui::GetFontSize() * 5.5f);
    }
    if (frames_ == 0 && !focused_) {
      ImGui::SetKeyboardFocusHere();
      focused_ = true;
    }
    ImGui::SetNextItemWidth(-1.0f);
    ImGui::InputText(id, text, flags);
  }

  DialogBoxContent content_;
  std::string prompt_;
  std::string wrapped_;  // the prompt's lines at the width below
  float wrappedFor_ = -1.0f;
  int wrappedGlyphs_ = 0;  // the font's glyphs when it was wrapped
  std::string title_;
  DialogBoxAnswer answer_;
  int frames_ = 0;
  bool focused_ = false;
  size_t focus_ = 0;  // the button the keyboard is on
};

}  // namespace

DialogHostResult DialogBox_Run(SDL_Window* window, const DialogBoxContent& content, DialogBoxAnswer* answer) {
  DialogBoxView view(content);
  DialogOwnWindow own;
  own.title = content.kind == DialogBoxKind::kLogin ? "Login" : content.caption.c_str();
  const Size size = SizeOf(content.kind);
  own.width = static_cast<int>(size.width);
  own.height = static_cast<int>(size.height);
  const DialogHostResult result = DialogHost_Run(window, own, [&view] { return view.Frame(); });
  *answer = result == DialogHostResult::kFinished ? view.Answer() : DialogBoxAnswer{};
  return result;
}

bool DialogBox_Open(SDL_Window* window, const DialogBoxContent& content, const DialogBoxDone& done) {
  auto view = std::make_shared<DialogBoxView>(content);
  return DialogHost_Open(window, [view, done] {
    if (view->Frame()) return true;
    done(view->Answer());
    return false;
  });
}
