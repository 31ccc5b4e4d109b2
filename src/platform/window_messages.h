// The small message layer the window procedure is written against: message
// numbers, key codes, flags and the packing of message parameters. The
// event translator turns desktop events into these messages; the window
// procedure reads them as they come.
#pragma once

#include <cstdint>

#include "platform/keys.h"

// A window as the message layer names it (the desktop's window id); 0 none.
using NativeWindow = uint32_t;
using MsgWParam = uint64_t;
using MsgLParam = int64_t;
using MsgResult = int64_t;

struct WindowMessage {
  NativeWindow window;
  uint32_t message;
  MsgWParam wParam;
  MsgLParam lParam;
};

constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_SIZING = 0x0214;

constexpr MsgWParam SC_KEYMENU = 0xF100;
constexpr uint32_t WA_INACTIVE = 0;
constexpr uint32_t WA_ACTIVE = 1;
constexpr uint32_t HTCLIENT = 1;
constexpr int32_t WHEEL_DELTA = 120;

constexpr uint32_t MK_LBUTTON = 0x01;
constexpr uint32_t MK_RBUTTON = 0x02;
constexpr uint32_t MK_SHIFT = 0x04;
constexpr uint32_t MK_CONTROL = 0x08;
constexpr uint32_t MK_MBUTTON = 0x10;

// The mouse buttons as keys.
constexpr int32_t VK_LBUTTON = 1;
constexpr int32_t VK_RBUTTON = 2;
constexpr int32_t VK_MBUTTON = 4;
constexpr int32_t VK_BACK = keys::kBackspace;
constexpr int32_t VK_TAB = keys::kTab;
constexpr int32_t VK_RETURN = keys::kEnter;
constexpr int32_t VK_SHIFT = keys::kShift;
constexpr int32_t VK_CONTROL = keys::kControl;
constexpr int32_t VK_MENU = keys::kAlt;
constexpr int32_t VK_ESCAPE = keys::kEscape;
constexpr int32_t VK_CAPITAL = keys::kCapsLock;
constexpr int32_t VK_NUMLOCK = keys::kNumLock;
constexpr int32_t VK_SCROLL = keys::kScrollLock;
constexpr int32_t VK_LWIN = 0x5B;
constexpr int32_t VK_RWIN = 0x5C;
constexpr int32_t VK_F4 = keys::kF1 + 3;
constexpr int32_t VK_F10 = keys::kF1 + 9;
constexpr int32_t VK_LSHIFT = keys::kLeftShift;
constexpr int32_t VK_RSHIFT = keys::kRightShift;
constexpr int32_t VK_LCONTROL = keys::kLeftControl;
constexpr int32_t VK_RCONTROL = keys::kRightControl;
constexpr int32_t VK_LMENU = keys::kLeftAlt;
constexpr int32_t VK_RMENU = keys::kRightAlt;

// Key messages: the extended-key bit and the scan-code byte of lParam.
constexpr MsgLParam kKeyExtended = MsgLParam{1} << 24;
constexpr MsgLParam kKeyScanCodeMask = 0xFF0000;

// Two 16-bit halves, as mouse messages carry positions and wheel deltas.
constexpr MsgLParam MakeLParam(int32_t low, int32_t high) {
  return static_cast<MsgLParam>((static_cast<uint32_t>(low) & 0xFFFFu) |
                                ((static_cast<uint32_t>(high) & 0xFFFFu) << 16));
}
constexpr int32_t LowWordSigned(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)); }
constexpr int32_t HighWordSigned(int64_t value) {
  return static_cast<int16_t>(static_cast<uint16_t>((value >> 16) & 0xFFFF));
}
constexpr uint32_t LowWord(int64_t value) { return static_cast<uint32_t>(value & 0xFFFF); }
