// Backgrounds: single images that rooms draw as layers and tiles. Those of
// the game file live on a texture page; those made at run time hold a
// texture of their own.
#pragma once

#include <cstdint>

#include "graphics/bitmap/bitmap32.h"
#include "graphics/texture/texture_page.h"
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
  // Decodes an image file's bytes into a pixel copy and a texture of its
  // own, taking the image's size and the flags (which leave the pixels as
  // decoded); false when it cannot be decoded (nothing changes then).
  bool LoadFromMemory(const uint8_t* data, int32_t size, bool transparent, bool smooth, bool preload);
  // Copies size, flags, page and pixel copy; a texture of its own is made
  // anew from the copy.
  void Assign(const CBackground& other);

  // Rebuilds: each resets, makes a new pixel copy and its texture. A colour
  // or gradient size that no bitmap may have leaves the background empty.
  // Copy kind 1 reads any bitmap format, others read it as opaque.
  void CreateFromBitmap(TBitmap* bitmap, bool transparent, bool smooth, bool preload, int32_t copyKind);
  // Script colours 0xBBGGRR; gradient kinds are those of CBitmap32::Gradient.
  void CreateColor(int32_t width, int32_t height, uint32_t colour, bool preload);
  void CreateGradient(int32_t width, int32_t height, uint32_t colour1, uint32_t colour2, int32_t kind, bool preload);
  // Alpha from the other's pixels over the common area; both need a pixel
  // copy, else a console line and no change.
  void SetAlphaFromBackground(const CBackground& other);
  // A new 24-bit bitmap of the pixel copy the caller deletes, or null.
  TBitmap* MakeBitmap() const;
  // Frees the own texture and makes it anew from the pixel copy (-1 without).
  void MakeTexture();

  // Drawing through the page when there is one, else through the own
  // texture. Colours are script colours, alpha 0..1, angles in degrees.
  void DrawSimple(float x, float y) const;
  void Draw(float x, float y, float xscale, float yscale, float angle, uint32_t colour, float alpha) const;
  // Nothing when the target or the image has no positive size.
  void DrawStretched(float x, float y, float width, float height, uint32_t colour, float alpha) const;
  void DrawPart(float left, float top, float width, float height, float x, float y, float xscale, float yscale,
                uint32_t colour, float alpha) const;
  void DrawGeneral(float left, float top, float width, float height, float x, float y, float xscale, float yscale,
                   float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha) const;
  void DrawTiled(float x, float y, float xscale, float yscale, bool tileH, bool tileV, int32_t areaLeft,
                 int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t colour, float alpha) const;
  // The page's handle when the image lies on a page, else the texture id.
  int32_t GetTexture() const;
  const CBitmap32* GetPixels() const { return pixels_; }

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
  TexturePage* DrawPage() const;
  int32_t width_ = 0, height_ = 0;
  uint8_t transparent_ = 0, smooth_ = 0, preload_ = 0;
  int32_t texture_ = -1;
  CBitmap32* pixels_ = nullptr;
  uint32_t pageOffset_ = 0;  // of the game file's page record; 0 for none
};

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
// Makes every background's own texture (graphics start).
void Background_InitTextures();
void Background_Shutdown();
