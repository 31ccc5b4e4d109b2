#include "platform/imgui/imgui_support.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "platform/dialog_host.h"
#include "platform/platform_font.h"

namespace {

constexpr float kFontPixels = 16.0f;
// Latin with its extensions, Greek, Cyrillic, general punctuation and the
// replacement character that stands for bytes which are not UTF-8.
constexpr ImWchar kGlyphRanges[] = {0x0020, 0x024F, 0x0370, 0x03FF, 0x0400, 0x052F, 0x2000, 0x206F, 0xFFFD, 0xFFFD, 0};
constexpr const char* kFamily = "DejaVu Sans";
// Characters kept beyond the usual ranges: a text of every script the
// font could hold would need an atlas larger than GL's largest texture.
constexpr size_t kMostWanted = 6000;

bool InBaseRanges(uint32_t c) {
  for (const ImWchar* range = kGlyphRanges; range[0] != 0; range += 2) {
    if (c >= range[0] && c <= range[1]) return true;
  }
  return false;
}

// Ranges as ImGui reads them: pairs of first and last, ending in 0.
std::vector<ImWchar> RangesOf(const std::vector<uint32_t>& characters, bool withBase) {
  std::vector<ImWchar> ranges;
  if (withBase) ranges.assign(std::begin(kGlyphRanges), std::end(kGlyphRanges) - 1);
  const size_t base = ranges.size();
  // The characters come in order: a run of them is one range.
  for (const uint32_t c : characters) {
    if (ranges.size() > base && ranges.back() + 1u == c) {
      ranges.back() = static_cast<ImWchar>(c);
    } else {
      ranges.push_back(static_cast<ImWchar>(c));
      ranges.push_back(static_cast<ImWchar>(c));
    }
  }
  ranges.push_back(0);
  return ranges;
}

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

void ImguiSupport_LoadFont(ImGuiIO& io) { ImguiGlyphs().Load(io); }

void ImguiGlyphs::Want(const std::string& text) {
  const char* p = text.c_str();
  const char* end = p + text.size();
  while (p < end) {
    unsigned int c = 0;
    const int bytes = ImTextCharFromUtf8(&c, p, end);
    p += bytes > 0 ? bytes : 1;
    // ImGui's characters end at the first plane.
    if (c < 0x20 || c > 0xFFFF || InBaseRanges(c) || wanted_.size() >= kMostWanted) continue;
    grown_ = wanted_.insert(c).second || grown_;
  }
}

void ImguiGlyphs::Load(ImGuiIO& io) {
  io.Fonts->Clear();
  ranges_.clear();
  grown_ = false;
  const std::vector<uint32_t> wanted(wanted_.begin(), wanted_.end());
  int index = 0;
  const std::string path = PlatformFont_MatchFile(kFamily, &index);
  // Each character comes from the first font that has it: the family's
  // own, then those fontconfig falls back to, merged into one.
  const std::vector<FontCoverage> fonts =
      wanted.empty() ? std::vector<FontCoverage>{} : PlatformFont_Cover(kFamily, wanted);
  PlatformFont_Shutdown();
  ImFontConfig config;
  config.FontNo = index;
  // Nothing wanted: the ranges that outlive any atlas.
  const ImWchar* ranges = kGlyphRanges;
  if (!wanted.empty()) {
    ranges_.push_back(RangesOf(wanted, true));
    ranges = ranges_.back().data();
  }
  if (path.empty() || io.Fonts->AddFontFromFileTTF(path.c_str(), kFontPixels, &config, ranges) == nullptr) {
    io.Fonts->AddFontDefault();
  }
  for (const FontCoverage& font : fonts) {
    if (font.path == path && font.faceIndex == index) continue;
    ImFontConfig merged;
    merged.FontNo = font.faceIndex;
    merged.MergeMode = true;
    // Thousands of characters may come from one such font: drawn without
    // the sideways oversampling they build in a fraction of the time.
    merged.OversampleH = 1;
    ranges_.push_back(RangesOf(font.characters, false));
    io.Fonts->AddFontFromFileTTF(font.path.c_str(), kFontPixels, &merged, ranges_.back().data());
  }
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
