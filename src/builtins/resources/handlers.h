// The resource family's handlers: sprites, backgrounds, sounds, fonts,
// paths, scripts, time lines, objects and rooms as resources, over their
// stores.
#pragma once

#include "builtins/builtin_args.h"

// Sprites and backgrounds.
KV_BUILTIN(F_SpriteExists);
KV_BUILTIN(F_SpriteName);
KV_BUILTIN(F_SpriteGetNumber);
KV_BUILTIN(F_SpriteGetWidth);
KV_BUILTIN(F_SpriteGetHeight);
KV_BUILTIN(F_SpriteGetTransparent);
KV_BUILTIN(F_SpriteGetSmooth);
KV_BUILTIN(F_SpriteGetPreload);
KV_BUILTIN(F_SpriteGetPrecise);
KV_BUILTIN(F_SpriteGetXOffset);
KV_BUILTIN(F_SpriteGetYOffset);
KV_BUILTIN(F_SpriteGetBboxMode);
KV_BUILTIN(F_SpriteGetBboxLeft);
KV_BUILTIN(F_SpriteGetBboxRight);
KV_BUILTIN(F_SpriteGetBboxTop);
KV_BUILTIN(F_SpriteGetBboxBottom);
KV_BUILTIN(F_BackgroundExists);
KV_BUILTIN(F_BackgroundName);
KV_BUILTIN(F_BackgroundGetWidth);
KV_BUILTIN(F_BackgroundGetHeight);
KV_BUILTIN(F_BackgroundGetTransparent);
KV_BUILTIN(F_BackgroundGetSmooth);
KV_BUILTIN(F_BackgroundGetPreload);
KV_BUILTIN(F_SpriteSetOffset);
KV_BUILTIN(F_SpriteSetBboxMode);
KV_BUILTIN(F_SpriteSetBbox);
KV_BUILTIN(F_SpriteSetPrecise);
KV_BUILTIN(F_SpriteSetAlphaFromSprite);
KV_BUILTIN(F_BackgroundSetAlphaFromBackground);
KV_BUILTIN(F_SpriteCollisionMask);
KV_BUILTIN(F_ResourceNoEffect);
KV_BUILTIN(F_SpriteAdd);
KV_BUILTIN(F_SpriteReplace);
KV_BUILTIN(F_SpriteCreateFromScreen);
KV_BUILTIN(F_SpriteCreateFromSurface);
KV_BUILTIN(F_SpriteAddFromScreen);
KV_BUILTIN(F_SpriteAddFromSurface);
KV_BUILTIN(F_SpriteDelete);
KV_BUILTIN(F_SpriteDuplicate);
KV_BUILTIN(F_SpriteAssign);
KV_BUILTIN(F_SpriteMerge);
KV_BUILTIN(F_SpriteSave);
KV_BUILTIN(F_SpriteSaveStrip);
KV_BUILTIN(F_ResourceUnsupported);
KV_BUILTIN(F_BackgroundAdd);
KV_BUILTIN(F_BackgroundReplace);
KV_BUILTIN(F_BackgroundCreateColor);
KV_BUILTIN(F_BackgroundCreateGradient);
KV_BUILTIN(F_BackgroundCreateFromScreen);
KV_BUILTIN(F_BackgroundCreateFromSurface);
KV_BUILTIN(F_BackgroundDelete);
KV_BUILTIN(F_BackgroundDuplicate);
KV_BUILTIN(F_BackgroundAssign);
KV_BUILTIN(F_BackgroundSave);

// Sounds.
KV_BUILTIN(F_SoundExists);
KV_BUILTIN(F_SoundName);
KV_BUILTIN(F_SoundGetKind);
KV_BUILTIN(F_SoundGetPreload);
KV_BUILTIN(F_SoundDiscard);
KV_BUILTIN(F_SoundRestore);
KV_BUILTIN(F_SoundAdd);
KV_BUILTIN(F_SoundReplace);
KV_BUILTIN(F_SoundDelete);

// Fonts.
KV_BUILTIN(F_FontExists);
KV_BUILTIN(F_FontName);
KV_BUILTIN(F_FontGetFontName);
KV_BUILTIN(F_FontGetSize);
KV_BUILTIN(F_FontGetBold);
KV_BUILTIN(F_FontGetItalic);
KV_BUILTIN(F_FontGetFirst);
KV_BUILTIN(F_FontGetLast);
KV_BUILTIN(F_FontAdd);
KV_BUILTIN(F_FontAddSprite);
KV_BUILTIN(F_FontAddSpriteExt);
KV_BUILTIN(F_FontReplace);
KV_BUILTIN(F_FontReplaceSprite);
KV_BUILTIN(F_FontReplaceSpriteExt);
KV_BUILTIN(F_FontDelete);

// Paths.
KV_BUILTIN(F_PathExists);
KV_BUILTIN(F_PathName);
KV_BUILTIN(F_PathGetLength);
KV_BUILTIN(F_PathGetKind);
KV_BUILTIN(F_PathGetClosed);
KV_BUILTIN(F_PathGetPrecision);
KV_BUILTIN(F_PathGetNumber);
KV_BUILTIN(F_PathGetPointX);
KV_BUILTIN(F_PathGetPointY);
KV_BUILTIN(F_PathGetPointSpeed);
KV_BUILTIN(F_PathGetX);
KV_BUILTIN(F_PathGetY);
KV_BUILTIN(F_PathGetSpeed);
KV_BUILTIN(F_PathSetKind);
KV_BUILTIN(F_PathSetClosed);
KV_BUILTIN(F_PathSetPrecision);
KV_BUILTIN(F_PathAdd);
KV_BUILTIN(F_PathDuplicate);
KV_BUILTIN(F_PathAssign);
KV_BUILTIN(F_PathAppend);
KV_BUILTIN(F_PathDelete);
KV_BUILTIN(F_PathAddPoint);
KV_BUILTIN(F_PathInsertPoint);
KV_BUILTIN(F_PathChangePoint);
KV_BUILTIN(F_PathDeletePoint);
KV_BUILTIN(F_PathClearPoints);
KV_BUILTIN(F_PathReverse);
KV_BUILTIN(F_PathMirror);
KV_BUILTIN(F_PathFlip);
KV_BUILTIN(F_PathRotate);
KV_BUILTIN(F_PathRescale);
KV_BUILTIN(F_PathShift);

// Scripts and time lines.
KV_BUILTIN(F_ScriptExists);
KV_BUILTIN(F_ScriptName);
KV_BUILTIN(F_ScriptGetText);
KV_BUILTIN(F_ScriptExecute);
KV_BUILTIN(F_TimelineExists);
KV_BUILTIN(F_TimelineName);
KV_BUILTIN(F_TimelineAdd);
KV_BUILTIN(F_TimelineDelete);
KV_BUILTIN(F_TimelineMomentClear);
KV_BUILTIN(F_TimelineMomentAdd);

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
