// Rooms: the stage of play. One class serves as the template read from the
// game file and as the runtime copy that is played. A room keeps its live
// instances in ascending depth (equal depths in insertion order), its
// deactivated instances, eight background layers, eight views and its tiles.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "world/room/depth_order.h"
#include "world/room/room_record.h"

class CCode;
class CInstance;
class CPhysicsWorld;

constexpr int32_t kRoomLayers = 8;

struct CRoomBackground {
  uint8_t visible = 0;
  uint8_t foreground = 0;
  int32_t index = -1;
  float x = 0.0f;
  float y = 0.0f;
  uint8_t tileHorizontal = 1;
  uint8_t tileVertical = 1;
  float hspeed = 0.0f;
  float vspeed = 0.0f;
  float xscale = 1.0f;
  float yscale = 1.0f;
  uint32_t blend = 0xFFFFFF;
  float alpha = 1.0f;
};

struct CView {
  uint8_t visible = 0;
  int32_t viewX = 0, viewY = 0, viewWidth = 640, viewHeight = 480;
  int32_t portX = 0, portY = 0, portWidth = 640, portHeight = 480;
  float angle = 0.0f;
  int32_t borderHorizontal = 32;
  int32_t borderVertical = 32;
  int32_t hspeed = -1;
  int32_t vspeed = -1;
  int32_t followedObject = -1;
  int32_t surface = -1;
};

struct CTile {
  float x = 0.0f;
  float y = 0.0f;
  int32_t background = -1;
  int32_t left = 0, top = 0, width = 0, height = 0;
  float depth = 0.0f;
  int32_t id = 0;
  float xscale = 1.0f;
  float yscale = 1.0f;
  uint32_t blend = 0xFFFFFF;
  float alpha = 1.0f;
  uint8_t visible = 1;
};

// A list of instances linked through their next/prev fields, with the
// search tree that finds a place by depth without walking the links.
struct InstanceList {
  CInstance* head = nullptr;
  CInstance* tail = nullptr;
  int32_t count = 0;
  DepthOrderTree order;
};

// Keeps the list in ascending depth: the instance goes before the first one
// of greater depth, so after those of equal depth already there.
void InstanceList_InsertByDepth(InstanceList* list, CInstance* instance);
void InstanceList_Append(InstanceList* list, CInstance* instance);
// Unlinks an instance that is in the list; clears its links.
void InstanceList_Unlink(InstanceList* list, CInstance* instance);
// The links and the search tree agree (for tests).
bool InstanceList_Check(const InstanceList& list);

// The live instance with this id, or null.
CInstance* Instance_Find(int32_t id);
// The id map holds each instance at most once, and leaving takes out only
// this very instance's entry: a colliding id never leaves a pointer to a
// deleted instance behind.
void Instance_EnterIdMap(CInstance* instance);
void Instance_LeaveIdMap(CInstance* instance);
// Joins or leaves its object's instance lists (its own and its ancestors').
void Instance_LinkObject(CInstance* instance);
void Instance_UnlinkObject(CInstance* instance);

class CRoom {
 public:
  CRoom();
  ~CRoom();
  CRoom(const CRoom&) = delete;
  CRoom& operator=(const CRoom&) = delete;

  // Fills a cleared room from a parsed record; the record is kept.
  void LoadFromChunk(std::shared_ptr<RoomRecord> record);
  // Becomes a copy of a template. With instances (a room being entered),
  // the record's instance entries become live instances and its tile
  // entries tiles, and the record is shared with the template; without (a
  // template copied into another), the record is copied.
  void Assign(const CRoom* source, bool withInstances);
  // The stored definition, for a change: copied first when another room
  // shares it, so that each template owns its own.
  RoomRecord& OwnRecord();
  void SetCaption(const char* text);

  CInstance* AddInstance(float x, float y, int32_t objectIndex);
  void RemoveInstance(CInstance* instance);
  void RemoveMarked();
  void ApplyActivation();
  void ScrollBackgrounds();

  // The creation code the instance was given by its room entry; null when
  // none or once its creation run is over.
  CCode* CreationCodeOf(CInstance* instance) const;
  void ForgetCreationCodes() { creationCodes_.clear(); }

  // Tiles. A new tile takes the next id of the shared counter.
  int32_t AddTile(const CTile& tile);
  int32_t FindTile(int32_t id);
  void DeleteTileAt(int32_t index);
  int32_t TileAtPoint(float x, float y, bool foreground) const;
  void DeleteTilesAtPoint(float x, float y, bool foreground);
  void LayerHide(float depth);
  void LayerShow(float depth);
  void LayerDelete(float depth);
  void LayerShift(float depth, float dx, float dy);
  int32_t LayerFind(float depth, float x, float y) const;
  void LayerDeleteAt(float depth, float x, float y);
  void LayerDepth(float depth, float newDepth);
  // Into descending depth, stable, only when some neighbours are out of order.
  void SortTiles();

  int32_t tileFindCache = -1;
  char* caption = nullptr;
  int32_t speed = 30;
  int32_t width = 640;
  int32_t height = 480;
  bool persistent = false;
  int32_t colour = 0xC0C0C0;
  bool showColour = true;
  CRoomBackground backgrounds[kRoomLayers];
  bool viewsEnabled = false;
  CView views[kRoomLayers];
  char* codeText = nullptr;
  std::shared_ptr<CCode> code;  // shared with the template it came from
  bool physicsEnabled = false;
  int32_t physicsTop = 0, physicsLeft = 0, physicsRight = 0, physicsBottom = 0;
  int32_t gravityX = 0;
  int32_t gravityY = 0;
  float pixelsPerMetre = 0.0f;  // the world scale: metres per pixel
  InstanceList active;
  InstanceList deactivated;
  std::shared_ptr<RoomRecord> record;
  CPhysicsWorld* physicsWorld = nullptr;
  int32_t tileCount = 0;
  int32_t tileCapacity = 0;
  CTile* tiles = nullptr;
  char* name = nullptr;

 private:
  void AssignSettings(const CRoom* source);
  void CreateRecordInstances();
  void CreateRecordTiles();
  // Appends the tile as it is, id included; returns its index.
  int32_t AppendTile(const CTile& tile);
  void FreeInstances(InstanceList* list);
  void MakeInstanceCodes();

  std::unordered_map<const CInstance*, CCode*> creationCodes_;
};
