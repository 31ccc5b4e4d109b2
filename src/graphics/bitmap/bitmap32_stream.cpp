// The stored form of a CBitmap32 (versions 540, written, and 800, read
// only) and its PNG writer.
#include <zlib.h>

#include <cstring>

#include "graphics/bitmap/bitmap32.h"
#include "graphics/bitmap/bitmap_limits.h"
#include "graphics/bitmap/bmp_png.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/stream.h"

namespace {

constexpr int32_t kPackedVersion = 540;
constexpr int32_t kRawVersion = 800;

// The bytes of a length-prefixed block, clamped to what the stream holds;
// the stream moves past them, so a record read stays in step whatever its
// sizes claim.
struct Block {
  const uint8_t* bytes;
  int64_t count;
};

Block TakeBlock(CStream* stream) {
  const int32_t length = stream->ReadInteger();
  const int64_t left = int64_t{stream->GetSize()} - stream->GetPosition();
  const int64_t count = length < 1 || left < 1 ? 0 : (length < left ? length : left);
  const Block block{stream->GetBuffer() + stream->GetPosition(), count};
  stream->Seek(count, 1);
  return block;
}

// Inflates at most `room` bytes; a block that is not zlib data leaves zeros.
void InflateInto(const Block& block, uint8_t* out, int64_t room) {
  z_stream z{};
  if (block.count == 0 || inflateInit(&z) != Z_OK) return;
  z.next_in = const_cast<Bytef*>(block.bytes);
  z.avail_in = static_cast<uInt>(block.count);
  z.next_out = out;
  z.avail_out = static_cast<uInt>(room);
  const int status = inflate(&z, Z_FINISH);
  inflateEnd(&z);
  const bool usable = status == Z_STREAM_END || status == Z_BUF_ERROR || (status == Z_OK && z.avail_out == 0);
  if (!usable) std::memset(out, 0, static_cast<size_t>(room));
}

}  // namespace

CBitmap32::CBitmap32(CStream* stream) {
  if (stream == nullptr) return;
  const int32_t version = stream->ReadInteger();
  if (version == kPackedVersion) {
    if (!stream->ReadBoolean()) return;
  } else if (version != kRawVersion) {
    g_debugConsole->Output("Bitmap record of unknown version %d\n", version);
    return;
  }
  const int32_t width = stream->ReadInteger();
  const int32_t height = stream->ReadInteger();
  const Block block = TakeBlock(stream);
  if (!Allocate(width, height)) {
    g_debugConsole->Output("Bitmap record of size %d x %d refused\n", width, height);
    return;
  }
  auto* out = reinterpret_cast<uint8_t*>(data_.pixels);
  if (version == kPackedVersion) {
    InflateInto(block, out, data_.size);
  } else {
    std::memcpy(out, block.bytes, static_cast<size_t>(block.count < data_.size ? block.count : data_.size));
  }
}

void CBitmap32::Save(CStream* stream) const {
  stream->WriteInteger(kPackedVersion);
  stream->WriteBoolean(IsValid());
  if (!IsValid()) return;
  stream->WriteInteger(width_);
  stream->WriteInteger(height_);
  CStream pixels(data_.size);
  pixels.WriteBuffer(data_.pixels, data_.size);
  stream->WriteCompressed(&pixels);
}

bool CBitmap32::write_png_file(const char* fileName) const {
  if (!IsValid()) return false;
  const int64_t count = int64_t{width_} * height_;
  auto* rgba = static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(data_.size), false));
  for (int64_t i = 0; i < count; ++i) rgba[i] = GR_Color_Swap_Red_Blue(data_.pixels[i]);
  const bool written = ::write_png_file(fileName, rgba, width_, height_, GR_PngFileMessages());
  MemoryManager::Free(rgba);
  return written;
}

uint32_t GR_Color_Swap_Red_Blue(uint32_t colour) {
  return (colour & 0xFF00FF00u) | (colour & 0xFF) << 16 | (colour >> 16 & 0xFF);
}
