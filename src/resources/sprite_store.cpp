#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "files/file_layer.h"
#include "requests/http_request.h"
#include "resources/sprite.h"
#include "runtime/ds_pool.h"
#include "runtime/load_error.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"

namespace {

std::vector<CSprite*> g_sprites;
std::vector<char*> g_names;

constexpr int32_t kWebRequestKind = 5;
constexpr int32_t kAsyncWebEvent = 60;
constexpr uint32_t kWebPrecise = 1, kWebTransparent = 2, kWebSmooth = 4, kWebPreload = 8;

struct WebRequest {
  int32_t sprite;
  int32_t frames;
  int32_t xorigin;
  int32_t yorigin;
  uint32_t flags;
};
static_assert(sizeof(WebRequest) == 20);

char* CopyText(const char* text) {
  if (text == nullptr) text = "";
  const size_t length = std::strlen(text);
  char* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, text, length + 1);
  return copy;
}

int32_t Append(CSprite* sprite) {
  const int32_t index = static_cast<int32_t>(g_sprites.size());
  char name[32];
  std::snprintf(name, sizeof name, "__newsprite%d", index);
  g_sprites.push_back(sprite);
  g_names.push_back(CopyText(name));
  return index;
}

void RemoveLast() {
  delete g_sprites.back();
  MemoryManager::Free(g_names.back());
  g_sprites.pop_back();
  g_names.pop_back();
}

bool InRange(int32_t index) { return index >= 0 && static_cast<size_t>(index) < g_sprites.size(); }

int32_t FramesFromReal(double frames) {
  if (!(frames >= 1)) return 1;
  return frames >= 2147483647.0 ? 2147483647 : Num_TruncInt32(frames);
}

bool IsWebAddress(const char* name) {
  return std::strncmp(name, "http://", 7) == 0 || std::strncmp(name, "https://", 8) == 0;
}

// The save folder first, then the program folder; each tries the exact
// name, then one differing only in letter case. Null when neither has it.
BitmapLoader* OpenImage(const char* name) {
  if (name == nullptr) return nullptr;
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadSaveFile(name, &size);
  if (data == nullptr) data = LoadSave_ReadProgramFile(name, &size);
  if (data == nullptr) {
    LoadSave_TellNotRegular(name);
    return nullptr;
  }
  BitmapLoader* loader = BitmapLoader_CreateFromMemory(data, size);
  MemoryManager::Free(data);
  return loader;
}

bool LoadInto(CSprite* sprite, const char* name, double frames, bool precise, bool transparent, bool smooth,
              bool preload, int32_t xorigin, int32_t yorigin, bool keepAlpha) {
  BitmapLoader* loader = OpenImage(name);
  const bool loaded = loader != nullptr && sprite->LoadFromImage(loader, FramesFromReal(frames), precise, transparent,
                                                                 smooth, preload, xorigin, yorigin, keepAlpha);
  delete loader;
  return loaded;
}

// The request's transparent and preload bits are not used: a sprite from
// the web keeps the image's own alpha and is always preloaded.
int32_t WebCompletion(HTTP_REQ_CONTEXT* answer, void* argument, int32_t* map) {
  const WebRequest* request = static_cast<const WebRequest*>(argument);
  const bool came = answer->received >= 1 && answer->buffer != nullptr;
  const int32_t id = DS_CreateMapFromPairs(3, "filename", 0.0, answer->url == nullptr ? "" : answer->url, "id",
                                           double(request->sprite), nullptr, "status", came ? 0.0 : -1.0, nullptr);
  if (map != nullptr) *map = id;
  CSprite* sprite = Sprite_Get(request->sprite);
  if (came && sprite != nullptr) {
    BitmapLoader* loader = BitmapLoader_CreateFromMemory(answer->buffer, answer->received);
    sprite->LoadFromImage(loader, request->frames, (request->flags & kWebPrecise) != 0, false,
                          (request->flags & kWebSmooth) != 0, true, request->xorigin, request->yorigin, true);
    delete loader;
  }
  return kAsyncWebEvent;
}

void WebCleanup(void* argument) { MemoryManager::Free(argument); }

void RequestFromWeb(int32_t index, const char* address, double frames, bool precise, bool transparent, bool smooth,
                    bool preload, int32_t xorigin, int32_t yorigin) {
  WebRequest* request = static_cast<WebRequest*>(KV_ALLOC(sizeof(WebRequest), true));
  *request = {index, FramesFromReal(frames), xorigin, yorigin,
              (precise ? kWebPrecise : 0) | (transparent ? kWebTransparent : 0) | (smooth ? kWebSmooth : 0) |
                  (preload ? kWebPreload : 0)};
  HTTP_Get(address, kWebRequestKind, WebCompletion, WebCleanup, request);
}

int32_t AddCommon(const char* name, double frames, bool precise, bool transparent, bool smooth, bool preload,
                  int32_t xorigin, int32_t yorigin) {
  if (name == nullptr) return -1;
  const int32_t index = Append(new CSprite());
  if (IsWebAddress(name)) {
    RequestFromWeb(index, name, frames, precise, transparent, smooth, preload, xorigin, yorigin);
    return index;
  }
  if (LoadInto(g_sprites.back(), name, frames, precise, transparent, smooth, preload, xorigin, yorigin, true)) {
    return index;
  }
  RemoveLast();
  return -1;
}

bool ReplaceCommon(int32_t index, const char* name, double frames, bool precise, bool transparent, bool smooth,
                   bool preload, int32_t xorigin, int32_t yorigin, bool keepAlpha) {
  if (!InRange(index)) return false;
  const bool made = g_sprites[size_t(index)] == nullptr;
  if (made) g_sprites[size_t(index)] = new CSprite();
  if (LoadInto(g_sprites[size_t(index)], name, frames, precise, transparent, smooth, preload, xorigin, yorigin,
               keepAlpha)) {
    return true;
  }
  if (made) {
    delete g_sprites[size_t(index)];
    g_sprites[size_t(index)] = nullptr;
  }
  return false;
}

}  // namespace

void Sprite_Init() {
  for (size_t i = 0; i < g_sprites.size(); ++i) {
    delete g_sprites[i];
    MemoryManager::Free(g_names[i]);
  }
  g_sprites.clear();
  g_names.clear();
  g_sprites.shrink_to_fit();
  g_names.shrink_to_fit();
}

void Sprite_Shutdown() { Sprite_Init(); }

bool Sprite_Load(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("SPRT", "the sprite count runs past the chunk");
  Sprite_Init();
  g_sprites.assign(offsets.size(), nullptr);
  g_names.assign(offsets.size(), nullptr);
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    CSprite* sprite = new CSprite();
    const char* name = nullptr;
    const bool read = sprite->LoadFromRecord(image, offsets[i], data + size, &name);
    g_sprites[i] = sprite;
    g_names[i] = CopyText(name);
    if (!read) return false;
  }
  return true;
}

int32_t Sprite_Count() { return static_cast<int32_t>(g_sprites.size()); }

bool Sprite_Exists(int32_t index) { return InRange(index) && g_sprites[size_t(index)] != nullptr; }

CSprite* Sprite_Get(int32_t index) { return Sprite_Exists(index) ? g_sprites[size_t(index)] : nullptr; }

int32_t Sprite_Find(const char* name) {
  if (name == nullptr) return -1;
  for (size_t i = 0; i < g_sprites.size(); ++i) {
    if (g_sprites[i] != nullptr && g_names[i] != nullptr && std::strcmp(g_names[i], name) == 0) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

const char* Sprite_GetName(int32_t index) {
  static const char kUndefined[] = "<undefined>";
  return Sprite_Exists(index) && g_names[size_t(index)] != nullptr ? g_names[size_t(index)] : kUndefined;
}

int32_t Sprite_Add(const char* name, double frames, bool precise, bool transparent, bool smooth, bool preload,
                   int32_t xorigin, int32_t yorigin) {
  return AddCommon(name, frames, precise, transparent, smooth, preload, xorigin, yorigin);
}

int32_t Sprite_AddAlpha(const char* name, double frames, bool precise, bool preload, int32_t xorigin, int32_t yorigin) {
  return AddCommon(name, frames, precise, true, false, preload, xorigin, yorigin);
}

bool Sprite_Replace(int32_t index, const char* name, double frames, bool precise, bool transparent, bool smooth,
                    bool preload, int32_t xorigin, int32_t yorigin) {
  return ReplaceCommon(index, name, frames, precise, transparent, smooth, preload, xorigin, yorigin, false);
}

bool Sprite_ReplaceAlpha(int32_t index, const char* name, double frames, bool precise, bool preload, int32_t xorigin,
                         int32_t yorigin) {
  return ReplaceCommon(index, name, frames, precise, true, false, preload, xorigin, yorigin, true);
}

bool Sprite_Delete(int32_t index) {
  if (!Sprite_Exists(index)) return false;
  delete g_sprites[size_t(index)];
  MemoryManager::Free(g_names[size_t(index)]);
  g_sprites[size_t(index)] = nullptr;
  g_names[size_t(index)] = nullptr;
  return true;
}

int32_t Sprite_Duplicate(int32_t index) {
  const CSprite* source = Sprite_Get(index);
  if (source == nullptr) return -1;
  CSprite* copy = new CSprite();
  copy->Assign(source);
  return Append(copy);
}

bool Sprite_Assign(int32_t destination, int32_t source) {
  const CSprite* from = Sprite_Get(source);
  if (from == nullptr || !InRange(destination)) return false;
  if (g_sprites[size_t(destination)] == nullptr) g_sprites[size_t(destination)] = new CSprite();
  g_sprites[size_t(destination)]->Assign(from);
  return true;
}

int32_t Sprite_AddEmpty() { return Append(new CSprite()); }

void Sprite_InitTextures() {
  for (CSprite* sprite : g_sprites) {
    if (sprite != nullptr) sprite->InitTextures();
  }
}
