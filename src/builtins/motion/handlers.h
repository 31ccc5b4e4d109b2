// The motion family's handlers, declared in one place so that its row table
// can list them.
#pragma once

#include "builtins/motion/support.h"

// Placement and motion.
KV_BUILTIN(F_MoveRandom);
KV_BUILTIN(F_PlaceFree);
KV_BUILTIN(F_PlaceEmpty);
KV_BUILTIN(F_PlaceMeeting);
KV_BUILTIN(F_PlaceSnapped);
KV_BUILTIN(F_MoveSnap);
KV_BUILTIN(F_MoveTowardsPoint);
KV_BUILTIN(F_MoveContact);
KV_BUILTIN(F_MoveContactSolid);
KV_BUILTIN(F_MoveContactAll);
KV_BUILTIN(F_MoveOutsideSolid);
KV_BUILTIN(F_MoveOutsideAll);
KV_BUILTIN(F_MoveBounce);
KV_BUILTIN(F_MoveBounceAll);
KV_BUILTIN(F_MoveWrap);
KV_BUILTIN(F_MotionSet);
KV_BUILTIN(F_MotionAdd);
KV_BUILTIN(F_DistanceToPoint);
KV_BUILTIN(F_DistanceToObject);
KV_BUILTIN(F_PathStart);
KV_BUILTIN(F_PathEnd);

// Motion planning.
KV_BUILTIN(F_MpLinearStep);
KV_BUILTIN(F_MpLinearStepObject);
KV_BUILTIN(F_MpLinearPath);
KV_BUILTIN(F_MpLinearPathObject);
KV_BUILTIN(F_MpPotentialSettings);
KV_BUILTIN(F_MpPotentialStep);
KV_BUILTIN(F_MpPotentialStepObject);
KV_BUILTIN(F_MpPotentialPath);
KV_BUILTIN(F_MpPotentialPathObject);
KV_BUILTIN(F_MpGridCreate);
KV_BUILTIN(F_MpGridDestroy);
KV_BUILTIN(F_MpGridClearAll);
KV_BUILTIN(F_MpGridClearCell);
KV_BUILTIN(F_MpGridClearRectangle);
KV_BUILTIN(F_MpGridAddCell);
KV_BUILTIN(F_MpGridAddRectangle);
KV_BUILTIN(F_MpGridAddInstances);
KV_BUILTIN(F_MpGridPath);
KV_BUILTIN(F_MpGridDraw);

// Collision.
KV_BUILTIN(F_CollisionPoint);
KV_BUILTIN(F_CollisionRectangle);
KV_BUILTIN(F_CollisionEllipse);
KV_BUILTIN(F_CollisionCircle);
KV_BUILTIN(F_CollisionLine);

// Instances.
KV_BUILTIN(F_InstanceFind);
KV_BUILTIN(F_InstanceExists);
KV_BUILTIN(F_InstanceNumber);
KV_BUILTIN(F_InstancePosition);
KV_BUILTIN(F_InstanceNearest);
KV_BUILTIN(F_InstanceFurthest);
KV_BUILTIN(F_InstancePlace);
KV_BUILTIN(F_InstanceCreate);
KV_BUILTIN(F_InstanceCopy);
KV_BUILTIN(F_InstanceChange);
KV_BUILTIN(F_InstanceDestroy);
KV_BUILTIN(F_InstanceSprite);
KV_BUILTIN(F_PositionEmpty);
KV_BUILTIN(F_PositionMeeting);
KV_BUILTIN(F_PositionDestroy);
KV_BUILTIN(F_PositionChange);
KV_BUILTIN(F_InstanceDeactivateAll);
KV_BUILTIN(F_InstanceDeactivateObject);
KV_BUILTIN(F_InstanceDeactivateRegion);
KV_BUILTIN(F_InstanceActivateAll);
KV_BUILTIN(F_InstanceActivateObject);
KV_BUILTIN(F_InstanceActivateRegion);

// Rooms and game.
KV_BUILTIN(F_RoomGoto);
KV_BUILTIN(F_RoomGotoPrevious);
KV_BUILTIN(F_RoomGotoNext);
KV_BUILTIN(F_RoomPrevious);
KV_BUILTIN(F_RoomNext);
KV_BUILTIN(F_RoomRestart);
KV_BUILTIN(F_GameEnd);
KV_BUILTIN(F_GameRestart);
KV_BUILTIN(F_GameLoad);
KV_BUILTIN(F_GameSave);
KV_BUILTIN(F_TransitionDefine);
KV_BUILTIN(F_TransitionExists);
KV_BUILTIN(F_Sleep);
