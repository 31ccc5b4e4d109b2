#include "resources/background.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "files/file_layer.h"
#include "gamefile/image_builder.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_table.h"
#include "resources/builtin_images.h"
#include "runtime/memory.h"
#include "support/test_support.h"

namespace {

// BGND with three slots: "bg", an empty slot, "Sky"; each names one page
// record whose untrimmed size is 40 x 30.
GameImage Chunk(uint64_t* data, uint32_t* size, uint32_t badPage = 0) {
  ImageBuilder b;
  size_t at = b.Chunk("BGND");
  *data = b.Here();
  b.U32(3);
  size_t table = b.Here();
  b.U32(0).U32(0).U32(0);
  size_t pageAt = b.Here();
  for (int16_t v : {0, 0, 40, 30, 0, 0, 40, 30, 40, 30, 0}) {
    b.bytes.push_back(static_cast<uint8_t>(v));
    b.bytes.push_back(static_cast<uint8_t>(v >> 8));
  }
  for (size_t slot : {size_t{0}, size_t{2}}) {
    size_t nameAt = b.Here();
    b.Text(slot == 0 ? "bg" : "Sky");
    b.Patch(table + 4 * slot, static_cast<uint32_t>(b.Here()));
    b.U32(static_cast<uint32_t>(nameAt)).U32(1).U32(0).U32(7);
    b.U32(badPage != 0 ? badPage : static_cast<uint32_t>(pageAt));
  }
  b.EndChunk(at);
  *size = static_cast<uint32_t>(b.Here() - *data);
  return b.Finish();
}

// Textures are made on the recording device.
class Backgrounds : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    Background_Init();
    LoadSave_SetProgramDirectory((program_.Path() + "/").c_str());
    LoadSave_SetSaveDirectory((save_.Path() + "/").c_str());
  }
  void TearDown() override {
    Background_Shutdown();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  testsupport::ScratchFolder program_{"kv_bg_program"};
  testsupport::ScratchFolder save_{"kv_bg_save"};
};

std::string PngBytes() {
  EmbeddedImage_SetTable(g_builtinImageTable, g_builtinImageTableSize);
  uint32_t size = 0;
  const uint8_t* data = EmbeddedImage_Data(kBuiltinImageLoading, &size);
  return std::string(reinterpret_cast<const char*>(data), size);
}

TEST_F(Backgrounds, ChunkKeepsEmptySlotsAndTakesTheUntrimmedSize) {
  uint64_t data;
  uint32_t size;
  GameImage image = Chunk(&data, &size);
  ASSERT_TRUE(Background_Load(image, data, size));
  EXPECT_EQ(Background_Count(), 3);
  EXPECT_FALSE(Background_Exists(1));
  char* name = Background_GetName(1);
  EXPECT_STREQ(name, "<undefined>");
  MemoryManager::Free(name);
  EXPECT_EQ(Background_Find("Sky"), 2);
  EXPECT_EQ(Background_Find("sky"), -1);
  CBackground* bg = Background_Get(0);
  EXPECT_EQ(bg->GetWidth(), 40);
  EXPECT_EQ(bg->GetHeight(), 30);
  EXPECT_TRUE(bg->GetTransparent());
  EXPECT_FALSE(bg->GetSmooth());
  EXPECT_TRUE(bg->GetPreload());
  EXPECT_EQ(bg->GetTextureId(), -1);
  // A duplicate shares the page record and has no texture of its own.
  int32_t copy = Background_Duplicate(0);
  EXPECT_EQ(copy, 3);
  EXPECT_EQ(Background_Get(copy)->GetPageOffset(), bg->GetPageOffset());
  EXPECT_EQ(Background_Get(copy)->GetTextureId(), -1);
  EXPECT_EQ(Background_Duplicate(1), -1);
}

TEST_F(Backgrounds, APageRecordOutsideTheFileFailsTheLoad) {
  uint64_t data;
  uint32_t size;
  GameImage image = Chunk(&data, &size, 0x7FFFFFF0u);
  EXPECT_FALSE(Background_Load(image, data, size));
  EXPECT_TRUE(std::any_of(console_.lines.begin(), console_.lines.end(),
                          [](const std::string& line) { return line.find("BGND") != std::string::npos; }));
}

TEST_F(Backgrounds, AddingFromFilesNamesSlotsAndLeavesTheStoreAloneOnFailure) {
  for (int i = 0; i < 5; ++i) Background_AddEmpty();
  testsupport::WriteRaw(save_ / "only_saved.png", PngBytes());
  testsupport::WriteRaw(program_ / "broken.png", "not an image");
  int32_t first = Background_Add("only_saved.png", false, false, false);
  EXPECT_EQ(first, 5);
  EXPECT_EQ(Background_Get(first)->GetWidth(), 160);
  EXPECT_EQ(Background_Get(first)->GetHeight(), 64);
  EXPECT_GE(Background_Get(first)->GetTextureId(), 0);
  EXPECT_EQ(Background_Add("missing.png", false, false, false), -1);
  EXPECT_EQ(Background_Add("broken.png", false, false, false), -1);
  EXPECT_EQ(Background_Count(), 6);
  EXPECT_EQ(Background_AddEmpty(), 6);
  EXPECT_EQ(Background_AddEmpty(), 7);
  EXPECT_STREQ(Background_Name(7), "__newbackground7");

  EXPECT_TRUE(Background_Delete(6));
  EXPECT_FALSE(Background_Delete(6));
  EXPECT_EQ(Background_Add("only_saved.png", false, false, false), 8);
  // Replacing fills an empty slot; a missing file or a bad index is false.
  EXPECT_TRUE(Background_Replace(6, "only_saved.png", false, false, false));
  EXPECT_STREQ(Background_Name(6), "__newbackground6");
  EXPECT_FALSE(Background_Replace(6, "missing.png", false, false, false));
  EXPECT_FALSE(Background_Replace(40, "only_saved.png", false, false, false));
  const int32_t texture = Background_Get(8)->GetTextureId();
  ASSERT_TRUE(GR_Texture_Exists(texture));
  EXPECT_TRUE(Background_Delete(8));
  EXPECT_FALSE(GR_Texture_Exists(texture)) << "its texture is freed with it";
  // The decoded image is kept, so a copy has pixels to draw.
  EXPECT_GE(Background_Get(Background_Duplicate(first))->GetTextureId(), 0);
}

TEST_F(Backgrounds, AssignNeedsASourceAndADestinationInRange) {
  Background_AddEmpty();
  EXPECT_FALSE(Background_Assign(0, 3));
  EXPECT_FALSE(Background_Assign(3, 0));
  Background_AddEmpty();
  Background_Delete(1);
  EXPECT_TRUE(Background_Assign(1, 0));
  EXPECT_TRUE(Background_Exists(1));
}

}  // namespace
