#include "world/room/room.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "physics/physics_world.h"
#include "resources/background.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"
#include "script/compiler/code.h"
#include "script/compiler/code_table.h"
#include "world/instance/instance.h"
#include "world/room/physics_binding.h"
#include "world/room/room_store.h"

namespace {

char* CopyOrNull(const char* text) {
  if (text == nullptr) return nullptr;
  size_t length = std::strlen(text);
  auto* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, text, length + 1);
  return copy;
}

void FreeText(char** text) {
  if (*text != nullptr) MemoryManager::Free(*text);
  *text = nullptr;
}

std::shared_ptr<CCode> MakeCode(const RoomCodeRef& ref, bool compiledCode) {
  if (compiledCode) {
    return ref.codeIndex >= 0 ? std::make_shared<CCode>(ref.codeIndex, false) : nullptr;
  }
  return ref.text != nullptr && ref.text[0] != '\0' ? std::make_shared<CCode>(ref.text, false) : nullptr;
}

float AlphaOf(uint32_t colour) { return static_cast<float>(colour >> 24) / 255.0f; }

CRoomBackground BackgroundFrom(const RoomBackgroundEntry& e, int32_t roomWidth, int32_t roomHeight) {
  CRoomBackground b;
  b.visible = static_cast<uint8_t>(e.visible != 0);
  b.foreground = static_cast<uint8_t>(e.foreground != 0);
  b.index = e.background;
  b.x = static_cast<float>(e.x);
  b.y = static_cast<float>(e.y);
  b.tileHorizontal = static_cast<uint8_t>(e.tileHorizontal != 0);
  b.tileVertical = static_cast<uint8_t>(e.tileVertical != 0);
  b.hspeed = static_cast<float>(e.hspeed);
  b.vspeed = static_cast<float>(e.vspeed);
  const CBackground* source = Background_Get(e.background);
  if (e.stretch != 0 && source != nullptr) {
    if (source->GetWidth() > 0) b.xscale = static_cast<float>(roomWidth) / static_cast<float>(source->GetWidth());
    if (source->GetHeight() > 0) {
      b.yscale = static_cast<float>(roomHeight) / static_cast<float>(source->GetHeight());
    }
  }
  return b;
}

CView ViewFrom(const RoomViewEntry& e) {
  CView v;
  v.visible = static_cast<uint8_t>(e.visible != 0);
  v.viewX = e.viewX;
  v.viewY = e.viewY;
  v.viewWidth = e.viewWidth;
  v.viewHeight = e.viewHeight;
  v.portX = e.portX;
  v.portY = e.portY;
  v.portWidth = e.portWidth;
  v.portHeight = e.portHeight;
  v.borderHorizontal = e.borderHorizontal;
  v.borderVertical = e.borderVertical;
  v.hspeed = e.hspeed;
  v.vspeed = e.vspeed;
  v.followedObject = e.followedObject;
  return v;
}

}  // namespace

CRoom::CRoom() = default;

CRoom::~CRoom() {
  // The world lets go of its bodies first, so the instances find none.
  delete physicsWorld;
  physicsWorld = nullptr;
  FreeText(&caption);
  FreeText(&codeText);
  FreeText(&name);
  FreeInstances(&active);
  FreeInstances(&deactivated);
  if (tiles != nullptr) MemoryManager::Free(tiles);
}

void CRoom::FreeInstances(InstanceList* list) {
  CInstance* instance = list->head;
  while (instance != nullptr) {
    CInstance* next = instance->next;
    Instance_LeaveIdMap(instance);
    delete instance;
    instance = next;
  }
  *list = InstanceList();
  creationCodes_.clear();
}

void CRoom::LoadFromChunk(std::shared_ptr<RoomRecord> source) {
  record = std::move(source);
  const RoomRecord& r = *record;
  name = CopyOrNull(r.name != nullptr ? r.name : "");
  caption = CopyOrNull(r.caption != nullptr ? r.caption : "");
  width = r.width;
  height = r.height;
  speed = r.speed;
  persistent = r.persistent;
  colour = r.colour;
  showColour = r.showColour;
  code = MakeCode(r.codeRef, g_hasBytecode);
  if (!g_hasBytecode) codeText = CopyOrNull(r.codeRef.text);
  viewsEnabled = r.viewsEnabled;
  physicsEnabled = r.physicsEnabled;
  physicsTop = r.physicsTop;
  physicsLeft = r.physicsLeft;
  physicsRight = r.physicsRight;
  physicsBottom = r.physicsBottom;
  gravityX = Num_TruncInt32(static_cast<double>(r.gravityX));
  gravityY = Num_TruncInt32(static_cast<double>(r.gravityY));
  pixelsPerMetre = r.pixelsPerMetre;
  if (physicsEnabled) {
    physicsWorld = new CPhysicsWorld(pixelsPerMetre, speed);
    physicsWorld->SetGravity(static_cast<float>(gravityX), static_cast<float>(gravityY));
  }
  for (size_t i = 0; i < r.backgrounds.size() && i < kRoomLayers; ++i) {
    backgrounds[i] = BackgroundFrom(r.backgrounds[i], width, height);
  }
  for (size_t i = 0; i < r.views.size() && i < kRoomLayers; ++i) views[i] = ViewFrom(r.views[i]);
  MakeInstanceCodes();
}

void CRoom::MakeInstanceCodes() {
  for (RoomInstanceEntry& entry : record->instances) entry.code = MakeCode(entry.codeRef, g_hasBytecode);
}

void CRoom::AssignSettings(const CRoom* source) {
  FreeText(&caption);
  FreeText(&codeText);
  caption = CopyOrNull(source->caption);
  codeText = CopyOrNull(source->codeText);
  code = source->code;
  speed = source->speed;
  width = source->width;
  height = source->height;
  persistent = source->persistent;
  colour = source->colour;
  showColour = source->showColour;
  viewsEnabled = source->viewsEnabled;
  physicsEnabled = source->physicsEnabled;
  physicsTop = source->physicsTop;
  physicsLeft = source->physicsLeft;
  physicsRight = source->physicsRight;
  physicsBottom = source->physicsBottom;
  gravityX = source->gravityX;
  gravityY = source->gravityY;
  pixelsPerMetre = source->pixelsPerMetre;
  delete physicsWorld;
  physicsWorld = nullptr;
  if (source->physicsWorld != nullptr) physicsWorld = CPhysicsWorld::WithSettingsOf(*source->physicsWorld).release();
  for (int32_t i = 0; i < kRoomLayers; ++i) {
    backgrounds[i] = source->backgrounds[i];
    views[i] = source->views[i];
  }
  record = source->record;
}

void CRoom::Assign(const CRoom* source, bool withInstances) {
  AssignSettings(source);
  if (withInstances) {
    CreateRecordInstances();
    CreateRecordTiles();
    return;
  }
  // A template copy owns its definition from the start; its instances and
  // tiles are made when it is entered.
  if (record != nullptr) record = std::make_shared<RoomRecord>(*record);
}

RoomRecord& CRoom::OwnRecord() {
  // A runtime copy of this room may still share the definition (and run
  // creation codes it holds): it keeps the old one.
  if (record == nullptr) {
    record = RoomRecord_New();
  } else if (record.use_count() > 1) {
    record = std::make_shared<RoomRecord>(*record);
  }
  return *record;
}

void CRoom::SetCaption(const char* text) {
  FreeText(&caption);
  caption = CopyOrNull(text);
}

void CRoom::CreateRecordInstances() {
  if (record == nullptr) return;
  for (const RoomInstanceEntry& entry : record->instances) {
    auto* instance =
        new CInstance(static_cast<float>(entry.x), static_cast<float>(entry.y), entry.id, entry.object, true);
    instance->image_xscale = entry.xscale;
    instance->image_yscale = entry.yscale;
    instance->image_blend = static_cast<int32_t>(entry.colour & 0xFFFFFF);
    instance->image_alpha = AlphaOf(entry.colour);
    instance->image_angle = entry.angle;
    Instance_CreatePhysicsFixture(instance, this);
    InstanceList_InsertByDepth(&active, instance);
    Instance_EnterIdMap(instance);
    if (entry.code != nullptr) creationCodes_[instance] = entry.code.get();
  }
}

void CRoom::CreateRecordTiles() {
  if (record == nullptr) return;
  tileCount = 0;
  for (const RoomTileEntry& entry : record->tiles) {
    CTile tile;
    tile.x = entry.x;
    tile.y = entry.y;
    tile.background = entry.background;
    tile.left = entry.left;
    tile.top = entry.top;
    tile.width = entry.width;
    tile.height = entry.height;
    tile.depth = entry.depth;
    tile.xscale = entry.xscale;
    tile.yscale = entry.yscale;
    tile.blend = entry.blend;
    tile.alpha = entry.alpha;
    tile.visible = 1;
    // The file's ids stay, as the instances' do, and take nothing from the
    // counter: the header's last id already lies beyond them.
    tile.id = entry.id;
    AppendTile(tile);
  }
}

CInstance* CRoom::AddInstance(float x, float y, int32_t objectIndex) {
  auto* instance = new CInstance(x, y, ++g_lastInstanceId, objectIndex, true);
  Instance_CreatePhysicsFixture(instance, this);
  InstanceList_InsertByDepth(&active, instance);
  Instance_EnterIdMap(instance);
  return instance;
}

void CRoom::RemoveInstance(CInstance* instance) {
  Instance_LeaveIdMap(instance);
  creationCodes_.erase(instance);
  // A deactivated instance is freed too: once unlinked nothing holds it.
  // The list is the one that holds it, whatever its byte says (a copy of a
  // deactivated instance stays active until activation is next applied).
  InstanceList_Unlink(DepthOrder_Holds(deactivated.order, instance) ? &deactivated : &active, instance);
  delete instance;
}

void CRoom::RemoveMarked() {
  CInstance* instance = active.head;
  while (instance != nullptr) {
    CInstance* next = instance->next;
    if (instance->markedForDeletion != 0) RemoveInstance(instance);
    instance = next;
  }
}

namespace {

// The instances in list order.
void SortByPlace(std::vector<CInstance*>* instances) {
  std::sort(instances->begin(), instances->end(), DepthOrder_Precedes);
}

}  // namespace

// Only queued instances can disagree with their list. Those waking go in
// the order of the deactivated list, each to its place by depth; then those
// going to sleep, in the order of the active list, to the deactivated
// list's end. Another room's instances wait for their room's turn.
void CRoom::ApplyActivation() {
  std::vector<CInstance*> queued, waking, sleeping;
  Instance_TakeActivationQueue(&queued);
  for (CInstance* instance : queued) {
    const CInstance* root = DepthOrder_Root(instance);
    if (root == deactivated.order.root) {
      if (instance->deactivated == 0) waking.push_back(instance);
    } else if (root == active.order.root) {
      if (instance->deactivated != 0) sleeping.push_back(instance);
    } else {
      Instance_QueueActivation(instance);
    }
  }
  SortByPlace(&waking);
  for (CInstance* instance : waking) {
    InstanceList_Unlink(&deactivated, instance);
    InstanceList_InsertByDepth(&active, instance);
    Instance_LinkObject(instance);
  }
  SortByPlace(&sleeping);
  for (CInstance* instance : sleeping) {
    InstanceList_Unlink(&active, instance);
    InstanceList_Append(&deactivated, instance);
    Instance_UnlinkObject(instance);
  }
}

void CRoom::ScrollBackgrounds() {
  for (CRoomBackground& b : backgrounds) {
    b.x += b.hspeed;
    b.y += b.vspeed;
  }
}

CCode* CRoom::CreationCodeOf(CInstance* instance) const {
  auto found = creationCodes_.find(instance);
  return found == creationCodes_.end() ? nullptr : found->second;
}
