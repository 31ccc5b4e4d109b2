// Sprite and background drawing: resource checks, frame choice and the
// defaults of the short forms.
#include "builtins/graphics/convert.h"
#include "builtins/graphics/handlers.h"
#include "builtins/graphics/support.h"
#include "graphics/device/draw_state.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "world/instance/instance.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

using gfx::Colour;
using gfx::Float;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr char kNoSprite[] = "Trying to draw non-existing sprite.";
constexpr char kNoBackground[] = "Trying to draw non-existing background.";

int32_t RoomWidth() { return g_currentRoom != nullptr ? g_currentRoom->width : 0; }
int32_t RoomHeight() { return g_currentRoom != nullptr ? g_currentRoom->height : 0; }
int32_t SelfFrame(const CInstance* self) { return self != nullptr ? gfx::Floored(self->image_index) : 0; }

// The background of the first argument, or null (reported) when missing.
const CBackground* CheckedBackground(const BuiltinArgs& a) {
  if (const CBackground* back = Background_Get(a.Int(0))) return back;
  Builtin_Error(kNoBackground);
  return nullptr;
}

}  // namespace

void F_DrawSelf(KV_BUILTIN_PARAMS) {
  const CSprite* sprite = self != nullptr ? Sprite_Get(self->sprite_index) : nullptr;
  if (sprite == nullptr) {
    Builtin_Error(kNoSprite);
    return;
  }
  sprite->Draw(SelfFrame(self), self->x, self->y, self->image_xscale, self->image_yscale, self->image_angle,
               static_cast<uint32_t>(self->image_blend), self->image_alpha);
}

void F_DrawSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawSimple(frame, Float(a, 2), Float(a, 3));
}

void F_DrawSpriteExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->Draw(frame, Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Colour(a, 7), Float(a, 8));
}

void F_DrawSpritePart(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawPart(frame, Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7), 1.0f, 1.0f,
                   kWhite, GR_Draw_Get_Alpha());
}

void F_DrawSpritePartExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawPart(frame, Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7), Float(a, 8),
                   Float(a, 9), Colour(a, 10), Float(a, 11));
}

void F_DrawSpriteGeneral(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawGeneral(frame, Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7), Float(a, 8),
                      Float(a, 9), Float(a, 10), Colour(a, 11), Colour(a, 12), Colour(a, 13), Colour(a, 14),
                      Float(a, 15));
}

void F_DrawSpriteStretched(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawStretched(frame, Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), kWhite, GR_Draw_Get_Alpha());
}

void F_DrawSpriteStretchedExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawStretched(frame, Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Colour(a, 6), Float(a, 7));
}

void F_DrawSpriteTiled(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawTiled(frame, Float(a, 2), Float(a, 3), 1.0f, 1.0f, true, true, 0, 0, RoomWidth(), RoomHeight(), kWhite,
                    GR_Draw_Get_Alpha());
}

void F_DrawSpriteTiledExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t frame = 0;
  const CSprite* sprite = Graphics_CheckedSprite(self, a, &frame);
  if (sprite == nullptr) return;
  sprite->DrawTiled(frame, Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), true, true, 0, 0, RoomWidth(),
                    RoomHeight(), Colour(a, 6), Float(a, 7));
}

// Both truncated; a negative frame goes on as it is.
void F_DrawSpritePos(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CSprite* sprite = Sprite_Get(a.TruncInt(0));
  if (sprite == nullptr) {
    Builtin_Error(kNoSprite);
    return;
  }
  sprite->DrawPos(a.TruncInt(1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7),
                  Float(a, 8), Float(a, 9), kOpaqueWhite, Float(a, 10));
}

void F_DrawBackground(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (const CBackground* b = CheckedBackground(a)) b->DrawSimple(Float(a, 1), Float(a, 2));
}

void F_DrawBackgroundExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->Draw(Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Colour(a, 6), Float(a, 7));
}

void F_DrawBackgroundPart(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->DrawPart(Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), 1.0f, 1.0f, kWhite,
              GR_Draw_Get_Alpha());
}

void F_DrawBackgroundPartExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->DrawPart(Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7), Float(a, 8),
              Colour(a, 9), Float(a, 10));
}

void F_DrawBackgroundGeneral(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->DrawGeneral(Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7), Float(a, 8),
                 Float(a, 9), Colour(a, 10), Colour(a, 11), Colour(a, 12), Colour(a, 13), Float(a, 14));
}

void F_DrawBackgroundStretched(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->DrawStretched(Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), kWhite, GR_Draw_Get_Alpha());
}

void F_DrawBackgroundStretchedExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->DrawStretched(Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Colour(a, 5), Float(a, 6));
}

void F_DrawBackgroundTiled(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->DrawTiled(Float(a, 1), Float(a, 2), 1.0f, 1.0f, true, true, 0, 0, RoomWidth(), RoomHeight(), kWhite,
               GR_Draw_Get_Alpha());
}

void F_DrawBackgroundTiledExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* b = CheckedBackground(a);
  if (b == nullptr) return;
  b->DrawTiled(Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), true, true, 0, 0, RoomWidth(), RoomHeight(),
               Colour(a, 5), Float(a, 6));
}

const CSprite* Graphics_CheckedSprite(CInstance* self, const BuiltinArgs& args, int32_t* subimg) {
  *subimg = gfx::FlooredFloat(args, 1);
  if (*subimg < 0) *subimg = SelfFrame(self);
  if (const CSprite* sprite = Sprite_Get(args.TruncInt(0))) return sprite;
  Builtin_Error(kNoSprite);
  return nullptr;
}
