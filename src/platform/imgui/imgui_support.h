// What the dialog host and the debugger's window share: whether a desktop
// can be seen, which window an event is for, the font, and the handing of a
// batch of events to an ImGui frame.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct ImGuiIO;

// A desktop someone looks at: the stand-in drivers SDL falls back to
// without one show nothing (unless tests allowed them).
bool ImguiSupport_DesktopSeen();
bool ImguiSupport_IsInputEvent(Uint32 type);
// The window an input or window event belongs to; 0 when it names none.
Uint32 ImguiSupport_EventWindow(const SDL_Event& event);
// DejaVu Sans found through fontconfig, else ImGui's own font.
void ImguiSupport_LoadFont(ImGuiIO& io);

// The characters a dialog's font holds beyond the usual ranges: those of
// the texts it shows, each drawn by the first installed font that has it
// (the replacement character where none has).
class ImguiGlyphs {
 public:
  // Notes the characters of a UTF-8 text that the font lacks.
  void Want(const std::string& text);
  // True when texts wanted characters since the font was last loaded.
  bool Grown() const { return grown_; }
  // Outside a frame: loads the font into io again with every character
  // wanted so far.
  void Load(ImGuiIO& io);

 private:
  std::set<uint32_t> wanted_;
  bool grown_ = false;
  // The atlas reads its ranges when it builds: they live as long as it.
  std::vector<std::vector<uint16_t>> ranges_;
};
// Hands `take` the events one frame should see, oldest first: all that
// wait, except that a key released after it was pressed in the same batch,
// a key pressed again after it was pressed or released in it, or a mouse
// button's second press or release in it, waits with what
// follows it for the next frame, so every press and release is seen for at
// least one frame. A Tab press ends the batch: the keyboard focus moves to
// the next field only in the frame after it, and answers true then (see
// kFocusMoveFrames).
bool ImguiSupport_FeedFrame(std::deque<SDL_Event>* waiting, const std::function<void(const SDL_Event&)>& take);

// Frames from the one fed a Tab press to the first whose keys the field
// that took the focus reads; the frame between takes no input, whatever
// was typed is kept for after it.
constexpr int kFocusMoveFrames = 2;

// The text (lines ending in LF) broken into lines no wider than `width` in
// the current font, at blanks where it can. ImGui's own wrapping draws
// every glyph of a long wrapped line, seen or not, which a text of some
// 16,000 characters already overflows.
std::string ImguiSupport_Wrap(const std::string& text, float width);
