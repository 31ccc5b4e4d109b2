#include "mkrecording/key_list.h"

#include <algorithm>
#include <sstream>

#include "world/input/input_record.h"
#include "world/input/input_state.h"

namespace mkrecording {

namespace {

// Strict whole numbers only: "1e3", "-" or "5x" are refused.
bool ReadNumber(const std::string& word, int32_t* value) {
  if (word.empty() || word.size() > 9) return false;
  size_t start = word[0] == '-' ? 1 : 0;
  if (start == word.size()) return false;
  for (size_t i = start; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return false;
  }
  *value = std::stoi(word);
  return true;
}

KeyPress ParseLine(const std::string& line, const std::string& where) {
  std::istringstream words(line);
  std::vector<std::string> fields;
  for (std::string word; words >> word;) fields.push_back(word);
  KeyPress press;
  if (fields.size() != 3 || !ReadNumber(fields[0], &press.first) || !ReadNumber(fields[1], &press.last) ||
      !ReadNumber(fields[2], &press.key)) {
    throw KeyListError(where + "expected FIRST LAST KEYCODE, three whole numbers");
  }
  if (press.first < 0 || press.last < press.first)
    throw KeyListError(where + "the steps must satisfy 0 <= FIRST <= LAST");
  if (press.key < 1 || press.key >= kInputKeyCount) throw KeyListError(where + "a key code lies between 1 and 255");
  return press;
}

}  // namespace

std::vector<KeyPress> KeyList_Parse(const std::string& text, const std::string& name) {
  std::vector<KeyPress> presses;
  std::vector<int> lines;
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    std::string where = name + ":" + std::to_string(number) + ": ";
    KeyPress press = ParseLine(line, where);
    // A key released and pressed in one step has no meaning in a recording.
    for (size_t i = 0; i < presses.size(); ++i) {
      const KeyPress& other = presses[i];
      if (other.key == press.key && press.first <= other.last + 1 && other.first <= press.last + 1) {
        throw KeyListError(where + "key " + std::to_string(press.key) + " is still held or just released (line " +
                           std::to_string(lines[i]) + ")");
      }
    }
    presses.push_back(press);
    lines.push_back(number);
  }
  return presses;
}

int32_t KeyList_StepsNeeded(const std::vector<KeyPress>& presses) {
  int32_t steps = 0;
  for (const KeyPress& press : presses) steps = std::max(steps, press.last + 3);
  return steps;
}

std::vector<uint8_t> KeyList_Record(const std::vector<KeyPress>& presses, int32_t steps) {
  std::vector<InputStepSide> sides(static_cast<size_t>(steps), InputStepSide{});
  for (const KeyPress& press : presses) {
    for (int32_t step = press.first; step <= press.last; ++step)
      sides[static_cast<size_t>(step)].keyDown[press.key] = 1;
    sides[static_cast<size_t>(press.first)].keyPressed[press.key] = 1;
    sides[static_cast<size_t>(press.last) + 1].keyReleased[press.key] = 1;
  }
  std::vector<uint8_t> record(kInputRecordHeaderSize + static_cast<size_t>(steps) * kInputRecordSize);
  InputRecord_Header(record.data());
  int32_t lastKey = 0;
  for (size_t step = 0; step < sides.size(); ++step) {
    InputStepSide& side = sides[step];
    side.currentKey = 0;
    for (int32_t key = 0; key < kInputKeyCount; ++key) {
      if (side.keyPressed[key] != 0) lastKey = key;
      if (side.keyDown[key] != 0) side.currentKey = key;
    }
    side.lastKey = lastKey;
    InputRecord_Encode(side, record.data() + kInputRecordHeaderSize + step * kInputRecordSize);
  }
  return record;
}

}  // namespace mkrecording
