#include "platform/question_box.h"

#include <SDL.h>

#include <string>

#include "platform/answers.h"
#include "platform/switches.h"

namespace {

constexpr int kButtonNo = 0;
constexpr int kButtonYes = 1;

bool Headless(const char* text) {
  Answers_PrintDialogText(text);
  std::string answer;
  return !Answers_Next(&answer) || answer != "No";
}

}  // namespace

bool QuestionBox_Ask(const char* caption, const char* text) {
  const char* body = text == nullptr ? "" : text;
  if (Switches_Get().headless) return Headless(body);
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kButtonYes, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonNo, "No"},
  };
  const SDL_MessageBoxData data{
      SDL_MESSAGEBOX_INFORMATION, nullptr, caption == nullptr ? "" : caption, body, 2, buttons, nullptr};
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return Headless(body);
  // Closing the box is not a Yes.
  return pressed == kButtonYes;
}
