// 3D models: the model table, the text file both ways (line ends, short
// and missing lines, whole-number slots, a full disk), and recordings made
// once per texture argument.
#include "graphics/3d/model_3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_table.h"
#include "support/test_support.h"

namespace {

std::string SaveText(C3DModel& model, const testsupport::ScratchFolder& folder) {
  const std::string path = folder / "model.txt";
  EXPECT_TRUE(model.Save(path.c_str()));
  return testsupport::ReadRaw(path);
}

bool LoadText(C3DModel& model, const std::string& text) { return model.LoadFromMemory(text.data(), text.size()); }

class Model3D : public ConsoleTest {
 protected:
  void TearDown() override {
    GR_3D_Model_Free_All();
    ConsoleTest::TearDown();
  }
  testsupport::ScratchFolder folder_{"kv_model"};
};

TEST_F(Model3D, ADestroyedSlotIsTakenByTheNextModel) {
  EXPECT_EQ(GR_3D_Model_Create(), 0);
  EXPECT_EQ(GR_3D_Model_Create(), 1);
  EXPECT_EQ(GR_3D_Model_Create(), 2);
  GR_3D_Model_Destroy(1);
  EXPECT_FALSE(GR_3D_Model_Exists(1));
  EXPECT_FALSE(GR_3D_Model_Save(1, (folder_ / "x.txt").c_str()));
  EXPECT_FALSE(GR_3D_Model_Load(-1, (folder_ / "x.txt").c_str()));
  GR_3D_Model_Vertex(1, 1, 2, 3);
  GR_3D_Model_Draw(7, 0, 0, 0, -1);
  EXPECT_EQ(GR_3D_Model_Create(), 1);
  EXPECT_TRUE(GR_3D_Model_Get(1)->Records().empty());
}

TEST_F(Model3D, TheFileHoldsEachRecordOnItsOwnLine) {
  const int32_t m = GR_3D_Model_Create();
  GR_3D_Model_Vertex(m, 1, 2, 3);
  GR_3D_Model_Primitive_Begin(m, 4);
  EXPECT_EQ(SaveText(*GR_3D_Model_Get(m), folder_),
            "100\n2\n"
            "2     1.0000     2.0000     3.0000     0.0000     0.0000     0.0000     0.0000     0.0000     0.0000"
            "     0.0000\n"
            "0     4.0000     0.0000     0.0000     0.0000     0.0000     0.0000     0.0000     0.0000     0.0000"
            "     0.0000\n");
}

TEST_F(Model3D, WholeNumbersSurviveTheFile) {
  const int32_t m = GR_3D_Model_Create();
  GR_3D_Model_Vertex_Color(m, 0.5f, 0, 0, 0xFEFFFF, 0.25f);
  GR_3D_Model_Cylinder(m, 0, 0, 0, 1, 1, 1, 2, 3, true, 17);
  GR_3D_Model_Vertex_Normal_Texture_Color(m, 0, 0, 0, 0, 0, 1, 0, 0, 0x7FFFFFFF, 1);
  C3DModel copy;
  ASSERT_TRUE(LoadText(copy, SaveText(*GR_3D_Model_Get(m), folder_)));
  ASSERT_EQ(copy.Records().size(), 3u);
  EXPECT_EQ(copy.Records()[0].wholes[3], 0xFEFFFF);
  EXPECT_EQ(copy.Records()[0].reals[0], 0.5f);
  EXPECT_EQ(copy.Records()[0].reals[4], 0.25f);
  EXPECT_EQ(copy.Records()[1].wholes[8], 1);
  EXPECT_EQ(copy.Records()[1].wholes[9], 17);
  EXPECT_EQ(copy.Records()[2].wholes[8], 0x7FFFFFFF);
}

TEST_F(Model3D, TheReaderTakesLineEndsAsTheyCome) {
  C3DModel lf, crlf;
  ASSERT_TRUE(LoadText(lf, "100\n2\n6 1 2 3 4 5 6\n2 7\n"));
  ASSERT_TRUE(LoadText(crlf, "100\r\n2\r\n\r\n6 1 2 3 4 5 6\r\n2 7"));
  ASSERT_EQ(lf.Records().size(), 2u);
  ASSERT_EQ(crlf.Records().size(), 2u);
  for (size_t r = 0; r < 2; ++r) {
    EXPECT_EQ(lf.Records()[r].kind, crlf.Records()[r].kind);
    for (int32_t s = 0; s < kModelValues; ++s) EXPECT_EQ(lf.Records()[r].Value(s), crlf.Records()[r].Value(s));
  }
  EXPECT_EQ(lf.Records()[1].reals[0], 7.0f);
  EXPECT_EQ(lf.Records()[1].reals[1], 2.0f);

  C3DModel nul;
  ASSERT_TRUE(LoadText(nul, std::string("100\0"
                                        "1\0"
                                        "2 nan inf -inf\0",
                                        20)));
  ASSERT_EQ(nul.Records().size(), 1u);
  EXPECT_TRUE(std::isnan(nul.Records()[0].reals[0]));
  EXPECT_TRUE(std::isinf(nul.Records()[0].reals[1]));
}

// A record line gives what it holds; the rest stays as the line before
// left it (0 before the first), whole-number slots converted both ways.
TEST_F(Model3D, AShortLineKeepsWhatTheLineBeforeLeft) {
  const std::string longLine = "2 1 2 3 " + std::string(100000, '4');
  const struct {
    const char* name;
    std::string text;
    int32_t kind;
    std::vector<double> last;  // the last record's ten values
  } cases[] = {
      {"first line short", "100\n1\n2 7\n", 2, {7, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"second line short", "100\n2\n6 1 2 3 4 5 6\n2 7\n", 2, {7, 2, 3, 4, 5, 6, 0, 0, 0, 0}},
      {"kind alone", "100\n2\n3 1 2 3 255 0.5\n2\n", 2, {1, 2, 3, 255, 0.5, 0, 0, 0, 0, 0}},
      {"no kind", "100\n2\n4 1 2 3 4 5\nx 9\n", 4, {1, 2, 3, 4, 5, 0, 0, 0, 0, 0}},
      {"stops at a word", "100\n2\n2 1 2 3 4\n2 5 x 6\n", 2, {5, 2, 3, 4, 0, 0, 0, 0, 0, 0}},
      {"whole slots carried", "100\n2\n11 0 0 0 1 1 1 2 3 1 24\n13 5\n", 13, {5, 0, 0, 1, 1, 1, 2, 3, 1, 24}},
      {"a real rounds into a whole slot", "100\n2\n2 0 0 0 7.6\n3 1\n", 3, {1, 0, 0, 8, 0, 0, 0, 0, 0, 0}},
      {"beyond ten values", "100\n1\n2 1 2 3 4 5 6 7 8 9 10 11 12\n", 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"a number longer than a float", "100\n1\n" + longLine, 2, {1, 2, 3, INFINITY, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    C3DModel model;
    ASSERT_TRUE(LoadText(model, c.text)) << c.name;
    ASSERT_FALSE(model.Records().empty()) << c.name;
    const ModelRecord& record = model.Records().back();
    EXPECT_EQ(record.kind, c.kind) << c.name;
    for (int32_t slot = 0; slot < kModelValues; ++slot) {
      EXPECT_EQ(record.Value(slot), static_cast<double>(static_cast<float>(c.last[static_cast<size_t>(slot)])))
          << c.name << " slot " << slot;
    }
  }
}

TEST_F(Model3D, OnlyTheExactFormatLineIsTaken) {
  C3DModel model;
  model.Add(ModelRecord{});
  EXPECT_FALSE(LoadText(model, "100 \n1\n2 1 2 3\n"));
  EXPECT_TRUE(model.Records().empty());
  EXPECT_FALSE(LoadText(model, ""));
  EXPECT_FALSE(LoadText(model, "101\n0\n"));
  EXPECT_FALSE(model.Load((folder_ / "missing.txt").c_str()));
  EXPECT_TRUE(LoadText(model, "100"));
  EXPECT_TRUE(model.Records().empty());
  EXPECT_TRUE(LoadText(model, "100\nnone\n2 1 2 3\n"));
  EXPECT_TRUE(model.Records().empty());
}

TEST_F(Model3D, AFileShortOfItsCountKeepsWhatItHoldsAndSaysSo) {
  C3DModel model;
  ASSERT_TRUE(LoadText(model, "100\n2147483647\n2 1 2 3\n99 1 2\n"));
  ASSERT_EQ(model.Records().size(), 2u);
  EXPECT_EQ(model.Records()[1].kind, 99);
  EXPECT_EQ(console_.lines, std::vector<std::string>{"A model file ends after 2 of its 2147483647 records\n"});
  // A kind nothing knows is kept and written back.
  EXPECT_EQ(SaveText(model, folder_).substr(0, 18), "100\n2\n2     1.0000");
  EXPECT_NE(SaveText(model, folder_).find("\n99     1.0000     2.0000"), std::string::npos);
}

TEST_F(Model3D, ASaveThatCannotBeWrittenAnswersFalse) {
  C3DModel model;
  model.Add(ModelRecord{});
  EXPECT_FALSE(model.Save("/dev/full"));
  EXPECT_FALSE(model.Save((folder_ / "no/such/folder/m.txt").c_str()));
  EXPECT_FALSE(model.Save(""));
}

class ModelDrawing : public GraphicsTest {
 protected:
  void SetUp() override {
    StartFakeDrawing();
    GR_Draw_Set_Color(0xFFFFFF);
    GR_Draw_Set_Alpha(1.0f);
    FakeGraphics_Log().Clear();
  }
  void TearDown() override {
    GR_3D_Model_Free_All();
    GraphicsTest::TearDown();
  }
  static std::vector<std::string> Buffers() {
    std::vector<std::string> made;
    for (const std::string& call : FakeGraphics_Log().calls) {
      if (call.rfind("CreateVertexBuffer", 0) == 0) made.push_back(call);
    }
    return made;
  }
};

TEST_F(ModelDrawing, EachTextureArgumentIsRecordedOnce) {
  const int32_t m = GR_3D_Model_Create();
  GR_3D_Model_Block(m, 0, 0, 0, 1, 1, 1, 1, 1);
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  GR_3D_Model_Draw(m, 5, 5, 5, -1);
  EXPECT_EQ(GR_3D_Model_Get(m)->RecordingCount(), 1u);
  EXPECT_EQ(Buffers(), std::vector<std::string>{"CreateVertexBuffer 1296"});

  const int32_t texture = GR_Texture_Create(8, 8, false);
  GR_3D_Model_Draw(m, 0, 0, 0, texture);
  EXPECT_EQ(GR_3D_Model_Get(m)->RecordingCount(), 2u);
  EXPECT_EQ(Buffers().size(), 2u);

  // Records added after the draws show only once the model is cleared.
  GR_3D_Model_Block(m, 0, 0, 0, 2, 2, 2, 1, 1);
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  EXPECT_EQ(Buffers().size(), 2u);
  GR_3D_Model_Clear(m);
  EXPECT_EQ(GR_3D_Model_Get(m)->RecordingCount(), 0u);
  GR_3D_Model_Block(m, 0, 0, 0, 2, 2, 2, 1, 1);
  GR_3D_Model_Block(m, 0, 0, 0, 3, 3, 3, 1, 1);
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  EXPECT_EQ(Buffers().back(), "CreateVertexBuffer 2592");
  GR_Texture_Free(texture);
}

TEST_F(ModelDrawing, AnotherCurrentColourRecoloursOnlyTheCurrentColoursVertices) {
  const int32_t m = GR_3D_Model_Create();
  GR_3D_Model_Primitive_Begin(m, 4);
  GR_3D_Model_Vertex(m, 0, 0, 0);
  GR_3D_Model_Vertex_Color(m, 1, 0, 0, 0xFEFFFF, 1);
  GR_3D_Model_Vertex(m, 2, 0, 0);
  GR_3D_Model_Primitive_End(m);
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  GR_Draw_Set_Color(0x0000FF);
  FakeGraphics_Log().Clear();
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  // The buffer is made again with the new colour; the own colour stays.
  EXPECT_EQ(Buffers().size(), 1u);
  const GraphicsRecorder* recording = GR_3D_Model_Get(m)->RecordingFor(-1);
  ASSERT_NE(recording, nullptr);
  std::vector<uint32_t> colours;
  for (const NormalTexVertex& v : recording->Triangles()) colours.push_back(v.colour);
  EXPECT_EQ(colours, (std::vector<uint32_t>{0xFFFF0000u, 0xFFFFFFFFu, 0xFFFF0000u}));
}

// Own colours keep bit 0 set and the recording's colour has it clear, so a
// vertex whose own colour is the new current colour is not taken along
// when the current colour changes again.
TEST_F(ModelDrawing, AnOwnColourEqualToTheCurrentOneNeverFollowsItsChanges) {
  const int32_t m = GR_3D_Model_Create();
  GR_3D_Model_Primitive_Begin(m, 4);
  GR_3D_Model_Vertex_Color(m, 0, 0, 0, 0x0000FF, 1);
  GR_3D_Model_Vertex(m, 1, 0, 0);
  GR_3D_Model_Vertex_Color(m, 2, 0, 0, 0x0000FF, 1);
  GR_3D_Model_Primitive_End(m);
  GR_3D_Model_Block(m, 0, 0, 0, 1, 1, 1, 1, 1);
  const auto colours = [&] {
    std::set<uint32_t> seen;
    for (const NormalTexVertex& v : GR_3D_Model_Get(m)->RecordingFor(-1)->Triangles()) seen.insert(v.colour);
    return seen;
  };
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  EXPECT_EQ(colours(), (std::set<uint32_t>{0xFFFF0001u, 0xFFFFFFFEu}));
  GR_Draw_Set_Color(0x0000FF);
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  EXPECT_EQ(colours(), (std::set<uint32_t>{0xFFFF0001u, 0xFFFF0000u}));
  GR_Draw_Set_Color(0x00FF00);
  GR_3D_Model_Draw(m, 0, 0, 0, -1);
  EXPECT_EQ(colours(), (std::set<uint32_t>{0xFFFF0001u, 0xFF00FF00u})) << "the own red stays";
  EXPECT_EQ(GR_3D_Model_Get(m)->RecordingFor(-1)->Colour(), 0xFF00FF00u);
}

}  // namespace
