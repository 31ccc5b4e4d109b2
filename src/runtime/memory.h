// The program's one source of heap memory. Every block carries a 16-byte
// header (size, two guard words, zero) in front of the caller's pointer so a
// release can prove the block is ours; running totals feed the start-up log
// and the profiler overlay.
#pragma once

#include <cstddef>
#include <cstdint>

struct MemoryBlockHeader {
  uint32_t size;
  uint32_t guard1;
  uint32_t guard2;
  uint32_t zero;
};
static_assert(sizeof(MemoryBlockHeader) == 16);

class MemoryManager {
 public:
  static constexpr uint32_t kGuard1 = 0xDEADC0DEu;
  static constexpr uint32_t kGuard2 = 0xBAADB00Bu;
  static constexpr uint32_t kSizeMask = 0x7FFFFFFFu;
  // Largest request: the size must fit the header's 31 bits with the header.
  static constexpr size_t kMaxSize = kSizeMask - sizeof(MemoryBlockHeader);

  static void* Alloc(size_t size, const char* file, int line, bool clear);
  static void Free(void* pointer);
  static void* ReAlloc(void* pointer, size_t size, const char* file, int line);
  // ReAlloc of the pointer held in *slot, stored back and returned.
  template <typename T>
  static T* SetLength(T** slot, size_t size, const char* file, int line) {
    *slot = static_cast<T*>(ReAlloc(*slot, size, file, line));
    return *slot;
  }
  static uint32_t GetSize(const void* pointer);
  static void DumpTotal();

  // Counters: bytes in use, two totals kept alike for the profiler, blocks.
  static uint32_t BytesInUse();
  static uint32_t TotalA();
  static uint32_t TotalB();
  static uint32_t BlockCount();

  // True when the pointer carries our guard words.
  static bool IsOurs(const void* pointer);
};

#define KV_ALLOC(size, clear) MemoryManager::Alloc((size), __FILE__, __LINE__, (clear))
#define KV_REALLOC(ptr, size) MemoryManager::ReAlloc((ptr), (size), __FILE__, __LINE__)
