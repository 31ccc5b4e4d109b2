// How the interaction built-ins write a real as text: whole values with
// every digit, others with two decimals, at most 63 characters.
#pragma once

#include <string>

// The rounded value (halves to even) in full, cut to 63 characters.
std::string InteractionText_Whole(double value);
// A whole value as InteractionText_Whole writes it, any other with two
// decimals.
std::string InteractionText_Number(double value);
