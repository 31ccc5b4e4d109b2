#include "builtins/misc/platform_misc.h"

#include <sys/resource.h>

#include "platform/clipboard.h"

namespace {

ApplicationWindowHooks g_window;
std::string g_title;

// From idle through below and above normal to real time: the further from
// the middle, the larger the step, as the priority classes are.
constexpr int32_t kNiceByPriority[7] = {19, 10, 5, 0, -5, -10, -20};

}  // namespace

void Application_InstallWindowHooks(const ApplicationWindowHooks& hooks) {
  if (hooks.handle != nullptr) g_window.handle = hooks.handle;
  if (hooks.setTitle != nullptr) {
    g_window.setTitle = hooks.setTitle;
    if (!g_title.empty()) g_window.setTitle(g_title.c_str());
  }
}

void Application_ResetWindowHooks() {
  g_window = ApplicationWindowHooks();
  g_title.clear();
}

const std::string& Application_Title() { return g_title; }

int32_t Application_NiceForPriority(int32_t priority) {
  if (priority < -3 || priority > 3) priority = 0;
  return kNiceByPriority[priority + 3];
}

void F_WindowHandle(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, g_window.handle != nullptr ? static_cast<double>(g_window.handle()) : 0.0);
}

// A raise the system refuses (no privilege) leaves the priority as it was.
void F_SetProgramPriority(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  (void)setpriority(PRIO_PROCESS, 0, Application_NiceForPriority(in.Int(0)));
}

void F_SetApplicationTitle(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (!in.IsString(0)) return;
  g_title = in.Text(0);
  if (g_window.setTitle != nullptr) g_window.setTitle(g_title.c_str());
}

void F_ClipboardHasText(KV_BUILTIN_PARAMS) { Result_SetReal(result, Clipboard_HasText() ? 1.0 : 0.0); }

void F_ClipboardSetText(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Clipboard_SetText(in.Text(0));
}

void F_ClipboardGetText(KV_BUILTIN_PARAMS) {
  const std::string text = Clipboard_GetText();
  Result_SetText(result, text.data(), text.size());
}
