// Highscore files from arbitrary bytes: a file is refused, or the table it
// gives writes a file that reads back; after one more round (an empty name
// is written as none, which drops its value) the bytes stay the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"
#include "runtime/memory.h"
#include "world/save/highscores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  Score_Clear();
  if (size > INT32_MAX || !Score_Parse(data, static_cast<int32_t>(size))) return 0;
  uint8_t* round = nullptr;
  int32_t roundSize = 0;
  Score_Write(&round, &roundSize);
  if (!Score_Parse(round, roundSize)) std::abort();
  MemoryManager::Free(round);
  uint8_t* first = nullptr;
  int32_t firstSize = 0;
  Score_Write(&first, &firstSize);
  if (!Score_Parse(first, firstSize)) std::abort();
  uint8_t* second = nullptr;
  int32_t secondSize = 0;
  Score_Write(&second, &secondSize);
  if (secondSize != firstSize || std::memcmp(first, second, static_cast<size_t>(firstSize)) != 0) std::abort();
  MemoryManager::Free(first);
  MemoryManager::Free(second);
  return 0;
}
