#include "mkgame/file_builder.h"

#include <cstring>
#include <stdexcept>

namespace mkgame {

FileBuilder::FileBuilder(const std::vector<std::string>& texts) : collecting_(false) {
  for (const std::string& text : texts) TextLabel(text);
}

void FileBuilder::U16(uint16_t v) {
  U8(static_cast<uint8_t>(v));
  U8(static_cast<uint8_t>(v >> 8));
}

void FileBuilder::U32(uint32_t v) {
  for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
}

void FileBuilder::F32(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  U32(bits);
}

void FileBuilder::Raw(const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

uint32_t FileBuilder::WordAt(size_t at) const {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes_.at(at + i)) << (8 * i);
  return v;
}

void FileBuilder::PatchU32(size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

FileBuilder::Label FileBuilder::NewLabel() {
  labels_.push_back(-1);
  return static_cast<Label>(labels_.size() - 1);
}

void FileBuilder::Bind(Label label) { labels_[label] = static_cast<long>(Position()); }

void FileBuilder::OffsetTo(Label label) {
  references_.emplace_back(Position(), label);
  U32(0);
}

void FileBuilder::OffsetOrZero(Label label) {
  if (label < 0) {
    U32(0);
  } else {
    OffsetTo(label);
  }
}

FileBuilder::Label FileBuilder::TextLabel(const std::string& text) {
  auto it = textLabels_.find(text);
  if (it != textLabels_.end()) return it->second;
  if (stringsWritten_ && !collecting_) throw std::logic_error("text referenced after the string table: " + text);
  Label label = NewLabel();
  textLabels_.emplace(text, label);
  textIndices_.emplace(text, static_cast<uint32_t>(textOrder_.size()));
  textOrder_.push_back(text);
  return label;
}

void FileBuilder::AddText(const std::string& text) { TextLabel(text); }

void FileBuilder::TextOffset(const std::string& text) { OffsetTo(TextLabel(text)); }

uint32_t FileBuilder::TextIndex(const std::string& text) {
  TextLabel(text);
  return textIndices_.at(text);
}

void FileBuilder::TextOffsetOrZero(const std::string& text) {
  if (text.empty()) {
    U32(0);
  } else {
    TextOffset(text);
  }
}

std::vector<FileBuilder::Label> FileBuilder::OffsetTable(size_t count) {
  U32(static_cast<uint32_t>(count));
  std::vector<Label> labels;
  for (size_t i = 0; i < count; ++i) {
    labels.push_back(NewLabel());
    OffsetTo(labels.back());
  }
  return labels;
}

size_t FileBuilder::BeginChunk(const char id[4]) {
  size_t start = Position();
  Raw(id, 4);
  U32(0);
  return start;
}

void FileBuilder::EndChunk(size_t start) { PatchU32(start + 4, static_cast<uint32_t>(Position() - start - 8)); }

void FileBuilder::WriteStrings() {
  size_t chunk = BeginChunk("STRG");
  U32(static_cast<uint32_t>(textOrder_.size()));
  std::vector<Label> entries;
  for (size_t i = 0; i < textOrder_.size(); ++i) {
    entries.push_back(NewLabel());
    OffsetTo(entries.back());
  }
  for (size_t i = 0; i < textOrder_.size(); ++i) {
    const std::string& text = textOrder_[i];
    Bind(entries[i]);
    U32(static_cast<uint32_t>(text.size()));
    Bind(textLabels_[text]);
    Raw(text.data(), text.size());
    U8(0);
  }
  EndChunk(chunk);
  stringsWritten_ = true;
}

void FileBuilder::Finish() {
  if (collecting_) return;
  for (const auto& [at, label] : references_) {
    if (labels_[label] < 0) throw std::logic_error("offset to a place never written");
    PatchU32(at, static_cast<uint32_t>(labels_[label]));
  }
  PatchU32(4, static_cast<uint32_t>(Position() - 8));
}

}  // namespace mkgame
