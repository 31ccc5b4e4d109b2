#include "platform/answers.h"
#include "platform/dialog_box.h"

DialogBoxAnswer DialogBox_DefaultAnswer(const DialogBoxContent& content) {
  DialogBoxAnswer answer;
  answer.confirmed = true;
  answer.text = content.text;
  answer.password = content.password;
  return answer;
}

void DialogBox_Print(const DialogBoxContent& content) {
  switch (content.kind) {
    case DialogBoxKind::kMessage:
    case DialogBoxKind::kQuestion: Answers_PrintDialogText(content.prompt.c_str()); break;
    case DialogBoxKind::kInput:
      Answers_PrintDialogText(content.prompt.c_str());
      Answers_PrintDialogText(content.text.c_str());
      break;
    case DialogBoxKind::kLogin:
      Answers_PrintDialogText("Login");
      Answers_PrintDialogText(content.text.c_str());
      break;
  }
}

DialogBoxAnswer DialogBox_ScriptedAnswer(const DialogBoxContent& content) {
  DialogBoxAnswer answer = DialogBox_DefaultAnswer(content);
  if (content.kind == DialogBoxKind::kMessage) return answer;
  std::string line;
  if (!Answers_Next(&line)) return answer;
  switch (content.kind) {
    case DialogBoxKind::kQuestion: answer.confirmed = line != "No"; break;
    case DialogBoxKind::kInput:
      if (line == "Cancel") return DialogBoxAnswer{};
      answer.text = line;
      break;
    case DialogBoxKind::kLogin: {
      if (line == "Cancel") return DialogBoxAnswer{};
      const size_t tab = line.find('\t');
      if (tab != std::string::npos) {
        answer.text = line.substr(0, tab);
        answer.password = line.substr(tab + 1);
      }
      break;
    }
    case DialogBoxKind::kMessage: break;
  }
  return answer;
}
