// The chunks of resources that carry data of their own: texture pages and
// their images, sprites, backgrounds, paths, fonts, sounds with embedded
// audio, extension packages and included files.
#pragma once

#include <vector>

#include "mkgame/file_builder.h"
#include "mkgame/game_model.h"
#include "mkgame/texture_pages.h"

namespace mkgame {

// TPAG: one page record per image; returns the label of each record.
std::vector<FileBuilder::Label> ResourceChunks_TexturePages(FileBuilder& out, const Game& game,
                                                            const TextureAtlas& atlas);
void ResourceChunks_Textures(FileBuilder& out, const TextureAtlas& atlas);
void ResourceChunks_Sprites(FileBuilder& out, const Game& game, const std::vector<FileBuilder::Label>& pages);
void ResourceChunks_Backgrounds(FileBuilder& out, const Game& game, const std::vector<FileBuilder::Label>& pages);
void ResourceChunks_Paths(FileBuilder& out, const Game& game);
void ResourceChunks_Fonts(FileBuilder& out, const Game& game, const std::vector<FileBuilder::Label>& pages);
void ResourceChunks_Sounds(FileBuilder& out, const Game& game);
void ResourceChunks_Audio(FileBuilder& out, const Game& game);
void ResourceChunks_Extensions(FileBuilder& out, const Game& game);
void ResourceChunks_IncludedFiles(FileBuilder& out, const Game& game);

}  // namespace mkgame
