// Builds a game file in memory: little-endian words, chunks with their
// size words, and offsets that are filled in once their target is written.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace mkgame {

class FileBuilder {
 public:
  using Label = int;

  // A file is written twice: a first pass only collects the texts, so that
  // the string table (which comes before most chunks) can hold them all.
  FileBuilder() : collecting_(true) {}
  explicit FileBuilder(const std::vector<std::string>& texts);

  size_t Position() const { return bytes_.size(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v);
  void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
  void U32(uint32_t v);
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void F32(float v);
  void Raw(const void* data, size_t size);
  uint32_t WordAt(size_t at) const;
  void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void PatchU32(size_t at, uint32_t v);

  // Offsets to things written later: a label is bound to a position once,
  // every reference to it is patched when the file is finished.
  Label NewLabel();
  void Bind(Label label);
  void OffsetTo(Label label);      // u32 file offset of the label
  void OffsetOrZero(Label label);  // label -1 writes 0
  // Offset of a text in the string table; the table is written by WriteStrings.
  void TextOffset(const std::string& text);
  // Offset of a text, or 0 when the text is empty.
  void TextOffsetOrZero(const std::string& text);
  // Index of a text's entry in the string table.
  uint32_t TextIndex(const std::string& text);

  // A count, then one offset per item; the labels are bound where the items go.
  std::vector<Label> OffsetTable(size_t count);
  // The table and then the items, each written by `writeItem`.
  template <typename List, typename WriteItem>
  void Table(const List& items, WriteItem writeItem) {
    std::vector<Label> labels = OffsetTable(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
      Bind(labels[i]);
      writeItem(items[i]);
    }
  }

  size_t BeginChunk(const char id[4]);
  void EndChunk(size_t start);

  // The string table chunk, holding every text referenced so far and any
  // referenced later (texts are collected before the table is written).
  void WriteStrings();
  void Finish();  // patches the FORM size word and every offset

  // Texts referenced so far, in first-use order.
  const std::vector<std::string>& Texts() const { return textOrder_; }
  void AddText(const std::string& text);

 private:
  Label TextLabel(const std::string& text);

  std::vector<uint8_t> bytes_;
  std::vector<long> labels_;  // position, -1 until bound
  std::vector<std::pair<size_t, Label>> references_;
  std::map<std::string, Label> textLabels_;
  std::map<std::string, uint32_t> textIndices_;
  std::vector<std::string> textOrder_;
  bool stringsWritten_ = false;
  bool collecting_;
};

}  // namespace mkgame
