#include "platform/error_dialog.h"

#include <string>
#include <utility>

#include "platform/answers.h"

ErrorDialogState::ErrorDialogState(const char* text, bool canIgnore, CopyText copy)
    : text_(text == nullptr ? "" : text),
      canIgnore_(canIgnore),
      shown_(Answers_LineFeeds(text_.c_str())),
      copy_(std::move(copy)) {
  buttons_.push_back(ErrorDialogCommand::kAbort);
  if (canIgnore) buttons_.push_back(ErrorDialogCommand::kIgnore);
  buttons_.push_back(ErrorDialogCommand::kCopy);
  buttons_.push_back(ErrorDialogCommand::kClear);
}

bool ErrorDialogState::Apply(ErrorDialogCommand command) {
  switch (command) {
    case ErrorDialogCommand::kAbort: answer_ = kErrorDialogAbort; return true;
    case ErrorDialogCommand::kIgnore:
      if (!canIgnore_) return false;  // not shown for a fatal error
      answer_ = kErrorDialogIgnore;
      return true;
    case ErrorDialogCommand::kCopy:
      if (!cleared_ && copy_) copy_(text_);
      return false;
    case ErrorDialogCommand::kClear:
      cleared_ = true;
      text_.clear();
      shown_.assign(1, ' ');
      return false;
    case ErrorDialogCommand::kClose: return false;
  }
  return false;
}

const char* ErrorDialog_Label(ErrorDialogCommand command) {
  switch (command) {
    case ErrorDialogCommand::kAbort: return "Abort";
    case ErrorDialogCommand::kIgnore: return "Ignore";
    case ErrorDialogCommand::kCopy: return "Copy";
    case ErrorDialogCommand::kClear: return "Clear";
    case ErrorDialogCommand::kClose: break;
  }
  return "";
}
