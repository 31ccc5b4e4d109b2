// The message side of the desktop layer: one queue of posted messages, the
// low-level keyboard hook, and the key state the window procedure asks for.
// Events from the desktop enter through the event translator.
#pragma once

#include <cstdint>

#include "platform/window_messages.h"

void Native_PostMessage(NativeWindow window, uint32_t message, MsgWParam wParam, MsgLParam lParam);
// Takes the oldest posted message; false when the queue is empty.
bool Native_NextMessage(WindowMessage* message);
void Native_ClearMessages();

// One hook at a time; the handle is non-zero on success.
using KeyboardHookProc = MsgResult (*)(int32_t code, MsgWParam wParam, MsgLParam lParam);
uintptr_t Native_SetKeyboardHook(KeyboardHookProc proc);
bool Native_UnhookKeyboard(uintptr_t handle);
// Hands one key event to the hook; true when the hook swallowed it.
bool Native_RunKeyboardHook(uint32_t message, const KeyboardHookRecord& record);
// What a hook answers when it lets an event pass.
MsgResult Native_CallNextHook(int32_t code, MsgWParam wParam, MsgLParam lParam);

// Bits 0x8000 and 0x80 set while the key is held; 0 otherwise. Answers from
// the desktop's keyboard state unless a source is set (tests).
int16_t Native_GetKeyState(int32_t virtualKey);
using KeyStateSource = bool (*)(int32_t virtualKey);
void Native_SetKeyStateSource(KeyStateSource source);

// Polls the pending desktop events through the translator. The release of
// a key or button pressed since the input was last taken waits (with what
// follows it) until Native_InputTaken, or 100 ms, so no press is lost.
void Native_PumpEvents();
void Native_InputTaken();
