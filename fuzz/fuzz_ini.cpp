// Arbitrary bytes as an INI file: parsing, lookups and changes on whatever
// comes out must stay in bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  CIniFile ini("fuzz-never-written.ini", false);
  ini.ParseText(reinterpret_cast<const char*>(data), static_cast<int32_t>(size));
  for (IniSection* section = ini.Sections(); section != nullptr; section = section->next) {
    for (IniKey* key = section->keys; key != nullptr; key = key->next) {
      (void)ini.ReadString(section->name, key->key, nullptr);
      (void)ini.ReadInt(section->name, key->key, 0);
    }
  }
  if (IniSection* first = ini.Sections()) {
    std::string name = first->name;
    ini.WriteString(name.c_str(), "added", "value");
    ini.DeleteSection(name.c_str());
  }
  return 0;
}
