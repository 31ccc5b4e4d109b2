// The graphics family's handlers, declared in one place so that its row
// table can list them.
#pragma once

#include "builtins/builtin_args.h"

// The display's mode and the mouse on it.
KV_BUILTIN(F_DisplayGetWidth);
KV_BUILTIN(F_DisplayGetHeight);
KV_BUILTIN(F_DisplayGetColordepth);
KV_BUILTIN(F_DisplayGetFrequency);
KV_BUILTIN(F_DisplaySetSize);
KV_BUILTIN(F_DisplaySetColordepth);
KV_BUILTIN(F_DisplaySetFrequency);
KV_BUILTIN(F_DisplaySetAll);
KV_BUILTIN(F_DisplayTestAll);
KV_BUILTIN(F_DisplayReset);
KV_BUILTIN(F_DisplayMouseGetX);
KV_BUILTIN(F_DisplayMouseGetY);
KV_BUILTIN(F_DisplayMouseSet);

// The game window and the mouse in it.
KV_BUILTIN(F_WindowDoNothing);
KV_BUILTIN(F_WindowAnswerZero);
KV_BUILTIN(F_WindowGetVisible);
KV_BUILTIN(F_WindowSetFullscreen);
KV_BUILTIN(F_WindowGetFullscreen);
KV_BUILTIN(F_WindowSetCaption);
KV_BUILTIN(F_WindowGetCaption);
KV_BUILTIN(F_WindowSetCursor);
KV_BUILTIN(F_WindowGetCursor);
KV_BUILTIN(F_WindowSetColor);
KV_BUILTIN(F_WindowGetColor);
KV_BUILTIN(F_WindowSetPosition);
KV_BUILTIN(F_WindowSetSize);
KV_BUILTIN(F_WindowSetRectangle);
KV_BUILTIN(F_WindowCenter);
KV_BUILTIN(F_WindowGetX);
KV_BUILTIN(F_WindowGetY);
KV_BUILTIN(F_WindowGetWidth);
KV_BUILTIN(F_WindowGetHeight);
KV_BUILTIN(F_WindowMouseGetX);
KV_BUILTIN(F_WindowMouseGetY);
KV_BUILTIN(F_WindowMouseSet);
KV_BUILTIN(F_WindowViewMouseGetX);
KV_BUILTIN(F_WindowViewMouseGetY);
KV_BUILTIN(F_WindowViewsMouseGetX);
KV_BUILTIN(F_WindowViewsMouseGetY);

// Saving the screen.
KV_BUILTIN(F_ScreenSave);
KV_BUILTIN(F_ScreenSavePart);

// Drawing state, shapes and free primitives.
KV_BUILTIN(F_DrawSetColor);
KV_BUILTIN(F_DrawSetAlpha);
KV_BUILTIN(F_DrawGetColor);
KV_BUILTIN(F_DrawGetAlpha);
KV_BUILTIN(F_DrawSetBlendMode);
KV_BUILTIN(F_DrawSetBlendModeExt);
KV_BUILTIN(F_DrawClear);
KV_BUILTIN(F_DrawClearAlpha);
KV_BUILTIN(F_DrawSetCirclePrecision);
KV_BUILTIN(F_DrawPoint);
KV_BUILTIN(F_DrawLine);
KV_BUILTIN(F_DrawLineWidth);
KV_BUILTIN(F_DrawRectangle);
KV_BUILTIN(F_DrawRoundrect);
KV_BUILTIN(F_DrawTriangle);
KV_BUILTIN(F_DrawCircle);
KV_BUILTIN(F_DrawEllipse);
KV_BUILTIN(F_DrawArrow);
KV_BUILTIN(F_DrawButton);
KV_BUILTIN(F_DrawHealthbar);
KV_BUILTIN(F_DrawPath);
KV_BUILTIN(F_DrawPointColor);
KV_BUILTIN(F_DrawLineColor);
KV_BUILTIN(F_DrawLineWidthColor);
KV_BUILTIN(F_DrawRectangleColor);
KV_BUILTIN(F_DrawRoundrectColor);
KV_BUILTIN(F_DrawTriangleColor);
KV_BUILTIN(F_DrawCircleColor);
KV_BUILTIN(F_DrawEllipseColor);
KV_BUILTIN(F_DrawPrimitiveBegin);
KV_BUILTIN(F_DrawPrimitiveBeginTexture);
KV_BUILTIN(F_DrawPrimitiveEnd);
KV_BUILTIN(F_DrawVertex);
KV_BUILTIN(F_DrawVertexColor);
KV_BUILTIN(F_DrawVertexTexture);
KV_BUILTIN(F_DrawVertexTextureColor);

// Colours and reading a pixel back.
KV_BUILTIN(F_MakeColorRGB);
KV_BUILTIN(F_MakeColorHSV);
KV_BUILTIN(F_ColorGetRed);
KV_BUILTIN(F_ColorGetGreen);
KV_BUILTIN(F_ColorGetBlue);
KV_BUILTIN(F_ColorGetHue);
KV_BUILTIN(F_ColorGetSaturation);
KV_BUILTIN(F_ColorGetValue);
KV_BUILTIN(F_MergeColor);
KV_BUILTIN(F_DrawGetPixel);

// Text.
KV_BUILTIN(F_DrawSetFont);
KV_BUILTIN(F_DrawSetHalign);
KV_BUILTIN(F_DrawSetValign);
KV_BUILTIN(F_StringWidth);
KV_BUILTIN(F_StringHeight);
KV_BUILTIN(F_StringWidthExt);
KV_BUILTIN(F_StringHeightExt);
KV_BUILTIN(F_DrawText);
KV_BUILTIN(F_DrawTextExt);
KV_BUILTIN(F_DrawTextTransformed);
KV_BUILTIN(F_DrawTextExtTransformed);
KV_BUILTIN(F_DrawTextColor);
KV_BUILTIN(F_DrawTextTransformedColor);
KV_BUILTIN(F_DrawTextExtColor);
KV_BUILTIN(F_DrawTextExtTransformedColor);

// Textures.
KV_BUILTIN(F_SpriteGetTexture);
KV_BUILTIN(F_BackgroundGetTexture);
KV_BUILTIN(F_TextureExists);
KV_BUILTIN(F_TextureGetWidth);
KV_BUILTIN(F_TextureGetHeight);
KV_BUILTIN(F_TextureSetInterpolation);
KV_BUILTIN(F_TextureSetBlending);
KV_BUILTIN(F_TextureSetRepeat);
KV_BUILTIN(F_TexturePreload);
KV_BUILTIN(F_TextureSetPriority);

// Tiles of the current room, by id and by depth layer.
KV_BUILTIN(F_TileExists);
KV_BUILTIN(F_TileGetX);
KV_BUILTIN(F_TileGetY);
KV_BUILTIN(F_TileGetLeft);
KV_BUILTIN(F_TileGetTop);
KV_BUILTIN(F_TileGetWidth);
KV_BUILTIN(F_TileGetHeight);
KV_BUILTIN(F_TileGetDepth);
KV_BUILTIN(F_TileGetVisible);
KV_BUILTIN(F_TileGetXscale);
KV_BUILTIN(F_TileGetYscale);
KV_BUILTIN(F_TileGetBlend);
KV_BUILTIN(F_TileGetAlpha);
KV_BUILTIN(F_TileGetBackground);
KV_BUILTIN(F_TileSetPosition);
KV_BUILTIN(F_TileSetRegion);
KV_BUILTIN(F_TileSetVisible);
KV_BUILTIN(F_TileSetBackground);
KV_BUILTIN(F_TileSetDepth);
KV_BUILTIN(F_TileSetScale);
KV_BUILTIN(F_TileSetBlend);
KV_BUILTIN(F_TileSetAlpha);
KV_BUILTIN(F_TileDelete);
KV_BUILTIN(F_TileAdd);
KV_BUILTIN(F_TileFind);
KV_BUILTIN(F_TileDeleteAt);
KV_BUILTIN(F_TileLayerHide);
KV_BUILTIN(F_TileLayerShow);
KV_BUILTIN(F_TileLayerDelete);
KV_BUILTIN(F_TileLayerShift);
KV_BUILTIN(F_TileLayerDepth);
KV_BUILTIN(F_TileLayerFind);
KV_BUILTIN(F_TileLayerDeleteAt);

// Surfaces.
KV_BUILTIN(F_SurfaceCreate);
KV_BUILTIN(F_SurfaceFree);
KV_BUILTIN(F_SurfaceExists);
KV_BUILTIN(F_SurfaceGetWidth);
KV_BUILTIN(F_SurfaceGetHeight);
KV_BUILTIN(F_SurfaceGetTexture);
KV_BUILTIN(F_SurfaceSetTarget);
KV_BUILTIN(F_SurfaceResetTarget);
KV_BUILTIN(F_DrawSurface);
KV_BUILTIN(F_DrawSurfaceExt);
KV_BUILTIN(F_DrawSurfaceStretched);
KV_BUILTIN(F_DrawSurfaceStretchedExt);
KV_BUILTIN(F_DrawSurfacePart);
KV_BUILTIN(F_DrawSurfacePartExt);
KV_BUILTIN(F_DrawSurfaceGeneral);
KV_BUILTIN(F_DrawSurfaceTiled);
KV_BUILTIN(F_DrawSurfaceTiledExt);
KV_BUILTIN(F_SurfaceSave);
KV_BUILTIN(F_SurfaceSavePart);
KV_BUILTIN(F_SurfaceGetpixel);
KV_BUILTIN(F_SurfaceCopy);
KV_BUILTIN(F_SurfaceCopyPart);

// Sprites and backgrounds.
KV_BUILTIN(F_DrawSelf);
KV_BUILTIN(F_DrawSprite);
KV_BUILTIN(F_DrawSpriteExt);
KV_BUILTIN(F_DrawSpritePart);
KV_BUILTIN(F_DrawSpritePartExt);
KV_BUILTIN(F_DrawSpriteGeneral);
KV_BUILTIN(F_DrawSpriteStretched);
KV_BUILTIN(F_DrawSpriteStretchedExt);
KV_BUILTIN(F_DrawSpriteTiled);
KV_BUILTIN(F_DrawSpriteTiledExt);
KV_BUILTIN(F_DrawSpritePos);
KV_BUILTIN(F_DrawBackground);
KV_BUILTIN(F_DrawBackgroundExt);
KV_BUILTIN(F_DrawBackgroundPart);
KV_BUILTIN(F_DrawBackgroundPartExt);
KV_BUILTIN(F_DrawBackgroundGeneral);
KV_BUILTIN(F_DrawBackgroundStretched);
KV_BUILTIN(F_DrawBackgroundStretchedExt);
KV_BUILTIN(F_DrawBackgroundTiled);
KV_BUILTIN(F_DrawBackgroundTiledExt);
