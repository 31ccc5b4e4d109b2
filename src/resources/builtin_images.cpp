#include "resources/builtin_images.h"

#include <cstring>

#include "graphics/texture/texture_table.h"

namespace {

// The program's own table, generated at build time, unless a test puts
// another in.
const uint8_t* g_table = g_builtinImageTable;
uint32_t g_tableSize = g_builtinImageTableSize;

uint32_t Word(uint32_t at) {
  uint32_t v = 0;
  if (g_table != nullptr && at <= g_tableSize && g_tableSize - at >= 4) std::memcpy(&v, g_table + at, 4);
  return v;
}

}  // namespace

void EmbeddedImage_SetTable(const uint8_t* table, uint32_t tableSize) {
  g_table = table;
  g_tableSize = table != nullptr ? tableSize : 0;
}

const uint8_t* EmbeddedImage_Data(int32_t index, uint32_t* size) {
  *size = 0;
  if (index < 0 || static_cast<uint32_t>(index) >= Word(0)) return nullptr;
  uint32_t length = Word(4 + 8 * static_cast<uint32_t>(index));
  uint32_t offset = Word(8 + 8 * static_cast<uint32_t>(index));
  if (offset > g_tableSize || length > g_tableSize - offset) return nullptr;
  *size = length;
  return g_table + offset;
}

int32_t EmbeddedImage_CreateTexture(int32_t index) {
  uint32_t size = 0;
  const uint8_t* data = EmbeddedImage_Data(index, &size);
  return GR_Texture_Create_From_Memory(data, size);
}
