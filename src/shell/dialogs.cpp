#include "shell/dialogs.h"

#include <cstdlib>
#include <cstring>

#include "platform/device_window.h"
#include "platform/dialog_box.h"
#include "platform/switches.h"
#include "runtime/ds_pool.h"
#include "runtime/numeric.h"
#include "shell/window.h"

DIALOG_REQ_CONTEXT* g_dialogQueue = nullptr;

namespace {

constexpr int32_t kDialogEvent = 63;

char* HeapCopy(const char* text) { return text == nullptr ? nullptr : strdup(text); }

char* HeapCopy(const std::string& text) { return strdup(text.c_str()); }

std::string Cut(const char* text, size_t limit) {
  if (text == nullptr) return "";
  return std::string(text, Dialog_CutLength(text, limit));
}

// The asynchronous dialog on show: its own request and texts, so a modal
// dialog shown meanwhile neither changes nor answers it.
struct ShownDialog {
  int32_t id = -1;
  DialogRequestKind kind = kDialogMessage;
  DialogBoxContent content;
  bool awaitingScript = false;  // headless: answered at the next pump
};
ShownDialog g_shown;

SDL_Window* g_modalWindow = nullptr;

SDL_Window* GameWindow() { return DeviceWindow_SdlWindow(DeviceWindow_Current()); }
SDL_Window* ModalWindow() { return g_modalWindow != nullptr ? g_modalWindow : GameWindow(); }

DialogBoxKind BoxKind(DialogRequestKind kind) {
  switch (kind) {
    case kDialogInput: return DialogBoxKind::kInput;
    case kDialogQuestion: return DialogBoxKind::kQuestion;
    case kDialogMessage: return DialogBoxKind::kMessage;
    case kDialogLogin: return DialogBoxKind::kLogin;
  }
  return DialogBoxKind::kMessage;
}

// Headless, or when the desktop cannot show it: printed now, answered
// from the script later (asynchronous) or at once (modal).
bool OnDesktop() { return !Switches_Get().headless; }

void Answer(int32_t id, DialogRequestKind kind, const DialogBoxAnswer& answer) {
  if (g_shown.id == id) g_shown = ShownDialog{};
  switch (kind) {
    case kDialogInput:
      if (answer.confirmed) {
        InputQuery_Complete(id, 1, HeapCopy(Cut(answer.text.c_str(), kDialogAnswerBytes)));
      } else {
        InputQuery_Complete(id, 0, HeapCopy(""));
      }
      return;
    case kDialogQuestion:
      InputQuery_Complete(id, answer.confirmed ? 1 : 0, HeapCopy(answer.confirmed ? "O" : ""));
      return;
    case kDialogMessage: InputQuery_Complete(id, 1, HeapCopy("OK")); return;
    case kDialogLogin: {
      if (!answer.confirmed) {
        InputQuery_CompleteLogin(id, 0, HeapCopy(""));
        return;
      }
      // The user name, "#" and the password share one answer's bytes.
      const std::string user = Cut(answer.text.c_str(), kDialogAnswerBytes);
      const size_t rest = user.size() + 1 < kDialogAnswerBytes ? kDialogAnswerBytes - user.size() - 1 : 0;
      const std::string text = user + "#" + Cut(answer.password.c_str(), rest);
      InputQuery_CompleteLogin(id, static_cast<int32_t>(user.size()), HeapCopy(text));
      return;
    }
  }
}

DialogBoxContent ContentOf(const DIALOG_REQ_CONTEXT& request) {
  DialogBoxContent content;
  content.kind = BoxKind(request.kind);
  const auto text = [](const char* t) { return std::string(t == nullptr ? "" : t); };
  switch (request.kind) {
    case kDialogInput:
      content.caption = text(request.text1);
      content.prompt = text(request.text2);
      content.text = Cut(request.text3, kDialogDefaultBytes);
      break;
    case kDialogQuestion:
    case kDialogMessage:
      content.caption = text(request.text1);
      content.prompt = text(request.text2);
      break;
    case kDialogLogin:
      content.text = Cut(request.text1, kDialogLoginBytes);
      content.password = Cut(request.text2, kDialogLoginBytes);
      break;
  }
  return content;
}

DIALOG_REQ_CONTEXT* Oldest() {
  DIALOG_REQ_CONTEXT* request = g_dialogQueue;
  while (request != nullptr && request->queueNext != nullptr) request = request->queueNext;
  return request;
}

HTTP_REQ_CONTEXT* Listed(int32_t id) {
  for (HTTP_REQ_CONTEXT* request = g_httpRequestList; request != nullptr; request = request->next) {
    if (request->id == id) return request;
  }
  return nullptr;
}

// A copy of at most `count` bytes of the request's answer, ending at its
// first zero.
std::string AnswerBytes(const HTTP_REQ_CONTEXT* request, int32_t count) {
  if (request->buffer == nullptr || count <= 0) return "";
  const auto limit = static_cast<size_t>(count < request->bufferSize ? count : request->bufferSize);
  const char* bytes = reinterpret_cast<const char*>(request->buffer);
  return std::string(bytes, strnlen(bytes, limit));
}

double Confirmed(const HTTP_REQ_CONTEXT* request) { return request->received >= 2 ? 1.0 : 0.0; }

void Unqueue(HTTP_REQ_CONTEXT* request) { InputQuery_Unqueue(static_cast<DIALOG_REQ_CONTEXT*>(request)); }

int32_t OnInputResult(HTTP_REQ_CONTEXT* request, void*, int32_t* map) {
  const std::string answer = AnswerBytes(request, request->received);
  *map = DS_CreateMapFromPairs(4, "id", double(request->id), nullptr, "result", 0.0, answer.c_str(), "value",
                               Num_ParseReal(answer.c_str()), nullptr, "status", Confirmed(request), nullptr);
  Unqueue(request);
  return kDialogEvent;
}

int32_t OnMessageResult(HTTP_REQ_CONTEXT* request, void*, int32_t* map) {
  *map = DS_CreateMapFromPairs(2, "id", double(request->id), nullptr, "status", Confirmed(request), nullptr);
  Unqueue(request);
  return kDialogEvent;
}

// The password follows the user name's zero; a cancelled login holds none.
int32_t OnLoginResult(HTTP_REQ_CONTEXT* request, void*, int32_t* map) {
  const std::string user = AnswerBytes(request, request->received);
  std::string password;
  const int32_t after = request->received + 1;
  if (request->buffer != nullptr && request->received >= 0 && after < request->bufferSize) {
    const char* bytes = reinterpret_cast<const char*>(request->buffer) + after;
    password.assign(bytes, strnlen(bytes, static_cast<size_t>(request->bufferSize - after)));
  }
  *map = DS_CreateMapFromPairs(4, "id", double(request->id), nullptr, "username", 0.0, user.c_str(), "password", 0.0,
                               password.c_str(), "status", request->received > 1 ? 1.0 : 0.0, nullptr);
  Unqueue(request);
  return kDialogEvent;
}

HttpCompletionFn CompletionOf(DialogRequestKind kind) {
  switch (kind) {
    case kDialogInput:
    case kDialogQuestion: return OnInputResult;
    case kDialogMessage: return OnMessageResult;
    case kDialogLogin: return OnLoginResult;
  }
  return nullptr;
}

int32_t Queue(DialogRequestKind kind, const char* text1, const char* text2, const char* text3) {
  auto* request = new DIALOG_REQ_CONTEXT(kind, text1, text2, text3);
  const bool wasEmpty = g_dialogQueue == nullptr;
  request->queueNext = g_dialogQueue;
  g_dialogQueue = request;
  if (wasEmpty) InputQuery_ShowNext();
  return request->id;
}

}  // namespace

DIALOG_REQ_CONTEXT::DIALOG_REQ_CONTEXT(DialogRequestKind dialogKind, const char* first, const char* second,
                                       const char* third)
    : HTTP_REQ_CONTEXT(nullptr, 0, CompletionOf(dialogKind), nullptr, nullptr),
      text1(HeapCopy(first)),
      text2(HeapCopy(second)),
      text3(HeapCopy(third)),
      kind(dialogKind) {}

DIALOG_REQ_CONTEXT::~DIALOG_REQ_CONTEXT() {
  std::free(text1);
  std::free(text2);
  std::free(text3);
}

size_t Dialog_CutLength(const char* text, size_t limit) {
  const size_t length = strnlen(text, limit + 1);
  if (length <= limit) return length;
  size_t cut = limit;
  // Back over continuation bytes to the lead byte that would be split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

void InputQuery_SetModalWindow(SDL_Window* window) { g_modalWindow = window; }

bool InputQuery_GetString(const char* caption, const char* prompt, const char* defaultText, std::string* result) {
  DialogBoxContent content;
  content.kind = DialogBoxKind::kInput;
  content.caption = caption == nullptr ? "" : caption;
  content.prompt = prompt == nullptr ? "" : prompt;
  content.text = Cut(defaultText, kDialogDefaultBytes);
  DialogBoxAnswer answer;
  if (!OnDesktop() || DialogBox_Run(ModalWindow(), content, &answer) == DialogHostResult::kUnavailable) {
    DialogBox_Print(content);
    answer = DialogBox_ScriptedAnswer(content);
  }
  *result = answer.confirmed ? Cut(answer.text.c_str(), kDialogAnswerBytes) : "";
  return answer.confirmed;
}

bool InputQuery_ShowQuestion(const char* caption, const char* text) {
  DialogBoxContent content;
  content.kind = DialogBoxKind::kQuestion;
  content.caption = caption == nullptr ? "" : caption;
  content.prompt = text == nullptr ? "" : text;
  DialogBoxAnswer answer;
  if (!OnDesktop() || DialogBox_Run(ModalWindow(), content, &answer) == DialogHostResult::kUnavailable) {
    DialogBox_Print(content);
    answer = DialogBox_ScriptedAnswer(content);
  }
  return answer.confirmed;
}

bool InputQuery_ShowQuestion(const char* text) { return InputQuery_ShowQuestion(Win_GetCaption(), text); }

int32_t InputQuery_GetStringAsync(const char* caption, const char* prompt, const char* defaultText) {
  return Queue(kDialogInput, caption, prompt, defaultText);
}

int32_t InputQuery_ShowQuestionAsync(const char* caption, const char* text) {
  return Queue(kDialogQuestion, caption, text, nullptr);
}

int32_t InputQuery_ShowMessageAsync(const char* caption, const char* text) {
  return Queue(kDialogMessage, caption, text, nullptr);
}

int32_t InputQuery_GetLoginAsync(const char* userName, const char* password) {
  return Queue(kDialogLogin, userName, password, nullptr);
}

void InputQuery_ShowNext() {
  DIALOG_REQ_CONTEXT* request = Oldest();
  if (request == nullptr || request->id == g_shown.id || request->state == kHttpFinished) return;
  g_shown = ShownDialog{};
  g_shown.id = request->id;
  g_shown.kind = request->kind;
  g_shown.content = ContentOf(*request);
  const int32_t id = request->id;
  const DialogRequestKind kind = request->kind;
  if (OnDesktop() && DialogBox_Open(GameWindow(), g_shown.content,
                                    [id, kind](const DialogBoxAnswer& answer) { Answer(id, kind, answer); })) {
    return;
  }
  DialogBox_Print(g_shown.content);
  g_shown.awaitingScript = true;
}

void InputQuery_Unqueue(DIALOG_REQ_CONTEXT* request) {
  const int32_t id = request->id;
  for (DIALOG_REQ_CONTEXT** link = &g_dialogQueue; *link != nullptr; link = &(*link)->queueNext) {
    if ((*link)->id == id) {
      *link = (*link)->queueNext;
      break;
    }
  }
  if (g_shown.id == id) g_shown = ShownDialog{};
  InputQuery_ShowNext();
}

void InputQuery_Complete(int32_t id, int32_t confirmed, char* text) {
  HTTP_REQ_CONTEXT* request = Listed(id);
  if (request == nullptr || text == nullptr) {
    std::free(text);
    return;
  }
  const auto length = static_cast<int32_t>(std::strlen(text));
  std::free(request->buffer);
  request->buffer = reinterpret_cast<uint8_t*>(text);
  request->bufferSize = length + 1;
  request->received = length + 1;
  request->status = confirmed;
  request->state = kHttpFinished;
}

void InputQuery_CompleteLogin(int32_t id, int32_t userNameLength, char* text) {
  HTTP_REQ_CONTEXT* request = Listed(id);
  if (request == nullptr || text == nullptr) {
    std::free(text);
    return;
  }
  const auto length = static_cast<int32_t>(std::strlen(text));
  const int32_t split = userNameLength < 0 ? 0 : (userNameLength > length ? length : userNameLength);
  text[split] = 0;
  std::free(request->buffer);
  request->buffer = reinterpret_cast<uint8_t*>(text);
  request->bufferSize = length + 1;
  request->received = split;
  request->status = split + 1;
  request->state = kHttpFinished;
}

void InputQuery_Pump() {
  if (!g_shown.awaitingScript) return;
  g_shown.awaitingScript = false;
  const ShownDialog shown = g_shown;
  Answer(shown.id, shown.kind, DialogBox_ScriptedAnswer(shown.content));
}

void InputQuery_FrameEnd() { DialogHost_FrameEnd(); }

void InputQuery_Forget() {
  DialogHost_Close();
  g_dialogQueue = nullptr;
  g_shown = ShownDialog{};
}
