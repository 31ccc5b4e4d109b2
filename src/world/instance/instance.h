// A running instance of an object: drawing state, position and motion (speed
// and direction kept consistent with the two components), bounding box,
// alarms, own variables, the path it follows and the time line it runs.
// Fields that scripts see carry the script's own names; whoever writes
// position, scale, angle, sprite, mask or motion from outside goes through
// the setters so that the derived values follow.
#pragma once

#include <cstdint>
#include <vector>

#include "script/variables/variable_list.h"
#include "world/object/object.h"

class CObject;
class CPath;
class CPhysicsObject;
class CStream;

constexpr int32_t kInstanceAlarms = 12;
// Every side of the box of an instance without a collision sprite.
constexpr int32_t kInstanceNoBox = -100000;

constexpr int32_t kPathEndStop = 0;
constexpr int32_t kPathEndRestart = 1;
constexpr int32_t kPathEndContinue = 2;
constexpr int32_t kPathEndReverse = 3;

// The saved-game record of an instance, read in full before anything is
// applied, so that a damaged record leaves the instance as it was.
struct InstanceRecord {
  int32_t id = 0;
  int32_t spriteIndex = -1;
  float image[6] = {};  // index, speed, xscale, yscale, angle, alpha
  int32_t imageBlend = 0;
  int32_t maskIndex = -1;
  float depth = 0.0f;
  uint8_t precise = 0;
  float motion[13] = {};  // x, y, xstart, ystart, xprevious, yprevious, direction,
                          // speed, friction, gravity_direction, gravity, hspeed, vspeed
  int32_t bbox[4] = {};   // left, right, top, bottom, as stored
  uint8_t visible = 0, solid = 0, persistent = 0;
  int32_t objectIndex = 0;
  int32_t alarm[kInstanceAlarms] = {};
  uint8_t markedForDeletion = 0, deactivated = 0;
  int32_t pathIndex = -1;
  float path[5] = {};  // position, positionprevious, speed, scale, orientation
  int32_t pathEndAction = 0;
  float pathOrigin[2] = {};
  int32_t timelineIndex = -1;
  float timelinePosition = 0.0f, timelineSpeed = 0.0f;
  uint8_t timelineRunning = 0, timelineLoop = 0;
  CVariableList locals;
};

class CInstance;

// The instance's node in the search tree its room list keeps beside the
// links (world/room/depth_order.h): in-order is list order.
struct DepthOrderNode {
  CInstance* left = nullptr;
  CInstance* right = nullptr;
  CInstance* up = nullptr;
  uint32_t priority = 0;
  float highest = 0.0f;  // the greatest depth in the subtree, NaN left out
  bool holdsNaN = false;
};

class CInstance {
 public:
  // Takes the creation stamp from the event serial. The caller puts the
  // instance into the id map and the room's list.
  CInstance(float x, float y, int32_t id, int32_t objectIndex, bool link);
  virtual ~CInstance();
  CInstance(const CInstance&) = delete;
  CInstance& operator=(const CInstance&) = delete;

  // -1 is stored as 0 but looks up no object. With an object: joins its
  // lists (when link is set) and takes its mask, depth, flags and sprite.
  // Whoever changes the depth of an instance in a room list this way or
  // through Assign tells the list (DepthOrder_Refresh) or puts it back.
  void SetObjectIndex(int32_t index, bool link);
  // Drops the object pointer without touching its lists (the object is
  // being deleted and its lists go with it).
  void ForgetObject() { object = nullptr; }
  // Becomes a copy of other; the creation stamp, the physics object and the
  // list links stay this instance's own.
  void Assign(const CInstance& other, bool link);

  void SetSpriteIndex(int32_t index);
  void SetMaskIndex(int32_t index);
  void SetImageXScale(float value);
  void SetImageYScale(float value);
  void SetImageAngle(float value);
  void SetPosition(float newX, float newY);
  void SetDirection(float value);
  void SetSpeed(float value);
  void SetHSpeed(float value);
  void SetVSpeed(float value);
  // Outside 0..11: -1, and nothing is set.
  int32_t GetAlarm(int32_t index) const;
  void SetAlarm(int32_t index, int32_t value);
  int32_t GetImageNumber() const;
  void SetPathPosition(float value);
  void SetPathPositionPrevious(float value);
  void SetPathSpeed(float value) { path_speed = value; }

  // The sprite collisions use: the mask when it is 0 or more, else the
  // sprite; -1 style indices and missing sprites give -1.
  int32_t CollisionSpriteIndex() const { return mask_index >= 0 ? mask_index : sprite_index; }
  void ComputeBoundingBox();
  // Recomputes the box when it is dirty.
  void RefreshBoundingBox() {
    if (bboxDirty != 0) ComputeBoundingBox();
  }
  void ComputeDirectionSpeed();
  void ComputeHVSpeed();
  void AddMotion(float dir, float amount);
  void ApplyFrictionGravity();
  void StartPath(int32_t path, float speed, float scale, float orientation, bool relative, int32_t endAction);
  // True when the path's end was reached this step.
  bool UpdatePath();

  void Save(CStream& stream);
  // Reads a whole record; on failure the instance is untouched and the
  // stream is back where it was.
  bool Load(CStream& stream);
  // The two halves of Load: ParseRecord may fail and changes nothing but
  // the stream position; ApplyRecord cannot fail and empties the record's
  // variable list into the instance's.
  static bool ParseRecord(CStream& stream, InstanceRecord* record);
  void ApplyRecord(InstanceRecord& record);

  // Collision tests; prec 1 asks for the sprite's pixels where they count.
  bool CollisionPoint(float px, float py, int32_t prec);
  bool CollisionRectangle(float x1, float y1, float x2, float y2, int32_t prec);
  bool CollisionEllipse(float x1, float y1, float x2, float y2, int32_t prec);
  bool CollisionLine(float x1, float y1, float x2, float y2, int32_t prec);
  bool CollisionInstance(CInstance* other, int32_t prec);

  uint8_t bboxDirty = 0;
  uint8_t visible = 0;
  uint8_t solid = 0;
  uint8_t persistent = 0;
  uint8_t markedForDeletion = 0;
  uint8_t deactivated = 0;
  uint8_t destroyEventDone = 0;
  uint8_t carriedOver = 0;
  uint8_t created = 0;
  uint64_t creationStamp = 0;
  int32_t id = 0;
  int32_t object_index = 0;
  CObject* object = nullptr;
  CPhysicsObject* physicsObject = nullptr;
  int32_t sprite_index = 0;
  float image_index = 0.0f;
  float image_speed = 0.0f;
  float image_xscale = 0.0f;
  float image_yscale = 0.0f;
  float image_angle = 0.0f;
  float image_alpha = 0.0f;
  int32_t image_blend = 0;
  int32_t mask_index = 0;
  uint8_t precise = 0;
  float x = 0.0f, y = 0.0f;
  float xstart = 0.0f, ystart = 0.0f;
  float xprevious = 0.0f, yprevious = 0.0f;
  float direction = 0.0f;
  float speed = 0.0f;
  float friction = 0.0f;
  float gravity_direction = 0.0f;
  float gravity = 0.0f;
  float hspeed = 0.0f, vspeed = 0.0f;
  int32_t bbox_left = 0, bbox_top = 0, bbox_right = 0, bbox_bottom = 0;
  int32_t alarm[kInstanceAlarms] = {};
  CVariableList* locals = nullptr;
  int32_t path_index = 0;
  float path_position = 0.0f;
  float path_positionprevious = 0.0f;
  float path_speed = 0.0f;
  float path_scale = 0.0f;
  float path_orientation = 0.0f;
  int32_t path_endaction = 0;
  float pathOriginX = 0.0f, pathOriginY = 0.0f;
  int32_t timeline_index = 0;
  float timeline_position = 0.0f;
  float timeline_speed = 0.0f;
  uint8_t timeline_running = 0;
  uint8_t timeline_loop = 0;
  int32_t spare = 0;
  // The room's list, ascending depth; kept by the room.
  CInstance* next = nullptr;
  CInstance* prev = nullptr;
  float depth = 0.0f;
  DepthOrderNode order;
  // Its nodes in the object lists, so that leaving them takes no walk.
  ObjectLinks objectLinks;
  // Its place in the activation queue, -1 when not queued.
  int32_t activationSlot = -1;

 private:
  void Unlink();
  void FollowSprite();
  void EndOfPath(const CPath& path, float c, float s);
};

// How a physics object is destroyed with its instance; installed by the
// physics layer (until then instances never hold one).
void Instance_SetPhysicsDestroyer(void (*destroy)(CPhysicsObject* body));

// The id map. Insert adds the instance under its id; Remove takes out the
// entry that holds exactly this instance, so a later instance with the same
// id keeps its own; Get is the plain lookup (first entry of the id).
void InstanceMap_Insert(CInstance* instance);
bool InstanceMap_Remove(CInstance* instance);
CInstance* InstanceMap_Get(int32_t id);
// Every instance the map holds under this id, in the map's order.
void InstanceMap_All(int32_t id, std::vector<CInstance*>* out);
// Gives the map its value deleter, so that releasing it deletes instances.
void InstanceMap_Prepare();
// Program end: deletes every instance in the map and empties it.
void Instance_DeleteAll();

// The activation queue holds every instance whose deactivated byte may
// disagree with the room list it is in (the active list with the byte set,
// the deactivated list with it clear); the room's ApplyActivation settles
// those of its own lists. Whoever sets the byte queues the instance
// (Instance_SetDeactivated does both), as does whoever puts an instance
// with a disagreeing byte into a list. A deleted instance leaves it.
void Instance_SetDeactivated(CInstance* instance, bool deactivated);
void Instance_QueueActivation(CInstance* instance);
// Queues an instance just put into the active (or else the deactivated)
// list when its byte disagrees with that list.
void Instance_QueueIfDisagreeing(CInstance* instance, bool inActiveList);
// Empties the queue into `out` (in no particular order).
void Instance_TakeActivationQueue(std::vector<CInstance*>* out);

// Point-in-ellipse of the collision tests: the ellipse inscribed in the
// integer rectangle {left, top, right, bottom}.
bool Instance_PointInEllipse(const int32_t rectangle[4], int32_t px, int32_t py);
