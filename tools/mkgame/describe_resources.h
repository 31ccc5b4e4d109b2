// Reading the resources of a description that carry data of their own:
// sprites, backgrounds, fonts, paths, sounds, extension packages and
// included files. Images are decoded and fonts rasterised here.
#pragma once

#include <string>

#include "mkgame/game_model.h"
#include "mkgame/json_input.h"

namespace mkgame {

// `folder` is where relative file names of the description start from.
void DescribeResources_Read(const JsonNode& root, const std::string& folder, Game& game);

}  // namespace mkgame
