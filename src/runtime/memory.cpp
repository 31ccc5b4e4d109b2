#include "runtime/memory.h"

#include <cstdlib>
#include <cstring>

#include "runtime/console.h"
#include "runtime/fatal.h"

namespace {

uint32_t g_bytesInUse = 0;
uint32_t g_totalA = 0;
uint32_t g_totalB = 0;
uint32_t g_blockCount = 0;

MemoryBlockHeader* HeaderOf(const void* pointer) {
  return reinterpret_cast<MemoryBlockHeader*>(const_cast<char*>(static_cast<const char*>(pointer)) -
                                              sizeof(MemoryBlockHeader));
}

MemoryBlockHeader* CheckedHeader(const void* pointer, const char* what) {
  MemoryBlockHeader* header = HeaderOf(pointer);
  if (header->guard1 != MemoryManager::kGuard1 || header->guard2 != MemoryManager::kGuard2) {
    Fatal_InternalError("%s of a block without guard words (%p)", what, pointer);
  }
  return header;
}

}  // namespace

void* MemoryManager::Alloc(size_t size, const char* file, int line, bool clear) {
  (void)file;
  (void)line;
  if (size == 0) return nullptr;
  if (size > kMaxSize) Fatal_OutOfMemory(size);
  auto* header = static_cast<MemoryBlockHeader*>(std::malloc(size + sizeof(MemoryBlockHeader)));
  if (header == nullptr) Fatal_OutOfMemory(size);
  header->size = static_cast<uint32_t>(size);
  header->guard1 = kGuard1;
  header->guard2 = kGuard2;
  header->zero = 0;
  void* user = header + 1;
  if (clear) std::memset(user, 0, size);
  uint32_t s = static_cast<uint32_t>(size);
  g_bytesInUse += s;
  g_totalA += s;
  g_totalB += s;
  ++g_blockCount;
  return user;
}

void MemoryManager::Free(void* pointer) {
  if (pointer == nullptr) return;
  MemoryBlockHeader* header = CheckedHeader(pointer, "Free");
  uint32_t s = header->size & kSizeMask;
  g_bytesInUse -= s;
  g_totalA -= s;
  g_totalB -= s;
  --g_blockCount;
  header->guard1 = 0;  // a second Free of the same block is caught
  header->guard2 = 0;
  std::free(header);
}

void* MemoryManager::ReAlloc(void* pointer, size_t size, const char*, int) {
  if (pointer == nullptr) return size == 0 ? nullptr : Alloc(size, __FILE__, __LINE__, true);
  MemoryBlockHeader* header = CheckedHeader(pointer, "ReAlloc");
  uint32_t old = header->size & kSizeMask;
  if (size == old) return pointer;
  if (size == 0) {
    Free(pointer);
    return nullptr;
  }
  void* fresh = Alloc(size, __FILE__, __LINE__, true);
  std::memcpy(fresh, pointer, size < old ? size : old);
  Free(pointer);
  return fresh;
}

uint32_t MemoryManager::GetSize(const void* pointer) {
  if (pointer == nullptr) return 0;
  return HeaderOf(pointer)->size & kSizeMask;
}

bool MemoryManager::IsOurs(const void* pointer) {
  if (pointer == nullptr) return false;
  const MemoryBlockHeader* header = HeaderOf(pointer);
  return header->guard1 == kGuard1 && header->guard2 == kGuard2;
}

void MemoryManager::DumpTotal() {
  g_debugConsole->Output("Total memory used = %d(0x%08lx) bytes\n", static_cast<int>(g_bytesInUse),
                         static_cast<unsigned long>(g_bytesInUse));
}

uint32_t MemoryManager::BytesInUse() { return g_bytesInUse; }
uint32_t MemoryManager::TotalA() { return g_totalA; }
uint32_t MemoryManager::TotalB() { return g_totalB; }
uint32_t MemoryManager::BlockCount() { return g_blockCount; }
