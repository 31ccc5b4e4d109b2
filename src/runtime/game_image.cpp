#include "runtime/game_image.h"

#include <cstring>

GameImage g_gameData;

const char* GameImage::TextAt(uint64_t offset) const {
  if (offset == 0 || offset >= bytes_.size()) return nullptr;
  const void* end = std::memchr(bytes_.data() + offset, 0, bytes_.size() - offset);
  if (end == nullptr) return nullptr;
  return reinterpret_cast<const char*>(bytes_.data() + offset);
}

bool GameImage::Holds(const void* pointer) const {
  auto p = reinterpret_cast<uintptr_t>(pointer);
  auto start = reinterpret_cast<uintptr_t>(bytes_.data());
  return !bytes_.empty() && p >= start && p <= start + bytes_.size();
}

bool ImageReader::Take(uint64_t count) {
  if (failed_ || Remaining() < count) {
    failed_ = true;
    return false;
  }
  return true;
}

uint32_t ImageReader::U32() {
  if (!Take(4)) return 0;
  uint32_t v;
  std::memcpy(&v, image_->Data() + position_, 4);
  position_ += 4;
  return v;
}

int16_t ImageReader::I16() {
  if (!Take(2)) return 0;
  int16_t v;
  std::memcpy(&v, image_->Data() + position_, 2);
  position_ += 2;
  return v;
}

float ImageReader::F32() {
  if (!Take(4)) return 0.0f;
  float v;
  std::memcpy(&v, image_->Data() + position_, 4);
  position_ += 4;
  return v;
}

uint8_t ImageReader::U8() {
  if (!Take(1)) return 0;
  return image_->Data()[position_++];
}

const char* ImageReader::Text() {
  uint32_t offset = U32();
  if (failed_ || offset == 0) return nullptr;
  const char* text = image_->TextAt(offset);
  if (text == nullptr) failed_ = true;
  return text;
}

void ImageReader::Skip(uint64_t count) {
  if (Take(count)) position_ += count;
}

std::vector<uint32_t> ImageReader::OffsetTable() {
  uint32_t count = U32();
  if (failed_ || count > Remaining() / 4) {
    failed_ = true;
    return {};
  }
  std::vector<uint32_t> offsets(count);
  for (uint32_t& offset : offsets) offset = U32();
  return offsets;
}
