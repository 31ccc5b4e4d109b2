#include "runtime/chunk_readers.h"

#include <map>

namespace {

struct InstalledReader {
  ChunkReaderFn read = nullptr;
  StoreClearFn clear = nullptr;
};

std::map<uint32_t, InstalledReader>& Installed() {
  static auto& installed = *new std::map<uint32_t, InstalledReader>;
  return installed;
}

}  // namespace

void ChunkWalk_InstallReader(const char (&id)[5], ChunkReaderFn reader, StoreClearFn clear) {
  Installed()[ChunkId(id)] = {reader, clear};
}

ChunkReaderFn ChunkWalk_InstalledReader(uint32_t id) {
  auto it = Installed().find(id);
  return it != Installed().end() ? it->second.read : nullptr;
}

void ChunkWalk_ClearInstalled(uint32_t id) {
  auto it = Installed().find(id);
  if (it != Installed().end() && it->second.clear != nullptr) it->second.clear();
}
