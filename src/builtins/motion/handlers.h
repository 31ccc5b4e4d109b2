// The motion family's handlers, declared in one place so that its row table
// can list them.
#pragma once

#include "builtins/motion/support.h"

// Placement and motion.
void F_MoveRandom(KV_BUILTIN_PARAMS);
void F_PlaceFree(KV_BUILTIN_PARAMS);
void F_PlaceEmpty(KV_BUILTIN_PARAMS);
void F_PlaceMeeting(KV_BUILTIN_PARAMS);
void F_PlaceSnapped(KV_BUILTIN_PARAMS);
void F_MoveSnap(KV_BUILTIN_PARAMS);
void F_MoveTowardsPoint(KV_BUILTIN_PARAMS);
void F_MoveContact(KV_BUILTIN_PARAMS);
void F_MoveContactSolid(KV_BUILTIN_PARAMS);
void F_MoveContactAll(KV_BUILTIN_PARAMS);
void F_MoveOutsideSolid(KV_BUILTIN_PARAMS);
void F_MoveOutsideAll(KV_BUILTIN_PARAMS);
void F_MoveBounce(KV_BUILTIN_PARAMS);
void F_MoveBounceAll(KV_BUILTIN_PARAMS);
void F_MoveWrap(KV_BUILTIN_PARAMS);
void F_MotionSet(KV_BUILTIN_PARAMS);
void F_MotionAdd(KV_BUILTIN_PARAMS);
void F_DistanceToPoint(KV_BUILTIN_PARAMS);
void F_DistanceToObject(KV_BUILTIN_PARAMS);
void F_PathStart(KV_BUILTIN_PARAMS);
void F_PathEnd(KV_BUILTIN_PARAMS);

// Motion planning.
void F_MpLinearStep(KV_BUILTIN_PARAMS);
void F_MpLinearStepObject(KV_BUILTIN_PARAMS);
void F_MpLinearPath(KV_BUILTIN_PARAMS);
void F_MpLinearPathObject(KV_BUILTIN_PARAMS);
void F_MpPotentialSettings(KV_BUILTIN_PARAMS);
void F_MpPotentialStep(KV_BUILTIN_PARAMS);
void F_MpPotentialStepObject(KV_BUILTIN_PARAMS);
void F_MpPotentialPath(KV_BUILTIN_PARAMS);
void F_MpPotentialPathObject(KV_BUILTIN_PARAMS);
void F_MpGridCreate(KV_BUILTIN_PARAMS);
void F_MpGridDestroy(KV_BUILTIN_PARAMS);
void F_MpGridClearAll(KV_BUILTIN_PARAMS);
void F_MpGridClearCell(KV_BUILTIN_PARAMS);
void F_MpGridClearRectangle(KV_BUILTIN_PARAMS);
void F_MpGridAddCell(KV_BUILTIN_PARAMS);
void F_MpGridAddRectangle(KV_BUILTIN_PARAMS);
void F_MpGridAddInstances(KV_BUILTIN_PARAMS);
void F_MpGridPath(KV_BUILTIN_PARAMS);
void F_MpGridDraw(KV_BUILTIN_PARAMS);

// Collision.
void F_CollisionPoint(KV_BUILTIN_PARAMS);
void F_CollisionRectangle(KV_BUILTIN_PARAMS);
void F_CollisionEllipse(KV_BUILTIN_PARAMS);
void F_CollisionCircle(KV_BUILTIN_PARAMS);
void F_CollisionLine(KV_BUILTIN_PARAMS);

// Instances.
void F_InstanceFind(KV_BUILTIN_PARAMS);
void F_InstanceExists(KV_BUILTIN_PARAMS);
void F_InstanceNumber(KV_BUILTIN_PARAMS);
void F_InstancePosition(KV_BUILTIN_PARAMS);
void F_InstanceNearest(KV_BUILTIN_PARAMS);
void F_InstanceFurthest(KV_BUILTIN_PARAMS);
void F_InstancePlace(KV_BUILTIN_PARAMS);
void F_InstanceCreate(KV_BUILTIN_PARAMS);
void F_InstanceCopy(KV_BUILTIN_PARAMS);
void F_InstanceChange(KV_BUILTIN_PARAMS);
void F_InstanceDestroy(KV_BUILTIN_PARAMS);
void F_InstanceSprite(KV_BUILTIN_PARAMS);
void F_PositionEmpty(KV_BUILTIN_PARAMS);
void F_PositionMeeting(KV_BUILTIN_PARAMS);
void F_PositionDestroy(KV_BUILTIN_PARAMS);
void F_PositionChange(KV_BUILTIN_PARAMS);
void F_InstanceDeactivateAll(KV_BUILTIN_PARAMS);
void F_InstanceDeactivateObject(KV_BUILTIN_PARAMS);
void F_InstanceDeactivateRegion(KV_BUILTIN_PARAMS);
void F_InstanceActivateAll(KV_BUILTIN_PARAMS);
void F_InstanceActivateObject(KV_BUILTIN_PARAMS);
void F_InstanceActivateRegion(KV_BUILTIN_PARAMS);

// Rooms and game.
void F_RoomGoto(KV_BUILTIN_PARAMS);
void F_RoomGotoPrevious(KV_BUILTIN_PARAMS);
void F_RoomGotoNext(KV_BUILTIN_PARAMS);
void F_RoomPrevious(KV_BUILTIN_PARAMS);
void F_RoomNext(KV_BUILTIN_PARAMS);
void F_RoomRestart(KV_BUILTIN_PARAMS);
void F_GameEnd(KV_BUILTIN_PARAMS);
void F_GameRestart(KV_BUILTIN_PARAMS);
void F_GameLoad(KV_BUILTIN_PARAMS);
void F_GameSave(KV_BUILTIN_PARAMS);
void F_TransitionDefine(KV_BUILTIN_PARAMS);
void F_TransitionExists(KV_BUILTIN_PARAMS);
void F_Sleep(KV_BUILTIN_PARAMS);
