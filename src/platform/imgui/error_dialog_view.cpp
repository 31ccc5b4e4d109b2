#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cfloat>
#include <optional>
#include <string>
#include <vector>

#include "platform/answers.h"
#include "platform/clipboard.h"
#include "platform/device_window.h"
#include "platform/error_dialog.h"
#include "platform/imgui/imgui_support.h"
#include "platform/switches.h"

namespace {

ErrorDialogAnswer DefaultAnswer(bool canIgnore) { return canIgnore ? kErrorDialogIgnore : kErrorDialogAbort; }

ErrorDialogAnswer Headless(const char* text, bool canIgnore) {
  Answers_PrintDialogText(text);
  std::string answer;
  if (!Answers_Next(&answer)) return DefaultAnswer(canIgnore);
  if (answer == "Abort") return kErrorDialogAbort;
  if (answer == "Ignore" && canIgnore) return kErrorDialogIgnore;
  return DefaultAnswer(canIgnore);
}

// Windows' dialog units in pixels, across and down.
constexpr float kUnitX = 1.5f;
constexpr float kUnitY = 1.6f;
constexpr float kWidth = 399 * kUnitX;
constexpr float kHeight = 307 * kUnitY;
constexpr float kButtonWidth = 50 * kUnitX;
constexpr const char* kCaption = "Code Error...";

// Either shift key held; the keys' own state too, for key events whose
// modifiers the desktop never saw.
bool Shift() {
  return ImGui::GetIO().KeyShift || ImGui::IsKeyDown(SDL_SCANCODE_LSHIFT) || ImGui::IsKeyDown(SDL_SCANCODE_RSHIFT);
}

// The dialog drawn: the field, then the buttons, with a keyboard focus that
// Tab and Shift+Tab move round the field and the buttons, and Space or
// Return presses the button it is on. Escape, and Return on the field, do
// nothing.
class ErrorDialogView {
 public:
  explicit ErrorDialogView(ErrorDialogState* state) : state_(state) {}

  bool Frame() {
    DialogHost_BeginPanel((std::string(kCaption) + "###korvalith_error").c_str(), kWidth, kHeight);
    const auto& buttons = state_->Buttons();
    const int stops = static_cast<int>(buttons.size()) + 1;
    if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Tab))) {
      focus_ = (focus_ + (Shift() ? stops - 1 : 1)) % stops;
      focusField_ = focus_ == 0;
    }
    std::optional<ErrorDialogCommand> command;
    const bool press = ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Space), false) || DialogHost_ReturnPressed();
    if (press && focus_ > 0) command = buttons[static_cast<size_t>(focus_ - 1)];

    std::vector<const char*> labels;
    for (const ErrorDialogCommand button : buttons) labels.push_back(ErrorDialog_Label(button));
    Field(DialogHost_ButtonsHeight(labels, kButtonWidth));
    const int clicked = DialogHost_Buttons(labels, kButtonWidth, focus_ - 1);
    if (clicked >= 0) {
      command = buttons[static_cast<size_t>(clicked)];
      focus_ = clicked + 1;
    }
    DialogHost_EndPanel();
    if (!command) return true;
    const bool done = state_->Apply(*command);
    if (*command == ErrorDialogCommand::kClear) wrappedFor_ = -1.0f;
    return !done;
  }

 private:
  // The read-only field: it has the keyboard while the focus is on it, so
  // the keys that move in a text scroll it.
  // The buttons below it take `buttons` of the height.
  void Field(float buttons) {
    const ImGuiStyle& style = ImGui::GetStyle();
    const ImVec2 size(-FLT_MIN, -(buttons + style.ItemSpacing.y));
    const float width = ImGui::GetContentRegionAvail().x - style.ScrollbarSize - 2 * style.FramePadding.x - 1.0f;
    DialogHost_ShowsText(state_->Shown());
    const int glyphs = ImGui::GetFont()->Glyphs.Size;
    if (width != wrappedFor_ || glyphs != wrappedGlyphs_) {
      wrapped_ = ImguiSupport_Wrap(state_->Shown(), width);
      wrappedFor_ = width;
      wrappedGlyphs_ = glyphs;
    }
    // Only when the dialog starts or Tab comes to it: a click on a button
    // takes the field's keyboard away between its press and its release,
    // and the field must not take it back then.
    if (focusField_ && !fieldActive_) ImGui::SetKeyboardFocusHere();
    focusField_ = false;
    if (focus_ != 0 && fieldActive_) ImGui::ClearActiveID();
    // Tab moves the dialog's own focus, never ImGui's.
    ImGui::PushItemFlag(ImGuiItemFlags_NoTabStop, true);
    ImGui::InputTextMultiline("##text", &wrapped_, size, ImGuiInputTextFlags_ReadOnly);
    ImGui::PopItemFlag();
    if (ImGui::IsItemActivated()) focus_ = 0;
    fieldActive_ = ImGui::IsItemActive();
  }

  ErrorDialogState* state_;
  int focus_ = 0;  // 0 the field, then the buttons in order
  bool fieldActive_ = false;
  bool focusField_ = true;  // the field is to take the keyboard
  std::string wrapped_;
  float wrappedFor_ = -1.0f;
  int wrappedGlyphs_ = 0;  // the font's glyphs when it was wrapped
};

}  // namespace

DialogHostResult ErrorDialog_Draw(SDL_Window* window, ErrorDialogState* state) {
  ErrorDialogView view(state);
  DialogOwnWindow own;
  own.title = kCaption;
  own.width = static_cast<int>(kWidth);
  own.height = static_cast<int>(kHeight);
  own.closeKeepsOpen = true;
  return DialogHost_Run(window, own, [&view] { return view.Frame(); });
}

ErrorDialogAnswer ErrorDialog_Run(const char* text, bool canIgnore) {
  const char* body = text == nullptr ? "" : text;
  if (Switches_Get().headless) return Headless(body, canIgnore);
  ErrorDialogState state(body, canIgnore, [](const std::string& copied) { Clipboard_SetText(copied.c_str()); });
  switch (ErrorDialog_Draw(DeviceWindow_SdlWindow(DeviceWindow_Current()), &state)) {
    case DialogHostResult::kFinished: return state.Answer();
    // The program is ending: the game goes too.
    case DialogHostResult::kClosed: return kErrorDialogAbort;
    case DialogHostResult::kUnavailable: break;
  }
  return Headless(body, canIgnore);
}
