#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/answers.h"
#include "platform/device_window.h"
#include "platform/switches.h"

namespace {

MessageBoxPrelude g_prelude = nullptr;
MessageBoxTitle g_title = nullptr;

}  // namespace

void MessageBox_SetPrelude(MessageBoxPrelude prelude) { g_prelude = prelude; }

void MessageBox_SetTitleSource(MessageBoxTitle title) { g_title = title; }

DialogBoxContent MessageBox_Content(const char* text) {
  DialogBoxContent content;
  content.kind = DialogBoxKind::kMessage;
  const char* title = g_title == nullptr ? nullptr : g_title();
  content.caption = title == nullptr ? "" : title;
  content.prompt = text == nullptr ? "" : text;
  return content;
}

void ShowMessage(const char* text) {
  if (g_prelude != nullptr) g_prelude();
  const DialogBoxContent content = MessageBox_Content(text);
  if (!Switches_Get().headless) {
    DialogBoxAnswer answer;
    if (DialogBox_Run(DeviceWindow_SdlWindow(DeviceWindow_Current()), content, &answer) !=
        DialogHostResult::kUnavailable) {
      return;
    }
  }
  // A lone CR breaks a line as LF and CR LF do.
  std::fputs(Answers_LineFeeds(content.prompt.c_str()).c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void ShowFatalMessage(const char* text) {
  const char* body = text == nullptr ? "" : text;
  if (Switches_Get().headless ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Korvalith", body, nullptr) != 0) {
    std::printf("%s\n", body);
    std::fflush(stdout);
  }
}
