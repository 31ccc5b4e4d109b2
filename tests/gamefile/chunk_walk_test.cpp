#include "gamefile/chunk_walk.h"

#include <gtest/gtest.h>

#include "gamefile/code_chunks.h"
#include "gamefile/game_header.h"
#include "gamefile/image_builder.h"
#include "gamefile/options.h"
#include "runtime/run_flags.h"
#include "shell/window.h"

namespace {

std::string Walk(GameImage image, bool* result) {
  testing::internal::CaptureStdout();
  *result = LoadGameChunks(image);
  return testing::internal::GetCapturedStdout();
}

TEST(ChunkWalk, ListsChunksAndReadsTheHeader) {
  ImageBuilder b;
  b.Header(8, {2});
  size_t empty = b.Chunk("ABCD");
  b.EndChunk(empty);
  bool ok = false;
  std::string out = Walk(b.Finish(), &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(out, "initialise everything!\nProcess Chunk: GEN8   108\nProcess Chunk: ABCD   0\n");
  EXPECT_EQ(g_formatVersion, 8);
  EXPECT_EQ(g_gameId, 42);
  EXPECT_EQ(g_gameHeader.lastInstanceId, 100005);
  EXPECT_EQ(g_windowWidth, 320);
  EXPECT_EQ(g_windowFlags, kWindowResizable);
  EXPECT_EQ(g_roomOrder, (std::vector<int32_t>{2}));
}

TEST(ChunkWalk, RoomOrderDependsOnTheFormat) {
  for (int format : {7, 8, 9, 10, 11}) {
    for (size_t rooms = 0; rooms <= 2; ++rooms) {
      std::vector<int32_t> order;
      for (size_t i = 0; i < rooms; ++i) order.push_back(static_cast<int32_t>(i + 3));
      ImageBuilder b;
      b.Header(format, order);
      bool ok = false;
      Walk(b.Finish(), &ok);
      EXPECT_TRUE(ok) << format;
      EXPECT_EQ(g_roomOrder, order) << "format " << format << " rooms " << rooms;
    }
  }
}

TEST(ChunkWalk, UnknownChunkFailsButLaterChunksAreRead) {
  ImageBuilder b;
  size_t unknown = b.Chunk("ABCD");
  b.U32(7);
  b.EndChunk(unknown);
  b.Header(8, {5});
  bool ok = true;
  std::string out = Walk(b.Finish(), &ok);
  EXPECT_FALSE(ok);
  EXPECT_NE(out.find("unknown Chunk ABCD:1145258561\n"), std::string::npos);
  EXPECT_NE(out.find("Process Chunk: GEN8"), std::string::npos);
  EXPECT_EQ(g_roomOrder, (std::vector<int32_t>{5}));
}

TEST(ChunkWalk, ReversedMagicIsAccepted) {
  ImageBuilder b;
  b.bytes[0] = 'M';
  b.bytes[1] = 'R';
  b.bytes[2] = 'O';
  b.bytes[3] = 'F';
  b.Header(8, {});
  bool ok = false;
  Walk(b.Finish(), &ok);
  EXPECT_TRUE(ok);
}

TEST(ChunkWalk, DamagedContainersFailTheLoad) {
  struct Case {
    const char* what;
    GameImage image;
  };
  std::vector<Case> cases;
  {
    ImageBuilder b;
    b.Header(8, {});
    cases.push_back({"size word", b.Finish(false)});
  }
  {
    ImageBuilder b;
    b.bytes[0] = 'X';
    b.Header(8, {});
    cases.push_back({"magic", b.Finish()});
  }
  {
    ImageBuilder b;
    cases.push_back({"only the head", b.Finish()});
  }
  {
    ImageBuilder b;
    size_t at = b.Chunk("OPTN");
    b.U32(0);
    b.EndChunk(at);
    cases.push_back({"no header", b.Finish()});
  }
  {
    ImageBuilder b;
    b.Header(8, {});
    size_t at = b.Chunk("OPTN");
    b.U32(0);
    b.EndChunk(at);
    b.Patch(at, 0xFFFFFFF8u);  // offset + 8 + size wraps in 32 bits
    cases.push_back({"chunk past the end", b.Finish()});
  }
  {
    ImageBuilder b;
    size_t at = b.Chunk("GEN8");
    b.U32(8 << 8);
    b.EndChunk(at);
    cases.push_back({"short header", b.Finish()});
  }
  {
    ImageBuilder b;
    b.Header(8, {});
    size_t at = b.Chunk("OPTN");
    for (int i = 0; i < 35; ++i) b.U32(0);
    b.U32(0x7FFFFFFF);
    b.EndChunk(at);
    cases.push_back({"constant count", b.Finish()});
  }
  for (Case& c : cases) {
    bool ok = true;
    std::string out = Walk(c.image, &ok);
    EXPECT_FALSE(ok) << c.what;
    EXPECT_NE(out.find("Game file damaged: "), std::string::npos) << c.what << "\n" << out;
  }
}

int g_registrations = 0;
void CountRegistration() { ++g_registrations; }

// A second copy of a chunk read once stops the load before anything is read
// (the built-ins are registered at the header); empty copies and unknown
// chunks are not read, so they never count.
TEST(ChunkWalk, ASecondCopyOfAKnownChunkIsRefusedBeforeAnyIsRead) {
  struct Case {
    std::vector<std::pair<const char*, uint32_t>> after;  // chunks after the header: id, size
    const char* said;                                     // the damaged-file line; null: accepted
  };
  const Case cases[] = {
      {{{"GEN8", 108}}, "Game file damaged: GEN8: a second GEN8 chunk\n"},
      {{{"GENL", 108}}, "Game file damaged: GENL: a second header chunk, after GEN8\n"},
      {{{"OPTN", 4}, {"OPTN", 4}}, "Game file damaged: OPTN: a second OPTN chunk\n"},
      {{{"STRG", 4}, {"ROOM", 4}, {"STRG", 4}}, "Game file damaged: STRG: a second STRG chunk\n"},
      {{{"OPTN", 4}, {"OPTN", 0}, {"GEN8", 0}}, nullptr},
      {{{"ABCD", 4}, {"ABCD", 4}}, nullptr},
  };
  GameFile_SetBuiltinRegistration(CountRegistration);
  for (const Case& c : cases) {
    ImageBuilder b;
    b.Header(8, {});
    for (const auto& [id, size] : c.after) {
      size_t at = b.Chunk(id);
      for (uint32_t i = 0; i < size / 4; ++i) b.U32(0);
      b.EndChunk(at);
    }
    GameImage image = b.Finish();
    g_registrations = 0;
    testing::internal::CaptureStdout();
    const bool loaded = LoadGameHeader(image);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string said = c.said == nullptr ? "" : c.said;
    EXPECT_EQ(loaded, c.said == nullptr) << said;
    EXPECT_EQ(g_registrations, c.said == nullptr ? 1 : 0) << said;
    if (c.said != nullptr) {
      EXPECT_EQ(out, said);
    } else {
      EXPECT_EQ(out.find("Game file damaged"), std::string::npos) << out;
    }
  }
  GameFile_SetBuiltinRegistration(nullptr);
}

TEST(Options, DefaultsWithoutAChunkAndConstantsFromIt) {
  ImageBuilder b;
  b.Header(8, {});
  bool ok = false;
  Win_SetColor(0);
  Walk(b.Finish(), &ok);
  EXPECT_TRUE(Option_On(kOptionShowCursor));
  EXPECT_TRUE(g_showCursor);
  EXPECT_EQ(g_options.word[kOptionWindowColour], 0xFFFFFF);
  EXPECT_EQ(Win_GetColor(), 0xFFFFFFu) << "a file without options shows a white window";
  EXPECT_TRUE(Option_On(kOptionErrorDialog));

  ImageBuilder c;
  c.Header(8, {});
  size_t at = c.Chunk("OPTN");
  size_t words = c.Here();
  for (int i = 0; i < 35; ++i) c.U32(0);
  c.U32(2);
  size_t pairs = c.Here();
  for (int i = 0; i < 4; ++i) c.U32(0);
  size_t major = c.Here();
  c.Text("VersionMajor");
  size_t two = c.Here();
  c.Text("2");
  c.EndChunk(at);
  c.Patch(words + 4 * kOptionWindowColour, 0x123456);
  c.Patch(words + 4 * kOptionUnsetVariableError, 7);
  c.Patch(pairs, static_cast<uint32_t>(major));
  c.Patch(pairs + 4, static_cast<uint32_t>(two));
  c.Patch(pairs + 12, static_cast<uint32_t>(two));  // a value without a name
  Walk(c.Finish(), &ok);
  ASSERT_TRUE(ok);
  EXPECT_FALSE(Option_On(kOptionShowCursor));
  EXPECT_FALSE(g_showCursor) << "the window is told to hide the cursor at the game start";
  EXPECT_EQ(g_options.word[kOptionWindowColour], 0x123456);
  EXPECT_EQ(Win_GetColor(), 0x123456u) << "the window shows the options' colour";
  EXPECT_EQ(g_options.word[kOptionUnsetVariableError], 1);
  EXPECT_EQ(g_options.versionMajor, 2);
  ASSERT_EQ(g_options.constantNames.size(), 2u);
  EXPECT_EQ(g_options.constantNames[0], "VersionMajor");
  EXPECT_EQ(g_options.constantNames[1], "");
  EXPECT_EQ(g_options.constantValues[1], "2");
}

TEST(Options, OldFormatsKeepTheCreateOrderWord) {
  g_options.word[kOptionCreateBeforeCode] = 1;
  ImageBuilder b;
  b.Header(4, {});
  size_t at = b.Chunk("OPTN");
  for (int i = 0; i < 36; ++i) b.U32(0);
  b.EndChunk(at);
  bool ok = false;
  Walk(b.Finish(), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(g_options.word[kOptionCreateBeforeCode], 1);
}

}  // namespace
