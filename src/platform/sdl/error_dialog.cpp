#include "platform/error_dialog.h"

#include <SDL.h>

#include <string>

#include "platform/answers.h"
#include "platform/switches.h"

namespace {

constexpr int kButtonIgnore = 0;
constexpr int kButtonAbort = 1;
constexpr int kButtonCopy = 2;

ErrorDialogAnswer DefaultAnswer(bool canIgnore) { return canIgnore ? kErrorDialogIgnore : kErrorDialogAbort; }

ErrorDialogAnswer Headless(const char* text, bool canIgnore) {
  Answers_PrintDialogText(text);
  std::string answer;
  if (!Answers_Next(&answer)) return DefaultAnswer(canIgnore);
  if (answer == "Abort") return kErrorDialogAbort;
  if (answer == "Ignore" && canIgnore) return kErrorDialogIgnore;
  return DefaultAnswer(canIgnore);
}

void CopyToClipboard(const char* text) {
  // The clipboard needs the video subsystem; without a display nothing is copied.
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  SDL_SetClipboardText(text);
}

}  // namespace

ErrorDialogAnswer ErrorDialog_Run(const char* text, bool canIgnore) {
  const char* body = text == nullptr ? "" : text;
  if (Switches_Get().headless) return Headless(body, canIgnore);
  SDL_MessageBoxButtonData buttons[3];
  int count = 0;
  buttons[count++] = {0, kButtonAbort, "Abort"};
  if (canIgnore) buttons[count++] = {0, kButtonIgnore, "Ignore"};
  buttons[count++] = {0, kButtonCopy, "Copy"};
  SDL_MessageBoxData data{SDL_MESSAGEBOX_ERROR, nullptr, "Code Error...", body, count, buttons, nullptr};
  while (true) {
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) return Headless(body, canIgnore);
    if (pressed == kButtonAbort) return kErrorDialogAbort;
    if (pressed == kButtonIgnore && canIgnore) return kErrorDialogIgnore;
    // Copy, or the close box: the dialog stays until Abort or Ignore.
    if (pressed == kButtonCopy) CopyToClipboard(body);
  }
}
