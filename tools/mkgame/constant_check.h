// What mkgame asks of a described constant before the player sees it. The
// player compiles a constant's text as an expression and ignores whatever
// follows a complete one, so "0,5" would silently be 0 and "(((" would stop
// the start with a message box that names no place.
#pragma once

#include <string>

#include "mkgame/json_input.h"

namespace mkgame {

// True when the text compiles as one value or expression with nothing after
// it; an empty text is no value. The player's compiler must be started, with
// the game's scripts findable.
bool Constant_IsOneExpression(const std::string& text);

// The refusal of a constant by its place, its text quoted as the
// description writes it: constants.GRAV: "0,5" is not a value
DescriptionError Constant_NotAValue(const std::string& name, const std::string& text);

// True when the text calls a built-in function, a script or an extension
// function: working it out runs game code.
bool Constant_CallsAFunction(const std::string& text);

// Defines one constant as the player does (the name trimmed, the text
// evaluated now), refusing by its place a name that is not one or a text
// whose evaluation fails. Without `evaluate` only the name is judged and
// nothing is defined.
void Constant_Define(const std::string& name, const std::string& text, bool evaluate = true);

}  // namespace mkgame
