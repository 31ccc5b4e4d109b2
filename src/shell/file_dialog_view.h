// The file dialog drawn on the desktop: the platform's view over a session.
#pragma once

#include <string>

#include "platform/dialog_host.h"
#include "shell/file_dialog.h"

// Shows the dialog (over the game's window, else in a window of its own)
// until it is answered; kFinished with *path set when a file was chosen,
// kFinished with *path empty when it was cancelled.
DialogHostResult FileDialogView_Run(FileDialogSession* session, const std::string& title,
                                    const std::string& defaultName, std::string* path);
