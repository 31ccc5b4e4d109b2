// The game's own dialogs: text input, yes/no questions, messages and
// logins. Modal ones hold the game until they are answered; asynchronous
// ones are requests on the one request list: the call answers the request's
// id at once, the dialogs wait in a queue and are shown one at a time,
// oldest first, and the answer reaches the game as asynchronous event 63
// with a map.
//
// On a desktop they are drawn over the game's window; headless (or with no
// desktop one can see) each prints what it shows and takes the next
// scripted answer, an asynchronous one at the next message pump after it
// was shown.
#pragma once

#include <cstdint>
#include <string>

#include "requests/http_request.h"

enum DialogRequestKind : int32_t {
  kDialogInput = 0,
  kDialogQuestion = 1,
  kDialogMessage = 2,
  kDialogLogin = 3,
};

// An asynchronous dialog: a request without address or answer buffer until
// its dialog completes it.
class DIALOG_REQ_CONTEXT : public HTTP_REQ_CONTEXT {
 public:
  DIALOG_REQ_CONTEXT(DialogRequestKind kind, const char* text1, const char* text2, const char* text3);
  ~DIALOG_REQ_CONTEXT() override;

  DIALOG_REQ_CONTEXT* queueNext = nullptr;
  // Owned (general heap), each may be null. Input: caption, prompt, default
  // text; question and message: caption, text; login: user name, password.
  char* text1 = nullptr;
  char* text2 = nullptr;
  char* text3 = nullptr;
  DialogRequestKind kind;
};

// The queue's head: the newest request; the oldest is its tail.
extern DIALOG_REQ_CONTEXT* g_dialogQueue;

// Longest default text of an input box, of a login's texts, and of an
// answer, in bytes, each cut on a code-point boundary.
constexpr size_t kDialogDefaultBytes = 2050;
constexpr size_t kDialogLoginBytes = 1024;
constexpr size_t kDialogAnswerBytes = 1023;

// ---- modal

// True when closed with OK; *result is the box's text ("" after Cancel).
bool InputQuery_GetString(const char* caption, const char* prompt, const char* defaultText, std::string* result);
// The window the modal dialogs above are drawn in while it is set (the
// debugger asks its own questions in its window); null: the game's.
struct SDL_Window;
void InputQuery_SetModalWindow(SDL_Window* window);
// True for Yes. The one-text form asks with the window's caption.
bool InputQuery_ShowQuestion(const char* caption, const char* text);
bool InputQuery_ShowQuestion(const char* text);

// ---- asynchronous: each answers the new request's id

int32_t InputQuery_GetStringAsync(const char* caption, const char* prompt, const char* defaultText);
int32_t InputQuery_ShowQuestionAsync(const char* caption, const char* text);
int32_t InputQuery_ShowMessageAsync(const char* caption, const char* text);
int32_t InputQuery_GetLoginAsync(const char* userName, const char* password);

// Shows the oldest queued dialog (when none is shown).
void InputQuery_ShowNext();
// Takes the request off the queue (it may be gone already), then shows the
// next one.
void InputQuery_Unqueue(DIALOG_REQ_CONTEXT* request);
// A dialog's answer for the request with this id; an id no longer listed
// changes nothing. The text is taken over (general heap).
void InputQuery_Complete(int32_t id, int32_t confirmed, char* text);
// A login's answer: the text is the user name, "#" and the password; the
// user name's length splits them.
void InputQuery_CompleteLogin(int32_t id, int32_t userNameLength, char* text);

// The message pump's turn: headless, a shown dialog takes its answer.
void InputQuery_Pump();
// The end of a game frame: a shown dialog is drawn even when the game
// showed nothing.
void InputQuery_FrameEnd();
// The queue emptied and the shown dialog closed; the requests themselves
// stay on the request list (program end, tests).
void InputQuery_Forget();

// The byte count of at most `limit` bytes of the text that ends on a
// code-point boundary.
size_t Dialog_CutLength(const char* text, size_t limit);
