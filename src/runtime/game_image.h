// The loaded game file, kept whole for the run, and the one bounds-checked
// way to read it. Stored offsets stay offsets: a reader turns one into a
// position and every field read checks that it lies inside the image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class GameImage {
 public:
  void Assign(std::vector<uint8_t> bytes) { bytes_ = std::move(bytes); }
  void Clear() { bytes_.clear(); }

  const uint8_t* Data() const { return bytes_.data(); }
  uint8_t* MutableData() { return bytes_.data(); }
  uint64_t Size() const { return bytes_.size(); }
  bool Empty() const { return bytes_.empty(); }

  // True when [offset, offset + length) lies inside the image.
  bool Contains(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  // The NUL-terminated text at a file offset; null when the offset is 0,
  // outside the image, or the text has no terminator inside the image.
  const char* TextAt(uint64_t offset) const;
  // True when the pointer lies inside the image (both ends included).
  bool Holds(const void* pointer) const;

 private:
  std::vector<uint8_t> bytes_;
};

// Reads little-endian fields from [position, end) of an image. A read past
// the end gives 0 and marks the reader failed; callers check Failed() once
// after a record rather than after every field.
class ImageReader {
 public:
  ImageReader(const GameImage& image, uint64_t position, uint64_t end)
      : image_(&image), position_(position), end_(end > image.Size() ? image.Size() : end) {}
  // A reader from a file offset to the end of the image.
  static ImageReader AtOffset(const GameImage& image, uint64_t offset) {
    return ImageReader(image, offset, image.Size());
  }

  uint32_t U32();
  int32_t I32() { return static_cast<int32_t>(U32()); }
  int16_t I16();
  float F32();
  uint8_t U8();
  // An offset word naming a text: null for 0; a bad offset fails the reader.
  const char* Text();
  void Skip(uint64_t count);

  // A count word followed by that many offset words; a count that cannot fit
  // in the bytes left fails the reader and gives an empty list.
  std::vector<uint32_t> OffsetTable();

  uint64_t Position() const { return position_; }
  uint64_t Remaining() const { return position_ <= end_ ? end_ - position_ : 0; }
  bool Failed() const { return failed_; }
  void Fail() { failed_ = true; }
  const GameImage& Image() const { return *image_; }

 private:
  bool Take(uint64_t count);

  const GameImage* image_;
  uint64_t position_;
  uint64_t end_;
  bool failed_ = false;
};

extern GameImage g_gameData;
