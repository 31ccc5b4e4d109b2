#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/answers.h"
#include "platform/switches.h"

namespace {

MessageBoxPrelude g_prelude = nullptr;

}  // namespace

void MessageBox_SetPrelude(MessageBoxPrelude prelude) { g_prelude = prelude; }

void ShowMessage(const char* text) {
  if (g_prelude != nullptr) g_prelude();
  // A lone CR breaks a line as LF and CR LF do.
  const std::string lines = Answers_LineFeeds(text == nullptr ? "" : text);
  const char* body = lines.c_str();
  if (Switches_Get().headless) {
    std::fputs(body, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return;
  }
  // SDL takes UTF-8 as it is; a failure (no display) falls back to stdout.
  if (SDL_ShowSimpleMessageBox(0, "", body, nullptr) != 0) {
    std::fputs(body, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

void ShowFatalMessage(const char* text) {
  const char* body = text == nullptr ? "" : text;
  if (Switches_Get().headless ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Korvalith", body, nullptr) != 0) {
    std::printf("%s\n", body);
    std::fflush(stdout);
  }
}
