// GIF streams through giflib, frame by frame, each frame composed over the
// picture the ones before it left, as an animation shows them.
#pragma once

#include <cstddef>
#include <cstdint>

struct ColorMapObject;
struct GifFileType;

class GifDecoder {
 public:
  GifDecoder(const uint8_t* data, size_t size);
  ~GifDecoder();
  GifDecoder(const GifDecoder&) = delete;
  GifDecoder& operator=(const GifDecoder&) = delete;

  // Reads the screen description; false for a stream that is not a GIF or
  // whose screen lies outside the size limits.
  bool Open();
  // Composes the next frame into the picture. False at the end of the
  // stream, or on a fault (a frame cut short or damaged, or lying outside the
  // screen), after which Fault() names it and the picture is not to be used.
  bool NextFrame();

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // width x height pixels 0xAARRGGBB; the picture's block, from the memory
  // manager, goes to the caller with TakePicture.
  const uint32_t* Picture() const { return picture_; }
  uint32_t* TakePicture();
  const char* Fault() const { return fault_; }

 private:
  struct Rect {
    int32_t left, top, width, height;
  };

  bool Extension();
  bool Frame();
  bool ReadRows(const Rect& rect);
  void PaintRow(const uint8_t* indices, const ColorMapObject* map, const Rect& rect, int32_t y);
  void KeepCovered(const Rect& rect);
  void Dispose();
  void StartPicture(const Rect& rect);
  bool Failed(int error);
  bool Failed(const char* fault);

  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
  GifFileType* gif_ = nullptr;
  int32_t width_ = 0, height_ = 0;
  uint32_t* picture_ = nullptr;
  // The graphic control read for the next frame: its transparent index (-1
  // for none) and how it leaves the picture (2 and 3: put back what it
  // covered); `disposal_` is the one the last frame was drawn under.
  int32_t transparent_ = -1;
  int32_t nextDisposal_ = 0;
  int32_t disposal_ = 0;
  Rect last_{0, 0, 0, 0};
  uint32_t* covered_ = nullptr;  // the last frame's rectangle before it was drawn
  const char* fault_ = nullptr;

  static int Read(GifFileType* gif, uint8_t* out, int count);
};
