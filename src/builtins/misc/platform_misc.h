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

// The last title a script set; "" before any. It is only shown on the main
// window (window_get_caption keeps answering the caption); window_handle is
// the main window's native id (the X11 window), 0 when there is none.
const std::string& Application_Title();
void Application_ResetTitle();

// The niceness set_program_priority gives the main thread for an argument;
// values outside -3..3 act as 0.
int32_t Application_NiceForPriority(int32_t priority);
