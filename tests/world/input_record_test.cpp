#include "world/input/input_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/run_flags.h"
#include "shell/window_internal.h"
#include "support/test_support.h"
#include "world/input/input.h"
#include "world/input_test_support.h"

namespace {

using testsupport::ConsoleCapture;
using testsupport::ReadRaw;
using testsupport::ScratchFolder;
using testsupport::WriteRaw;
namespace rec = input_record;

class InputRecord : public testing::Test {
 protected:
  void SetUp() override { inputtest::ResetInput(); }
  void TearDown() override { inputtest::ResetInput(); }

  // Opens the named file the way the command line asks for it.
  void Start(const char* option, const std::string& path) {
    IO_Free();
    Runner_ParseOptions((std::string(option) + " \"" + path + "\"").c_str());
    IO_Init();
  }
  // Recording: the first step, which takes the step side as it is.
  void FirstStep() { IO_Update(); }
  ScratchFolder folder_;
};

std::string Block() { return std::string(kInputRecordSize, '\0'); }

std::string Header() {
  std::string header(kInputRecordHeaderSize, '\0');
  InputRecord_Header(reinterpret_cast<uint8_t*>(header.data()));
  return header;
}

uint8_t At(const std::string& bytes, size_t offset) { return static_cast<uint8_t>(bytes.at(offset)); }

TEST_F(InputRecord, FieldsLieAtTheirOffsetsLittleEndian) {
  InputStepSide step{};
  step.lastChar = 0x20AC;
  step.keyboardString[0] = 'h';
  step.keyboardString[1024] = 0x1234;
  step.lastKey = -2;
  step.currentKey = 0x41;
  step.keyDown[65] = 1;
  step.keyReleased[66] = 1;
  step.keyPressed[67] = 1;
  step.lastButton[4] = 3;
  step.currentButton[1] = 2;
  step.buttonDown[0][0] = 1;
  step.buttonDown[1][2] = 1;
  step.buttonReleased[4][2] = 1;
  step.buttonPressed[2][1] = 1;
  step.wheelUp[3] = 1;
  step.wheelDown[4] = 1;
  step.cursorX = 0x01020304;
  step.cursorY = 7;
  step.windowMouseX = 300;
  step.windowMouseY = -1;
  step.windowWidth = 640;
  step.windowHeight = 0x01E0;
  step.letterboxX = 2;
  step.letterboxY = 3;
  step.fullScreen = 1;
  std::string b = Block();
  InputRecord_Encode(step, reinterpret_cast<uint8_t*>(b.data()));

  EXPECT_EQ(At(b, rec::kLastChar), 0xAC);
  EXPECT_EQ(At(b, rec::kLastChar + 1), 0x20);
  EXPECT_EQ(At(b, rec::kKeyboardString), 'h');
  EXPECT_EQ(At(b, rec::kKeyboardString + 2048), 0x34);
  EXPECT_EQ(At(b, rec::kKeyboardString + 2049), 0x12);
  EXPECT_EQ(b.substr(rec::kLastKey, 4), std::string("\xFE\xFF\xFF\xFF", 4));
  EXPECT_EQ(At(b, rec::kCurrentKey), 0x41);
  EXPECT_EQ(At(b, 2060 + 65), 1);
  EXPECT_EQ(At(b, 2316 + 66), 1);
  EXPECT_EQ(At(b, 2572 + 67), 1);
  EXPECT_EQ(At(b, rec::kLastButton + 16), 3);
  EXPECT_EQ(At(b, rec::kCurrentButton + 4), 2);
  EXPECT_EQ(At(b, 2868), 1);
  EXPECT_EQ(At(b, 2868 + 5), 1) << "device 1, button 3";
  EXPECT_EQ(At(b, rec::kButtonReleased + 14), 1);
  EXPECT_EQ(At(b, rec::kButtonPressed + 7), 1);
  EXPECT_EQ(At(b, rec::kWheelUp + 3), 1);
  EXPECT_EQ(At(b, rec::kWheelDown + 4), 1);
  EXPECT_EQ(b.substr(2923, 8), std::string("\x04\x03\x02\x01\x07\x00\x00\x00", 8));
  EXPECT_EQ(b.substr(rec::kWindowMouse, 8), std::string("\x2C\x01\x00\x00\xFF\xFF\xFF\xFF", 8));
  EXPECT_EQ(b.substr(rec::kWindowSize, 8), std::string("\x80\x02\x00\x00\xE0\x01\x00\x00", 8));
  EXPECT_EQ(b.substr(rec::kLetterbox, 8), std::string("\x02\x00\x00\x00\x03\x00\x00\x00", 8));
  EXPECT_EQ(At(b, rec::kFullScreen), 1);
  EXPECT_EQ(rec::kWindowSize, kInputRecordVersion1Size);
  EXPECT_EQ(rec::kFullScreen + 1, kInputRecordSize);
  EXPECT_EQ(Header(), std::string("\x8BKVREC\r\n\x02\x00\x00\x00\x8C\x0B\x00\x00", 16));
}

TEST_F(InputRecord, AnyBlockReadsBackToTheSameBytes) {
  std::string original = Block();
  uint32_t seed = 12345;
  for (char& c : original) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  InputStepSide step{};
  InputRecord_Decode(reinterpret_cast<const uint8_t*>(original.data()), &step);
  std::string again = Block();
  InputRecord_Encode(step, reinterpret_cast<uint8_t*>(again.data()));
  EXPECT_EQ(again, original);
}

TEST_F(InputRecord, EachStepWritesOneBlockOfItsStepSide) {
  std::string path = folder_ / "steps.rec";
  Start("-record", path);
  FirstStep();
  IO_OnKeyDown(65);
  IO_Update();
  IO_Update();
  IO_OnKeyUp(65);
  IO_Update();
  std::string all = ReadRaw(path);  // flushed after every block
  ASSERT_EQ(all.size(), kInputRecordHeaderSize + 4 * kInputRecordSize);
  EXPECT_EQ(all.substr(0, kInputRecordHeaderSize), Header());
  std::string bytes = all.substr(kInputRecordHeaderSize + kInputRecordSize);
  EXPECT_EQ(At(bytes, rec::kKeyPressed + 65), 1);
  EXPECT_EQ(At(bytes, rec::kKeyDown + 65), 1);
  EXPECT_EQ(At(bytes, kInputRecordSize + rec::kKeyPressed + 65), 0);
  EXPECT_EQ(At(bytes, kInputRecordSize + rec::kKeyDown + 65), 1);
  EXPECT_EQ(At(bytes, 2 * kInputRecordSize + rec::kKeyReleased + 65), 1);
  EXPECT_EQ(At(bytes, 2 * kInputRecordSize + rec::kKeyDown + 65), 0);

  // A recording played back gives the same step side, step by step.
  Start("-playback", path);
  IO_Update();
  EXPECT_FALSE(IO_KeyDown(65));
  IO_Update();
  EXPECT_TRUE(IO_KeyPressed(65));
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(65));
  EXPECT_FALSE(IO_KeyPressed(65));
  IO_Update();
  EXPECT_TRUE(IO_KeyReleased(65));
  EXPECT_FALSE(IO_KeyDown(65));
}

// A recording of version 1 (no header, no window) plays as it always did.
TEST_F(InputRecord, PlaybackReplacesTheWindowAndHoldsKeysAtTheEnd) {
  std::string block(kInputRecordVersion1Size, '\0');
  block[2125] = 1;  // key 65 down
  block[2382] = 1;  // key 66 released
  block[rec::kWheelUp] = 1;
  std::string path = folder_ / "one.rec";
  WriteRaw(path, block);
  Start("-playback", path);
  IO_OnKeyDown(70);  // the window is not listened to while playing back

  IO_Update();
  EXPECT_TRUE(IO_KeyDown(65));
  EXPECT_TRUE(IO_KeyReleased(66));
  EXPECT_FALSE(IO_KeyDown(70));
  EXPECT_TRUE(IO_WheelUp(0));
  for (int32_t code = 0; code < 256; ++code) EXPECT_FALSE(IO_KeyPressed(code)) << code;

  IO_Update();  // past the end
  EXPECT_TRUE(IO_KeyDown(65)) << "held keys stay held";
  EXPECT_FALSE(IO_KeyReleased(66));
  EXPECT_FALSE(IO_WheelUp(0));
  EXPECT_FALSE(IO_KeyDown(70));
}

TEST_F(InputRecord, ACutLastBlockEndsPlaybackWithOneLine) {
  std::string full = Block();
  full[rec::kKeyDown + 32] = 1;
  std::string cut = Block().substr(0, 100);
  std::string path = folder_ / "cut.rec";
  WriteRaw(path, Header() + full + cut);
  Start("-playback", path);
  ConsoleCapture console;
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(32));
  IO_Update();
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(32));
  ASSERT_EQ(console.Lines().size(), 1u);
  EXPECT_NE(console.Text().find("cut.rec"), std::string::npos);
}

TEST_F(InputRecord, FilesThatCannotBeOpenedAreNamedAndIgnored) {
  std::string missing = folder_ / "no/such/folder/out.rec";
  {
    ConsoleCapture console;
    Start("-record", missing);
    ASSERT_EQ(console.Lines().size(), 1u);
    EXPECT_NE(console.Text().find(missing), std::string::npos);
  }
  FirstStep();
  IO_OnKeyDown(65);
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(65)) << "recording that failed still polls";

  std::string absent = folder_ / "absent.rec";
  {
    ConsoleCapture console;
    Start("-playback", absent);
    EXPECT_NE(console.Text().find(absent), std::string::npos);
  }
  IO_Update();
  IO_Update();
  EXPECT_FALSE(IO_KeyDown(65));
}

// Each step's window comes back with it, and the system mouse's device
// position with the window position; a recording of version 1 says once
// that it holds no window, one of a version to come is refused.
TEST_F(InputRecord, RecordingsPlayByTheirVersion) {
  std::string block = Block();
  block[rec::kKeyDown + 65] = 1;
  block[rec::kWindowMouse] = 100;
  block[rec::kWindowSize + 1] = 2;  // 512
  block[rec::kWindowSize + 4] = 100;
  std::string version1(kInputRecordVersion1Size, '\0');
  version1[rec::kKeyDown + 65] = 1;
  version1[rec::kWindowMouse] = 100;
  std::string leftToRun = block;
  leftToRun[rec::kWindowSize + 1] = leftToRun[rec::kWindowSize + 4] = 0;
  std::string future = Header();
  future[8] = 3;
  struct Case {
    const char* name;
    std::string bytes;
    const char* line;  // "" for none
    bool played;
    int32_t width;  // as window_get_width answers; 0 for the run's own
  };
  const Case cases[] = {
      {"current", Header() + block, "", true, 512},
      {"current, the window left to the run", Header() + leftToRun, "", true, 0},
      {"version 1", version1, "is a recording without the window's size (version 1)", true, 0},
      {"version 3", future + block, "is a recording of version 3, which this player does not read", false, 0},
      {"a cut header", Header().substr(0, 12), "ends inside its header", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = folder_ / "played.rec";
    WriteRaw(path, c.bytes);
    std::memset(&Input_StepSide(), 0, sizeof(InputStepSide));
    ConsoleCapture console;
    Start("-playback", path);
    IO_Update();
    EXPECT_EQ(IO_KeyDown(65), c.played);
    EXPECT_EQ(IO_MouseX(0), c.played ? 100 : 0);
    const WindowGeometry* played = Win_PlayedGeometry();
    EXPECT_EQ(played == nullptr ? 0 : played->clientWidth, c.width);
    if (c.line[0] == '\0') {
      EXPECT_EQ(console.Text(), "");
    } else {
      ASSERT_EQ(console.Lines().size(), 1u) << console.Text();
      EXPECT_NE(console.Text().find(c.line), std::string::npos) << console.Text();
    }
  }
  IO_Free();
  EXPECT_EQ(Win_PlayedGeometry(), nullptr) << "the window is given back at the end";
}

TEST_F(InputRecord, PlaybackTurnsRecordingOff) {
  std::string path = folder_ / "both.rec";
  std::string block = Block();
  WriteRaw(path, block);
  IO_Free();
  Runner_ParseOptions(("-record x -playback \"" + path + "\"").c_str());
  IO_Init();
  EXPECT_FALSE(g_runFlags.recordInput);
  IO_Update();
  IO_Update();
  EXPECT_EQ(ReadRaw(path), block) << "the played-back file is not written to";
}

}  // namespace
