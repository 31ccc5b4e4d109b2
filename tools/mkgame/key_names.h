// Key names a description may use in keyboard events: vk_* names and
// ord_X for a letter or digit.
#pragma once

#include <string>

namespace mkgame {

// The key code, or -1 when the name is unknown.
int KeyNames_Find(const std::string& name);

}  // namespace mkgame
