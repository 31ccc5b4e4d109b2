#include "runtime/ds_text.h"

#include <cstring>

#include "runtime/ds_value.h"
#include "runtime/memory.h"

namespace {

constexpr int32_t kMarkBits = static_cast<int32_t>(0xFF000000u);

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void DSTextOut::Bytes(const void* data, size_t count) {
  const auto* p = static_cast<const uint8_t*>(data);
  m_bytes.insert(m_bytes.end(), p, p + count);
}

void DSTextOut::Int(int32_t value) {
  uint8_t b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
  Bytes(b, 4);
}

void DSTextOut::Real(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  uint8_t b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(bits >> (8 * i));
  Bytes(b, 8);
}

void DSTextOut::Value(const ScriptValue& value) {
  Int(value.kind);
  bool text = DS_IsString(value) && value.text != nullptr;
  Real(DS_IsString(value) ? 0.0 : value.real);
  size_t length = text ? std::strlen(value.text) : 0;
  Int(static_cast<int32_t>(length));
  if (length > 0) Bytes(value.text, length);
}

char* DSTextOut::Finish() const {
  static const char kDigits[] = "0123456789ABCDEF";
  auto* text = static_cast<char*>(KV_ALLOC(m_bytes.size() * 2 + 1, false));
  for (size_t i = 0; i < m_bytes.size(); ++i) {
    text[2 * i] = kDigits[m_bytes[i] >> 4];
    text[2 * i + 1] = kDigits[m_bytes[i] & 15];
  }
  text[m_bytes.size() * 2] = '\0';
  return text;
}

bool DSTextIn::Open(const char* text) {
  m_bytes.clear();
  m_position = 0;
  if (text == nullptr) return false;
  // Pairs that are not two hexadecimal digits are skipped, as is an odd
  // last character.
  for (const char* p = text; p[0] != '\0' && p[1] != '\0'; p += 2) {
    int high = HexDigit(p[0]);
    int low = HexDigit(p[1]);
    if (high >= 0 && low >= 0) m_bytes.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return true;
}

bool DSTextIn::Bytes(void* target, size_t count) {
  if (m_bytes.size() - m_position < count) return false;
  std::memcpy(target, m_bytes.data() + m_position, count);
  m_position += count;
  return true;
}

bool DSTextIn::Int(int32_t* value) {
  uint8_t b[4];
  if (!Bytes(b, 4)) return false;
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | b[i];
  *value = static_cast<int32_t>(v);
  return true;
}

bool DSTextIn::Real(double* value) {
  uint8_t b[8];
  if (!Bytes(b, 8)) return false;
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | b[i];
  std::memcpy(value, &bits, 8);
  return true;
}

bool DSTextIn::Expect(int32_t id) {
  int32_t found = 0;
  return Int(&found) && found == id;
}

bool DSTextIn::CanHold(int64_t count) const {
  if (count < 0) return false;
  auto left = static_cast<int64_t>(m_bytes.size() - m_position);
  return count <= left / kDSMinRecordBytes;
}

bool DSTextIn::Value(ScriptValue* slot) {
  int32_t kind = 0;
  double real = 0.0;
  int32_t length = 0;
  if (!Int(&kind) || !Real(&real) || !Int(&length)) return false;
  // Reals may carry marks in their top bits; nothing else is a value.
  bool isString = kind == kValueString;
  if (!isString && (kind & ~kMarkBits) != kValueReal) return false;
  if (length < 0 || static_cast<size_t>(length) > m_bytes.size() - m_position) return false;
  const char* bytes = reinterpret_cast<const char*>(m_bytes.data() + m_position);
  m_position += static_cast<size_t>(length);
  if (isString && length > 0) DS_StoreText(slot, bytes, length);
  slot->kind = kind;
  slot->real = isString ? 0.0 : real;
  return true;
}
