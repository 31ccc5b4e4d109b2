// Drawing actions and the rest: the cursor, sprites, backgrounds, text,
// shapes and gradients, the drawing colour and font, full screen, the
// effects and the relative flag. Every coordinate is relative when the
// flag is set.
#include <cmath>

#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "builtins/graphics/support.h"
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/particles/particles.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "resources/text_draw.h"
#include "runtime/run_flags.h"
#include "shell/window.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"

using actions::At;
using actions::Float;
using actions::Point;

namespace {

constexpr int32_t kDefaultSeparation = -1;
constexpr int32_t kNoWrap = -1;
constexpr uint32_t kWhite = 0xFFFFFF;

uint32_t Colour(const BuiltinArgs& a, int32_t i) { return static_cast<uint32_t>(a.Int(i)); }

}  // namespace

void F_ActionSetCursor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_runValues.cursorSprite = a.Int(0);
  g_showCursor = a.Bool(1);
  Win_SetCursor(g_showCursor ? kWinCursorDefault : kWinCursorNone);
}

// A subimage below 0 is self's own.
void F_ActionDrawSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CSprite* sprite = Sprite_Get(a.Int(0));
  if (sprite == nullptr) {
    Builtin_Error("Trying to draw a non-existing sprite.");
    return;
  }
  float subimage = Float(a, 3);
  if (subimage < 0.0f && self != nullptr) subimage = self->image_index;
  const Point p = At(a, 1, self);
  sprite->Draw(Num_TruncInt32(std::floor(subimage)), p.x, p.y, 1.0f, 1.0f, 0.0f, kWhite, 1.0f);
}

void F_ActionDrawBackground(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* back = Background_Get(a.Int(0));
  if (back == nullptr) {
    Builtin_Error("Trying to draw a non-existing background.");
    return;
  }
  const Point p = At(a, 1, self);
  const bool tiled = a.Bool(3);
  const int32_t width = g_currentRoom != nullptr ? g_currentRoom->width : 0;
  const int32_t height = g_currentRoom != nullptr ? g_currentRoom->height : 0;
  back->DrawTiled(p.x, p.y, 1.0f, 1.0f, tiled, tiled, 0, 0, width, height, kWhite, 1.0f);
}

void F_ActionDrawText(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kGraphicsTextBufferSize];
  const Point p = At(a, 1, self);
  GR_Text_Draw(p.x, p.y, Graphics_ShownText(a, 0, buffer), kDefaultSeparation, kNoWrap);
}

void F_ActionDrawTextTransformed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kGraphicsTextBufferSize];
  const Point p = At(a, 1, self);
  GR_Text_Draw_Transformed(p.x, p.y, Graphics_ShownText(a, 0, buffer), kDefaultSeparation, kNoWrap, Float(a, 3),
                           Float(a, 4), Float(a, 5));
}

void F_ActionDrawRectangle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p1 = At(a, 0, self), p2 = At(a, 2, self);
  GR_Draw_Rectangle(p1.x, p1.y, p2.x, p2.y, a.Bool(4) ? 1 : 0);
}

void F_ActionDrawEllipse(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p1 = At(a, 0, self), p2 = At(a, 2, self);
  GR_Draw_Ellipse(p1.x, p1.y, p2.x, p2.y, a.Bool(4) ? 1 : 0);
}

void F_ActionDrawGradientHor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p1 = At(a, 0, self), p2 = At(a, 2, self);
  const uint32_t c1 = Colour(a, 4), c2 = Colour(a, 5);
  GR_Draw_Rectangle_Color(p1.x, p1.y, p2.x, p2.y, c1, c2, c2, c1, 0);
}

void F_ActionDrawGradientVert(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p1 = At(a, 0, self), p2 = At(a, 2, self);
  const uint32_t c1 = Colour(a, 4), c2 = Colour(a, 5);
  GR_Draw_Rectangle_Color(p1.x, p1.y, p2.x, p2.y, c1, c1, c2, c2, 0);
}

void F_ActionDrawEllipseGradient(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p1 = At(a, 0, self), p2 = At(a, 2, self);
  GR_Draw_Ellipse_Color(p1.x, p1.y, p2.x, p2.y, Colour(a, 4), Colour(a, 5), 0);
}

void F_ActionDrawLine(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p1 = At(a, 0, self), p2 = At(a, 2, self);
  GR_Draw_Line(p1.x, p1.y, p2.x, p2.y);
}

void F_ActionDrawArrow(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p1 = At(a, 0, self), p2 = At(a, 2, self);
  GR_Draw_Arrow(p1.x, p1.y, p2.x, p2.y, Float(a, 4));
}

void F_ActionColor(KV_BUILTIN_PARAMS) { GR_Draw_Set_Color(Colour(BuiltinArgs(argc, args), 0)); }

void F_ActionFont(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Text_Set_Font(a.Int(0));
  GR_Text_Set_Halign(a.Int(1));
}

// 1 a window, 2 full screen, anything else the other of the two.
void F_ActionFullscreen(KV_BUILTIN_PARAMS) {
  const int32_t choice = BuiltinArgs(argc, args).Int(0);
  if (choice == 1) {
    Win_SetFullscreen(false);
  } else if (choice == 2) {
    Win_SetFullscreen(true);
  } else {
    Win_SetFullscreen(!Win_GetFullscreen());
  }
}

void F_ActionEffect(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const Point p = At(a, 1, self);
  Particle_Effect_Create(a.Real(5) < 0.5, a.Int(0), p.x, p.y, a.Int(3), a.Int(4));
}

void F_ActionSetRelative(KV_BUILTIN_PARAMS) { EventCode_Get().setRelative(BuiltinArgs(argc, args).Bool(0)); }
