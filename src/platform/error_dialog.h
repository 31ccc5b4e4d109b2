// The modal dialog that shows a script error and asks whether to go on.
#pragma once

enum ErrorDialogAnswer {
  kErrorDialogIgnore = 0,
  kErrorDialogAbort = 1,
};

// Shows the text (line ends "\r\n") with Abort, Ignore (only when canIgnore)
// and Copy. Headless, the text goes to standard output with LF line ends and
// the answer is the next scripted answer ("Abort" or "Ignore"), else Ignore
// when allowed and Abort otherwise.
ErrorDialogAnswer ErrorDialog_Run(const char* text, bool canIgnore);
