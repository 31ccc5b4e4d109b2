// Images of a description: decoded PNG files and plain filled rectangles.
#pragma once

#include <string>

#include "mkgame/game_model.h"
#include "mkgame/json_input.h"

namespace mkgame {

// The largest image a texture page can hold, in either direction.
constexpr int kMaxPageSize = 2048;

// Reads {"png": file} or {"fill": colour, "alpha": a, "size": [w, h]};
// a relative file name is taken from `folder`. Faults name the node.
Image Image_Read(const JsonNode& node, const std::string& folder);

// `name` joined to `folder` unless it is absolute.
std::string Image_ResolvePath(const std::string& folder, const std::string& name);

}  // namespace mkgame
