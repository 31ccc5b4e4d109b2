#include "files/stream_file.h"

#include <algorithm>
#include <cstdint>

#include "files/write_stream.h"
#include "runtime/stream.h"

bool StreamFile_Save(const CStream& stream, const char* path) {
  if (stream.GetBuffer() == nullptr || path == nullptr) return false;
  int64_t size = stream.GetSize();
  auto count = static_cast<size_t>(std::clamp<int64_t>(stream.GetPosition(), 0, size));
  return WriteStream_ReplaceWhole(path, stream.GetBuffer(), count);
}
