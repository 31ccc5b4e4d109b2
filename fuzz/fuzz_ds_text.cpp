// Feeds arbitrary text to every data-structure text reader. The first byte
// picks whether the text is also wrapped as hexadecimal, so the binary
// readers see well-formed hex over hostile bytes as well as raw junk.
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/ds_grid.h"
#include "runtime/ds_list.h"
#include "runtime/ds_map.h"
#include "runtime/ds_priority.h"
#include "runtime/ds_queue.h"
#include "runtime/ds_stack.h"
#include "runtime/hex.h"
#include "runtime/memory.h"

namespace {

// Reads the text, then writes and rereads the result, which must succeed.
template <typename T>
void Exercise(T& structure, const char* text) {
  if (!structure.ReadText(text)) return;
  char* written = structure.WriteText();
  if (!structure.ReadText(written)) __builtin_trap();
  MemoryManager::Free(written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string text =
      (data[0] & 1) ? Hex_Encode(data + 1, size - 1) : std::string(reinterpret_cast<const char*>(data + 1), size - 1);
  const char* c = text.c_str();
  CDS_Stack stack;
  CDS_Queue queue;
  CDS_List list;
  CDS_Priority priority;
  CDS_Grid grid(2, 2);
  CDS_Map map;
  Exercise(stack, c);
  Exercise(queue, c);
  Exercise(list, c);
  Exercise(priority, c);
  Exercise(grid, c);
  map.ReadText(c);
  char* written = map.WriteText();
  map.ReadText(written);
  MemoryManager::Free(written);
  return 0;
}
