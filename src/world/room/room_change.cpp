#include "world/room/room_change.h"

#include <string>
#include <vector>

#include "extensions/extension.h"
#include "files/file_layer.h"
#include "gamefile/options.h"
#include "graphics/particles/particles.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "runtime/script_value.h"
#include "runtime/timer.h"
#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "script/tree/interpreter.h"
#include "shell/window.h"
#include "world/input/input.h"
#include "world/instance/instance.h"
#include "world/object/event_lists.h"
#include "world/room/room.h"
#include "world/room/room_store.h"
#include "world/run/debugger_seam.h"
#include "world/run/run_state.h"

CRoom* g_currentRoom = nullptr;
int32_t g_currentRoomIndex = -1;

namespace {

constexpr int32_t kCarryStartCapacity = 10;
constexpr int32_t kCarryGrowth = 5;

std::vector<CRoom*> g_runtimeRooms;
void (*g_roomStartDraw)() = nullptr;
void (*g_windowSizer)() = nullptr;

struct CarryList {
  CInstance** items = nullptr;
  int32_t count = 0;
  int32_t capacity = 0;
};
CarryList g_carry;

// Deletes every carried copy and sets the list to `capacity` empty slots.
void ResetCarry(int32_t capacity) {
  for (int32_t i = 0; i < g_carry.count; ++i) delete g_carry.items[i];
  if (g_carry.items != nullptr) MemoryManager::Free(g_carry.items);
  g_carry = CarryList();
  if (capacity > 0) {
    g_carry.items = static_cast<CInstance**>(KV_ALLOC(sizeof(CInstance*) * static_cast<size_t>(capacity), true));
    g_carry.capacity = capacity;
  }
}

void Carry(CInstance* copy) {
  if (g_carry.count + 1 > g_carry.capacity) {
    g_carry.capacity = g_carry.count + 1 + kCarryGrowth;
    g_carry.items =
        static_cast<CInstance**>(KV_REALLOC(g_carry.items, sizeof(CInstance*) * static_cast<size_t>(g_carry.capacity)));
  }
  g_carry.items[g_carry.count++] = copy;
}

void RunCreationCode(CInstance* self, CCode* code) {
  if (code == nullptr) return;
  ScriptValue result{};
  Code_Execute_ShowError(self, self, code, &result);
  ScriptValue_Release(&result);
}

// The first instance of the list with this id, found among the id map's
// entries, which hold every instance of the active list of the room being
// entered. `withId` is room to work in.
CInstance* FindInList(const InstanceList& list, int32_t id, std::vector<CInstance*>* withId) {
  InstanceMap_All(id, withId);
  CInstance* first = nullptr;
  for (CInstance* instance : *withId) {
    if (!DepthOrder_Holds(list.order, instance)) continue;
    if (first == nullptr || DepthOrder_Precedes(instance, first)) first = instance;
  }
  return first;
}

// The carried state goes into `target`, which is put back in depth order.
void TakeCarried(CRoom* room, CInstance* target, const CInstance* carried) {
  Instance_LeaveIdMap(target);
  target->Assign(*carried, true);
  target->carriedOver = 1;
  InstanceList_Unlink(&room->active, target);
  InstanceList_InsertByDepth(&room->active, target);
  Instance_QueueIfDisagreeing(target, true);
  Instance_EnterIdMap(target);
}

void ArriveCarried(CRoom* room) {
  std::vector<CInstance*> withId;
  for (int32_t i = 0; i < g_carry.count; ++i) {
    const CInstance* carried = g_carry.items[i];
    CInstance* target = FindInList(room->active, carried->id, &withId);
    if (target == nullptr) target = room->AddInstance(carried->x, carried->y, carried->object_index);
    TakeCarried(room, target, carried);
  }
  ResetCarry(0);
}

void Relink(CRoom* room) {
  for (CInstance* instance = room->active.head; instance != nullptr; instance = instance->next) {
    Instance_LinkObject(instance);
    Instance_EnterIdMap(instance);
  }
}

void CreateOne(CRoom* room, CInstance* instance) {
  if (instance->carriedOver != 0) {
    instance->carriedOver = 0;
    return;
  }
  if (instance->markedForDeletion != 0) return;
  CCode* code = room->CreationCodeOf(instance);
  if (Option_On(kOptionCreateBeforeCode)) {
    Perform_Event(instance, instance, instance->object_index, kEventCreate, 0);
    RunCreationCode(instance, code);
  } else {
    RunCreationCode(instance, code);
    Perform_Event(instance, instance, instance->object_index, kEventCreate, 0);
  }
  instance->created = 1;
}

// Creation runs go from the tail to the head of the list as it stood.
void CreateInstances(CRoom* room) {
  std::vector<CInstance*> order;
  order.reserve(static_cast<size_t>(room->active.count));
  for (CInstance* instance = room->active.tail; instance != nullptr; instance = instance->prev) {
    instance->created = 0;
    order.push_back(instance);
  }
  for (CInstance* instance : order) CreateOne(room, instance);
  room->ForgetCreationCodes();
}

void RunRoomCode(CRoom* room) {
  if (room->code == nullptr) return;
  auto* temporary = new CInstance(0.0f, 0.0f, 0, 0, false);
  RunCreationCode(temporary, room->code.get());
  delete temporary;
}

// Enters the room's slot: the persistent copy left earlier, or a new copy
// of the template. Null when neither exists.
CRoom* EnterSlot(int32_t index, bool* isNew) {
  // Only rooms that exist get a slot, so no index can make the table huge.
  if (Room_Get(index) == nullptr &&
      (static_cast<size_t>(index) >= g_runtimeRooms.size() || g_runtimeRooms[static_cast<size_t>(index)] == nullptr)) {
    return nullptr;
  }
  if (static_cast<size_t>(index) >= g_runtimeRooms.size()) g_runtimeRooms.resize(static_cast<size_t>(index) + 1);
  CRoom*& slot = g_runtimeRooms[static_cast<size_t>(index)];
  *isNew = slot == nullptr;
  if (slot != nullptr) {
    Relink(slot);
    return slot;
  }
  const CRoom* source = Room_Get(index);
  if (source == nullptr) return nullptr;
  slot = new CRoom();
  slot->Assign(source, true);
  return slot;
}

void DestroyRuntimeRoom(int32_t index) {
  CRoom*& slot = g_runtimeRooms[static_cast<size_t>(index)];
  if (slot == g_currentRoom) g_currentRoom = nullptr;
  delete slot;
  slot = nullptr;
}

// Persistent instances leave the room for the carry list; the instance
// itself is freed here since it is in no list any more.
void CarryPersistent(CRoom* room) {
  ResetCarry(kCarryStartCapacity);
  CInstance* instance = room->active.head;
  while (instance != nullptr) {
    CInstance* next = instance->next;
    if (instance->markedForDeletion == 0 && instance->persistent != 0) {
      auto* copy = new CInstance(instance->x, instance->y, instance->id, instance->object_index, false);
      copy->Assign(*instance, false);
      Carry(copy);
      InstanceList_Unlink(&room->active, instance);
      instance->markedForDeletion = 1;
      Instance_LeaveIdMap(instance);
      delete instance;
    }
    instance = next;
  }
}

// A persistent room keeps its instances but they leave the object lists
// and the id map until it is entered again. Marked instances go for good:
// entering again would link them a second time.
void Suspend(CRoom* room) {
  room->RemoveMarked();
  for (CInstance* instance = room->active.head; instance != nullptr; instance = instance->next) {
    if (instance->persistent != 0) continue;
    Instance_UnlinkObject(instance);
    Instance_LeaveIdMap(instance);
  }
}

}  // namespace

bool Run_StartRoom(int32_t index, bool gameStart) {
  Particle_Effect_Clear();
  g_newRoom = kRoomChangeNone;
  IO_Clear();
  bool isNew = false;
  CRoom* room = index >= 0 ? EnterSlot(index, &isNew) : nullptr;
  if (room == nullptr) {
    g_debugConsole->Output("Room %d does not exist: the game cannot go on\n", index);
    return false;
  }
  g_currentRoomIndex = index;
  g_currentRoom = room;
  if (g_windowSizer != nullptr) g_windowSizer();
  ArriveCarried(room);
  if (isNew) CreateInstances(room);
  if (gameStart) Perform_Event_All(kEventOther, kOtherGameStart);
  if (isNew) RunRoomCode(room);
  Perform_Event_All(kEventOther, kOtherRoomStart);
  if (g_newRoom == kRoomChangeNone && g_automaticDraw == 1 && g_roomStartDraw != nullptr) g_roomStartDraw();
  g_runValues.roomEntered = 1;
  return true;
}

void Run_EndRoom(bool gameEnd) {
  CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  room->RemoveMarked();
  int32_t pending = g_newRoom;
  g_newRoom = kRoomChangeNone;
  Perform_Event_All(kEventOther, kOtherRoomEnd);
  if (gameEnd) Perform_Event_All(kEventOther, kOtherGameEnd);
  g_newRoom = pending;
  CarryPersistent(room);
  if (room->persistent) {
    Suspend(room);
  } else {
    DestroyRuntimeRoom(g_currentRoomIndex);
  }
}

bool Run_ChangeRoom(int32_t index) {
  Run_EndRoom(false);
  return Run_StartRoom(index, false);
}

bool StartGame() {
  g_debugConsole->Output("StartGame()\n");
  Timer_Init();
  Object_BuildEventLists();
  if (g_debugMode) {
    g_debugConsole->Output("Create Debug Form\n");
    Debugger_Create();
  }
  Library_RunInitCode();
  Extension_RunInit();
  Win_SetCursor(g_showCursor ? kWinCursorDefault : kWinCursorNone);
  for (size_t i = 0; i < g_runtimeRooms.size(); ++i) DestroyRuntimeRoom(static_cast<int32_t>(i));
  g_runtimeRooms.assign(static_cast<size_t>(Room_Count()), nullptr);
  int32_t first = Room_First();
  if (!Room_Exists(first)) {
    g_debugConsole->Output("The room order names no room to start the game in\n");
    return false;
  }
  if (!Run_StartRoom(first, true)) return false;
  MemoryManager::DumpTotal();
  g_debugConsole->Output("StartGame() - DONE\n");
  return true;
}

void Run_EndGame() {
  Debugger_Close();
  Run_EndRoom(true);
  for (size_t i = 0; i < g_runtimeRooms.size(); ++i) DestroyRuntimeRoom(static_cast<int32_t>(i));
  g_runtimeRooms.clear();
  g_currentRoom = nullptr;
  g_currentRoomIndex = -1;
  // The default cursor comes back once the extensions' finalisers succeed.
  if (Extension_RunFinal()) Win_SetCursor(kWinCursorDefault);
}

CRoom* RoomChange_RuntimeRoom(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= g_runtimeRooms.size()) return nullptr;
  return g_runtimeRooms[static_cast<size_t>(index)];
}

int32_t RoomChange_RuntimeRoomCount() { return static_cast<int32_t>(g_runtimeRooms.size()); }

void RoomChange_InstallRooms(const std::vector<CRoom*>& rooms, int32_t current) {
  for (size_t i = 0; i < g_runtimeRooms.size(); ++i) DestroyRuntimeRoom(static_cast<int32_t>(i));
  g_runtimeRooms = rooms;
  g_currentRoomIndex = current;
  g_currentRoom = RoomChange_RuntimeRoom(current);
  if (g_currentRoom == nullptr) return;
  // Ids already taken by an earlier instance of the list keep it.
  for (InstanceList* list : {&g_currentRoom->active, &g_currentRoom->deactivated}) {
    for (CInstance* instance = list->head; instance != nullptr; instance = instance->next) {
      if (Instance_Find(instance->id) == nullptr) Instance_EnterIdMap(instance);
    }
  }
  if (g_windowSizer != nullptr) g_windowSizer();
}

int32_t RoomChange_CarryCount() { return g_carry.count; }
int32_t RoomChange_CarryCapacity() { return g_carry.capacity; }
void RoomChange_SetRoomStartDraw(void (*draw)()) { g_roomStartDraw = draw; }
void RoomChange_SetWindowSizer(void (*sizer)()) { g_windowSizer = sizer; }
void RoomChange_Shutdown() { ResetCarry(0); }
