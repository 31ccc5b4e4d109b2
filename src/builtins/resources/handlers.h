// The resource family's handlers: they query and change the game's
// resources while it runs.
#pragma once

#include "builtins/builtin_args.h"

// Objects and rooms.
KV_BUILTIN(F_ObjectExists);
KV_BUILTIN(F_ObjectName);
KV_BUILTIN(F_ObjectGetSprite);
KV_BUILTIN(F_ObjectGetSolid);
KV_BUILTIN(F_ObjectGetVisible);
KV_BUILTIN(F_ObjectGetDepth);
KV_BUILTIN(F_ObjectGetPersistent);
KV_BUILTIN(F_ObjectGetMask);
KV_BUILTIN(F_ObjectGetParent);
KV_BUILTIN(F_ObjectIsAncestor);
KV_BUILTIN(F_ObjectSetSprite);
KV_BUILTIN(F_ObjectSetSolid);
KV_BUILTIN(F_ObjectSetVisible);
KV_BUILTIN(F_ObjectSetDepth);
KV_BUILTIN(F_ObjectSetPersistent);
KV_BUILTIN(F_ObjectSetMask);
KV_BUILTIN(F_ObjectSetParent);
KV_BUILTIN(F_ObjectAdd);
KV_BUILTIN(F_ObjectDelete);
KV_BUILTIN(F_ObjectEventClear);
KV_BUILTIN(F_ObjectEventAdd);
KV_BUILTIN(F_RoomExists);
KV_BUILTIN(F_RoomName);
KV_BUILTIN(F_RoomSetWidth);
KV_BUILTIN(F_RoomSetHeight);
KV_BUILTIN(F_RoomSetCaption);
KV_BUILTIN(F_RoomSetPersistent);
KV_BUILTIN(F_RoomSetCode);
KV_BUILTIN(F_RoomSetBackgroundColor);
KV_BUILTIN(F_RoomSetBackground);
KV_BUILTIN(F_RoomSetView);
KV_BUILTIN(F_RoomSetViewEnabled);
KV_BUILTIN(F_RoomAdd);
KV_BUILTIN(F_RoomDuplicate);
KV_BUILTIN(F_RoomAssign);
KV_BUILTIN(F_RoomInstanceAdd);
KV_BUILTIN(F_RoomInstanceClear);
KV_BUILTIN(F_RoomTileAdd);
KV_BUILTIN(F_RoomTileAddExt);
KV_BUILTIN(F_RoomTileClear);
