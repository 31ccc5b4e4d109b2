// The text list of timed key presses that mkrecording turns into a player
// recording: one press a line, "FIRST LAST KEYCODE", the key held down from
// step FIRST through step LAST (steps counted from 0); "#" starts a comment.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace mkrecording {

struct KeyPress {
  int32_t first = 0, last = 0, key = 0;
};

// A list that cannot be read: the message names the line.
class KeyListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the list; `name` prefixes the messages ("NAME:LINE: ...").
std::vector<KeyPress> KeyList_Parse(const std::string& text, const std::string& name);

// The steps a recording of these presses needs: through the step that
// releases the last key, and one quiet step after it.
int32_t KeyList_StepsNeeded(const std::vector<KeyPress>& presses);

// The recording: the header and `steps` blocks in the player's record format,
// the window left to the playing run (a client size of 0). A key is
// down from FIRST through LAST, pressed at FIRST and released at LAST + 1;
// each step's last key is the highest key pressed in it (else the previous
// step's) and its current key the highest key held down (else 0).
std::vector<uint8_t> KeyList_Record(const std::vector<KeyPress>& presses, int32_t steps);

}  // namespace mkrecording
