#include "platform/question_box.h"

#include <string>

#include "platform/answers.h"
#include "platform/device_window.h"
#include "platform/dialog_box.h"
#include "platform/switches.h"

namespace {

bool Headless(const char* text) {
  Answers_PrintDialogText(text);
  std::string answer;
  return !Answers_Next(&answer) || answer != "No";
}

}  // namespace

bool QuestionBox_Ask(const char* caption, const char* text) {
  const char* body = text == nullptr ? "" : text;
  if (Switches_Get().headless) return Headless(body);
  DialogBoxContent content;
  content.kind = DialogBoxKind::kQuestion;
  content.caption = caption == nullptr ? "" : caption;
  content.prompt = body;
  content.escapeCloses = true;
  DialogBoxAnswer answer;
  switch (DialogBox_Run(DeviceWindow_SdlWindow(DeviceWindow_Current()), content, &answer)) {
    case DialogHostResult::kFinished: return answer.confirmed;
    // Closing the box is not a Yes.
    case DialogHostResult::kClosed: return false;
    case DialogHostResult::kUnavailable: break;
  }
  return Headless(body);
}
