// Drives the stream readers over arbitrary bytes: the first byte of each step
// picks a reader, the rest of the input is the stream being read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/stream.h"

namespace {

class SilentConsole : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char*, ...) override {}
};

void ReadOne(CStream& s, uint8_t op) {
  switch (op % 9) {
    case 0: MemoryManager::Free(s.GetString()); break;
    case 1: CStream::Destroy(s.ReadSubStream()); break;
    case 2: CStream::Destroy(ZDecompressStream(&s)); break;
    case 3: s.ReadInteger(); break;
    case 4: s.ReadReal(); break;
    case 5: {
      CStream view;
      view.CopyFrom(&s, s.ReadInteger(), true);
      MemoryManager::Free(view.GetString());
      break;
    }
    case 6: s.Seek(static_cast<int8_t>(op), 1); break;
    case 7: {
      // Read in a fixed order, so that the replay build reads a saved input
      // as the fuzzer did.
      const int32_t first = s.ReadInteger(), second = s.ReadInteger();
      s.Unscramble(first, second, s.ReadInteger());
      break;
    }
    default: {
      char* hex = nullptr;
      s.WriteHex(&hex);
      MemoryManager::Free(hex);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentConsole silent;
  g_debugConsole = &silent;
  if (size < 1) return 0;
  CStream s;
  s.WriteBuffer(data + 1, static_cast<int64_t>(size - 1));
  s.SetPosition(0);
  for (size_t step = 0; step < 64 && step < size; ++step) ReadOne(s, data[step]);

  // The same bytes taken as hexadecimal text.
  std::string text(reinterpret_cast<const char*>(data), size);
  CStream fromHex;
  fromHex.ReadHex(text.c_str());
  CStream::Destroy(ZDecompressStream(&fromHex));
  return 0;
}
