// mkrecording as a program: the steps it writes from a key list, read back
// with the player's own decoder, and the lists it refuses.
#include <filesystem>
#include <fstream>

#include "tools/mkgame_harness.h"
#include "world/input/input_record.h"

namespace mkgame_test {
namespace {

RunResult RunMkrecording(const std::string& keys, const std::string& output, const std::string& options) {
  std::string list = TempPath("keys.txt");
  std::ofstream(list, std::ios::binary) << keys;
  return RunLogged(std::string("cd '") + std::filesystem::path(list).parent_path().string() + "' && '" +
                       KV_MKRECORDING_PATH + "' keys.txt -o '" + output + "' " + options,
                   output + ".log");
}

// One step as the player reads it back.
struct Step {
  int down39, down37, pressed39, pressed37, released39, released37, lastKey, currentKey;
};

TEST(Mkrecording, EachStepHoldsThePressesAsThePlayerReadsThem) {
  // Right held over steps 3-5, left pressed alone at step 4; one quiet step
  // after the last release ends the recording.
  const Step expected[] = {
      {0, 0, 0, 0, 0, 0, 0, 0},   {0, 0, 0, 0, 0, 0, 0, 0},   {0, 0, 0, 0, 0, 0, 0, 0},  {1, 0, 1, 0, 0, 0, 39, 39},
      {1, 1, 0, 1, 0, 0, 37, 39}, {1, 0, 0, 0, 0, 1, 37, 39}, {0, 0, 0, 0, 1, 0, 37, 0}, {0, 0, 0, 0, 0, 0, 37, 0},
  };
  std::string output = TempPath("steps.rec");
  RunResult run = RunMkrecording("# right, then left\n3 5 39\n4 4 37   # left\n\n", output, "");
  ASSERT_EQ(run.status, 0) << run.output;
  std::vector<uint8_t> bytes = ReadAll(output);
  ASSERT_EQ(bytes.size(), kInputRecordHeaderSize + std::size(expected) * kInputRecordSize);
  std::vector<uint8_t> header(kInputRecordHeaderSize);
  InputRecord_Header(header.data());
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + kInputRecordHeaderSize), header);
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    InputStepSide side{};
    InputRecord_Decode(bytes.data() + kInputRecordHeaderSize + i * kInputRecordSize, &side);
    EXPECT_EQ(side.windowWidth, 0) << "the window is left to the playing run";
    const Step& e = expected[i];
    EXPECT_EQ(side.keyDown[39], e.down39);
    EXPECT_EQ(side.keyDown[37], e.down37);
    EXPECT_EQ(side.keyPressed[39], e.pressed39);
    EXPECT_EQ(side.keyPressed[37], e.pressed37);
    EXPECT_EQ(side.keyReleased[39], e.released39);
    EXPECT_EQ(side.keyReleased[37], e.released37);
    EXPECT_EQ(side.lastKey, e.lastKey);
    EXPECT_EQ(side.currentKey, e.currentKey);
  }
  // --steps pads the recording with quiet steps.
  ASSERT_EQ(RunMkrecording("3 5 39\n", output, "--steps 20").status, 0);
  EXPECT_EQ(ReadAll(output).size(), kInputRecordHeaderSize + 20 * kInputRecordSize);
}

struct Refusal {
  const char* keys;
  const char* options;
  const char* message;
};

TEST(Mkrecording, ListsThatCannotBeRecordedNameTheLineAndWriteNothing) {
  const Refusal refusals[] = {
      {"1 2\n", "", "keys.txt:1: expected FIRST LAST KEYCODE, three whole numbers\n"},
      {"1 2 39 4\n", "", "keys.txt:1: expected FIRST LAST KEYCODE, three whole numbers\n"},
      {"# hex\n1 2 0x27\n", "", "keys.txt:2: expected FIRST LAST KEYCODE, three whole numbers\n"},
      {"5 4 39\n", "", "keys.txt:1: the steps must satisfy 0 <= FIRST <= LAST\n"},
      {"-1 4 39\n", "", "keys.txt:1: the steps must satisfy 0 <= FIRST <= LAST\n"},
      {"1 2 256\n", "", "keys.txt:1: a key code lies between 1 and 255\n"},
      {"1 2 0\n", "", "keys.txt:1: a key code lies between 1 and 255\n"},
      {"1 5 39\n1 5 37\n6 8 39\n", "", "keys.txt:3: key 39 is still held or just released (line 1)\n"},
      {"4 8 39\n1 4 39\n", "", "keys.txt:2: key 39 is still held or just released (line 1)\n"},
      {"0 10 39\n", "--steps 12", "mkrecording: the presses need 13 steps, more than --steps 12\n"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.keys);
    std::string output = TempPath("refused.rec");
    std::filesystem::remove(output);
    RunResult run = RunMkrecording(r.keys, output, r.options);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, r.message);
    EXPECT_FALSE(std::filesystem::exists(output));
  }
}

}  // namespace
}  // namespace mkgame_test
