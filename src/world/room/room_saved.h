// A runtime room in a saved game: its settings, eight background layers and
// eight views, the active and deactivated instances and the tiles. The
// reading side stages a whole room before anything in the world changes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "world/room/room.h"

class CStream;
class CheckedStreamReader;
struct InstanceRecord;

struct SavedRoom {
  SavedRoom();
  ~SavedRoom();
  SavedRoom(const SavedRoom&) = delete;
  SavedRoom& operator=(const SavedRoom&) = delete;

  std::string caption;
  std::string codeText;
  int32_t width = 0, height = 0, speed = 0;
  bool persistent = false;
  int32_t colour = 0;
  bool showColour = false;
  CRoomBackground backgrounds[kRoomLayers];
  bool viewsEnabled = false;
  CView views[kRoomLayers];
  std::vector<std::unique_ptr<InstanceRecord>> active;
  std::vector<std::unique_ptr<InstanceRecord>> deactivated;
  std::vector<CTile> tiles;
};

void RoomSaved_Write(CStream& stream, CRoom& room);
// Null when the record read whole, else what was wrong with it.
const char* RoomSaved_Parse(CheckedStreamReader& in, CStream& stream, SavedRoom* out);
// A new room holding the staged one; its instances are linked to their
// objects only when `current` (the room being played), as a suspended room's
// are not. Nothing enters the id map here. Empties the stage.
CRoom* RoomSaved_Make(SavedRoom& saved, bool current);
