#include "graphics/bitmap/gif_decode.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/bitmap/image_formats.h"
#include "runtime/memory.h"

namespace {

constexpr int kPassStart[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

}  // namespace

GifDecoder::GifDecoder(const uint8_t* data, size_t size) : data_(data), size_(size) {}

GifDecoder::~GifDecoder() {
  if (gif_ != nullptr) DGifCloseFile(gif_, nullptr);
  MemoryManager::Free(picture_);
  MemoryManager::Free(covered_);
}

int GifDecoder::Read(GifFileType* gif, uint8_t* out, int count) {
  auto* self = static_cast<GifDecoder*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(count), self->size_ - self->at_);
  std::memcpy(out, self->data_ + self->at_, n);
  self->at_ += n;
  return static_cast<int>(n);
}

bool GifDecoder::Failed(int error) {
  const char* text = GifErrorString(error);
  return Failed(text != nullptr ? text : "unknown error");
}

bool GifDecoder::Failed(const char* fault) {
  fault_ = fault;
  return false;
}

bool GifDecoder::Open() {
  int error = 0;
  gif_ = DGifOpen(this, Read, &error);
  if (gif_ == nullptr) return Failed(error);
  if (!Image_SizeAllowed(gif_->SWidth, gif_->SHeight)) return Failed("bad screen size");
  width_ = gif_->SWidth;
  height_ = gif_->SHeight;
  return true;
}

uint32_t* GifDecoder::TakePicture() {
  uint32_t* picture = picture_;
  picture_ = nullptr;
  return picture;
}

bool GifDecoder::NextFrame() {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif_, &type) == GIF_ERROR) return Failed(gif_->Error);
    if (type == IMAGE_DESC_RECORD_TYPE) return Frame();
    if (type == TERMINATE_RECORD_TYPE) return false;
    if (!Extension()) return false;
  }
}

// Only the graphic control matters; it holds for the next frame alone.
bool GifDecoder::Extension() {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) return Failed(gif_->Error);
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] == 4) {
    nextDisposal_ = (block[1] >> 2) & 7;
    transparent_ = (block[1] & 1) != 0 ? block[4] : -1;
  }
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) return Failed(gif_->Error);
  }
  return true;
}

// Frames that put back what they covered keep a copy of it (KeepCovered)
// for the next frame to restore (Dispose).
bool GifDecoder::Frame() {
  if (DGifGetImageDesc(gif_) == GIF_ERROR) return Failed(gif_->Error);
  const GifImageDesc& desc = gif_->Image;
  const Rect rect{desc.Left, desc.Top, desc.Width, desc.Height};
  if (rect.left < 0 || rect.top < 0 || rect.width < 0 || rect.height < 0 || rect.left + rect.width > width_ ||
      rect.top + rect.height > height_) {
    return Failed("a frame lies outside the screen");
  }
  if (desc.ColorMap == nullptr && gif_->SColorMap == nullptr) return Failed("no colour table");
  if (picture_ == nullptr) {
    StartPicture(rect);
  } else {
    Dispose();
  }
  disposal_ = nextDisposal_;
  last_ = rect;
  nextDisposal_ = 0;
  if (disposal_ == 2 || disposal_ == 3) KeepCovered(rect);
  if (!ReadRows(rect)) return false;
  transparent_ = -1;
  return true;
}

bool GifDecoder::ReadRows(const Rect& rect) {
  if (rect.width == 0 || rect.height == 0) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif_, &codeSize, &block) == GIF_ERROR) return Failed(gif_->Error);
    while (block != nullptr) {
      if (DGifGetCodeNext(gif_, &block) == GIF_ERROR) return Failed(gif_->Error);
    }
    return true;
  }
  const ColorMapObject* map = gif_->Image.ColorMap != nullptr ? gif_->Image.ColorMap : gif_->SColorMap;
  std::vector<GifPixelType> line(static_cast<size_t>(rect.width));
  const bool interlaced = gif_->Image.Interlace;
  for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
    const int start = interlaced ? kPassStart[pass] : 0, step = interlaced ? kPassStep[pass] : 1;
    for (int32_t y = start; y < rect.height; y += step) {
      if (DGifGetLine(gif_, line.data(), rect.width) == GIF_ERROR) return Failed(gif_->Error);
      PaintRow(line.data(), map, rect, y);
    }
  }
  return true;
}

// The transparent index, and indices past the colour table, leave the
// picture as it was.
void GifDecoder::PaintRow(const GifPixelType* indices, const ColorMapObject* map, const Rect& rect, int32_t y) {
  uint32_t* out = picture_ + static_cast<size_t>(rect.top + y) * width_ + rect.left;
  for (int32_t x = 0; x < rect.width; ++x) {
    const int32_t index = indices[x];
    if (index == transparent_ || index >= map->ColorCount) continue;
    const GifColorType& c = map->Colors[index];
    out[x] = Image_Argb(255, c.Red, c.Green, c.Blue);
  }
}

void GifDecoder::KeepCovered(const Rect& rect) {
  MemoryManager::Free(covered_);
  covered_ = static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(rect.width) * rect.height * 4 + 4, false));
  for (int32_t y = 0; y < rect.height; ++y) {
    std::memcpy(covered_ + static_cast<size_t>(y) * rect.width,
                picture_ + static_cast<size_t>(rect.top + y) * width_ + rect.left, static_cast<size_t>(rect.width) * 4);
  }
}

void GifDecoder::Dispose() {
  if (disposal_ != 2 && disposal_ != 3) return;
  for (int32_t y = 0; y < last_.height; ++y) {
    std::memcpy(picture_ + static_cast<size_t>(last_.top + y) * width_ + last_.left,
                covered_ + static_cast<size_t>(y) * last_.width, static_cast<size_t>(last_.width) * 4);
  }
}

// The first frame starts from a clear picture, except that a screen with a
// background index shows that colour, opaque, wherever the frame does not
// reach. Whole rows are filled by copying, as a huge screen may hold a tiny
// frame.
void GifDecoder::StartPicture(const Rect& rect) {
  const size_t row = static_cast<size_t>(width_), rows = static_cast<size_t>(height_);
  picture_ = static_cast<uint32_t*>(KV_ALLOC(row * rows * 4, false));
  const int32_t index = gif_->SBackGroundColor;
  const ColorMapObject* map = gif_->SColorMap;
  if (index <= 0) {
    std::memset(picture_, 0, row * rows * 4);
    return;
  }
  uint32_t colour = Image_Argb(255, 0, 0, 0);
  if (map != nullptr && index < map->ColorCount) {
    colour = Image_Argb(255, map->Colors[index].Red, map->Colors[index].Green, map->Colors[index].Blue);
  }
  std::fill_n(picture_, row, colour);
  for (size_t y = 1; y < rows; ++y) std::memcpy(picture_ + y * row, picture_, row * 4);
  for (int32_t y = rect.top; y < rect.top + rect.height; ++y) {
    std::memset(picture_ + static_cast<size_t>(y) * row + rect.left, 0, static_cast<size_t>(rect.width) * 4);
  }
}

bool Gif_DecodeFirstFrame(const uint8_t* data, size_t size, DecodedImage& image) {
  image.fileFormat = 9;
  GifDecoder decoder(data, size);
  if (!decoder.Open()) return Image_Fail("GIF: %s", decoder.Fault());
  image.width = decoder.Width();
  image.height = decoder.Height();
  if (!decoder.NextFrame()) return Image_Fail("GIF: %s", decoder.Fault() != nullptr ? decoder.Fault() : "no frames");
  image.pixels = decoder.TakePicture();
  return true;
}
