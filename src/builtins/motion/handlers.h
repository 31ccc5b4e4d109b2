// The motion family's handlers, declared in one place so that its row table
// can list them.
#pragma once

#include "builtins/motion/support.h"

// Placement and motion.
GAME_BUILTIN(F_MoveRandom);
GAME_BUILTIN(F_PlaceFree);
GAME_BUILTIN(F_PlaceEmpty);
GAME_BUILTIN(F_PlaceMeeting);
GAME_BUILTIN(F_PlaceSnapped);
GAME_BUILTIN(F_MoveSnap);
GAME_BUILTIN(F_MoveTowardsPoint);
GAME_BUILTIN(F_MoveContact);
GAME_BUILTIN(F_MoveContactSolid);
GAME_BUILTIN(F_MoveContactAll);
GAME_BUILTIN(F_MoveOutsideSolid);
GAME_BUILTIN(F_MoveOutsideAll);
GAME_BUILTIN(F_MoveBounce);
GAME_BUILTIN(F_MoveBounceAll);
GAME_BUILTIN(F_MoveWrap);
GAME_BUILTIN(F_MotionSet);
GAME_BUILTIN(F_MotionAdd);
GAME_BUILTIN(F_DistanceToPoint);
GAME_BUILTIN(F_DistanceToObject);
GAME_BUILTIN(F_PathStart);
GAME_BUILTIN(F_PathEnd);

// Motion planning.
GAME_BUILTIN(F_MpLinearStep);
GAME_BUILTIN(F_MpLinearStepObject);
GAME_BUILTIN(F_MpLinearPath);
GAME_BUILTIN(F_MpLinearPathObject);
GAME_BUILTIN(F_MpPotentialSettings);
GAME_BUILTIN(F_MpPotentialStep);
GAME_BUILTIN(F_MpPotentialStepObject);
GAME_BUILTIN(F_MpPotentialPath);
GAME_BUILTIN(F_MpPotentialPathObject);
GAME_BUILTIN(F_MpGridCreate);
GAME_BUILTIN(F_MpGridDestroy);
GAME_BUILTIN(F_MpGridClearAll);
GAME_BUILTIN(F_MpGridClearCell);
GAME_BUILTIN(F_MpGridClearRectangle);
GAME_BUILTIN(F_MpGridAddCell);
GAME_BUILTIN(F_MpGridAddRectangle);
GAME_BUILTIN(F_MpGridAddInstances);
GAME_BUILTIN(F_MpGridPath);
GAME_BUILTIN(F_MpGridDraw);

// Collision.
GAME_BUILTIN(F_CollisionPoint);
GAME_BUILTIN(F_CollisionRectangle);
GAME_BUILTIN(F_CollisionEllipse);
GAME_BUILTIN(F_CollisionCircle);
GAME_BUILTIN(F_CollisionLine);

// Instances.
GAME_BUILTIN(F_InstanceFind);
GAME_BUILTIN(F_InstanceExists);
GAME_BUILTIN(F_InstanceNumber);
GAME_BUILTIN(F_InstancePosition);
GAME_BUILTIN(F_InstanceNearest);
GAME_BUILTIN(F_InstanceFurthest);
GAME_BUILTIN(F_InstancePlace);
GAME_BUILTIN(F_InstanceCreate);
GAME_BUILTIN(F_InstanceCopy);
GAME_BUILTIN(F_InstanceChange);
GAME_BUILTIN(F_InstanceDestroy);
GAME_BUILTIN(F_InstanceSprite);
GAME_BUILTIN(F_PositionEmpty);
GAME_BUILTIN(F_PositionMeeting);
GAME_BUILTIN(F_PositionDestroy);
GAME_BUILTIN(F_PositionChange);
GAME_BUILTIN(F_InstanceDeactivateAll);
GAME_BUILTIN(F_InstanceDeactivateObject);
GAME_BUILTIN(F_InstanceDeactivateRegion);
GAME_BUILTIN(F_InstanceActivateAll);
GAME_BUILTIN(F_InstanceActivateObject);
GAME_BUILTIN(F_InstanceActivateRegion);

// Rooms and game.
GAME_BUILTIN(F_RoomGoto);
GAME_BUILTIN(F_RoomGotoPrevious);
GAME_BUILTIN(F_RoomGotoNext);
GAME_BUILTIN(F_RoomPrevious);
GAME_BUILTIN(F_RoomNext);
GAME_BUILTIN(F_RoomRestart);
GAME_BUILTIN(F_GameEnd);
GAME_BUILTIN(F_GameRestart);
GAME_BUILTIN(F_GameLoad);
GAME_BUILTIN(F_GameSave);
GAME_BUILTIN(F_TransitionDefine);
GAME_BUILTIN(F_TransitionExists);
GAME_BUILTIN(F_Sleep);
