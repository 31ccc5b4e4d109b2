// Backgrounds: single images that rooms draw as layers and tiles. Those of
// the game file live on a texture page; those made at run time hold a
// texture of their own.
#pragma once

#include <cstdint>

#include "graphics/texture_page.h"
#include "runtime/game_image.h"

class CBackground {
 public:
  CBackground() = default;
  ~CBackground();
  CBackground(const CBackground&) = delete;
  CBackground& operator=(const CBackground&) = delete;

  // Frees the texture and forgets the page and the size.
  void Reset();
  // From a BGND record whose fields follow the name word; null on success,
  // else what was wrong.
  const char* Load(ImageReader& record);
  // Decodes an image file's bytes into a texture of its own, taking the
  // image's size; false when it cannot be decoded (nothing changes then).
  bool LoadFromMemory(const uint8_t* data, int32_t size);
  // Copies size, flags and page; a texture of its own is made anew.
  void Assign(const CBackground& other);

  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  bool GetTransparent() const { return transparent_ != 0; }
  bool GetSmooth() const { return smooth_ != 0; }
  bool GetPreload() const { return preload_ != 0; }
  int32_t GetTextureId() const { return texture_; }
  // The page record holding the image, or null.
  const TexturePage* GetPage() const;
  uint32_t GetPageOffset() const { return pageOffset_; }

 private:
  int32_t width_ = 0, height_ = 0;
  uint8_t transparent_ = 0, smooth_ = 0, preload_ = 0;
  int32_t texture_ = -1;
  uint32_t pageOffset_ = 0;  // of the game file's page record; 0 for none
};

// How textures are made from decoded 0xAARRGGBB pixels and freed; installed
// by the texture table unless a test puts others in (null: the table's).
using BackgroundTextureCreator = int32_t (*)(int32_t width, int32_t height, const void* pixels, uint32_t byteSize);
using BackgroundTextureFreer = void (*)(int32_t texture);
void Background_SetTextureFunctions(BackgroundTextureCreator create, BackgroundTextureFreer free);

// The store. Empty and deleted slots stay null; indices are never reused.
void Background_Init();
bool Background_Load(const GameImage& image, uint64_t data, uint32_t size);
int32_t Background_Count();
bool Background_Exists(int32_t index);
CBackground* Background_Get(int32_t index);
// A newly allocated "<undefined>" for no background; the caller frees it.
char* Background_GetName(int32_t index);
const char* Background_Name(int32_t index);
int32_t Background_Find(const char* name);
// The save folder first, then the program folder; -1 with the store
// unchanged when the file is missing or cannot be decoded.
int32_t Background_Add(const char* fileName, bool removeBackground, bool smooth, bool preload);
bool Background_Replace(int32_t index, const char* fileName, bool removeBackground, bool smooth, bool preload);
int32_t Background_AddEmpty();
bool Background_Delete(int32_t index);
int32_t Background_Duplicate(int32_t index);
bool Background_Assign(int32_t destination, int32_t source);
void Background_Shutdown();
