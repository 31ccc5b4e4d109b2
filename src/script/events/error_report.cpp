#include "script/events/error_report.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/error_dialog.h"
#include "platform/switches.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/compiler/compile_error.h"
#include "script/events/event.h"

namespace {

ErrorHooks g_hooks;
bool g_stopping = false;
bool g_occurred = false;
char* g_lastText = nullptr;

std::string Name(std::string (*lookup)(int32_t), int32_t index) {
  return lookup == nullptr ? std::string("<undefined>") : lookup(index);
}

void SetLastText(const char* text) {
  if (g_lastText != nullptr) MemoryManager::Free(g_lastText);
  g_lastText = nullptr;
  if (text == nullptr) return;
  size_t length = std::strlen(text);
  g_lastText = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(g_lastText, text, length + 1);
}

std::string PlacedText(const char* message, bool fatal) {
  ErrorPlace place;
  if (g_hooks.currentPlace != nullptr) g_hooks.currentPlace(&place);
  const char* prefix = fatal ? "FATAL " : "";
  const char* body = message == nullptr ? "" : message;
  if (place.eventType == kEventTimeLine) {
    std::string line = Name(g_hooks.timeLineName, place.eventObject);
    return Error_Format("%sERROR in\naction number %d\nat time step%d\nof time line %s:\n\n\n%s", prefix,
                        place.eventAction + 1, place.eventNumber, line.c_str(), body);
  }
  std::string event =
      g_hooks.eventName == nullptr ? std::string() : g_hooks.eventName(place.eventType, place.eventNumber);
  std::string object = Name(g_hooks.objectName, place.eventObject);
  return Error_Format("%sERROR in\naction number %d\nof %s\nfor object %s:\n\n\n%s", prefix, place.eventAction + 1,
                      event.c_str(), object.c_str(), body);
}

// Keeps at most `limit` bytes, never splitting a UTF-8 sequence.
void CutAtCodePoint(std::string* text, size_t limit) {
  int kept = Console_CutAtCodePoint(text->data(), static_cast<int>(text->size()), static_cast<int>(limit));
  text->resize(static_cast<size_t>(kept));
}

}  // namespace

void Error_SetHooks(const ErrorHooks& hooks) { g_hooks = hooks; }

void Error_Show(const char* message, bool fatal) {
  std::string text = PlacedText(message, fatal);
  CutAtCodePoint(&text, kErrorShowLimit);
  Error_Report(text.c_str(), fatal);
}

void Error_Report(const char* text, bool fatal) {
  if (g_stopping) return;
  // A watch the debugger evaluates only marks the failure: nothing is shown
  // or printed, and a fatal setting must not end the game over a watch.
  if (g_runFlags.debuggerEvaluating) {
    g_occurred = true;
    return;
  }
  if (g_runFlags.errorsFatal) fatal = true;
  Code_Error_ApplyPendingReset();
  if (g_hooks.refreshDebugger != nullptr) g_hooks.refreshDebugger();
  if (g_runFlags.showErrorDialog) {
    bool aborted = Error_ShowDialog(text, !fatal);
    if (aborted) fatal = true;
  }
  if (g_hooks.clearInput != nullptr) g_hooks.clearInput();
  SetLastText(text);
  g_debugConsole->Output("ERROR!!! :: %s\n", text == nullptr ? "" : text);
  g_occurred = true;
  if (fatal) {
    g_stopping = true;
    if (g_hooks.requestQuit != nullptr) g_hooks.requestQuit(kRoomCodeQuitAfterError);
  }
}

std::string Error_DialogText(const char* text) {
  const char* body = text == nullptr ? "" : text;
  size_t length = std::strlen(body);
  std::string out = "\r\n" + std::string(43, '_') + "\r\n";
  for (size_t i = 0; i < length; ++i) {
    char c = body[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (body[i + 1] == '\r' || body[i + 1] == '\n') ++i;
    } else if (c == '\t') {
      out.append(7, ' ');
    } else {
      out.push_back(c);
    }
  }
  // The dialog's buffer is 2 x length + 256 bytes with room for the terminator.
  CutAtCodePoint(&out, 2 * length + 255);
  return out;
}

bool Error_ShowDialog(const char* text, bool canIgnore) {
  Code_Error_ApplyPendingReset();
  std::string shown = Error_DialogText(text);
  if (!Switches_Get().headless) {
    for (int i = 0; i < 2; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      if (g_hooks.processMessages != nullptr) g_hooks.processMessages();
    }
  }
  return ErrorDialog_Run(shown.c_str(), canIgnore) == kErrorDialogAbort;
}

void Error_CreateForm() {}

bool Error_Occurred() { return g_occurred; }
void Error_SetOccurred(bool occurred) { g_occurred = occurred; }
const char* Error_Last() { return g_lastText == nullptr ? "" : g_lastText; }
void Error_SetLast(const char* text) { SetLastText(text); }
bool Error_Stopping() { return g_stopping; }

void Error_ResetState() {
  g_stopping = false;
  g_occurred = false;
  SetLastText(nullptr);
}
