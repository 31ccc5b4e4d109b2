// The modal dialog that shows a script error and asks whether to go on.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog_host.h"

enum ErrorDialogAnswer {
  kErrorDialogIgnore = 0,
  kErrorDialogAbort = 1,
};

// Shows the text (line ends "\r\n") in a read-only field that scrolls, with
// the buttons Abort, Ignore (only when canIgnore), Copy and Clear, drawn in
// the game's window (or a window of its own when that is not on the
// screen) under the caption "Code Error...". Only Abort and Ignore end it;
// a quit asked for meanwhile answers Abort. Headless, or with no desktop
// one can see, the text goes to standard output with LF line ends and the
// answer is the next scripted answer ("Abort" or "Ignore"), else Ignore
// when allowed and Abort otherwise.
ErrorDialogAnswer ErrorDialog_Run(const char* text, bool canIgnore);

// What the dialog's buttons and its close box do, kept apart from drawing.
enum class ErrorDialogCommand { kAbort, kIgnore, kCopy, kClear, kClose };

class ErrorDialogState {
 public:
  using CopyText = std::function<void(const std::string&)>;

  // `copy` puts a text on the clipboard.
  ErrorDialogState(const char* text, bool canIgnore, CopyText copy);

  // The buttons shown, left to right.
  const std::vector<ErrorDialogCommand>& Buttons() const { return buttons_; }
  // The field's text: the text with its line ends as line feeds, or one
  // blank once cleared.
  const std::string& Shown() const { return shown_; }

  // Carries out one command; true once the dialog is done (Abort, or
  // Ignore when it is shown). Copy copies the text's bytes as they stand,
  // and nothing after Clear; Clear forgets the text; the close box does
  // nothing.
  bool Apply(ErrorDialogCommand command);
  ErrorDialogAnswer Answer() const { return answer_; }

 private:
  std::string text_;
  bool canIgnore_;
  bool cleared_ = false;
  std::string shown_;
  std::vector<ErrorDialogCommand> buttons_;
  CopyText copy_;
  ErrorDialogAnswer answer_ = kErrorDialogAbort;
};

// The button's label.
const char* ErrorDialog_Label(ErrorDialogCommand command);

// Draws the dialog modally in `window` (see DialogHost_Run) until Abort or
// Ignore; the window's close box leaves it open. kClosed: a quit was asked
// for; kUnavailable: nothing was shown.
DialogHostResult ErrorDialog_Draw(SDL_Window* window, ErrorDialogState* state);
