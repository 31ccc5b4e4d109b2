// The player's four small dialogs: text input, a yes/no question, a message
// and a login. What one shows and what it answers, and its headless form:
// the text printed, the answer taken from the scripted answers. Drawing
// them on the desktop is the dialog host's (over Dear ImGui in imgui/).
#pragma once

#include <functional>
#include <string>

#include "platform/dialog_host.h"

enum class DialogBoxKind { kInput, kQuestion, kMessage, kLogin };

// Texts are UTF-8; CR, LF and CR LF break the prompt's lines.
struct DialogBoxContent {
  DialogBoxKind kind = DialogBoxKind::kMessage;
  std::string caption;   // the title (a login's is always "Login")
  std::string prompt;    // the prompt, question or message
  std::string text;      // the input box's text, or the login's user name
  std::string password;  // the login's password
  // Escape answers as the last button would, as in the desktop's own
  // message boxes: OK for a message, No for a question. The dialogs a game
  // shows beside itself take their buttons alone.
  bool escapeCloses = false;
};

// OK or Yes confirms; Cancel and No do not. A confirmed input holds the box's
// text, a confirmed login the user name and the password.
struct DialogBoxAnswer {
  bool confirmed = false;
  std::string text;
  std::string password;
};

// What Return gives: the box's texts confirmed.
DialogBoxAnswer DialogBox_DefaultAnswer(const DialogBoxContent& content);

// Headless: prints what the dialog shows (line breaks as LF): a message its
// text, a question its text, an input its prompt and then its box text, a
// login "Login" and then the user name.
void DialogBox_Print(const DialogBoxContent& content);
// Headless: the answer from the next scripted line. A message takes none
// and is confirmed. A question: "No" is No, anything else Yes. An input:
// "Cancel" cancels, any other line is typed into the box and confirmed. A
// login: "NAME<TAB>PASSWORD" confirms those, "Cancel" cancels, anything else
// confirms the defaults. No line left: what Return gives.
DialogBoxAnswer DialogBox_ScriptedAnswer(const DialogBoxContent& content);

// Runs the dialog until it is answered (kFinished, *answer set). kClosed
// (a quit) leaves *answer as Cancel or No; kUnavailable shows nothing.
DialogHostResult DialogBox_Run(SDL_Window* window, const DialogBoxContent& content, DialogBoxAnswer* answer);

// Shows the dialog beside the game; `done` gets the answer when it is
// closed. False when it cannot be shown.
using DialogBoxDone = std::function<void(const DialogBoxAnswer&)>;
bool DialogBox_Open(SDL_Window* window, const DialogBoxContent& content, const DialogBoxDone& done);
