// The main window's procedure.
#include "platform/device_window.h"
#include "platform/native_messages.h"
#include "shell/window.h"
#include "shell/window_input.h"
#include "shell/window_internal.h"

namespace {

MsgLParam g_rightShiftScanCode = -1;

// The generic code first, then the one naming the side.
void ReportKey(bool down, int32_t code, MsgLParam lParam) {
  void (*report)(int32_t) = down ? IO_OnKeyDown : IO_OnKeyUp;
  report(code);
  const bool extended = (lParam & kKeyExtended) != 0;
  switch (code) {
    case VK_MENU: report(extended ? VK_RMENU : VK_LMENU); break;
    case VK_CONTROL: report(extended ? VK_RCONTROL : VK_LCONTROL); break;
    case VK_SHIFT: {
      const MsgLParam scanCode = lParam & kKeyScanCodeMask;
      bool right;
      if (down) {
        right = (Native_GetKeyState(VK_RSHIFT) & 0x80) != 0;
        if (right) g_rightShiftScanCode = scanCode;
      } else {
        right = scanCode == g_rightShiftScanCode;
      }
      report(right ? VK_RSHIFT : VK_LSHIFT);
      break;
    }
    default: break;
  }
}

MsgResult Wheel(MsgWParam wParam) {
  // The modifier word and position would go to handlers that read them;
  // ours take the turn only.
  const int32_t delta = HighWordSigned(static_cast<int64_t>(wParam));
  bool handled = false;
  if (delta > 0) handled = IO_OnWheelUp();
  if (delta < 0) handled = IO_OnWheelDown();
  return handled ? 0 : 1;
}

void SysCommand(MsgWParam wParam, MsgLParam lParam) {
  if (wParam != SC_KEYMENU || lParam != 13) return;
  if (Win_Services().altEnterAllowed == nullptr || !Win_Services().altEnterAllowed()) return;
  Win_SetFullscreen(!Win_GetFullscreen());
}

void SetActive(bool active) { DeviceWindow_State().active = active; }

MsgResult MouseMessage(NativeWindow window, uint32_t message, MsgWParam wParam, MsgLParam lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      // Signed: a drag held past the left or top edge gives negative places.
      IO_OnMouseMove(LowWordSigned(lParam), HighWordSigned(lParam));
      break;
    case WM_LBUTTONDOWN: IO_OnMouseButtonDown(1); break;
    case WM_RBUTTONDOWN: IO_OnMouseButtonDown(2); break;
    case WM_MBUTTONDOWN: IO_OnMouseButtonDown(3); break;
    case WM_LBUTTONUP: IO_OnMouseButtonUp(1); break;
    case WM_RBUTTONUP: IO_OnMouseButtonUp(2); break;
    case WM_MBUTTONUP: IO_OnMouseButtonUp(3); break;
    case WM_MOUSEWHEEL: return Wheel(wParam);
    default: break;
  }
  return Win_DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

bool Win_IsActive() { return DeviceWindow_State().active; }

MsgResult Win_WindowProc(NativeWindow window, uint32_t message, MsgWParam wParam, MsgLParam lParam) {
  switch (message) {
    case WM_CREATE: Native_FilterKeys(true); break;
    case WM_DESTROY:
      Native_FilterKeys(false);
      Native_PostMessage(window, WM_QUIT, 0, 0);
      break;
    case WM_CLOSE: Win_DestroyWindow(window); return 0;
    case WM_ACTIVATE:
      if (LowWord(static_cast<int64_t>(wParam)) == WA_INACTIVE && lParam == 0 &&
          Win_Services().lostToOtherProgram != nullptr) {
        Win_Services().lostToOtherProgram();
      }
      break;
    case WM_SETFOCUS: SetActive(true); return 0;
    case WM_KILLFOCUS: SetActive(false); return 0;
    case WM_ACTIVATEAPP: SetActive(wParam != 0); break;
    case WM_SETCURSOR:
      if (LowWord(lParam) != HTCLIENT) break;
      Win_ApplyCursor();
      return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: ReportKey(true, static_cast<int32_t>(wParam & 0xFFFF), lParam); return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: ReportKey(false, static_cast<int32_t>(wParam & 0xFFFF), lParam); return 0;
    case WM_CHAR: IO_OnChar(static_cast<int32_t>(wParam & 0xFFFF)); return 0;
    case WM_SYSCOMMAND: SysCommand(wParam, lParam); break;
    case WM_SIZING: return 0;
    default: return MouseMessage(window, message, wParam, lParam);
  }
  return Win_DefWindowProc(window, message, wParam, lParam);
}
