// How the interaction built-ins write a real as text: whole values with
// every digit, others with two decimals.
#pragma once

#include <string>

// The rounded value (halves to even) in full.
std::string InteractionText_Whole(double value);
// A whole value in full, any other with two decimals.
std::string InteractionText_Number(double value);
