#include "builtins/misc/platform_misc.h"

#include <sys/resource.h>

#include "platform/clipboard.h"
#include "platform/device_window.h"
#include "shell/window.h"

namespace {

std::string g_title;

// From idle through below and above normal to real time: the further from
// the middle, the larger the step, as the priority classes are.
constexpr int32_t kNiceByPriority[7] = {19, 10, 5, 0, -5, -10, -20};

}  // namespace

void Application_ResetTitle() { g_title.clear(); }

const std::string& Application_Title() { return g_title; }

int32_t Application_NiceForPriority(int32_t priority) {
  if (priority < -3 || priority > 3) priority = 0;
  return kNiceByPriority[priority + 3];
}

void F_WindowHandle(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, static_cast<double>(DeviceWindow_NativeHandle(DeviceWindow_Current())));
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
  Win_SetTitle(g_title.c_str());
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
