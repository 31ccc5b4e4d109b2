// Puts real instances behind the script layer's seams.
#pragma once

class CInstance;

// Installs the event-world and variable-world seams over instances, gives
// the id map its deleter and makes constants run with a real temporary
// instance at (0, 0).
void InstanceSeams_Install();
// The room's active list starts where this says (null: no room); the walk
// follows each instance's next link. Installed by the rooms.
void InstanceSeams_SetRoomHead(CInstance* (*head)());
