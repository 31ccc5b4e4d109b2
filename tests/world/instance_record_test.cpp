#include <cstring>

#include "runtime/stream.h"
#include "world/instance_test_support.h"
#include "world/run/run_state.h"

namespace {

class InstanceRecords : public InstanceWorld {
 protected:
  // An instance with a distinct value in every field the record holds.
  void Fill(CInstance& a) {
    a.id = 100123;
    a.sprite_index = -1;
    a.image_index = 1.5f, a.image_speed = 0.25f, a.image_xscale = -2.0f;
    a.image_yscale = 3.0f, a.image_angle = 45.0f, a.image_alpha = 0.1f;
    a.image_blend = 0x123456;
    a.mask_index = -1;
    a.depth = -7.5f;
    a.precise = 1;
    float* motion[] = {&a.x,         &a.y,         &a.xstart, &a.ystart,   &a.xprevious,
                       &a.yprevious, &a.direction, &a.speed,  &a.friction, &a.gravity_direction,
                       &a.gravity,   &a.hspeed,    &a.vspeed};
    for (int32_t i = 0; i < 13; ++i) *motion[i] = 0.1f * static_cast<float>(i + 1);
    a.bbox_left = 11, a.bbox_top = 12, a.bbox_right = 13, a.bbox_bottom = 14;
    a.bboxDirty = 0;
    a.visible = 2;  // not exactly 1: written as 0
    a.solid = 1, a.persistent = 1;
    for (int32_t i = 0; i < kInstanceAlarms; ++i) a.alarm[i] = i * 10;
    a.markedForDeletion = 1;
    a.path_index = 3, a.path_position = 0.3f, a.path_positionprevious = 0.2f;
    a.path_speed = -4.0f, a.path_scale = 2.0f, a.path_orientation = 30.0f, a.path_endaction = 2;
    a.pathOriginX = 9.5f, a.pathOriginY = -9.5f;
    a.timeline_index = 6, a.timeline_position = 12.0f, a.timeline_speed = 0.5f;
    a.timeline_running = 1, a.timeline_loop = 1;
    ScriptValue v{};
    ScriptValue_SetString(&v, "kept");
    a.locals->SetValue(100007, 0, v);
    ScriptValue_Release(&v);
  }

  static int32_t IntAt(const CStream& s, int32_t offset) {
    int32_t v;
    std::memcpy(&v, s.GetBuffer() + offset, 4);
    return v;
  }
  static double RealAt(const CStream& s, int32_t offset) {
    double v;
    std::memcpy(&v, s.GetBuffer() + offset, 8);
    return v;
  }
};

TEST_F(InstanceRecords, FixedFieldsSitAtTheirOffsets) {
  MakeObject(5);
  CInstance a(0.0f, 0.0f, 1, 5, true);
  Fill(a);
  CStream s;
  a.Save(s);
  EXPECT_EQ(IntAt(s, 0), 100123);
  EXPECT_EQ(RealAt(s, 64), -7.5);
  EXPECT_EQ(IntAt(s, 72), 1);
  EXPECT_EQ(RealAt(s, 76), static_cast<double>(0.1f));
  EXPECT_EQ(RealAt(s, 172), static_cast<double>(0.1f * 13.0f)) << "vspeed ends the motion block";
  EXPECT_EQ(IntAt(s, 180), 11);
  EXPECT_EQ(IntAt(s, 184), 13) << "right follows left";
  EXPECT_EQ(IntAt(s, 188), 12);
  EXPECT_EQ(IntAt(s, 192), 14);
  EXPECT_EQ(IntAt(s, 196), 0) << "a flag byte of 2 is not true";
  EXPECT_EQ(IntAt(s, 208), 5);
  EXPECT_EQ(IntAt(s, 212 + 4 * 11), 110);
  EXPECT_EQ(IntAt(s, 268), 3);
  EXPECT_EQ(RealAt(s, 316), 9.5);
  EXPECT_EQ(IntAt(s, 332), 6);
  EXPECT_EQ(RealAt(s, 344), 0.5);
  EXPECT_EQ(IntAt(s, 360), 0) << "the empty text";
  EXPECT_GT(s.GetPosition(), 364);
}

TEST_F(InstanceRecords, SaveThenLoadRestoresAllButStampAndLinks) {
  CObject* five = MakeObject(5);
  CObject* six = MakeObject(6);
  CInstance a(0.0f, 0.0f, 1, 5, true);
  Fill(a);
  CStream s;
  a.Save(s);
  const int64_t written = s.GetPosition();
  g_eventSerial = 999;
  CInstance b(3.0f, 4.0f, 2, 6, true);
  b.carriedOver = 1;
  CInstance sentinel(0.0f, 0.0f, 3, -1, false);
  b.next = &sentinel;
  s.SetPosition(0);
  ASSERT_TRUE(b.Load(s));
  EXPECT_EQ(s.GetPosition(), written);
  EXPECT_EQ(b.id, 100123);
  EXPECT_EQ(b.vspeed, 0.1f * 13.0f);
  EXPECT_EQ(b.gravity_direction, 1.0f);
  EXPECT_EQ(b.bbox_right, 13);
  EXPECT_EQ(b.bbox_top, 12);
  EXPECT_EQ(b.bboxDirty, 0) << "the stored box is used as it is";
  EXPECT_EQ(b.visible, 0);
  EXPECT_EQ(b.GetAlarm(7), 70);
  EXPECT_EQ(b.markedForDeletion, 1);
  EXPECT_EQ(b.path_orientation, 30.0f);
  EXPECT_EQ(b.pathOriginY, -9.5f);
  EXPECT_EQ(b.timeline_loop, 1);
  EXPECT_EQ(b.carriedOver, 0);
  EXPECT_EQ(b.creationStamp, 999u);
  EXPECT_EQ(b.next, &sentinel);
  EXPECT_EQ(b.object, five);
  EXPECT_EQ(five->instances.count, 2);
  EXPECT_EQ(six->instances.count, 0) << "the old object's list lets go";
  ScriptValue got{};
  ASSERT_TRUE(b.locals->GetValue(100007, 0, &got));
  EXPECT_STREQ(ScriptValue_Text(got), "kept");
  ScriptValue_Release(&got);
}

TEST_F(InstanceRecords, ObjectMinusOneLinksObjectZero) {
  CObject* zero = MakeObject(0);
  CInstance a(0.0f, 0.0f, 1, -1, false);
  a.object_index = -1;
  a.bboxDirty = 0;
  CStream s;
  a.Save(s);
  s.SetPosition(0);
  CInstance b(0.0f, 0.0f, 2, -1, false);
  ASSERT_TRUE(b.Load(s));
  EXPECT_EQ(b.object_index, 0);
  EXPECT_EQ(b.object, zero);
  EXPECT_EQ(zero->instances.count, 1);
}

TEST_F(InstanceRecords, ShortOrDamagedRecordsChangeNothing) {
  CInstance a(0.0f, 0.0f, 1, -1, false);
  Fill(a);
  CStream whole;
  a.Save(whole);
  const int32_t full = static_cast<int32_t>(whole.GetPosition());
  auto cut = [&](int32_t length, auto&& patch) {
    std::vector<uint8_t> bytes(whole.GetBuffer(), whole.GetBuffer() + length);
    patch(bytes);
    CStream s(length);
    s.WriteBuffer(bytes.data(), length);
    s.SetPosition(0);
    CInstance b(3.0f, 4.0f, 2, -1, false);
    b.SetAlarm(0, 77);
    EXPECT_FALSE(b.Load(s)) << "length " << length;
    EXPECT_EQ(s.GetPosition(), 0);
    EXPECT_EQ(b.id, 2);
    EXPECT_EQ(b.x, 3.0f);
    EXPECT_EQ(b.GetAlarm(0), 77);
    EXPECT_EQ(b.locals->Count(), 0);
  };
  auto keep = [](std::vector<uint8_t>&) {};
  for (int32_t length : {0, 3, 200, 363, 364, full - 1}) cut(length, keep);
  // A text length that runs past the record, and a negative variable count.
  cut(full, [](std::vector<uint8_t>& b) { b[360] = 0xFF, b[361] = 0xFF, b[362] = 0xFF, b[363] = 0x7F; });
  cut(full, [](std::vector<uint8_t>& b) { std::memset(b.data() + 364, 0xEE, b.size() - 364); });
}

}  // namespace
