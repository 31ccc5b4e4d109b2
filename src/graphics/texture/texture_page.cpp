#include "graphics/texture/texture_page.h"

std::vector<TexturePage> g_texturePages;
std::vector<int32_t> g_texturePageIds;
