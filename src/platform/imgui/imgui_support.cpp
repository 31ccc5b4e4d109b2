#include "platform/imgui/imgui_support.h"

#include <imgui.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dialog_host.h"
#include "platform/platform_font.h"

namespace {

constexpr float kFontPixels = 16.0f;
// Latin with its extensions, Greek, Cyrillic, general punctuation and the
// replacement character that stands for bytes which are not UTF-8.
constexpr ImWchar kGlyphRanges[] = {0x0020, 0x024F, 0x0370, 0x03FF, 0x0400, 0x052F, 0x2000, 0x206F, 0xFFFD, 0xFFFD, 0};

bool g_allowUnseen = false;

}  // namespace

void DialogHost_AllowUnseen(bool allow) { g_allowUnseen = allow; }

bool ImguiSupport_DesktopSeen() {
  if (g_allowUnseen) return true;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

bool ImguiSupport_IsInputEvent(Uint32 type) {
  return (type >= SDL_KEYDOWN && type < SDL_JOYAXISMOTION) || (type >= SDL_FINGERDOWN && type < SDL_CLIPBOARDUPDATE);
}

Uint32 ImguiSupport_EventWindow(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT: return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return event.key.windowID;
    case SDL_TEXTEDITING: return event.edit.windowID;
    case SDL_TEXTINPUT: return event.text.windowID;
    case SDL_MOUSEMOTION: return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.windowID;
    case SDL_MOUSEWHEEL: return event.wheel.windowID;
    default: return 0;
  }
}

void ImguiSupport_LoadFont(ImGuiIO& io) {
  int index = 0;
  const std::string path = PlatformFont_MatchFile("DejaVu Sans", &index);
  PlatformFont_Shutdown();
  if (!path.empty()) {
    ImFontConfig config;
    config.FontNo = index;
    if (io.Fonts->AddFontFromFileTTF(path.c_str(), kFontPixels, &config, kGlyphRanges) != nullptr) return;
  }
  io.Fonts->AddFontDefault();
}

bool ImguiSupport_FeedFrame(std::deque<SDL_Event>* waiting, const std::function<void(const SDL_Event&)>& take) {
  std::vector<SDL_Scancode> keys;
  std::vector<SDL_Scancode> released;
  std::vector<Uint8> buttons;
  const auto in = [](const std::vector<SDL_Scancode>& list, SDL_Scancode code) {
    return std::find(list.begin(), list.end(), code) != list.end();
  };
  while (!waiting->empty()) {
    const SDL_Event next = waiting->front();
    const bool key = next.type == SDL_KEYDOWN || next.type == SDL_KEYUP;
    // Only a key event holds a scan code; other events' bytes there are not one.
    const SDL_Scancode code = key ? next.key.keysym.scancode : SDL_SCANCODE_UNKNOWN;
    if (next.type == SDL_KEYUP && in(keys, code)) break;
    if (next.type == SDL_KEYDOWN && (in(keys, code) || in(released, code))) break;
    const bool button = next.type == SDL_MOUSEBUTTONDOWN || next.type == SDL_MOUSEBUTTONUP;
    if (button && std::find(buttons.begin(), buttons.end(), next.button.button) != buttons.end()) break;
    if (next.type == SDL_KEYDOWN) keys.push_back(code);
    if (next.type == SDL_KEYUP) released.push_back(code);
    if (button) buttons.push_back(next.button.button);
    waiting->pop_front();
    take(next);
    if (next.type == SDL_KEYDOWN && next.key.keysym.sym == SDLK_TAB) return true;
  }
  return false;
}

std::string ImguiSupport_Wrap(const std::string& text, float width) {
  const ImFont* font = ImGui::GetFont();
  const float scale = ImGui::GetFontSize() / font->FontSize;
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* lineEnd = p;
    while (lineEnd < end && *lineEnd != '\n') ++lineEnd;
    while (true) {
      const char* cut = lineEnd;
      if (width > 0.0f && p < lineEnd) cut = font->CalcWordWrapPositionA(scale, p, lineEnd, width);
      if (cut <= p && p < lineEnd) {
        // Not even one character fits: it goes on a line of its own.
        cut = p + 1;
        while (cut < lineEnd && (static_cast<unsigned char>(*cut) & 0xC0) == 0x80) ++cut;
      }
      out.append(p, cut);
      p = cut;
      if (p >= lineEnd) break;
      out.push_back('\n');
      while (p < lineEnd && *p == ' ') ++p;
      if (p >= lineEnd) break;
    }
    if (lineEnd < end) out.push_back('\n');
    p = lineEnd + (lineEnd < end ? 1 : 0);
  }
  return out;
}
