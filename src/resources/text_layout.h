// A text laid out in lines for drawing and measuring. The lines live in a
// private copy of the text, so the caller's text (often a script value's
// own, or a constant of compiled code) is never written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CFontGM;

// A wrap width below 0 lays the text out without wrapping.
constexpr int32_t kTextNoWrap = -1;

class TextLines {
 public:
  // Each "#" breaks the line, "\#" shows a "#". Without wrapping a carriage
  // return or a line feed ends a line; with wrapping only a carriage return
  // does, and lines break at spaces before they grow past the wrap width.
  TextLines(const char* text, const CFontGM& font, int32_t wrapWidth);

  int32_t Count() const { return static_cast<int32_t>(starts_.size()); }
  // Line i, ended by a NUL.
  const char* Line(int32_t i) const { return text_.data() + starts_[static_cast<size_t>(i)]; }
  // The widest line, at least 1.
  int32_t Width() const;

 private:
  void SplitAtBreaks();
  void SplitWrapped(int64_t limit);
  // Ends the line that runs from `start` to `end` (a byte it replaces by NUL).
  void Enter(size_t start, size_t end);

  const CFontGM& font_;
  std::string text_;
  std::vector<uint32_t> starts_;
};

// The width of one line of UTF-8 text, held to the 32-bit range.
int32_t Text_LineWidth(const CFontGM& font, const char* line);
// The line height of the font: the height of "M".
int32_t Text_UnitHeight(const CFontGM& font);
// H + (n - 1) x separation for n lines (separation H when negative); 1 for
// no lines. Held to the 32-bit range.
int32_t Text_Height(int32_t lines, int32_t separation, int32_t unit);
