#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cfloat>
#include <optional>
#include <string>

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
    if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Tab))) focus_ = (focus_ + (Shift() ? stops - 1 : 1)) % stops;
    std::optional<ErrorDialogCommand> command;
    const bool press = ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Space), false) || DialogHost_ReturnPressed();
    if (press && focus_ > 0) command = buttons[static_cast<size_t>(focus_ - 1)];

    Field();
    const ImGuiStyle& style = ImGui::GetStyle();
    const float right = ImGui::GetContentRegionAvail().x - 2 * kButtonWidth - style.ItemSpacing.x;
    for (size_t i = 0; i < buttons.size(); ++i) {
      const ErrorDialogCommand button = buttons[i];
      if (i > 0) {
        // Abort and Ignore on the left, Copy and Clear on the right.
        if (button == ErrorDialogCommand::kCopy) {
          // Never over the left ones in a narrow window.
          const float after = ImGui::GetItemRectMax().x - ImGui::GetWindowPos().x + style.ItemSpacing.x;
          ImGui::SameLine(std::max(after, right + style.WindowPadding.x));
        } else {
          ImGui::SameLine();
        }
      }
      const bool focused = focus_ == static_cast<int>(i) + 1;
      if (focused) {
        ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 2.0f);
        ImGui::PushStyleColor(ImGuiCol_Border, ImVec4(1.0f, 1.0f, 1.0f, 1.0f));
      }
      if (ImGui::Button(ErrorDialog_Label(button), ImVec2(kButtonWidth, 0.0f))) {
        command = button;
        focus_ = static_cast<int>(i) + 1;
      }
      if (focused) {
        ImGui::PopStyleColor();
        ImGui::PopStyleVar();
      }
    }
    ImGui::End();
    if (!command) return true;
    const bool done = state_->Apply(*command);
    if (*command == ErrorDialogCommand::kClear) wrappedFor_ = -1.0f;
    return !done;
  }

 private:
  // The read-only field: it has the keyboard while the focus is on it, so
  // the keys that move in a text scroll it.
  void Field() {
    const ImGuiStyle& style = ImGui::GetStyle();
    const ImVec2 size(-FLT_MIN, -ImGui::GetFrameHeightWithSpacing());
    const float width = ImGui::GetContentRegionAvail().x - style.ScrollbarSize - 2 * style.FramePadding.x - 1.0f;
    if (width != wrappedFor_) {
      wrapped_ = ImguiSupport_Wrap(state_->Shown(), width);
      wrappedFor_ = width;
    }
    if (focus_ == 0 && !fieldActive_) ImGui::SetKeyboardFocusHere();
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
  std::string wrapped_;
  float wrappedFor_ = -1.0f;
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
