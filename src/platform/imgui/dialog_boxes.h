// The four small dialogs drawn with Dear ImGui: modal over the game's
// window, or shown beside the running game.
#pragma once

#include <functional>

#include "platform/dialog_box.h"
#include "platform/imgui/dialog_host.h"

// Runs the dialog until it is answered (kFinished, *answer set). kClosed
// (a quit) leaves *answer as Cancel or No; kUnavailable shows nothing.
DialogHostResult DialogBox_Run(SDL_Window* window, const DialogBoxContent& content, DialogBoxAnswer* answer);

// Shows the dialog beside the game; `done` gets the answer when it is
// closed. False when it cannot be shown.
using DialogBoxDone = std::function<void(const DialogBoxAnswer&)>;
bool DialogBox_Open(SDL_Window* window, const DialogBoxContent& content, const DialogBoxDone& done);
