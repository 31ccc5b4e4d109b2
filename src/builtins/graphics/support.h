// What the graphics family's handlers share: the text a value shows and
// the sprite arguments of the draw_sprite forms.
#pragma once
#include <cstddef>
#include <cstdint>

#include "builtins/builtin_args.h"

// The text a drawing built-in shows for a value: a string as it stands, a
// real whole in single precision as an integer, else with two decimals.
// Always terminated; cut to the buffer.
void Graphics_ValueToText(const ScriptValue& value, size_t size, char* buffer);

// What Graphics_ShownText writes into: a real's text with its terminator.
constexpr size_t kGraphicsTextBufferSize = 1024;
// The text argument i as the text-drawing built-ins show it: a string as it
// stands, any other value (a missing one is empty) written into the buffer.
const char* Graphics_ShownText(const BuiltinArgs& args, int32_t i, char* buffer);

class CSprite;

// The sprite and frame of the draw_sprite forms: the frame floored, a
// negative one replaced by self's; null (reported) for a missing sprite.
const CSprite* Graphics_CheckedSprite(CInstance* self, const BuiltinArgs& args, int32_t* subimg);
