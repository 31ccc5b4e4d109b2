#include "graphics/texture/texture_table.h"

#include <cstring>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/texture/texture_page.h"
#include "runtime/memory.h"

namespace {

TextureEntry** g_entries = nullptr;
int32_t g_count = 0;

// Glyph bitmaps larger than the largest device texture are refused before
// their pixels are allocated.
constexpr int64_t kMaxAlphaPixels = int64_t{4096} * 4096;

float Inverse(int32_t size) { return size > 0 ? 1.0f / static_cast<float>(size) : 0.0f; }

uint16_t Used(int32_t size) { return static_cast<uint16_t>(size < 0 ? 0 : size > 0xFFFF ? 0xFFFF : size); }

// Fills a fresh slot; a missing device texture leaves the table as it was.
int32_t Fill(DeviceTexture* texture, int32_t width, int32_t height, int32_t spanWidth, int32_t spanHeight) {
  if (texture == nullptr) return -1;
  if (texture->texture == 0) {
    Graphics::FreeTexture(texture);
    return -1;
  }
  const int32_t index = GR_Texture_Alloc_Slot();
  TextureEntry* e = g_entries[index];
  e->texture = texture;
  e->width = Used(width);
  e->height = Used(height);
  e->inverseWidth = Inverse(spanWidth);
  e->inverseHeight = Inverse(spanHeight);
  e->inUse = 1;
  return index;
}

int32_t FromImage(const uint8_t* data, uint32_t size) {
  ImageInfo info{};
  DeviceTexture* t = Graphics::CreateTextureFromImage(data, size, &info, 6);
  const auto w = static_cast<int32_t>(info.width), h = static_cast<int32_t>(info.height);
  return Fill(t, w, h, w, h);
}

}  // namespace

TextureEntry* GR_Texture_Entry(int32_t index) {
  if (index < 0 || index >= g_count || g_entries[index]->inUse == 0) return nullptr;
  return g_entries[index];
}

int32_t GR_Texture_Count() { return g_count; }

int32_t GR_Texture_Alloc_Slot() {
  for (int32_t i = 0; i < g_count; ++i) {
    if (g_entries[i]->inUse == 0) return i;
  }
  auto** grown = static_cast<TextureEntry**>(KV_ALLOC(sizeof(TextureEntry*) * static_cast<size_t>(g_count + 1), true));
  if (g_count > 0) std::memcpy(grown, g_entries, sizeof(TextureEntry*) * static_cast<size_t>(g_count));
  MemoryManager::Free(g_entries);
  g_entries = grown;
  g_entries[g_count] = static_cast<TextureEntry*>(KV_ALLOC(sizeof(TextureEntry), true));
  return g_count++;
}

void GR_Texture_Free(int32_t index) {
  TextureEntry* e = GR_Texture_Entry(index);
  if (e == nullptr) return;
  Graphics::FreeTexture(e->texture);
  e->texture = nullptr;
  e->inUse = 0;
}

void GR_Texture_Free_All() {
  for (int32_t i = 0; i < g_count; ++i) GR_Texture_Free(i);
  GR_Texture_Table_Free();
}

void GR_Texture_Quit() { GR_Texture_Free_All(); }

void GR_Texture_Table_Free() {
  for (int32_t i = 0; i < g_count; ++i) MemoryManager::Free(g_entries[i]);
  MemoryManager::Free(g_entries);
  g_entries = nullptr;
  g_count = 0;
}

bool GR_Texture_Exists(int32_t index) { return GR_Texture_Entry(index) != nullptr; }

DeviceTexture* GR_Texture_Get_Device_Texture(int32_t index) {
  TextureEntry* e = GR_Texture_Entry(index);
  return e == nullptr ? nullptr : e->texture;
}

float GR_Texture_Get_Width(int32_t index) {
  TextureEntry* e = GR_Texture_Entry(index);
  return e == nullptr ? 1.0f : static_cast<float>(e->width) * e->inverseWidth;
}

float GR_Texture_Get_Height(int32_t index) {
  TextureEntry* e = GR_Texture_Entry(index);
  return e == nullptr ? 1.0f : static_cast<float>(e->height) * e->inverseHeight;
}

void GR_Texture_Preload(int32_t index) {
  TextureEntry* e = GR_Texture_Entry(index);
  if (e != nullptr) Graphics::PreloadTexture(e->texture);
}

void GR_Texture_Set_Priority(int32_t index, uint32_t priority) {
  TextureEntry* e = GR_Texture_Entry(index);
  if (e != nullptr) Graphics::SetTexturePriority(e->texture, priority);
}

// Device textures are managed: the device keeps or drops its copies itself,
// so there is nothing to do per texture.
void GR_Texture_Flush() {}

int32_t GR_Texture_Create(int32_t width, int32_t height, bool renderTarget) {
  DeviceTexture* t = Graphics::CreateTexture(width, height, 1, renderTarget, 6);
  if (t == nullptr) return -1;
  return Fill(t, width, height, DeviceTexture_Width(t), DeviceTexture_Height(t));
}

int32_t GR_Texture_Create_From_Memory(const uint8_t* data, uint32_t size) { return FromImage(data, size); }

int32_t GR_Texture_Load_From_Memory(const uint8_t* data, uint64_t bound) {
  return FromImage(data, bound > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(bound));
}

int32_t GR_Texture_Create_From_Pixels(int32_t width, int32_t height, const void* pixels, uint32_t byteSize) {
  if (pixels == nullptr || width <= 0 || height <= 0) return -1;
  if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 != byteSize) {
    return FromImage(static_cast<const uint8_t*>(pixels), byteSize);
  }
  ImageInfo info{};
  DeviceTexture* t = Graphics::CreateTextureFromPixels(static_cast<const uint32_t*>(pixels), width, height, &info);
  if (t == nullptr) return -1;
  return Fill(t, width, height, DeviceTexture_Width(t), DeviceTexture_Height(t));
}

int32_t GR_Texture_Create_From_Alpha(int32_t width, int32_t height, const uint8_t* coverage) {
  if (coverage == nullptr || width <= 0 || height <= 0 || int64_t{width} * height > kMaxAlphaPixels) return -1;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  auto* pixels = static_cast<uint32_t*>(KV_ALLOC(count * 4, false));
  if (pixels == nullptr) return -1;
  for (size_t i = 0; i < count; ++i) pixels[i] = (static_cast<uint32_t>(coverage[i]) << 24) | 0xFFFFFFu;
  const int32_t index = GR_Texture_Create(width, height, false);
  if (index >= 0) {
    const TextureEntry* e = g_entries[index];
    if (!Graphics::UploadTexture(e->texture, 0, e->width, e->height, pixels)) {
      GR_Texture_Free(index);
      MemoryManager::Free(pixels);
      return -1;
    }
  }
  MemoryManager::Free(pixels);
  return index;
}

int32_t GR_Texture_Add_Device_Texture(DeviceTexture* texture, int32_t width, int32_t height) {
  if (texture == nullptr || width <= 0 || height <= 0) return -1;
  const int32_t index = GR_Texture_Alloc_Slot();
  TextureEntry* e = g_entries[index];
  *e = TextureEntry{texture, Used(width), Used(height), Inverse(width), Inverse(height), 1};
  return index;
}

int32_t GR_TexturePage_Handle(int32_t pageIndex) {
  if (pageIndex < 0 || static_cast<size_t>(pageIndex) >= g_texturePages.size()) return -1;
  return kTexturePageHandleBase + pageIndex;
}

TexturePage* GR_TexturePage_FromHandle(int64_t handle) {
  if (handle < kTexturePageHandleBase) return nullptr;
  const int64_t index = handle - kTexturePageHandleBase;
  if (index >= static_cast<int64_t>(g_texturePages.size())) return nullptr;
  return &g_texturePages[static_cast<size_t>(index)];
}

int32_t GR_TexturePage_Texture(const TexturePage* page) {
  return page == nullptr ? -1 : static_cast<int32_t>(static_cast<uint16_t>(page->page));
}

ScriptTexture GR_Texture_Resolve(int64_t value) {
  ScriptTexture resolved;
  if (value >= 0 && value <= INT32_MAX && GR_Texture_Exists(static_cast<int32_t>(value))) {
    resolved.texture = static_cast<int32_t>(value);
    return resolved;
  }
  const TexturePage* page = GR_TexturePage_FromHandle(value);
  const TextureEntry* entry = GR_Texture_Entry(GR_TexturePage_Texture(page));
  if (page == nullptr || entry == nullptr) return resolved;
  resolved.texture = GR_TexturePage_Texture(page);
  resolved.page = page;
  resolved.inverseWidth = entry->inverseWidth;
  resolved.inverseHeight = entry->inverseHeight;
  return resolved;
}

void GR_Texture_Map_Page(const ScriptTexture& texture, float* u, float* v) {
  const TexturePage* page = texture.page;
  if (page == nullptr) return;
  *u = (static_cast<float>(page->x) + static_cast<float>(page->width) * *u) * texture.inverseWidth;
  *v = (static_cast<float>(page->y) + static_cast<float>(page->height) * *v) * texture.inverseHeight;
}

DeviceTexture* GR_Texture_From_Script(int64_t value) {
  if (value >= 0 && value < g_count) return GR_Texture_Get_Device_Texture(static_cast<int32_t>(value));
  return GR_Texture_Get_Device_Texture(GR_TexturePage_Texture(GR_TexturePage_FromHandle(value)));
}
