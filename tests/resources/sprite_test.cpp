#include "resources/sprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "files/file_layer.h"
#include "requests/http_request.h"
#include "resources/sprite_test_support.h"
#include "runtime/ds_map.h"
#include "runtime/ds_pool.h"
#include "runtime/script_value.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

namespace {

using spritetest::SpriteRecord;

const uint32_t kKey = 0xFF00FF00;  // the background colour in the images below
const uint32_t kInk = 0xFFFF0000;

// A 32-bit platform bitmap of `key` with `ink` over the given rectangle.
std::unique_ptr<TBitmap> Picture(int32_t w, int32_t h, BitmapRect ink) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(w);
  bitmap->SetHeight(h);
  uint8_t* row = nullptr;
  bitmap->LockBits(0, &row, nullptr);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      const bool inside = x >= ink.left && x <= ink.right && y >= ink.top && y <= ink.bottom;
      const uint32_t p = inside ? kInk : kKey;
      for (int b = 0; b < 4; ++b) row[(y * w + x) * 4 + b] = uint8_t(p >> (8 * b));
    }
  }
  return bitmap;
}

void ExpectBox(const SpriteBox& box, int32_t l, int32_t t, int32_t r, int32_t b) {
  EXPECT_EQ(box.left, l);
  EXPECT_EQ(box.top, t);
  EXPECT_EQ(box.right, r);
  EXPECT_EQ(box.bottom, b);
}

SpritePlacement At(int32_t frame, int32_t x, int32_t y, SpriteBox box) {
  return SpritePlacement{frame, box, x, y, 1.0f, 1.0f, 0.0f};
}

int32_t PendingCount() {
  int32_t count = 0;
  for (HTTP_REQ_CONTEXT* r = g_httpRequestList; r != nullptr; r = r->next) ++count;
  return count;
}

// The oldest finished request is delivered as the step would: its event
// number, the map id in *map.
int32_t DeliverOldest(int32_t* map) {
  HTTP_REQ_CONTEXT* taken = HTTP_TakeFinished();
  if (taken == nullptr) return -1;
  const int32_t event = HTTP_Complete(taken, map);
  HTTP_Dispose(taken);
  return event;
}

class Sprites : public testing::Test {
 protected:
  void SetUp() override { Sprite_Init(); }
  void TearDown() override {
    Sprite_Shutdown();
    HTTP_ResetForTest();
  }
  bool Load(const std::vector<SpriteRecord>& records, size_t cut = 0) {
    chunk_ = spritetest::BuildSpriteChunk(records, cut);
    return Sprite_Load(chunk_.image, chunk_.data, chunk_.size);
  }
  spritetest::SpriteChunk chunk_;
  testsupport::ConsoleCapture console_;
};

TEST_F(Sprites, RecordsLandInTheirFieldsAndMasksExpandFromBitRows) {
  SpriteRecord r;
  r.name = "spr_wide";
  r.width = 9;
  r.height = 2;
  r.left = 1, r.right = 7, r.bottom = 1, r.top = 0;
  r.mode = 2;
  r.xorigin = 0, r.yorigin = 0;
  r.pages = {100, 200, 300};
  r.maskCount = 1;
  r.maskBytes = {0x00, 0x80, 0x80, 0x00};  // row 0: pixel 8; row 1: pixel 0
  SpriteRecord gap;
  gap.present = false;
  ASSERT_TRUE(Load({r, gap}));
  ASSERT_EQ(Sprite_Count(), 2);
  EXPECT_FALSE(Sprite_Exists(1));
  EXPECT_STREQ(Sprite_GetName(1), "<undefined>");
  EXPECT_EQ(Sprite_Find("spr_wide"), 0);
  EXPECT_EQ(Sprite_Find("SPR_WIDE"), -1);
  const CSprite* s = Sprite_Get(0);
  ASSERT_NE(s, nullptr);
  ExpectBox(s->bbox, 1, 0, 7, 1);
  EXPECT_EQ(s->frameCount, 3);
  EXPECT_TRUE(s->HasPages());
  EXPECT_EQ(s->radius, 10) << "ceil(sqrt(81 + 4))";
  ASSERT_EQ(s->masks.length, 1);
  const uint8_t* m = s->masks[0].bytes;
  for (int32_t i = 0; i < 18; ++i) EXPECT_EQ(m[i], (i == 8 || i == 9) ? 1 : 0) << i;
  // Every frame tests against the one mask, including negative ones.
  const SpriteBox box{0, 0, 8, 1};
  for (int32_t frame : {0, 2, -1, 7}) {
    EXPECT_TRUE(s->CollisionPoint(At(frame, 0, 0, box), 8, 0)) << frame;
    EXPECT_FALSE(s->CollisionPoint(At(frame, 0, 0, box), 7, 0)) << frame;
  }
}

TEST_F(Sprites, DamagedRecordsFailTheLoadWithALine) {
  SpriteRecord masked;
  masked.width = 9, masked.height = 2, masked.maskCount = 2;
  masked.maskBytes = std::vector<uint8_t>(8, 0);
  EXPECT_TRUE(Load({masked}));
  EXPECT_FALSE(Load({masked}, 1)) << "the second mask's last byte lies past the chunk";
  EXPECT_NE(console_.Text().find("SPRT"), std::string::npos);

  SpriteRecord negative;
  negative.width = -4;
  EXPECT_FALSE(Load({negative}));

  SpriteRecord manyFrames;
  manyFrames.pages = {1, 2};
  manyFrames.maskCount = 0;
  EXPECT_FALSE(Load({manyFrames}, 4)) << "the mask count lies past the chunk";

  SpriteRecord huge;
  huge.maskCount = 0x7FFFFFFF;
  EXPECT_FALSE(Load({huge}));

  // A mask of no bytes (zero height) holds nothing, however many there are.
  SpriteRecord flat;
  flat.width = 5, flat.height = 0, flat.maskCount = 0x7FFFFFFF;
  EXPECT_TRUE(Load({flat}));
  EXPECT_FALSE(Sprite_Get(0)->HasMasks());
}

// A damaged record may put the origin far outside a huge frame: the corner
// distance then passes 3e9 and its square no longer fits a signed 64-bit
// integer. The radius is held to the largest value as for any far corner.
TEST_F(Sprites, RadiusOfARecordAtTheIntegerLimitsIsHeldToTheLargestValue) {
  SpriteRecord far;
  far.width = 0x7FFFFFFF, far.height = 1;
  far.xorigin = -1000000000;  // the right edge lies 3147483647 away
  SpriteRecord both = far;
  both.height = 0x7FFFFFFF, both.yorigin = -1000000000;
  SpriteRecord low;
  low.width = 0, low.height = 0;
  low.xorigin = INT32_MIN, low.yorigin = INT32_MIN;
  SpriteRecord small;
  small.width = 3000, small.height = 4000, small.xorigin = 0, small.yorigin = 0;
  ASSERT_TRUE(Load({far, both, low, small}));
  EXPECT_EQ(Sprite_Get(0)->radius, 2147483520);
  EXPECT_EQ(Sprite_Get(1)->radius, 2147483520);
  EXPECT_EQ(Sprite_Get(2)->radius, 2147483520);
  EXPECT_EQ(Sprite_Get(3)->radius, 5000);
}

TEST_F(Sprites, RadiusAndBoundingBoxModes) {
  CSprite s;
  s.width = s.height = 10;
  s.ComputeBoundingBox();
  EXPECT_EQ(s.radius, 15);
  ExpectBox(s.bbox, 0, 0, 0, 0);  // no frames

  auto picture = Picture(4, 4, {1, 1, 2, 1});
  s.CreateFromBitmap(picture.get(), true, true, false, true, 2, 2, 0);
  ExpectBox(s.bbox, 1, 1, 2, 1);
  EXPECT_EQ(s.radius, 3) << "ceil(sqrt(8)) from the centre";
  s.SetBoundingBox(0, 0, 1, 1);
  ExpectBox(s.bbox, 1, 1, 2, 1);  // only a manual box can be set
  s.SetBoundingBoxMode(1);
  ExpectBox(s.bbox, 0, 0, 3, 3);
  s.SetBoundingBoxMode(3);
  EXPECT_EQ(s.bboxMode, 1);
  s.SetBoundingBoxMode(2);
  s.SetBoundingBox(0, 1, 2, 3);
  ExpectBox(s.bbox, 0, 1, 2, 3);
  s.ComputeBoundingBox();
  ExpectBox(s.bbox, 0, 1, 2, 3);

  CSprite opaque;
  opaque.CreateFromBitmap(picture.get(), true, false, false, true, 0, 0, kSpriteCopyAnyFormat);
  ExpectBox(opaque.bbox, 0, 0, 3, 3);
  EXPECT_FALSE(opaque.HasMasks()) << "precise but not transparent";
  EXPECT_TRUE(opaque.CollisionPoint(At(0, 0, 0, opaque.bbox), 0, 0)) << "succeeds on the whole box";
}

TEST_F(Sprites, MasksFollowPreciseAndArePixelAccurate) {
  auto picture = Picture(4, 4, {1, 1, 2, 1});
  CSprite s;
  s.CreateFromBitmap(picture.get(), true, true, false, true, 0, 0, 0);
  EXPECT_EQ(console_.Lines(), (std::vector<std::string>{"Init Texture\n", "Compute Bounding Box\n", "Create Mask\n"}));
  ASSERT_TRUE(s.HasMasks());
  EXPECT_TRUE(s.CollisionPoint(At(0, 0, 0, s.bbox), 2, 1));
  EXPECT_FALSE(s.CollisionPoint(At(0, 0, 0, s.bbox), 2, 2));
  s.SetPrecise(false);
  EXPECT_FALSE(s.HasMasks());
  s.SetPrecise(true);
  EXPECT_TRUE(s.HasMasks());

  // A game-file sprite loses its stored masks for good.
  SpriteRecord r;
  r.pages = {1};
  r.maskCount = 1;
  r.maskBytes = std::vector<uint8_t>(8, 0);
  ASSERT_TRUE(Load({r}));
  CSprite* stored = Sprite_Get(0);
  EXPECT_FALSE(stored->CollisionPoint(At(0, 0, 0, stored->bbox), 1, 1));
  stored->SetPrecise(false);
  stored->SetPrecise(true);
  EXPECT_FALSE(stored->HasMasks());
  EXPECT_TRUE(stored->CollisionPoint(At(0, 0, 0, stored->bbox), 1, 1));
}

TEST_F(Sprites, CopiesMergesAndFramesAdded) {
  auto picture = Picture(4, 2, {0, 0, 0, 0});
  const int32_t a = Sprite_AddEmpty();
  EXPECT_STREQ(Sprite_GetName(a), "__newsprite0");
  Sprite_Get(a)->CreateFromBitmap(picture.get(), true, true, false, true, 1, 1, 0);
  Sprite_Get(a)->AddFrameFromBitmap(Picture(8, 8, {0, 0, 7, 7}).get(), 0);
  EXPECT_EQ(Sprite_Get(a)->frameCount, 2);
  EXPECT_EQ(Sprite_Get(a)->frames[1]->GetWidth(), 4) << "new frames take the sprite's size";

  const int32_t copy = Sprite_Duplicate(a);
  EXPECT_STREQ(Sprite_GetName(copy), "__newsprite1");
  const CSprite* c = Sprite_Get(copy);
  EXPECT_EQ(c->frameCount, 2);
  EXPECT_EQ(c->xorigin, 1);
  EXPECT_NE(c->frames[0], Sprite_Get(a)->frames[0]) << "pixels are copied, not shared";
  EXPECT_TRUE(c->HasMasks());
  EXPECT_EQ(Sprite_Duplicate(99), -1);

  Sprite_Get(copy)->Merge(Sprite_Get(copy));
  EXPECT_EQ(Sprite_Get(copy)->frameCount, 4) << "merging with itself doubles the frames";
  CSprite empty;
  empty.Merge(Sprite_Get(a));
  EXPECT_EQ(empty.width, 4);
  EXPECT_EQ(empty.frameCount, 2);

  // Alpha from a sprite: black frames of the other make every pixel clear.
  CSprite dark;
  dark.CreateFromBitmap(Picture(2, 2, {5, 5, 5, 5}).get(), false, false, false, true, 0, 0, 0);
  Sprite_Get(a)->SetAlphaFromSprite(&dark);
  EXPECT_EQ(Sprite_Get(a)->frames[1]->GetData()->pixels[0] >> 24, 0u);

  EXPECT_TRUE(Sprite_Delete(a));
  EXPECT_FALSE(Sprite_Delete(a));
  EXPECT_FALSE(Sprite_Assign(5, copy));
  EXPECT_FALSE(Sprite_Assign(copy, a));
  EXPECT_TRUE(Sprite_Assign(a, copy)) << "an empty slot in range gets a new sprite";
  EXPECT_EQ(Sprite_Get(a)->frameCount, 4);
  EXPECT_EQ(Sprite_AddEmpty(), 2) << "a new sprite takes the count, not a freed slot";
}

TEST_F(Sprites, CopiesOfGameFileSpritesKeepPagesButNoMasks) {
  SpriteRecord r;
  r.pages = {40, 80};
  r.maskCount = 1;
  r.maskBytes = std::vector<uint8_t>(8, 0xFF);
  ASSERT_TRUE(Load({r}));
  const int32_t copy = Sprite_Duplicate(0);
  const CSprite* c = Sprite_Get(copy);
  ASSERT_TRUE(c->HasPages());
  EXPECT_EQ(c->pages[1], 80u);
  EXPECT_EQ(c->frameCount, 2);
  EXPECT_FALSE(c->HasMasks());
  EXPECT_EQ(c->radius, Sprite_Get(0)->radius);
}

// Images from files: the save folder, then the program folder.
class SpriteFiles : public Sprites {
 protected:
  void SetUp() override {
    Sprites::SetUp();
    std::filesystem::create_directories(folder_ / "save");
    std::filesystem::create_directories(folder_ / "prog");
    LoadSave_SetProgramDirectory((folder_ / "prog/").c_str());
    LoadSave_SetSaveDirectory((folder_ / "save/").c_str());
  }
  void TearDown() override {
    LoadSave_SetSaveDirectory(nullptr);
    Sprites::TearDown();
  }
  std::string Program(const std::string& name) { return folder_ / ("prog/" + name); }
  testsupport::ScratchFolder folder_;
};

TEST_F(SpriteFiles, StripsAreCutIntoEqualFrames) {
  std::vector<uint32_t> pixels(100 * 2, 0xFF0000FF);
  pixels[0] = 0x80FFFFFF;
  testsupport::WriteRaw(Program("Strip.png"), spritetest::Png(100, 2, pixels));
  const int32_t index = Sprite_Add(Program("strip.PNG").c_str(), 3, true, true, false, true, 0, 0);
  ASSERT_EQ(index, 0) << "found again with another letter case";
  const CSprite* s = Sprite_Get(index);
  EXPECT_EQ(s->frameCount, 3);
  EXPECT_EQ(s->width, 33);
  EXPECT_EQ(s->height, 2);
  EXPECT_NE(console_.Text().find("TBitmap has 2\n"), std::string::npos);
  EXPECT_EQ(s->frames[0]->GetData()->pixels[0], 0x80FFFFFFu) << "Add keeps the file's alpha";

  // Frames 0 and NaN give one full frame; more frames than columns give
  // one-pixel frames, never empty ones.
  EXPECT_EQ(Sprite_Get(Sprite_Add(Program("strip.png").c_str(), 0, true, true, false, true, 0, 0))->width, 100);
  EXPECT_EQ(Sprite_Get(Sprite_Add(Program("strip.png").c_str(), NAN, true, true, false, true, 0, 0))->width, 100);
  const CSprite* thin = Sprite_Get(Sprite_Add(Program("strip.png").c_str(), 1e12, true, true, false, true, 0, 0));
  EXPECT_EQ(thin->frameCount, 100);
  EXPECT_EQ(thin->width, 1);

  // Replace drops the alpha and keys out the bottom-left colour.
  ASSERT_TRUE(Sprite_Replace(0, Program("strip.png").c_str(), 2, true, true, false, true, 0, 0));
  EXPECT_EQ(Sprite_Get(0)->frames[0]->GetData()->pixels[0], 0xFFFFFFFFu);
  EXPECT_EQ(Sprite_Get(0)->frames[0]->GetData()->pixels[1] >> 24, 0u);
  EXPECT_TRUE(Sprite_ReplaceAlpha(0, Program("strip.png").c_str(), 2, true, true, 0, 0));
  EXPECT_EQ(Sprite_Get(0)->frames[0]->GetData()->pixels[0], 0x80FFFFFFu);
}

TEST_F(SpriteFiles, TheSaveFolderComesFirstAndAnimatedImagesKeepTheirFrames) {
  testsupport::WriteRaw(Program("anim.gif"), spritetest::Gif(2, 2, {{1, 1, 1, 1}, {2, 2, 2, 2}}));
  testsupport::WriteRaw(folder_ / "save/anim.gif", spritetest::Gif(2, 2, {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}}));
  const int32_t index = Sprite_AddAlpha(Program("anim.gif").c_str(), 1, true, true, 0, 0);
  ASSERT_GE(index, 0);
  EXPECT_EQ(Sprite_Get(index)->frameCount, 3) << "the frames argument does not apply";
  EXPECT_EQ(Sprite_Get(index)->width, 2);
}

TEST_F(SpriteFiles, MissingOrBrokenFilesChangeNothing) {
  Sprite_AddEmpty();
  testsupport::WriteRaw(Program("broken.png"), "\x89PNG not really");
  EXPECT_EQ(Sprite_Add(Program("absent.png").c_str(), 1, true, true, false, true, 0, 0), -1);
  EXPECT_EQ(Sprite_Add(Program("broken.png").c_str(), 1, true, true, false, true, 0, 0), -1);
  EXPECT_EQ(Sprite_Add(nullptr, 1, true, true, false, true, 0, 0), -1);
  EXPECT_EQ(Sprite_Count(), 1);
  EXPECT_FALSE(Sprite_Replace(0, Program("absent.png").c_str(), 1, true, true, false, true, 0, 0));
  EXPECT_FALSE(Sprite_Replace(1, Program("absent.png").c_str(), 1, true, true, false, true, 0, 0));
  EXPECT_FALSE(Sprite_Replace(-1, Program("absent.png").c_str(), 1, true, true, false, true, 0, 0));
  Sprite_Delete(0);
  EXPECT_FALSE(Sprite_Replace(0, Program("broken.png").c_str(), 1, true, true, false, true, 0, 0));
  EXPECT_FALSE(Sprite_Exists(0)) << "a failed replace leaves an empty slot empty";
}

const ScriptValue* MapValue(int32_t map, const char* key) {
  ScriptValue k{};
  ScriptValue_SetString(&k, key);
  const ScriptValue* v = g_dsMaps.Get(map)->FindValue(&k);
  ScriptValue_Release(&k);
  return v;
}
double MapReal(int32_t map, const char* key) {
  const ScriptValue* v = MapValue(map, key);
  return v == nullptr ? -999 : v->real;
}

TEST_F(Sprites, WebAddressesAnswerAtOnceAndFillTheSpriteOnDelivery) {
  testsupport::LoopbackServer server;
  std::vector<uint32_t> pixels(4 * 1, 0xFF0000FF);
  server.On("/a.png", testsupport::ServerReply(200, spritetest::Png(4, 1, pixels)));
  server.On("/b.png", testsupport::ServerReply(200, ""));
  const std::string address = server.Url("/a.png");
  const int32_t index = Sprite_Add(address.c_str(), 2, true, true, false, false, 1, 1);
  ASSERT_EQ(index, 0);
  EXPECT_EQ(Sprite_Get(index)->frameCount, 0) << "the image waits for the delivery";
  ASSERT_EQ(PendingCount(), 1);
  int32_t map = -1;
  EXPECT_EQ(DeliverOldest(&map), 60);
  ASSERT_NE(g_dsMaps.Get(map), nullptr);
  EXPECT_EQ(MapReal(map, "id"), index);
  EXPECT_EQ(MapReal(map, "status"), 0);
  ASSERT_NE(MapValue(map, "filename"), nullptr);
  EXPECT_STREQ(MapValue(map, "filename")->text, address.c_str());
  const CSprite* s = Sprite_Get(index);
  EXPECT_EQ(s->frameCount, 2);
  EXPECT_EQ(s->transparent, 0) << "web sprites are rebuilt without background removal";
  EXPECT_EQ(s->preload, 1);
  EXPECT_EQ(s->xorigin, 1);

  // An answer with no body leaves the sprite empty.
  const int32_t failed = Sprite_Add(server.Url("/b.png").c_str(), 1, true, true, false, true, 0, 0);
  EXPECT_EQ(DeliverOldest(&map), 60);
  EXPECT_EQ(MapReal(map, "status"), -1);
  EXPECT_EQ(Sprite_Get(failed)->frameCount, 0);
  DS_ReleasePools();
}

// Through the real requests: the image comes from a server; a port that
// refuses leaves the sprite empty and raises nothing. Web sprites and
// script requests take their ids from one counter.
TEST_F(Sprites, WebSpritesComeFromTheServerOrStayEmpty) {
  testsupport::LoopbackServer server;
  const std::string png = spritetest::Png(4, 2, std::vector<uint32_t>(8, 0xFF00FF00));
  server.On("/s.png", testsupport::ServerReply(200, png));
  const std::string url = server.Url("/s.png");
  const int32_t index = Sprite_Add(url.c_str(), 2, false, false, false, true, 0, 0);
  EXPECT_EQ(HTTP_NextRequestId(), 1);
  ASSERT_EQ(PendingCount(), 1);
  HTTP_REQ_CONTEXT* request = HTTP_TakeFinished();
  ASSERT_NE(request, nullptr);
  int32_t map = -1;
  EXPECT_EQ(HTTP_Complete(request, &map), 60);
  HTTP_Dispose(request);
  EXPECT_EQ(Sprite_Get(index)->frameCount, 2);
  EXPECT_EQ(Sprite_Get(index)->width, 2);
  EXPECT_EQ(g_dsMaps.Get(map)->Size(), 3);
  EXPECT_STREQ(MapValue(map, "filename")->text, url.c_str());
  EXPECT_EQ(MapReal(map, "id"), index);
  EXPECT_EQ(MapReal(map, "status"), 0);

  const std::string refused =
      "http://127.0.0.1:" + std::to_string(testsupport::LoopbackServer::RefusedPort()) + "/s.png";
  const int32_t empty = Sprite_Add(refused.c_str(), 1, false, false, false, true, 0, 0);
  EXPECT_EQ(PendingCount(), 0);
  EXPECT_EQ(Sprite_Get(empty)->frameCount, 0);
  EXPECT_EQ(console_.Lines().back(), "InternetConnect: Couldn't connect to server\n");
  EXPECT_EQ(HTTP_NextRequestId(), 2);
  DS_ReleasePools();
}

}  // namespace
