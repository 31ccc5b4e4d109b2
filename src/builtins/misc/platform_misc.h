// Program settings and the clipboard: the window's handle and title, the
// process priority, and clipboard text.
#pragma once

#include <cstdint>
#include <string>

#include "builtins/builtin_args.h"

void F_WindowHandle(KV_BUILTIN_PARAMS);
void F_SetProgramPriority(KV_BUILTIN_PARAMS);
void F_SetApplicationTitle(KV_BUILTIN_PARAMS);
void F_ClipboardHasText(KV_BUILTIN_PARAMS);
void F_ClipboardSetText(KV_BUILTIN_PARAMS);
void F_ClipboardGetText(KV_BUILTIN_PARAMS);

// What the main window offers these built-ins once it exists.
struct ApplicationWindowHooks {
  // The native window id (the X11 window), 0 when there is none.
  uint32_t (*handle)() = nullptr;
  // Shows the title on the window.
  void (*setTitle)(const char* title) = nullptr;
};
// Replaces the hooks that are non-null; a title set before is handed to the
// new setTitle at once.
void Application_InstallWindowHooks(const ApplicationWindowHooks& hooks);
void Application_ResetWindowHooks();
// The last title a script set; "" before any.
const std::string& Application_Title();

// The niceness set_program_priority gives the main thread for an argument;
// values outside -3..3 act as 0.
int32_t Application_NiceForPriority(int32_t priority);
