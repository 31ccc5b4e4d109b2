#include "resources/text_layout.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "resources/font.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace {

int32_t Clamp32(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

TextLines::TextLines(const char* text, const CFontGM& font, int32_t wrapWidth) : font_(font) {
  if (text == nullptr) return;
  text_ = text;
  // The rewrite never lengthens the text, and leaves it well-formed: every
  // break and space below is one byte of its own. Plain ASCII without "#"
  // is left as it is.
  if (std::any_of(text_.begin(), text_.end(), [](char c) { return c == '#' || (c & 0x80) != 0; })) {
    Text_HashToNewline(text_.data());
    text_.resize(std::strlen(text_.c_str()));
  }
  if (text_.empty()) return;
  if (wrapWidth < 0) {
    SplitAtBreaks();
  } else {
    SplitWrapped(wrapWidth);
  }
}

void TextLines::Enter(size_t start, size_t end) {
  text_[end] = '\0';
  starts_.push_back(static_cast<uint32_t>(start));
}

// Empty lines count here: a carriage return and line feed make two breaks.
void TextLines::SplitAtBreaks() {
  size_t start = 0;
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] != '\r' && text_[i] != '\n') continue;
    Enter(start, i);
    start = i + 1;
  }
  if (start < text_.size()) Enter(start, text_.size());
}

// A line takes characters while its width stays below the limit; it then
// breaks at the last space, or, for one long word, after that word. A
// single character wider than the limit at the start of a line ends the
// layout there, dropping the rest.
void TextLines::SplitWrapped(int64_t limit) {
  const size_t n = text_.size();
  const char* data = text_.data();
  size_t start = 0;
  while (start < n) {
    while (data[start] == ' ') ++start;
    size_t pos = start, last = start;
    int64_t sum = 0;
    while (pos < n && sum < limit && data[pos] != '\r') {
      last = pos;
      const char* p = data + pos;
      sum += font_.CharWidth(UTF8_ReadCharQuick(&p));
      pos = static_cast<size_t>(p - data);
    }
    if (sum > limit) pos = last;
    size_t end = pos;
    if (pos < n && data[pos] == '\r') {
      end = pos;
    } else if (pos == start) {
      break;
    } else if (pos < n && data[pos] != ' ') {
      size_t space = pos;
      while (space > start && data[space] != ' ') --space;
      if (space > start) {
        while (data[space - 1] == ' ') --space;
        end = space;
      } else {
        end = pos;
        while (end < n && data[end] != ' ') ++end;
      }
    }
    if (end > start) Enter(start, end);
    start = end + 1;
  }
}

int32_t TextLines::Width() const {
  int32_t widest = 1;
  for (int32_t i = 0; i < Count(); ++i) widest = std::max(widest, Text_LineWidth(font_, Line(i)));
  return widest;
}

int32_t Text_LineWidth(const CFontGM& font, const char* line) {
  int64_t width = 0;
  for (uint16_t c = UTF8_ReadCharQuick(&line); c != 0; c = UTF8_ReadCharQuick(&line)) width += font.CharWidth(c);
  return Clamp32(width);
}

int32_t Text_UnitHeight(const CFontGM& font) { return font.TextHeight("M"); }

int32_t Text_Height(int32_t lines, int32_t separation, int32_t unit) {
  if (lines <= 0) return 1;
  const int64_t step = separation < 0 ? unit : separation;
  return Clamp32(unit + (int64_t{lines} - 1) * step);
}
