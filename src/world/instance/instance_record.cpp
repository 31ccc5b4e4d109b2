// The saved-game record of an instance: fixed fields (integers and flags in
// 4 bytes, reals widened to 8), an empty text, then the own variables.
// Reading goes into a plain record first, so that a short or damaged record
// changes nothing.
#include "runtime/stream.h"
#include "runtime/stream_reader.h"
#include "world/instance/instance.h"
#include "world/object/object.h"

namespace {

void WriteFlag(CStream& stream, uint8_t flag) { stream.WriteBoolean(flag == 1); }

void WriteReals(CStream& stream, const float* values, int32_t count) {
  for (int32_t i = 0; i < count; ++i) stream.WriteReal(values[i]);
}

void ReadReals(CheckedStreamReader& in, float* values, int32_t count) {
  for (int32_t i = 0; i < count; ++i) values[i] = in.Single();
}

void ReadIntegers(CheckedStreamReader& in, int32_t* values, int32_t count) {
  for (int32_t i = 0; i < count; ++i) values[i] = in.Integer();
}

}  // namespace

void CInstance::Save(CStream& stream) {
  RefreshBoundingBox();
  stream.WriteInteger(id);
  stream.WriteInteger(sprite_index);
  const float image[6] = {image_index, image_speed, image_xscale, image_yscale, image_angle, image_alpha};
  WriteReals(stream, image, 6);
  stream.WriteInteger(image_blend);
  stream.WriteInteger(mask_index);
  stream.WriteReal(depth);
  WriteFlag(stream, precise);
  const float motion[13] = {x,         y,         xstart, ystart,   xprevious,
                            yprevious, direction, speed,  friction, gravity_direction,
                            gravity,   hspeed,    vspeed};
  WriteReals(stream, motion, 13);
  stream.WriteInteger(bbox_left);
  stream.WriteInteger(bbox_right);
  stream.WriteInteger(bbox_top);
  stream.WriteInteger(bbox_bottom);
  WriteFlag(stream, visible);
  WriteFlag(stream, solid);
  WriteFlag(stream, persistent);
  stream.WriteInteger(object_index);
  for (int32_t a : alarm) stream.WriteInteger(a);
  WriteFlag(stream, markedForDeletion);
  WriteFlag(stream, deactivated);
  stream.WriteInteger(path_index);
  const float path[5] = {path_position, path_positionprevious, path_speed, path_scale, path_orientation};
  WriteReals(stream, path, 5);
  stream.WriteInteger(path_endaction);
  stream.WriteReal(pathOriginX);
  stream.WriteReal(pathOriginY);
  stream.WriteInteger(timeline_index);
  stream.WriteReal(timeline_position);
  stream.WriteReal(timeline_speed);
  WriteFlag(stream, timeline_running);
  WriteFlag(stream, timeline_loop);
  stream.WriteString("");
  locals->Save(stream);
}

bool CInstance::ParseRecord(CStream& stream, InstanceRecord* record) {
  CheckedStreamReader in(stream);
  InstanceRecord& r = *record;
  r.id = in.Integer();
  r.spriteIndex = in.Integer();
  ReadReals(in, r.image, 6);
  r.imageBlend = in.Integer();
  r.maskIndex = in.Integer();
  r.depth = in.Single();
  r.precise = in.Flag();
  ReadReals(in, r.motion, 13);
  ReadIntegers(in, r.bbox, 4);
  r.visible = in.Flag();
  r.solid = in.Flag();
  r.persistent = in.Flag();
  r.objectIndex = in.Integer();
  ReadIntegers(in, r.alarm, kInstanceAlarms);
  r.markedForDeletion = in.Flag();
  r.deactivated = in.Flag();
  r.pathIndex = in.Integer();
  ReadReals(in, r.path, 5);
  r.pathEndAction = in.Integer();
  ReadReals(in, r.pathOrigin, 2);
  r.timelineIndex = in.Integer();
  r.timelinePosition = in.Single();
  r.timelineSpeed = in.Single();
  r.timelineRunning = in.Flag();
  r.timelineLoop = in.Flag();
  in.Text();  // not kept
  return in.ok() && CVariableList::LoadFresh(stream, r.locals);
}

void CInstance::ApplyRecord(InstanceRecord& r) {
  Unlink();
  object = nullptr;
  carriedOver = 0;
  id = r.id;
  sprite_index = r.spriteIndex;
  image_index = r.image[0], image_speed = r.image[1];
  image_xscale = r.image[2], image_yscale = r.image[3];
  image_angle = r.image[4], image_alpha = r.image[5];
  image_blend = r.imageBlend;
  mask_index = r.maskIndex;
  depth = r.depth;
  precise = r.precise;
  float* const motion[13] = {&x,         &y,         &xstart, &ystart,   &xprevious,
                             &yprevious, &direction, &speed,  &friction, &gravity_direction,
                             &gravity,   &hspeed,    &vspeed};
  for (int32_t i = 0; i < 13; ++i) *motion[i] = r.motion[i];
  bbox_left = r.bbox[0], bbox_right = r.bbox[1], bbox_top = r.bbox[2], bbox_bottom = r.bbox[3];
  bboxDirty = 0;
  visible = r.visible, solid = r.solid, persistent = r.persistent;
  // -1 is kept as object 0 and, unlike SetObjectIndex, links it.
  object_index = r.objectIndex == -1 ? 0 : r.objectIndex;
  object = Object_Get(object_index);
  if (object != nullptr) object->AddInstance(this, &objectLinks);
  for (int32_t i = 0; i < kInstanceAlarms; ++i) alarm[i] = r.alarm[i];
  markedForDeletion = r.markedForDeletion;
  deactivated = r.deactivated;
  path_index = r.pathIndex;
  path_position = r.path[0], path_positionprevious = r.path[1];
  path_speed = r.path[2], path_scale = r.path[3], path_orientation = r.path[4];
  path_endaction = r.pathEndAction;
  pathOriginX = r.pathOrigin[0], pathOriginY = r.pathOrigin[1];
  timeline_index = r.timelineIndex;
  timeline_position = r.timelinePosition;
  timeline_speed = r.timelineSpeed;
  timeline_running = r.timelineRunning;
  timeline_loop = r.timelineLoop;
  locals->Merge(r.locals);
}

bool CInstance::Load(CStream& stream) {
  const int64_t start = stream.GetPosition();
  InstanceRecord record;
  if (!ParseRecord(stream, &record)) {
    stream.SetPosition(start);
    return false;
  }
  ApplyRecord(record);
  return true;
}
