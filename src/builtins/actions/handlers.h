// The drag-and-drop actions' handlers, declared in one place so that the
// family's row table can list them. Several actions are the same as a
// built-in of another family and list that family's handler instead.
#pragma once

#include "builtins/builtin_args.h"

// The actions that do nothing here.
KV_BUILTIN(F_ActionNothing);

// Motion.
KV_BUILTIN(F_ActionSetSprite);
KV_BUILTIN(F_ActionMove);
KV_BUILTIN(F_ActionSetMotion);
KV_BUILTIN(F_ActionSetHSpeed);
KV_BUILTIN(F_ActionSetVSpeed);
KV_BUILTIN(F_ActionSetGravity);
KV_BUILTIN(F_ActionSetFriction);
KV_BUILTIN(F_ActionMovePoint);
KV_BUILTIN(F_ActionMoveTo);
KV_BUILTIN(F_ActionMoveStart);
KV_BUILTIN(F_ActionMoveRandom);
KV_BUILTIN(F_ActionWrap);
KV_BUILTIN(F_ActionReverseXDir);
KV_BUILTIN(F_ActionReverseYDir);
KV_BUILTIN(F_ActionMoveContact);
KV_BUILTIN(F_ActionBounce);
KV_BUILTIN(F_ActionPathPosition);
KV_BUILTIN(F_ActionPathSpeed);
KV_BUILTIN(F_ActionLinearStep);
KV_BUILTIN(F_ActionPotentialStep);

// Instances.
KV_BUILTIN(F_ActionCreateObject);
KV_BUILTIN(F_ActionCreateObjectMotion);
KV_BUILTIN(F_ActionCreateObjectRandom);
KV_BUILTIN(F_ActionChangeObject);
KV_BUILTIN(F_ActionKillObject);
KV_BUILTIN(F_ActionKillPosition);
KV_BUILTIN(F_ActionSpriteSet);
KV_BUILTIN(F_ActionSpriteTransform);
KV_BUILTIN(F_ActionSpriteColor);

// Sound.
KV_BUILTIN(F_ActionSound);
KV_BUILTIN(F_ActionEndSound);
KV_BUILTIN(F_ActionIfSound);

// Rooms and the game.
KV_BUILTIN(F_ActionPreviousRoom);
KV_BUILTIN(F_ActionNextRoom);
KV_BUILTIN(F_ActionCurrentRoom);
KV_BUILTIN(F_ActionAnotherRoom);
KV_BUILTIN(F_ActionIfPreviousRoom);
KV_BUILTIN(F_ActionIfNextRoom);
KV_BUILTIN(F_ActionEndGame);
KV_BUILTIN(F_ActionRestartGame);
KV_BUILTIN(F_ActionLoadGame);

// Timing and time lines.
KV_BUILTIN(F_ActionSetAlarm);
KV_BUILTIN(F_ActionSleep);
KV_BUILTIN(F_ActionSetTimeline);
KV_BUILTIN(F_ActionSetTimelinePosition);
KV_BUILTIN(F_ActionSetTimelineSpeed);
KV_BUILTIN(F_ActionTimelineSet);
KV_BUILTIN(F_ActionTimelineStart);
KV_BUILTIN(F_ActionTimelinePause);
KV_BUILTIN(F_ActionTimelineStop);

// Information and resources.
KV_BUILTIN(F_ActionMessage);
KV_BUILTIN(F_ActionShowInfo);
KV_BUILTIN(F_ActionShowVideo);
KV_BUILTIN(F_ActionWebpage);
KV_BUILTIN(F_ActionReplaceSprite);
KV_BUILTIN(F_ActionReplaceSound);
KV_BUILTIN(F_ActionReplaceBackground);

// Questions.
KV_BUILTIN(F_ActionIfEmpty);
KV_BUILTIN(F_ActionIfCollision);
KV_BUILTIN(F_ActionIf);
KV_BUILTIN(F_ActionIfNumber);
KV_BUILTIN(F_ActionIfObject);
KV_BUILTIN(F_ActionIfQuestion);
KV_BUILTIN(F_ActionIfDice);
KV_BUILTIN(F_ActionIfMouse);

// Code, variables, score, lives and health.
KV_BUILTIN(F_ActionExecuteScript);
KV_BUILTIN(F_ActionIfVariable);
KV_BUILTIN(F_ActionDrawVariable);
KV_BUILTIN(F_ActionSetScore);
KV_BUILTIN(F_ActionIfScore);
KV_BUILTIN(F_ActionIfLife);
KV_BUILTIN(F_ActionIfHealth);
KV_BUILTIN(F_ActionDrawScore);
KV_BUILTIN(F_ActionDrawLife);
KV_BUILTIN(F_ActionHighscoreShow);
KV_BUILTIN(F_ActionHighscoreClear);
KV_BUILTIN(F_ActionSetLife);
KV_BUILTIN(F_ActionDrawLifeImages);
KV_BUILTIN(F_ActionSetHealth);
KV_BUILTIN(F_ActionDrawHealth);
KV_BUILTIN(F_ActionSetCaption);

// The action particle system.
KV_BUILTIN(F_ActionPartsystCreate);
KV_BUILTIN(F_ActionPartsystDestroy);
KV_BUILTIN(F_ActionPartsystClear);
KV_BUILTIN(F_ActionParttypeCreateOld);
KV_BUILTIN(F_ActionParttypeCreate);
KV_BUILTIN(F_ActionParttypeColor);
KV_BUILTIN(F_ActionParttypeLife);
KV_BUILTIN(F_ActionParttypeSpeed);
KV_BUILTIN(F_ActionParttypeGravity);
KV_BUILTIN(F_ActionParttypeSecondary);
KV_BUILTIN(F_ActionPartemitCreate);
KV_BUILTIN(F_ActionPartemitDestroy);
KV_BUILTIN(F_ActionPartemitBurst);
KV_BUILTIN(F_ActionPartemitStream);

// Drawing and the rest.
KV_BUILTIN(F_ActionSetCursor);
KV_BUILTIN(F_ActionDrawSprite);
KV_BUILTIN(F_ActionDrawBackground);
KV_BUILTIN(F_ActionDrawText);
KV_BUILTIN(F_ActionDrawTextTransformed);
KV_BUILTIN(F_ActionDrawRectangle);
KV_BUILTIN(F_ActionDrawEllipse);
KV_BUILTIN(F_ActionDrawGradientHor);
KV_BUILTIN(F_ActionDrawGradientVert);
KV_BUILTIN(F_ActionDrawEllipseGradient);
KV_BUILTIN(F_ActionDrawLine);
KV_BUILTIN(F_ActionDrawArrow);
KV_BUILTIN(F_ActionColor);
KV_BUILTIN(F_ActionFont);
KV_BUILTIN(F_ActionFullscreen);
KV_BUILTIN(F_ActionEffect);
KV_BUILTIN(F_ActionSetRelative);

// Empties the action particle system's slots; before registration.
void ActionBuiltins_Prepare();
