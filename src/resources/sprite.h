// Sprites: animated images with an origin, a bounding box and optional
// per-pixel collision masks. Game-file sprites draw from texture pages and
// carry stored masks; sprites made at run time keep a pixel copy and a
// texture per frame. Frame numbers wrap: modulo the count, negatives too.
#pragma once

#include <cstdint>

#include "graphics/bitmap/bitmap32.h"
#include "graphics/bitmap/bitmap_loader.h"
#include "runtime/containers.h"
#include "runtime/game_image.h"

struct TexturePage;

// {left, top, right, bottom}, right and bottom inclusive.
using SpriteBox = BitmapRect;

struct SpriteMask {
  int32_t size;    // width x height bytes
  uint8_t* bytes;  // row by row, 1 solid, 0 empty
};

// Where and how an instance holds a sprite for a collision test: the frame,
// the instance's bounding box in room pixels, its rounded position, its
// scales and its angle in degrees.
struct SpritePlacement {
  int32_t frame;
  SpriteBox box;
  int32_t x, y;
  float xscale, yscale, angle;
};

// Which constructor copies a platform bitmap into a frame.
constexpr int32_t kSpriteCopyAnyFormat = 1;

class CSprite {
 public:
  CSprite() = default;
  virtual ~CSprite();
  CSprite(const CSprite&) = delete;
  CSprite& operator=(const CSprite&) = delete;

  // Frees frames, textures and masks and returns to the new state.
  void Reset();

  // Reads a record of the game file and points *name at its name (inside
  // the image; null for none); false (with a console line) for a record
  // that runs past its chunk or has a negative size.
  bool LoadFromRecord(const GameImage& image, uint32_t recordOffset, uint64_t chunkEnd, const char** name);
  // Frames from a decoded image (see the store's Add and Replace); false
  // when the image holds no frame.
  bool LoadFromImage(BitmapLoader* loader, int32_t frames, bool precise, bool transparent, bool smooth, bool preload,
                     int32_t xorigin, int32_t yorigin, bool keepAlpha);
  void CreateFromBitmap(TBitmap* bitmap, bool precise, bool transparent, bool smooth, bool preload, int32_t xorigin,
                        int32_t yorigin, int32_t copyKind);
  void AddFrameFromBitmap(TBitmap* bitmap, int32_t copyKind);
  void Merge(const CSprite* other);
  void SetAlphaFromSprite(const CSprite* other);
  void Assign(const CSprite* other);

  // Geometry and masks.
  void ComputeBoundingBox();
  void SetBoundingBoxMode(int32_t mode);
  void SetBoundingBox(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void SetPrecise(bool precise);
  void RebuildMasks();
  // The frame's pixels as a new 32-bit bitmap (red and blue exchanged), or null.
  TBitmap* FrameAsBitmap(int32_t frame) const;
  // The frames' pixel copies side by side on opaque black, as one new
  // image the caller deletes; null without pixel copies or when the strip
  // would be too large.
  CBitmap32* MakeStrip() const;
  // A new box of the frame's solid pixels, or null without frames.
  SpriteBox* FrameBox(int32_t frame) const;
  // The frame modulo the count, negatives wrapped; 0 for no frames.
  static int32_t WrapFrame(int64_t frame, int32_t count);

  // Precise collision tests: room pixels against the masks.
  bool CollisionInstance(const SpritePlacement& mine, const CSprite* other, const SpritePlacement& theirs) const;
  bool CollisionPoint(const SpritePlacement& placement, int32_t px, int32_t py) const;
  bool CollisionRectangle(const SpritePlacement& placement, const SpriteBox& rectangle) const;
  bool CollisionEllipse(const SpritePlacement& placement, const SpriteBox& rectangle) const;
  bool CollisionLine(const SpritePlacement& placement, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;

  // Textures of the pixel copies (none for sprites with pages).
  void InitTextures();
  void FreeTextures();
  // The frame's texture-page handle, else its texture id; -1 without frames.
  int32_t TextureOfFrame(int32_t frame) const;
  // The page record of a frame, or null (no pages, or no such record).
  TexturePage* PageOfFrame(int32_t frame) const;

  // Drawing; colours are script colours, alpha 0..1, angles in degrees.
  void DrawSimple(int32_t frame, float x, float y) const;
  void Draw(int32_t frame, float x, float y, float xscale, float yscale, float angle, uint32_t colour,
            float alpha) const;
  void DrawStretched(int32_t frame, float x, float y, float width, float height, uint32_t colour, float alpha) const;
  void DrawPart(int32_t frame, float left, float top, float width, float height, float x, float y, float xscale,
                float yscale, uint32_t colour, float alpha) const;
  void DrawGeneral(int32_t frame, float left, float top, float width, float height, float x, float y, float xscale,
                   float yscale, float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha) const;
  void DrawTiled(int32_t frame, float x, float y, float xscale, float yscale, bool tileH, bool tileV, int32_t areaLeft,
                 int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t colour, float alpha) const;
  void DrawPos(int32_t frame, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
               uint32_t colourWord, float alpha) const;

  bool HasPages() const { return hasPages != 0; }
  bool HasMasks() const { return masksPresent != 0 && masks.length > 0; }

  int32_t bboxMode = 0;
  SpriteBox bbox{0, 0, 0, 0};
  int32_t frameCount = 0;
  int32_t width = 1;
  int32_t height = 1;
  int32_t xorigin = 0;
  int32_t yorigin = 0;
  int32_t radius = 0;
  uint8_t precise = 1;
  uint8_t masksPresent = 0;
  uint8_t transparent = 1;
  uint8_t smooth = 0;
  uint8_t preload = 1;
  cARRAY_STRUCTURE<SpriteMask> masks;
  cARRAY_CLASS<CBitmap32> frames;
  cARRAY_STRUCTURE<int32_t> textures;
  // The file offsets of the frames' texture-page records.
  cARRAY_STRUCTURE<uint32_t> pages;
  uint8_t hasPages = 0;

 private:
  void ComputeRadius();
  void FreeMasks();
  void FreeFrames();
  void AppendFrame(CBitmap32* frame);
  void AfterFramesChanged();
  bool DrawSkipped(float x, float y, float reachX, float reachY) const;
};

// The store.
void Sprite_Init();
bool Sprite_Load(const GameImage& image, uint64_t data, uint32_t size);
int32_t Sprite_Count();
bool Sprite_Exists(int32_t index);
CSprite* Sprite_Get(int32_t index);
int32_t Sprite_Find(const char* name);
const char* Sprite_GetName(int32_t index);
// Frames are reals: below 1 or NaN give one frame. -1 / false on failure.
int32_t Sprite_Add(const char* name, double frames, bool precise, bool transparent, bool smooth, bool preload,
                   int32_t xorigin, int32_t yorigin);
bool Sprite_Replace(int32_t index, const char* name, double frames, bool precise, bool transparent, bool smooth,
                    bool preload, int32_t xorigin, int32_t yorigin);
int32_t Sprite_AddAlpha(const char* name, double frames, bool precise, bool preload, int32_t xorigin, int32_t yorigin);
bool Sprite_ReplaceAlpha(int32_t index, const char* name, double frames, bool precise, bool preload, int32_t xorigin,
                         int32_t yorigin);
bool Sprite_Delete(int32_t index);
int32_t Sprite_Duplicate(int32_t index);
bool Sprite_Assign(int32_t destination, int32_t source);
int32_t Sprite_AddEmpty();
void Sprite_InitTextures();
void Sprite_Shutdown();
