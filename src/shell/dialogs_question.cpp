#include "platform/question_box.h"
#include "shell/dialogs.h"

bool InputQuery_ShowQuestion(const char* caption, const char* text) {
  return QuestionBox_Ask(caption != nullptr ? caption : "", text != nullptr ? text : "");
}
