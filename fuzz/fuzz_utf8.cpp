// Feeds arbitrary bytes to the UTF-8 decoders and the "#" rewrite: none may
// read past the terminator or the buffer (the sanitizers watch), reading must
// always make progress, and the counts must agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/text.h"
#include "runtime/utf8.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

int CountByReading(const char* text) {
  int count = 0;
  while (UTF8_ReadChar(&text) != 0) ++count;
  return count;
}

void FuzzBounded(const uint8_t* data, size_t size) {
  std::vector<char> raw(data, data + size);  // no terminator behind it
  const char* end = raw.data() + size;
  const char* p = raw.data();
  int reads = 0;
  while (p < end) {
    const char* before = p;
    UTF8_ReadCharBounded(&p, end);
    Check(p > before && p <= end);
    ++reads;
  }
  Check(UTF8_LengthBounded(raw.data(), size) <= reads);
}

void FuzzTerminated(const uint8_t* data, size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back(0);
  int length = UTF8_Length(text.data());
  int read = CountByReading(text.data());
  Check(read <= length && length <= static_cast<int>(size));
  Check(UTF8_Compare(text.data(), text.data()) == 0);
  UTF8_Compare(text.data(), "a\xC3\xA9");

  int written = Text_HashToNewline(text.data());
  Check(written <= read);
  Check(std::strlen(text.data()) <= size);
  // What the rewrite wrote is well formed: it reads back whole.
  Check(UTF8_Length(text.data()) == written);
  Check(CountByReading(text.data()) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzBounded(data, size);
  FuzzTerminated(data, size);
  return 0;
}
