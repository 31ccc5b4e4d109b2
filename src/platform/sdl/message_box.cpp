#include "platform/message_box.h"

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
  content.escapeCloses = true;
  return content;
}

namespace {

// The box drawn in the game's window, or one of its own; false when no
// desktop one can see it.
bool Drawn(const DialogBoxContent& content) {
  DialogBoxAnswer answer;
  return !Switches_Get().headless && DialogBox_Run(DeviceWindow_SdlWindow(DeviceWindow_Current()), content, &answer) !=
                                         DialogHostResult::kUnavailable;
}

}  // namespace

void ShowMessage(const char* text) {
  if (g_prelude != nullptr) g_prelude();
  const DialogBoxContent content = MessageBox_Content(text);
  if (Drawn(content)) return;
  // A lone CR breaks a line as LF and CR LF do.
  std::fputs(Answers_LineFeeds(content.prompt.c_str()).c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void ShowFatalMessage(const char* text) {
  const char* body = text == nullptr ? "" : text;
  DialogBoxContent content;
  content.kind = DialogBoxKind::kMessage;
  content.caption = "Korvalith";
  content.prompt = body;
  content.escapeCloses = true;
  if (Drawn(content)) return;
  std::printf("%s\n", body);
  std::fflush(stdout);
}
