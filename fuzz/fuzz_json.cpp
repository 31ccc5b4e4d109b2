// Arbitrary text through json_decode, and what comes out back through
// json_encode: decoding the written text must give a structure that writes
// the same text again. Nothing may leak, overflow the stack or crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/ds_json.h"
#include "runtime/ds_pool.h"
#include "runtime/memory.h"

namespace {

std::string Encoded(int32_t map) {
  char* text = DS_JsonEncode(map);
  if (text == nullptr) return "<none>";
  std::string copy = text;
  MemoryManager::Free(text);
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  int32_t map;
  // Nine bytes starting with 'R' stand for a real argument.
  if (size == 9 && data[0] == 'R') {
    double real;
    std::memcpy(&real, data + 1, sizeof real);
    map = DS_JsonDecodeReal(real);
  } else {
    const std::string text(reinterpret_cast<const char*>(data), size);
    map = DS_JsonDecode(text.c_str());
  }
  if (map >= 0) {
    const std::string first = Encoded(map);
    const int32_t again = DS_JsonDecode(first.c_str());
    if (again < 0) std::abort();
    if (Encoded(again) != first) std::abort();
  }
  DS_ReleasePools();
  return 0;
}
