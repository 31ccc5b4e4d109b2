// The drag-and-drop actions' handlers, declared in one place so that the
// family's row table can list them. Several actions are the same as a
// built-in of another family and list that family's handler instead.
#pragma once

#include "builtins/builtin_args.h"

// The actions that do nothing here.
void F_ActionNothing(KV_BUILTIN_PARAMS);

// Motion.
void F_ActionSetSprite(KV_BUILTIN_PARAMS);
void F_ActionMove(KV_BUILTIN_PARAMS);
void F_ActionSetMotion(KV_BUILTIN_PARAMS);
void F_ActionSetHSpeed(KV_BUILTIN_PARAMS);
void F_ActionSetVSpeed(KV_BUILTIN_PARAMS);
void F_ActionSetGravity(KV_BUILTIN_PARAMS);
void F_ActionSetFriction(KV_BUILTIN_PARAMS);
void F_ActionMovePoint(KV_BUILTIN_PARAMS);
void F_ActionMoveTo(KV_BUILTIN_PARAMS);
void F_ActionMoveStart(KV_BUILTIN_PARAMS);
void F_ActionMoveRandom(KV_BUILTIN_PARAMS);
void F_ActionWrap(KV_BUILTIN_PARAMS);
void F_ActionReverseXDir(KV_BUILTIN_PARAMS);
void F_ActionReverseYDir(KV_BUILTIN_PARAMS);
void F_ActionMoveContact(KV_BUILTIN_PARAMS);
void F_ActionBounce(KV_BUILTIN_PARAMS);
void F_ActionPathPosition(KV_BUILTIN_PARAMS);
void F_ActionPathSpeed(KV_BUILTIN_PARAMS);
void F_ActionLinearStep(KV_BUILTIN_PARAMS);
void F_ActionPotentialStep(KV_BUILTIN_PARAMS);

// Instances.
void F_ActionCreateObject(KV_BUILTIN_PARAMS);
void F_ActionCreateObjectMotion(KV_BUILTIN_PARAMS);
void F_ActionCreateObjectRandom(KV_BUILTIN_PARAMS);
void F_ActionChangeObject(KV_BUILTIN_PARAMS);
void F_ActionKillObject(KV_BUILTIN_PARAMS);
void F_ActionKillPosition(KV_BUILTIN_PARAMS);
void F_ActionSpriteSet(KV_BUILTIN_PARAMS);
void F_ActionSpriteTransform(KV_BUILTIN_PARAMS);
void F_ActionSpriteColor(KV_BUILTIN_PARAMS);

// Sound.
void F_ActionSound(KV_BUILTIN_PARAMS);
void F_ActionEndSound(KV_BUILTIN_PARAMS);
void F_ActionIfSound(KV_BUILTIN_PARAMS);

// Rooms and the game.
void F_ActionPreviousRoom(KV_BUILTIN_PARAMS);
void F_ActionNextRoom(KV_BUILTIN_PARAMS);
void F_ActionCurrentRoom(KV_BUILTIN_PARAMS);
void F_ActionAnotherRoom(KV_BUILTIN_PARAMS);
void F_ActionIfPreviousRoom(KV_BUILTIN_PARAMS);
void F_ActionIfNextRoom(KV_BUILTIN_PARAMS);
void F_ActionEndGame(KV_BUILTIN_PARAMS);
void F_ActionRestartGame(KV_BUILTIN_PARAMS);
void F_ActionLoadGame(KV_BUILTIN_PARAMS);

// Timing and time lines.
void F_ActionSetAlarm(KV_BUILTIN_PARAMS);
void F_ActionSleep(KV_BUILTIN_PARAMS);
void F_ActionSetTimeline(KV_BUILTIN_PARAMS);
void F_ActionSetTimelinePosition(KV_BUILTIN_PARAMS);
void F_ActionSetTimelineSpeed(KV_BUILTIN_PARAMS);
void F_ActionTimelineSet(KV_BUILTIN_PARAMS);
void F_ActionTimelineStart(KV_BUILTIN_PARAMS);
void F_ActionTimelinePause(KV_BUILTIN_PARAMS);
void F_ActionTimelineStop(KV_BUILTIN_PARAMS);

// Information and resources.
void F_ActionMessage(KV_BUILTIN_PARAMS);
void F_ActionShowInfo(KV_BUILTIN_PARAMS);
void F_ActionShowVideo(KV_BUILTIN_PARAMS);
void F_ActionWebpage(KV_BUILTIN_PARAMS);
void F_ActionReplaceSprite(KV_BUILTIN_PARAMS);
void F_ActionReplaceSound(KV_BUILTIN_PARAMS);
void F_ActionReplaceBackground(KV_BUILTIN_PARAMS);

// Questions.
void F_ActionIfEmpty(KV_BUILTIN_PARAMS);
void F_ActionIfCollision(KV_BUILTIN_PARAMS);
void F_ActionIf(KV_BUILTIN_PARAMS);
void F_ActionIfNumber(KV_BUILTIN_PARAMS);
void F_ActionIfObject(KV_BUILTIN_PARAMS);
void F_ActionIfQuestion(KV_BUILTIN_PARAMS);
void F_ActionIfDice(KV_BUILTIN_PARAMS);
void F_ActionIfMouse(KV_BUILTIN_PARAMS);

// Code, variables, score, lives and health.
void F_ActionExecuteScript(KV_BUILTIN_PARAMS);
void F_ActionIfVariable(KV_BUILTIN_PARAMS);
void F_ActionDrawVariable(KV_BUILTIN_PARAMS);
void F_ActionSetScore(KV_BUILTIN_PARAMS);
void F_ActionIfScore(KV_BUILTIN_PARAMS);
void F_ActionIfLife(KV_BUILTIN_PARAMS);
void F_ActionIfHealth(KV_BUILTIN_PARAMS);
void F_ActionDrawScore(KV_BUILTIN_PARAMS);
void F_ActionDrawLife(KV_BUILTIN_PARAMS);
void F_ActionHighscoreShow(KV_BUILTIN_PARAMS);
void F_ActionHighscoreClear(KV_BUILTIN_PARAMS);
void F_ActionSetLife(KV_BUILTIN_PARAMS);
void F_ActionDrawLifeImages(KV_BUILTIN_PARAMS);
void F_ActionSetHealth(KV_BUILTIN_PARAMS);
void F_ActionDrawHealth(KV_BUILTIN_PARAMS);
void F_ActionSetCaption(KV_BUILTIN_PARAMS);

// The action particle system.
void F_ActionPartsystCreate(KV_BUILTIN_PARAMS);
void F_ActionPartsystDestroy(KV_BUILTIN_PARAMS);
void F_ActionPartsystClear(KV_BUILTIN_PARAMS);
void F_ActionParttypeCreateOld(KV_BUILTIN_PARAMS);
void F_ActionParttypeCreate(KV_BUILTIN_PARAMS);
void F_ActionParttypeColor(KV_BUILTIN_PARAMS);
void F_ActionParttypeLife(KV_BUILTIN_PARAMS);
void F_ActionParttypeSpeed(KV_BUILTIN_PARAMS);
void F_ActionParttypeGravity(KV_BUILTIN_PARAMS);
void F_ActionParttypeSecondary(KV_BUILTIN_PARAMS);
void F_ActionPartemitCreate(KV_BUILTIN_PARAMS);
void F_ActionPartemitDestroy(KV_BUILTIN_PARAMS);
void F_ActionPartemitBurst(KV_BUILTIN_PARAMS);
void F_ActionPartemitStream(KV_BUILTIN_PARAMS);

// Drawing and the rest.
void F_ActionSetCursor(KV_BUILTIN_PARAMS);
void F_ActionDrawSprite(KV_BUILTIN_PARAMS);
void F_ActionDrawBackground(KV_BUILTIN_PARAMS);
void F_ActionDrawText(KV_BUILTIN_PARAMS);
void F_ActionDrawTextTransformed(KV_BUILTIN_PARAMS);
void F_ActionDrawRectangle(KV_BUILTIN_PARAMS);
void F_ActionDrawEllipse(KV_BUILTIN_PARAMS);
void F_ActionDrawGradientHor(KV_BUILTIN_PARAMS);
void F_ActionDrawGradientVert(KV_BUILTIN_PARAMS);
void F_ActionDrawEllipseGradient(KV_BUILTIN_PARAMS);
void F_ActionDrawLine(KV_BUILTIN_PARAMS);
void F_ActionDrawArrow(KV_BUILTIN_PARAMS);
void F_ActionColor(KV_BUILTIN_PARAMS);
void F_ActionFont(KV_BUILTIN_PARAMS);
void F_ActionFullscreen(KV_BUILTIN_PARAMS);
void F_ActionEffect(KV_BUILTIN_PARAMS);
void F_ActionSetRelative(KV_BUILTIN_PARAMS);

// Empties the action particle system's slots; before registration.
void ActionBuiltins_Prepare();
