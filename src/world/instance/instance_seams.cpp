// What the script layer and event performs learn about instances: their own
// variables, deletion marks, objects, the id map, the room's list through
// the links the room keeps, and the temporary instance constants run with.
#include "world/instance/instance_seams.h"

#include "script/host/script_host.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/run/run_state.h"

namespace {

CInstance* (*g_roomHead)() = nullptr;

CInstance* RoomHead() { return g_roomHead != nullptr ? g_roomHead() : nullptr; }

bool RoomChangePending() { return g_newRoom != kRoomChangeNone; }
CInstance* NextRoomInstance(CInstance* instance) { return instance != nullptr ? instance->next : nullptr; }
bool IsMarkedForDeletion(CInstance* instance) { return instance != nullptr && instance->markedForDeletion != 0; }
int32_t ObjectIndexOf(CInstance* instance) { return instance != nullptr ? instance->object_index : -1; }
void ForgetObject(CInstance* instance) {
  if (instance != nullptr) instance->ForgetObject();
}

constexpr EventWorldHooks kEventWorld = {RoomChangePending,   RoomHead,      NextRoomInstance,
                                         IsMarkedForDeletion, ObjectIndexOf, ForgetObject};

CVariableList* InstanceVariables(CInstance* instance) { return instance != nullptr ? instance->locals : nullptr; }
bool IsMarked(const CInstance* instance) { return instance != nullptr && instance->markedForDeletion != 0; }
CInstance* FindInstance(int32_t id) { return InstanceMap_Get(id); }
void VisitRoomInstances(InstanceVisitor& visitor) {
  // The next instance is taken before the visit, which may move this one.
  for (CInstance* at = RoomHead(); at != nullptr;) {
    CInstance* following = at->next;
    if (!visitor.Visit(at)) return;
    at = following;
  }
}
bool VisitObjectInstances(int32_t index, InstanceVisitor& visitor) {
  CObject* object = Object_Get(index);
  if (object == nullptr) return false;
  for (ObjectInstanceNode* node = object->descendants.head; node != nullptr;) {
    ObjectInstanceNode* following = node->next;
    if (!visitor.Visit(node->instance)) break;
    node = following;
  }
  return true;
}

constexpr WorldSeam kWorldSeam = {InstanceVariables, IsMarked, FindInstance, VisitRoomInstances, VisitObjectInstances};

CInstance* MakeTemporary() { return new CInstance(0.0f, 0.0f, 0, 0, false); }
void DropTemporary(CInstance* instance) { delete instance; }

}  // namespace

void InstanceSeams_AddTo(ScriptHost* host) {
  InstanceMap_Prepare();
  host->eventWorld = kEventWorld;
  host->variableWorld = kWorldSeam;
  host->temporaryInstance.create = MakeTemporary;
  host->temporaryInstance.destroy = DropTemporary;
}

void InstanceSeams_SetRoomHead(CInstance* (*head)()) { g_roomHead = head; }
