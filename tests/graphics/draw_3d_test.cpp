// 3D drawing on the recording device: the world transform and its stack,
// primitives that outgrow their list, the two colour sets, texture pages,
// and the primitives every shape is made of.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/3d/graphics_recorder.h"
#include "graphics/3d/mode_3d.h"
#include "graphics/3d/primitive_3d.h"
#include "graphics/3d/transform_3d.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_table.h"

namespace {

class Draw3D : public GraphicsTest {
 protected:
  void SetUp() override {
    StartFakeDrawing();
    GR_Draw_Set_Color(0xFFFFFF);
    GR_Draw_Set_Alpha(1.0f);
    GR_3D_Transform_Stack_Clear();
    GR_3D_Transform_Set_Identity();
    FakeGraphics_Log().Clear();
  }
  void TearDown() override {
    GR_3D_Set_Recorder(nullptr);
    GR_3D_Primitive_Begin(0, -1);
    GR_3D_Transform_Stack_Clear();
    Graphics::ResetVertexBuffers();
    GraphicsTest::TearDown();
  }
  static Matrix World() {
    Matrix m;
    Graphics::GetTransform(2, m);
    return m;
  }
  static std::vector<std::string> Draws() {
    std::vector<std::string> draws;
    for (const std::string& call : FakeGraphics_Log().calls) {
      if (call.rfind("DrawPrimitiveUP", 0) == 0) draws.push_back(call);
    }
    return draws;
  }
  // Vertices numbered by x, recorded rather than drawn.
  static std::vector<int> Record(GraphicsRecorder& recorder, int32_t kind, int32_t n) {
    GR_3D_Set_Recorder(&recorder);
    GR_3D_Primitive_Begin(kind, -1);
    for (int32_t i = 0; i < n; ++i) GR_3D_Vertex(static_cast<float>(i), 0, 0);
    GR_3D_Primitive_End();
    GR_3D_Set_Recorder(nullptr);
    std::vector<int> order;
    for (const NormalTexVertex& v : recorder.Triangles()) order.push_back(static_cast<int>(v.x));
    return order;
  }
};

void ExpectSame(const Matrix& a, const Matrix& b, float tolerance = 1e-6f) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], b.m[i], tolerance) << i;
}

TEST_F(Draw3D, TheStackKeepsFiftyOneWorldMatricesAndAnEmptyOneChangesNothing) {
  for (int i = 0; i < 52; ++i) {
    GR_3D_Transform_Set_Translation(static_cast<float>(i), 0, 0);
    EXPECT_EQ(GR_3D_Transform_Stack_Push(), i < 51) << i;
  }
  GR_3D_Transform_Set_Translation(0, 0, 7);
  EXPECT_TRUE(GR_3D_Transform_Stack_Top());
  EXPECT_EQ(World().m[12], 50.0f);
  for (int i = 50; i >= 0; --i) {
    ASSERT_TRUE(GR_3D_Transform_Stack_Pop());
    EXPECT_EQ(World().m[12], static_cast<float>(i));
  }
  GR_3D_Transform_Set_Translation(0, 0, 7);
  EXPECT_TRUE(GR_3D_Transform_Stack_Empty());
  EXPECT_FALSE(GR_3D_Transform_Stack_Pop());
  EXPECT_FALSE(GR_3D_Transform_Stack_Top());
  EXPECT_FALSE(GR_3D_Transform_Stack_Discard());
  EXPECT_EQ(World().m[14], 7.0f);
}

TEST_F(Draw3D, RotationsTurnTogetherAndAddedTransformsApplyAfterwards) {
  GR_3D_Transform_Set_Rotation_Axis(0, 0, 1, 30);
  const Matrix axis = World();
  GR_3D_Transform_Set_Rotation_Z(30);
  ExpectSame(axis, World());
  // Rotated, then moved along the world's x axis: the translation row is
  // the translation itself.
  GR_3D_Transform_Set_Rotation_Z(90);
  GR_3D_Transform_Add_Translation(10, 0, 0);
  EXPECT_EQ(World().m[12], 10.0f);
  EXPECT_EQ(World().m[13], 0.0f);
  GR_3D_Transform_Add_Scaling(2, 2, 2);
  EXPECT_EQ(World().m[12], 20.0f);
}

TEST_F(Draw3D, FullListsGoOnWhereTheyStopped) {
  // A list: 333 triangles, and the 1000th vertex alone draws nothing.
  GraphicsRecorder list(0xFFFFFFFEu, -1);
  const std::vector<int> listed = Record(list, 4, 1000);
  ASSERT_EQ(listed.size(), 999u);
  EXPECT_EQ(listed.back(), 998);

  // A strip of 1001: the 999 triangles of one strip, each turned the same way.
  GraphicsRecorder strip(0xFFFFFFFEu, -1);
  const std::vector<int> stripped = Record(strip, 5, 1001);
  GraphicsRecorder whole(0xFFFFFFFEu, -1);
  std::vector<NormalTexVertex> all(1001);
  for (int i = 0; i < 1001; ++i)
    all[static_cast<size_t>(i)] = NormalTexVertex{static_cast<float>(i), 0, 0, 0, 0, 0, 0, 0, 0};
  whole.AddPrimitive(5, 1001, all.data());
  std::vector<int> expected;
  for (const NormalTexVertex& v : whole.Triangles()) expected.push_back(static_cast<int>(v.x));
  EXPECT_EQ(stripped, expected);

  // A fan keeps its centre: the second part starts with it and vertex 999.
  GraphicsRecorder fan(0xFFFFFFFEu, -1);
  const std::vector<int> fanned = Record(fan, 6, 1500);
  ASSERT_EQ(fanned.size(), 1498u * 3);
  for (size_t t = 0; t < 1498; ++t) {
    EXPECT_EQ(fanned[3 * t], 0);
    EXPECT_EQ(fanned[3 * t + 1], static_cast<int>(t) + 1);
    EXPECT_EQ(fanned[3 * t + 2], static_cast<int>(t) + 2);
  }
}

TEST_F(Draw3D, OnlyWholePrimitivesReachTheBatch) {
  GR_3D_Primitive_Begin(4, -1);
  for (int i = 0; i < 4; ++i) GR_3D_Vertex(static_cast<float>(i), 0, 0);
  GR_3D_Primitive_End();
  GR_3D_Primitive_Begin(4, -1);
  for (int i = 10; i < 13; ++i) GR_3D_Vertex(static_cast<float>(i), 0, 0);
  GR_3D_Primitive_End();
  const VertexBatch& batch = Graphics::PendingBatch();
  ASSERT_EQ(batch.count, 6);
  const auto* v = reinterpret_cast<const NormalTexVertex*>(batch.scratch);
  const float want[6] = {0, 1, 2, 10, 11, 12};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(v[i].x, want[i]) << i;
  Graphics::ResetVertexBuffers();

  // Kinds without a primitive draw nothing; one the limit table does not
  // know holds at most one vertex at a time.
  for (int32_t kind : {0, 7, 9, INT32_MIN}) {
    GR_3D_Primitive_Begin(kind, -1);
    for (int i = 0; i < 2000; ++i) GR_3D_Vertex_Normal_Texture_Color(1, 2, 3, 0, 0, 1, 0, 0, 0xFF, 1);
    EXPECT_LE(GR_3D_Primitive_Count(), 1) << kind;
    GR_3D_Primitive_End();
    EXPECT_EQ(Graphics::PendingBatch().count, 0) << kind;
  }
}

TEST_F(Draw3D, OwnColoursNeverEqualTheCurrentColour) {
  GR_3D_Primitive_Begin(4, -1);
  GR_3D_Vertex(0, 0, 0);
  GR_3D_Vertex_Color(0, 0, 0, 0xFEFFFF, 1.0f);
  GR_3D_Vertex_Color(0, 0, 0, 0xFFFFFF, 0.5f);
  EXPECT_EQ(GR_3D_Primitive_Vertices()[0].colour, 0xFFFFFFFEu);
  EXPECT_EQ(GR_3D_Primitive_Vertices()[1].colour, 0xFFFFFFFFu);
  EXPECT_EQ(GR_3D_Primitive_Vertices()[2].colour, 0x7FFFFFFFu);
}

TEST_F(Draw3D, APageMapsCoordinatesIntoItsPlace) {
  const int32_t texture = GR_Texture_Create(128, 64, false);
  ASSERT_GE(texture, 0);
  const std::vector<TexturePage> saved = g_texturePages;
  TexturePage page{};
  page.x = 10, page.y = 20, page.width = 30, page.height = 40, page.page = static_cast<int16_t>(texture);
  g_texturePages = {page};
  // Every form on the page: the textured ones map (1, 1) to the image's far
  // corner, the plain ones keep the page's own 0, 0.
  const struct {
    const char* form;
    void (*add)();
    float u, v;
  } forms[] = {
      {"plain", [] { GR_3D_Vertex(0, 0, 0); }, 0, 0},
      {"colour", [] { GR_3D_Vertex_Color(0, 0, 0, 0, 1); }, 0, 0},
      {"normal", [] { GR_3D_Vertex_Normal(0, 0, 0, 0, 0, 1); }, 0, 0},
      {"normal colour", [] { GR_3D_Vertex_Normal_Color(0, 0, 0, 0, 0, 1, 0, 1); }, 0, 0},
      {"texture", [] { GR_3D_Vertex_Texture(0, 0, 0, 1, 1); }, 40.0f / 128.0f, 60.0f / 64.0f},
      {"texture colour", [] { GR_3D_Vertex_Texture_Color(0, 0, 0, 1, 1, 0, 1); }, 40.0f / 128.0f, 60.0f / 64.0f},
      {"normal texture", [] { GR_3D_Vertex_Normal_Texture(0, 0, 0, 0, 0, 1, 1, 1); }, 40.0f / 128.0f, 60.0f / 64.0f},
      {"normal texture colour", [] { GR_3D_Vertex_Normal_Texture_Color(0, 0, 0, 0, 0, 1, 1, 1, 0, 1); }, 40.0f / 128.0f,
       60.0f / 64.0f},
  };
  for (const auto& f : forms) {
    GR_3D_Primitive_Begin(4, GR_TexturePage_Handle(0));
    f.add();
    EXPECT_EQ(GR_3D_Primitive_Vertices()[0].u, f.u) << f.form;
    EXPECT_EQ(GR_3D_Primitive_Vertices()[0].v, f.v) << f.form;
  }
  // An index is used as it is; anything else is no texture.
  GR_3D_Primitive_Begin(4, texture);
  GR_3D_Vertex_Texture(0, 0, 0, 1, 1);
  EXPECT_EQ(GR_3D_Primitive_Vertices()[0].u, 1.0f);
  g_texturePages = saved;
  GR_Texture_Free(texture);
}

TEST_F(Draw3D, ShapesAreMadeOfTheirPrimitives) {
  struct Case {
    const char* name;
    void (*draw)();
    std::vector<std::string> draws;
  };
  const std::vector<Case> cases = {
      {"block", [] { GR_3D_Draw_Block(0, 0, 0, 1, 1, 1, -1, 1, 1); }, {"DrawPrimitiveUP 4 12 36"}},
      {"cylinder of 2 steps",
       [] { GR_3D_Draw_Cylinder(0, 0, 0, 1, 1, 1, -1, 1, 1, false, 2); },
       {"DrawPrimitiveUP 5 6 36"}},
      {"cylinder of 500 steps",
       [] { GR_3D_Draw_Cylinder(0, 0, 0, 1, 1, 1, -1, 1, 1, false, 500); },
       {"DrawPrimitiveUP 5 256 36"}},
      {"closed cylinder",
       [] { GR_3D_Draw_Cylinder(0, 0, 0, 1, 1, 1, -1, 1, 1, true, 3); },
       {"DrawPrimitiveUP 6 3 36", "DrawPrimitiveUP 5 6 36", "DrawPrimitiveUP 6 3 36"}},
      {"closed cone",
       [] { GR_3D_Draw_Cone(0, 0, 0, 1, 1, 1, -1, 1, 1, true, 3); },
       {"DrawPrimitiveUP 5 6 36", "DrawPrimitiveUP 6 3 36"}},
      {"ellipsoid",
       [] { GR_3D_Draw_Ellipsoid(0, 0, 0, 1, 1, 1, -1, 1, 1, 4); },
       {"DrawPrimitiveUP 5 8 36", "DrawPrimitiveUP 5 8 36"}},
      {"wall", [] { GR_3D_Draw_Wall(0, 0, 0, 1, 0, 1, -1, 1, 1); }, {"DrawPrimitiveUP 6 2 36"}},
      {"wall without length", [] { GR_3D_Draw_Wall(3, 4, 0, 3, 4, 1, -1, 1, 1); }, {}},
      {"floor", [] { GR_3D_Draw_Floor(0, 0, 0, 1, 1, 0, -1, 1, 1); }, {"DrawPrimitiveUP 6 2 36"}},
  };
  for (const Case& c : cases) {
    GR_Texture_Set_Repeat(false);
    FakeGraphics_Log().Clear();
    c.draw();
    EXPECT_EQ(Draws(), c.draws) << c.name;
    EXPECT_EQ(g_drawState.textureRepeat, 0) << c.name;
  }
}

TEST_F(Draw3D, TheBlocksTopFaceTurnsTheOtherWay) {
  GraphicsRecorder recorder(0xFFFFFFFEu, -1);
  GR_3D_Set_Recorder(&recorder);
  GR_3D_Draw_Block(1, 2, 3, 4, 5, 6, -1, 2, 3);
  GR_3D_Set_Recorder(nullptr);
  const std::vector<NormalTexVertex>& v = recorder.Triangles();
  ASSERT_EQ(v.size(), 36u);
  struct Corner {
    float x, y, z, u, v;
  };
  const Corner top[6] = {{1, 2, 6, 0, 0}, {4, 2, 6, 2, 0}, {4, 5, 6, 2, 3},
                         {4, 5, 6, 2, 3}, {1, 5, 6, 0, 3}, {1, 2, 6, 0, 0}};
  for (int i = 0; i < 6; ++i) {
    const NormalTexVertex& got = v[static_cast<size_t>(6 + i)];
    EXPECT_EQ(got.x, top[i].x) << i;
    EXPECT_EQ(got.y, top[i].y) << i;
    EXPECT_EQ(got.z, top[i].z) << i;
    EXPECT_EQ(got.u, top[i].u) << i;
    EXPECT_EQ(got.v, top[i].v) << i;
    EXPECT_EQ(got.nz, 1.0f) << i;
    EXPECT_EQ(got.colour, 0xFFFFFFFEu) << i;
  }
  // The bottom face in its own order: P, Q, R, R, S, P.
  EXPECT_EQ(v[1].y, 5.0f);
  EXPECT_EQ(v[1].x, 1.0f);
  EXPECT_EQ(v[1].v, 3.0f);
}

}  // namespace
