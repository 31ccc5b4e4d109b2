// The plain-text form of a map: entries "K:key:value" joined by ",", where K
// is the hexadecimal digit (2 when the value is a string) + (1 when the key
// is). Strings are two upper-case digits per byte; a real is the bytes of
// its double from the most significant down, stopping once the rest are all
// zero (so 0.0 is empty and 1.0 is 3FF0).
#include <cstring>
#include <string>

#include "runtime/ds_map.h"
#include "runtime/ds_value.h"
#include "runtime/hex.h"
#include "runtime/memory.h"

namespace {

void AppendField(std::string* out, const ScriptValue& value) {
  if (DS_IsString(value)) {
    for (const char* p = value.text; p != nullptr && *p != '\0'; ++p) {
      Hex_AppendByte(out, static_cast<uint8_t>(*p));
    }
    return;
  }
  uint64_t bits;
  std::memcpy(&bits, &value.real, 8);
  for (int shift = 56; shift >= 0 && (bits << (56 - shift)) != 0; shift -= 8) {
    Hex_AppendByte(out, static_cast<uint8_t>(bits >> shift));
  }
}

// Decodes the digit pairs of [begin, end) into bytes; false for an odd
// count or a character that is no hexadecimal digit.
bool DecodePairs(const char* begin, const char* end, std::string* bytes) {
  if ((end - begin) % 2 != 0) return false;
  for (const char* p = begin; p < end; p += 2) {
    int high = Hex_DigitValue(p[0]);
    int low = Hex_DigitValue(p[1]);
    if (high < 0 || low < 0) return false;
    bytes->push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

bool DecodeField(const char* begin, const char* end, bool isString, ScriptValue* value) {
  std::string bytes;
  if (!DecodePairs(begin, end, &bytes)) return false;
  if (isString) {
    // A zero byte ends the text, as it would anywhere else.
    ScriptValue_SetString(value, bytes.c_str());
    return true;
  }
  if (bytes.size() > 8) return false;
  uint64_t bits = 0;
  for (size_t i = 0; i < 8; ++i) {
    uint8_t byte = i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0;
    bits = (bits << 8) | byte;
  }
  double real;
  std::memcpy(&real, &bits, 8);
  ScriptValue_SetReal(value, real);
  return true;
}

const char* FieldEnd(const char* p) {
  while (*p != '\0' && *p != ':' && *p != ',') ++p;
  return p;
}

}  // namespace

char* CDS_Map::WriteText() const {
  std::string out;
  for (const DSMapEntry* e = FirstFrom(0); e != nullptr; e = After(e)) {
    if (!out.empty()) out.push_back(',');
    int kind = (DS_IsString(e->value) ? 2 : 0) + (DS_IsString(e->key) ? 1 : 0);
    out.push_back(Hex_Digit(static_cast<uint32_t>(kind)));
    out.push_back(':');
    AppendField(&out, e->key);
    out.push_back(':');
    AppendField(&out, e->value);
  }
  auto* text = static_cast<char*>(KV_ALLOC(out.size() + 1, false));
  std::memcpy(text, out.c_str(), out.size() + 1);
  return text;
}

bool CDS_Map::ReadText(const char* text) {
  if (text == nullptr) return false;
  Clear();
  const char* p = text;
  if (*p == '\0') return true;
  ScriptValue key;
  ScriptValue value;
  bool whole = false;
  for (;;) {
    if (*p < '0' || *p > '3' || p[1] != ':') break;
    int kind = *p - '0';
    const char* keyBegin = p + 2;
    const char* keyEnd = FieldEnd(keyBegin);
    if (*keyEnd != ':') break;
    const char* valueBegin = keyEnd + 1;
    const char* valueEnd = FieldEnd(valueBegin);
    if (*valueEnd == ':') break;
    if (!DecodeField(keyBegin, keyEnd, (kind & 1) != 0, &key) ||
        !DecodeField(valueBegin, valueEnd, (kind & 2) != 0, &value)) {
      break;
    }
    // Entries go in as written, without looking for an earlier equal key.
    Append(&key, &value);
    if (*valueEnd == '\0') {
      whole = true;
      break;
    }
    p = valueEnd + 1;
  }
  ScriptValue_Release(&key);
  ScriptValue_Release(&value);
  return whole;
}
