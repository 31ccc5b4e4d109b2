// zlib-packed blocks inside a stream: a 4-byte length, then a zlib stream
// that may be followed by zero padding up to that length.
#include <zlib.h>

#include <cstdint>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/stream.h"

namespace {

constexpr int kChunk = 16384;

voidpf PackAlloc(voidpf, uInt items, uInt size) {
  uint64_t total = static_cast<uint64_t>(items) * size;
  if (total == 0 || total > MemoryManager::kMaxSize) return Z_NULL;
  return KV_ALLOC(static_cast<size_t>(total), true);
}

void PackFree(voidpf, voidpf pointer) { MemoryManager::Free(pointer); }

z_stream NewZStream() {
  z_stream zs{};
  zs.zalloc = PackAlloc;
  zs.zfree = PackFree;
  return zs;
}

// Runs one zlib call per output chunk until zlib leaves room in the output,
// appending what it produced. Answers zlib's last result, or Z_MEM_ERROR when
// the output stream cannot take the bytes.
template <typename Step>
int DrainChunk(z_stream& zs, CStream& out, Step step) {
  uint8_t buffer[kChunk];
  int result;
  do {
    zs.next_out = buffer;
    zs.avail_out = kChunk;
    result = step();
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return result;
    int64_t have = kChunk - static_cast<int64_t>(zs.avail_out);
    if (have > 0 && out.WriteBuffer(buffer, have) != have) return Z_MEM_ERROR;
  } while (zs.avail_out == 0);
  return result;
}

bool Deflate(CStream& source, CStream& out) {
  z_stream zs = NewZStream();
  if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK) return false;
  uint8_t input[kChunk];
  int flush = Z_NO_FLUSH;
  int result = Z_OK;
  while (flush != Z_FINISH && result != Z_MEM_ERROR && result != Z_STREAM_ERROR) {
    int64_t got = source.ReadBuffer(input, kChunk);
    flush = source.GetPosition() >= source.GetSize() ? Z_FINISH : Z_NO_FLUSH;
    zs.next_in = input;
    zs.avail_in = static_cast<uInt>(got);
    result = DrainChunk(zs, out, [&] { return deflate(&zs, flush); });
  }
  deflateEnd(&zs);
  return result == Z_STREAM_END;
}

bool Inflate(CStream& source, CStream& out) {
  z_stream zs = NewZStream();
  if (inflateInit(&zs) != Z_OK) return false;
  uint8_t input[kChunk];
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    int64_t got = source.ReadBuffer(input, kChunk);
    if (got == 0) break;  // the data ends before the deflate stream does
    zs.next_in = input;
    zs.avail_in = static_cast<uInt>(got);
    result = DrainChunk(zs, out, [&] { return inflate(&zs, Z_NO_FLUSH); });
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) break;
  }
  inflateEnd(&zs);
  return result == Z_STREAM_END;
}

}  // namespace

void CStream::WriteCompressed(CStream* source) {
  if (source == nullptr) return;
  int64_t saved = source->GetPosition();
  source->SetPosition(0);
  CStream packed(0);
  bool ok = Deflate(*source, packed);
  source->SetPosition(saved);
  if (!ok) return;
  // The whole capacity is written, padding included: readers stop at the
  // end of the zlib stream.
  WriteInteger(packed.GetSize());
  WriteBuffer(packed.GetBuffer(), packed.GetSize());
}

CStream* ZDecompressStream(CStream* stream) {
  if (stream == nullptr) return nullptr;
  int32_t length = stream->ReadInteger();
  int64_t left = stream->GetSize() - stream->GetPosition();
  int64_t count = length < 1 || left < 1 ? 0 : (length < left ? length : left);
  CStream block(0);
  if (count > 0) block.CopyFrom(stream, count, true);
  block.SetPosition(0);
  g_debugConsole->Output("ZDecompressStream %d\n", length);
  auto* out = new CStream(0);
  if (!Inflate(block, *out)) {
    delete out;
    return nullptr;
  }
  g_debugConsole->Output("Done ZDecompressStream\n");
  out->SetPosition(0);
  return out;
}
