#include "world/input/input_record.h"

#include <cstdio>
#include <cstring>

#include "platform/regular_file.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"
#include "shell/window.h"

namespace {

// The first bytes of a recording with a header; a recording of version 1
// starts with a step's last character and typed text, which never read so.
constexpr uint8_t kMark[8] = {0x8B, 'K', 'V', 'R', 'E', 'C', '\r', '\n'};

struct RecordFile {
  std::FILE* file = nullptr;
  bool ended = false;
  uint32_t version = kInputRecordVersion;
};

RecordFile g_record;

class BlockWriter {
 public:
  explicit BlockWriter(uint8_t* block) : out_(block) {}
  void U8(uint8_t v) { out_[at_++] = v; }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void I32(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<uint8_t>(u >> shift));
  }
  void Bytes(const uint8_t* v, size_t n) {
    for (size_t i = 0; i < n; ++i) U8(v[i]);
  }

 private:
  uint8_t* out_;
  size_t at_ = 0;
};

class BlockReader {
 public:
  explicit BlockReader(const uint8_t* block) : in_(block) {}
  uint8_t U8() { return in_[at_++]; }
  uint16_t U16() {
    uint16_t low = U8();
    return static_cast<uint16_t>(low | (U8() << 8));
  }
  int32_t I32() {
    uint32_t u = 0;
    for (int shift = 0; shift < 32; shift += 8) u |= static_cast<uint32_t>(U8()) << shift;
    return static_cast<int32_t>(u);
  }
  void Bytes(uint8_t* v, size_t n) {
    for (size_t i = 0; i < n; ++i) v[i] = U8();
  }

 private:
  const uint8_t* in_;
  size_t at_ = 0;
};

void Field(BlockWriter& w, uint16_t v) { w.U16(v); }
void Field(BlockWriter& w, int32_t v) { w.I32(v); }
void Field(BlockReader& r, uint16_t& v) { v = r.U16(); }
void Field(BlockReader& r, int32_t& v) { v = r.I32(); }
void Bytes(BlockWriter& w, const uint8_t* v, size_t n) { w.Bytes(v, n); }
void Bytes(BlockReader& r, uint8_t* v, size_t n) { r.Bytes(v, n); }

// The field order of a block, shared by both directions so they cannot
// drift apart: `io` is a writer or a reader, `s` a const or mutable state.
template <typename IO, typename State>
void EachField(IO& io, State& s) {
  Field(io, s.lastChar);
  for (auto& unit : s.keyboardString) Field(io, unit);
  Field(io, s.lastKey);
  Field(io, s.currentKey);
  Bytes(io, s.keyDown, kInputKeyCount);
  Bytes(io, s.keyReleased, kInputKeyCount);
  Bytes(io, s.keyPressed, kInputKeyCount);
  for (auto& v : s.lastButton) Field(io, v);
  for (auto& v : s.currentButton) Field(io, v);
  for (auto& device : s.buttonDown) Bytes(io, device, kInputButtonCount);
  for (auto& device : s.buttonReleased) Bytes(io, device, kInputButtonCount);
  for (auto& device : s.buttonPressed) Bytes(io, device, kInputButtonCount);
  Bytes(io, s.wheelUp, kInputDeviceCount);
  Bytes(io, s.wheelDown, kInputDeviceCount);
  Field(io, s.cursorX);
  Field(io, s.cursorY);
  Field(io, s.windowMouseX);
  Field(io, s.windowMouseY);
}

// The fields version 2 added after those of version 1.
template <typename IO, typename State>
void WindowFields(IO& io, State& s) {
  Field(io, s.windowWidth);
  Field(io, s.windowHeight);
  Field(io, s.letterboxX);
  Field(io, s.letterboxY);
  Bytes(io, &s.fullScreen, 1);
}

const char* FileName() { return g_runFlags.recordFileName != nullptr ? g_runFlags.recordFileName : ""; }

uint32_t Word(const uint8_t* bytes) {
  return bytes[0] | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

// Reads the header, or finds a recording of version 1 and goes back to its
// start; false, after a line, for a version this player cannot read.
bool ReadHeader() {
  uint8_t header[kInputRecordHeaderSize];
  const size_t got = std::fread(header, 1, sizeof header, g_record.file);
  if (got < sizeof kMark || std::memcmp(header, kMark, sizeof kMark) != 0) {
    g_record.version = 1;
    std::rewind(g_record.file);
    if (got > 0) {
      g_debugConsole->Output(
          "Input playback: \"%s\" is a recording without the window's size (version 1): the mouse maps through "
          "this run's window\n",
          FileName());
    }
    return true;
  }
  if (got < sizeof header) {
    g_debugConsole->Output("Input playback: \"%s\" ends inside its header: input is not played back\n", FileName());
    return false;
  }
  g_record.version = Word(header + 8);
  if (g_record.version == kInputRecordVersion && Word(header + 12) == kInputRecordSize) return true;
  g_debugConsole->Output(
      "Input playback: \"%s\" is a recording of version %u, which this player does not read: input is not played "
      "back\n",
      FileName(), static_cast<unsigned>(g_record.version));
  return false;
}

void PlayWindow(const InputStepSide& step) {
  if (g_record.version < 2 || step.windowWidth <= 0 || step.windowHeight <= 0) return Win_PlayGeometry(nullptr);
  WindowGeometry played;
  played.clientWidth = step.windowWidth;
  played.clientHeight = step.windowHeight;
  played.letterboxX = step.letterboxX;
  played.letterboxY = step.letterboxY;
  played.fullScreen = step.fullScreen != 0;
  Win_PlayGeometry(&played);
}

}  // namespace

void InputRecord_Header(uint8_t* header) {
  std::memcpy(header, kMark, sizeof kMark);
  BlockWriter writer(header + sizeof kMark);
  writer.I32(static_cast<int32_t>(kInputRecordVersion));
  writer.I32(static_cast<int32_t>(kInputRecordSize));
}

void InputRecord_Encode(const InputStepSide& step, uint8_t* block) {
  BlockWriter writer(block);
  EachField(writer, step);
  WindowFields(writer, step);
}

void InputRecord_Decode(const uint8_t* block, InputStepSide* step) {
  BlockReader reader(block);
  EachField(reader, *step);
  WindowFields(reader, *step);
}

void InputRecord_DecodeVersion1(const uint8_t* block, InputStepSide* step) {
  BlockReader reader(block);
  EachField(reader, *step);
}

bool InputRecord_PlaybackMode() { return g_runFlags.playbackInput; }
bool InputRecord_RecordMode() { return g_runFlags.recordInput; }

void InputRecord_Close() {
  if (g_record.file != nullptr) std::fclose(g_record.file);
  g_record = RecordFile();
  Win_PlayGeometry(nullptr);
}

void InputRecord_Open() {
  InputRecord_Close();
  if (!g_runFlags.recordInput && !g_runFlags.playbackInput) return;
  if (g_runFlags.recordFileName == nullptr || g_runFlags.recordFileName[0] == '\0') return;
  if (g_runFlags.playbackInput) g_runFlags.recordInput = false;
  // Only a regular file is played back: a fifo in its place would hold the
  // open for ever.
  g_record.file = g_runFlags.playbackInput ? RegularFile_OpenStream(g_runFlags.recordFileName)
                                           : std::fopen(g_runFlags.recordFileName, "w+b");
  if (g_record.file == nullptr) {
    g_debugConsole->Output("Unable to open the input %s file \"%s\": input is not %s\n",
                           g_runFlags.playbackInput ? "playback" : "record", g_runFlags.recordFileName,
                           g_runFlags.playbackInput ? "played back" : "recorded");
    return;
  }
  std::setvbuf(g_record.file, nullptr, _IONBF, 0);
  if (g_runFlags.playbackInput) {
    if (!ReadHeader()) InputRecord_Close();
    return;
  }
  uint8_t header[kInputRecordHeaderSize];
  InputRecord_Header(header);
  std::fwrite(header, 1, sizeof header, g_record.file);
  std::fflush(g_record.file);
}

// A short last block is what a run cut off mid-write leaves: it ends the
// playback like the end of the file does.
// The system mouse's device position is the window position, as a poll
// makes it.
void IO_ReadPlayback() {
  if (g_record.file == nullptr || g_record.ended) return;
  uint8_t block[kInputRecordSize];
  const size_t size = g_record.version < 2 ? kInputRecordVersion1Size : kInputRecordSize;
  size_t got = std::fread(block, 1, size, g_record.file);
  if (got == size) {
    InputStepSide& step = Input_StepSide();
    if (g_record.version < 2) {
      InputRecord_DecodeVersion1(block, &step);
    } else {
      InputRecord_Decode(block, &step);
    }
    step.mouseX[0] = step.windowMouseX;
    step.mouseY[0] = step.windowMouseY;
    PlayWindow(step);
    return;
  }
  g_record.ended = true;
  if (got > 0) {
    g_debugConsole->Output("Input playback: the last step of \"%s\" is cut short (%d bytes), playback ends\n",
                           FileName(), static_cast<int>(got));
  }
}

void IO_WriteRecord() {
  if (g_record.file == nullptr || g_runFlags.playbackInput) return;
  uint8_t block[kInputRecordSize];
  InputRecord_Encode(Input_StepSide(), block);
  std::fwrite(block, 1, sizeof block, g_record.file);
  std::fflush(g_record.file);
}
