// Page-image decoding on arbitrary bytes: the image files, DDS and the
// block decoders must answer every input without reading past it.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "graphics/bitmap/image_decode.h"
#include "runtime/memory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  if (size < 2) return 0;
  // The first byte picks the format code; the rest is the file, in a block
  // of exactly its size, so that a read one byte past it is caught.
  const uint32_t formatCode = data[0] % 12;
  auto* copy = static_cast<uint8_t*>(MemoryManager::Alloc(size - 1, __FILE__, __LINE__, false));
  std::memcpy(copy, data + 1, size - 1);
  DecodedImage image = Image_Decode(copy, static_cast<uint32_t>(size - 1), formatCode);
  MemoryManager::Free(image.pixels);
  MemoryManager::Free(copy);
  return 0;
}
