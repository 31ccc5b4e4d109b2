// Registration of the maths and string built-ins, one family at start-up.
#pragma once

// Adds every maths built-in, then every string built-in, each in its fixed
// order: a built-in's function id is its place in the table.
void Builtins_RegisterMathsAndStrings();
