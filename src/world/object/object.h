// Objects: the templates of instances, with their sprite, depth, flags,
// parent, physics settings and events, kept in a store by index. Event
// lookup follows the parent chain; each object also keeps its own
// instances and the instances of every object below it.
#pragma once

#include <cstdint>

#include "runtime/containers.h"
#include "runtime/game_image.h"
#include "script/events/event.h"

class CInstance;
class ObjectInstanceList;
struct ObjectInstanceNode;

// The nodes that hold one instance in object lists, oldest first, so that
// the instance leaves a list without a walk along it. The instance owns the
// record; the lists keep it.
struct ObjectLinks {
  ObjectLinks() = default;
  // Nodes still listed (in the lists of a deleted object) forget the record.
  ~ObjectLinks();
  ObjectLinks(const ObjectLinks&) = delete;
  ObjectLinks& operator=(const ObjectLinks&) = delete;

  ObjectInstanceNode* first = nullptr;
};

struct ObjectInstanceNode {
  ObjectInstanceNode* next;
  ObjectInstanceNode* previous;
  CInstance* instance;
  ObjectInstanceList* list;
  ObjectLinks* owner;                // null when the instance keeps no record
  ObjectInstanceNode* sameInstance;  // the owner's next node
};

// A doubly linked list of instances; the nodes belong to the list.
class ObjectInstanceList {
 public:
  ObjectInstanceList() = default;
  ~ObjectInstanceList() { Clear(); }
  ObjectInstanceList(const ObjectInstanceList&) = delete;
  ObjectInstanceList& operator=(const ObjectInstanceList&) = delete;

  void Append(CInstance* instance, ObjectLinks* links = nullptr);
  // Unlinks the first node holding the instance; false when there is none.
  // With the instance's links it is found among them, else by a walk.
  bool Remove(CInstance* instance, ObjectLinks* links = nullptr);
  // Unlinks the node without freeing it: a walk that holds it as its next
  // node can still follow it. The caller keeps the node.
  void Unlink(ObjectInstanceNode* node);
  void Clear();

  ObjectInstanceNode* head = nullptr;
  ObjectInstanceNode* tail = nullptr;
  int32_t count = 0;
};

struct ObjectPoint {
  float x;
  float y;
};

struct ObjectPhysics {
  bool usesPhysics = false;
  bool sensor = false;
  int32_t shapeKind = 0;
  int32_t collisionGroup = 0;
  float density = 0.0f;
  float restitution = 0.0f;
  float linearDamping = 0.0f;
  float angularDamping = 0.0f;
  float friction = 0.0f;
  bool awake = false;
  bool kinematic = false;
  cARRAY_STRUCTURE<ObjectPoint> points;
};

constexpr uint32_t kObjectSolid = 0x1;
constexpr uint32_t kObjectVisible = 0x2;
constexpr uint32_t kObjectPersistent = 0x4;

class CObject {
 public:
  explicit CObject(int32_t ownIndex) : index(ownIndex) {}
  ~CObject();
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;

  // Reads the record at a file offset; null on success, else what was wrong.
  const char* Load(const GameImage& image, uint64_t offset);
  void SetName(const char* text);

  // This object's event (type, subtype) when it holds code; null otherwise.
  CEvent* GetOwnEvent(int32_t type, int32_t subtype) const;
  // The slot for (type, subtype), grown and filled with an empty event.
  CEvent* MakeOwnEvent(int32_t type, int32_t subtype);
  // This object or an ancestor has the event (no collision rule).
  bool HasEvent(int32_t type, int32_t subtype) const;
  // `ancestor` is reached by walking parent indices upward from the parent.
  bool HasAncestor(int32_t ancestor) const;
  // Sets the parent index unless that would make the object its own
  // ancestor; the parent pointer follows at the next Object_LinkParents.
  bool SetParent(int32_t parentIndex);

  // `links` is the instance's record of its nodes (null: it keeps none).
  void AddInstance(CInstance* instance, ObjectLinks* links = nullptr);
  bool RemoveInstance(CInstance* instance, ObjectLinks* links = nullptr);

  uint32_t flags = kObjectVisible;
  int32_t sprite = -1;
  int32_t depth = 0;
  int32_t parent = -1;
  int32_t mask = -1;
  char* name = nullptr;
  int32_t index;
  ObjectPhysics physics;
  CObject* parentObject = nullptr;
  cARRAY_CLASS<CEvent> events[kEventTypeSlots];
  ObjectInstanceList instances;
  ObjectInstanceList descendants;
};

void Object_Init();
// The event performer's lookups: an object's event (or its nearest
// ancestor's), an object's name, a time line's moment.
struct ScriptHost;
void Object_AddEventStores(ScriptHost* host);
bool Object_Load(const GameImage& image, uint64_t data, uint32_t size);
// Hands the object chunk's reader and the store's clearing to the chunk walk.
void ObjectChunk_Install();
// For the loader: a new empty object stored under `index`, and the count.
CObject* Object_Place(int32_t index);
void Object_SetCount(int32_t count);
// The next free index: one past the highest index ever given.
int32_t Object_Count();
CObject* Object_Get(int32_t index);
bool Object_Exists(int32_t index);
// The name, "" for an object without one, "<undefined>" for no object.
const char* Object_GetName(int32_t index);
int32_t Object_Find(const char* name);
int32_t Object_Add();
// The object leaves the store at once; the object itself (its events, whose
// code may be running, and its instance lists, which a pass may be walking)
// is freed by Object_ReleaseRetired.
bool Object_Delete(int32_t index);

enum class ParentChange : uint8_t { kDone, kNoObject, kNoParent, kCycle };
// Gives an object a new parent (below 0: none) and rebuilds the event lists.
// The instances of the object and of everything below it leave the old
// ancestors' descendants lists and join the new ones'. A missing parent or
// one that would close a cycle changes nothing.
ParentChange Object_SetParent(int32_t object, int32_t parent);
// Removes the object's own event (type, subtype) when it has one with code
// and rebuilds the event lists, so that its instances fall back on an
// ancestor's event; false when there was none. The event is freed by
// Object_ReleaseRetired.
bool Object_ClearEvent(int32_t object, int32_t type, int32_t subtype);
// Frees what deletions and removals left behind. Called when no code runs
// and no pass walks an object's lists: after each step, and at shutdown.
void Object_ReleaseRetired();
bool Object_Prepare();
void Object_LinkParents();
// Refuses a parent chain that returns to an object; false with a line.
bool Object_CheckParents();
// The event through the parent chain, and for collisions through the other
// object's ancestors; *definer (when given) is the defining object.
CEvent* GetEvent(int32_t object, int32_t type, int32_t subtype, int32_t* definer = nullptr);
// The most event slots of that type the object or any ancestor holds: 0
// when none does, and GetEvent answers null for every subtype of it; else
// null for every subtype from that number up, collisions excepted (they
// also look for the other object's ancestors).
int32_t Object_ChainEventSlots(int32_t object, int32_t type);
void Object_Shutdown();
