// Puts real instances behind the script engine's host table.
#pragma once

class CInstance;
struct ScriptHost;

// Puts the event-world and variable-world tables over instances into the
// host table and makes constants run with a real temporary instance at
// (0, 0); gives the id map its deleter.
void InstanceSeams_AddTo(ScriptHost* host);
// The room's active list starts where this says (null: no room); the walk
// follows each instance's next link. Installed by the rooms.
void InstanceSeams_SetRoomHead(CInstance* (*head)());
