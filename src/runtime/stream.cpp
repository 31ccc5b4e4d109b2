#include "runtime/stream.h"

#include <algorithm>
#include <cstring>

#include "runtime/memory.h"

namespace {

void StoreLittleEndian(uint8_t* target, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) target[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t LoadLittleEndian(const uint8_t* source, int width) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i) value |= static_cast<uint64_t>(source[i]) << (8 * i);
  return value;
}

}  // namespace

CStream::CStream(int64_t capacity) {
  if (capacity < 1 || capacity > kMaxSize) return;
  m_buffer = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(capacity), true));
  m_size = capacity;
}

CStream::~CStream() { ReleaseBuffer(); }

void CStream::Destroy(CStream* stream) { delete stream; }

void CStream::ReleaseBuffer() {
  if (!m_borrowed) MemoryManager::Free(m_buffer);
  m_buffer = nullptr;
  m_size = 0;
  m_borrowed = false;
}

int64_t CStream::Remaining() const {
  if (m_position < 0 || m_position >= m_size) return 0;
  return m_size - m_position;
}

int64_t CStream::Seek(int64_t offset, int origin) {
  switch (origin) {
    case 0: m_position = offset; break;
    case 1: m_position += offset; break;
    case 2: m_position = m_size + offset; break;
    default: break;
  }
  return m_position;
}

// Grows the capacity to at least `needed` bytes, doubling where that is
// larger. A borrowed buffer is copied into one of our own first, since it
// cannot be reallocated.
bool CStream::Grow(int64_t needed) {
  if (needed <= m_size) return true;
  if (needed > kMaxSize) return false;
  int64_t target = std::min(std::max(2 * m_size, needed), kMaxSize);
  if (m_borrowed) {
    auto* own = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(target), true));
    if (m_size > 0) std::memcpy(own, m_buffer, static_cast<size_t>(m_size));
    m_buffer = own;
    m_borrowed = false;
  } else {
    m_buffer = static_cast<uint8_t*>(KV_REALLOC(m_buffer, static_cast<size_t>(target)));
  }
  m_size = target;
  return true;
}

int64_t CStream::ReadBuffer(void* target, int64_t count) {
  if (target == nullptr || count < 1) return 0;
  int64_t n = std::min(count, Remaining());
  if (n == 0) return 0;
  std::memcpy(target, m_buffer + m_position, static_cast<size_t>(n));
  m_position += n;
  return n;
}

int32_t CStream::ReadInteger() {
  if (Remaining() < 4) return 0;
  uint64_t bits = LoadLittleEndian(m_buffer + m_position, 4);
  m_position += 4;
  return static_cast<int32_t>(static_cast<uint32_t>(bits));
}

double CStream::ReadReal() {
  if (Remaining() < 8) return 0.0;
  uint64_t bits = LoadLittleEndian(m_buffer + m_position, 8);
  m_position += 8;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool CStream::ReadBoolean() { return ReadInteger() != 0; }

void CStream::ReadString(char** slot) {
  if (slot != nullptr) *slot = GetString();
}

char* CStream::GetString() {
  int32_t count = ReadInteger();
  if (count <= 0) return nullptr;
  // The count is untrusted: only what remains can be read, so only that much
  // is allocated. The text is the same as with the full count.
  int64_t n = std::min<int64_t>(count, Remaining());
  auto* text = static_cast<char*>(KV_ALLOC(static_cast<size_t>(n) + 1, true));
  ReadBuffer(text, n);
  return text;
}

CStream* CStream::ReadSubStream() {
  int32_t count = ReadInteger();
  int64_t n = count <= 0 ? 0 : std::min<int64_t>(count, Remaining());
  auto* sub = new CStream(n);
  ReadBuffer(sub->m_buffer, n);
  return sub;
}

int64_t CStream::WriteBuffer(const void* source, int64_t count) {
  if (source == nullptr || count < 1 || m_position < 0) return 0;
  if (count > kMaxSize || m_position > kMaxSize - count) return 0;
  int64_t end = m_position + count;
  auto* bytes = static_cast<const uint8_t*>(source);
  if (end > m_size) {
    // The source may lie in our own buffer, which growth moves.
    bool inside = m_buffer != nullptr && bytes >= m_buffer && bytes < m_buffer + m_size;
    int64_t offset = inside ? bytes - m_buffer : 0;
    if (!Grow(end)) return 0;
    if (inside) bytes = m_buffer + offset;
  }
  std::memmove(m_buffer + m_position, bytes, static_cast<size_t>(count));
  m_position = end;
  return count;
}

void CStream::WriteInteger(int32_t value) {
  uint8_t bytes[4];
  StoreLittleEndian(bytes, static_cast<uint32_t>(value), 4);
  WriteBuffer(bytes, 4);
}

void CStream::WriteReal(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  uint8_t bytes[8];
  StoreLittleEndian(bytes, bits, 8);
  WriteBuffer(bytes, 8);
}

void CStream::WriteBoolean(bool value) { WriteInteger(value ? 1 : 0); }

void CStream::WriteString(const char* text) {
  size_t length = text == nullptr ? 0 : std::strlen(text);
  if (static_cast<int64_t>(length) > kMaxSize) return;
  WriteInteger(static_cast<int32_t>(length));
  WriteBuffer(text, static_cast<int64_t>(length));
}

void CStream::CopyFrom(CStream* source, int64_t count, bool borrow) {
  if (source == nullptr || source == this) return;
  if (count == 0) {
    // The whole source is always copied: a borrowed flag on a buffer this
    // stream grows itself would leak it, or free another stream's.
    WriteBuffer(source->m_buffer, source->m_size);
    source->m_position = source->m_size;
    return;
  }
  int64_t n = std::clamp<int64_t>(count, 0, source->Remaining());
  if (!borrow) {
    if (n > 0) source->m_position += WriteBuffer(source->m_buffer + source->m_position, n);
    return;
  }
  ReleaseBuffer();
  m_buffer = n > 0 ? source->m_buffer + source->m_position : nullptr;
  m_size = n;
  m_position = n;
  m_borrowed = true;
  source->m_position += n;
}
