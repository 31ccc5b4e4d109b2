#include "audio/sound_records.h"

#include "runtime/load_error.h"

namespace {

// Name, kind, type, file name, effects, volume, pan, preload, image index.
constexpr uint64_t kRecordBytes = 9 * 4;

std::optional<std::string> OptionalText(const char* text) {
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

bool ReadRecord(const GameImage& image, uint64_t offset, uint64_t data, uint64_t end, size_t index,
                SoundRecord* record) {
  if (offset < data || offset > end || end - offset < kRecordBytes) {
    return LoadError_Report("SOND", "sound %zu: its record runs past the chunk", index);
  }
  ImageReader r(image, offset, end);
  record->name = OptionalText(r.Text());
  record->kind = r.I32();
  const char* type = r.Text();
  record->type = type != nullptr ? type : "";
  record->fileName = OptionalText(r.Text());
  record->effects = r.I32();
  record->volume = r.F32();
  record->pan = r.F32();
  record->preload = r.U32() != 0;
  record->imageIndex = r.I32();
  if (r.Failed()) return LoadError_Report("SOND", "sound %zu: a text lies outside the file", index);
  return true;
}

}  // namespace

bool SoundRecords_Read(const GameImage& image, uint64_t data, uint32_t size, SoundRecords* records) {
  records->clear();
  const uint64_t end = data + size;
  ImageReader r(image, data, end);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("SOND", "the sound count runs past the chunk");
  records->resize(offsets.size());
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    SoundRecord record;
    if (!ReadRecord(image, offsets[i], data, end, i, &record)) return false;
    (*records)[i] = std::move(record);
  }
  return true;
}

bool AudioImages_Read(const GameImage& image, uint64_t data, uint32_t size, std::vector<AudioImage>* images) {
  images->clear();
  const uint64_t end = data + size;
  ImageReader r(image, data, end);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("AUDO", "the image count runs past the chunk");
  images->resize(offsets.size());
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    if (offsets[i] < data || offsets[i] > end || end - offsets[i] < 4) {
      return LoadError_Report("AUDO", "image %zu: its length lies outside the chunk", i);
    }
    ImageReader entry(image, offsets[i], end);
    uint32_t length = entry.U32();
    if (entry.Failed() || length > entry.Remaining()) {
      return LoadError_Report("AUDO", "image %zu: its %u bytes run past the chunk", i, length);
    }
    (*images)[i] = {image.Data() + offsets[i] + 4, length};
  }
  return true;
}
