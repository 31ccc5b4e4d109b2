#include "runtime/ds_text.h"

#include <cstring>

#include "runtime/ds_value.h"
#include "runtime/memory.h"

namespace {

constexpr int32_t kMarkBits = static_cast<int32_t>(0xFF000000u);

}  // namespace

void DSTextOut::Int(int32_t value) { m_stream.WriteInteger(value); }

void DSTextOut::Real(double value) { m_stream.WriteReal(value); }

void DSTextOut::Value(const ScriptValue& value) {
  Int(value.kind);
  bool text = DS_IsString(value) && value.text != nullptr;
  Real(DS_IsString(value) ? 0.0 : value.real);
  size_t length = text ? std::strlen(value.text) : 0;
  Int(static_cast<int32_t>(length));
  m_stream.WriteBuffer(value.text, static_cast<int64_t>(length));
}

char* DSTextOut::Finish() const {
  char* text = nullptr;
  m_stream.WriteHex(&text);
  if (text == nullptr) text = static_cast<char*>(KV_ALLOC(1, true));
  return text;
}

bool DSTextIn::Open(const char* text) {
  m_position = 0;
  if (text == nullptr) return false;
  m_stream.ReadHex(text);
  return true;
}

size_t DSTextIn::Left() const { return static_cast<size_t>(m_stream.GetSize()) - m_position; }

bool DSTextIn::Bytes(void* target, size_t count) {
  if (Left() < count) return false;
  std::memcpy(target, m_stream.GetBuffer() + m_position, count);
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
  auto left = static_cast<int64_t>(Left());
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
  if (length < 0 || static_cast<size_t>(length) > Left()) return false;
  const char* bytes = reinterpret_cast<const char*>(m_stream.GetBuffer() + m_position);
  m_position += static_cast<size_t>(length);
  if (isString && length > 0) DS_StoreText(slot, bytes, length);
  slot->kind = kind;
  slot->real = isString ? 0.0 : real;
  return true;
}
