// The in-memory byte stream behind every binary record: little-endian
// integers and doubles, length-prefixed strings, sub-streams, zlib-packed
// blocks and a hexadecimal text form.
//
// Size is a capacity: growth doubles it and bytes past the last one written
// read as zero. Every count taken from the data is clamped to the bytes that
// remain before anything is allocated, copied or borrowed, and a stream never
// reaches 2^31 bytes: a write that would take it there writes nothing.
#pragma once

#include <cstdint>

class CStream {
 public:
  // Largest size a stream may have; one byte more fails.
  static constexpr int64_t kMaxSize = 0x7FFFFFFF - 16;

  explicit CStream(int64_t capacity = 0);
  ~CStream();
  CStream(const CStream&) = delete;
  CStream& operator=(const CStream&) = delete;

  // Deletes the stream; null is allowed.
  static void Destroy(CStream* stream);

  uint8_t* GetBuffer() const { return m_buffer; }
  int64_t GetPosition() const { return m_position; }
  int32_t GetSize() const { return static_cast<int32_t>(m_size); }
  bool IsBorrowed() const { return m_borrowed; }
  void SetPosition(int64_t position) { m_position = position; }
  // Origin 0 from the start, 1 from the position, 2 from the size; any other
  // origin leaves the position. Returns the new position.
  int64_t Seek(int64_t offset, int origin);

  // Reads. A read that cannot be satisfied gives the default (0, 0.0, false,
  // null, an empty stream) and leaves the position where it was.
  int64_t ReadBuffer(void* target, int64_t count);
  int64_t Read(void* target, int64_t count) { return ReadBuffer(target, count); }
  int32_t ReadInteger();
  double ReadReal();
  bool ReadBoolean();
  // Stores a new text from the memory manager in *slot (the old pointer is
  // not freed), or null for a count of 0 or below.
  void ReadString(char** slot);
  char* GetString();
  // A new owned stream at position 0 holding a copy of the counted bytes.
  CStream* ReadSubStream();

  // Writes. A negative position or growth past kMaxSize writes nothing.
  int64_t WriteBuffer(const void* source, int64_t count);
  void WriteInteger(int32_t value);
  void WriteReal(double value);
  void WriteBoolean(bool value);
  void WriteString(const char* text);

  // Count 0 copies the whole of source (from its start). Otherwise the next
  // count bytes of source are copied here, or with borrow this stream becomes
  // a view of them (size and position = count). Source advances past them.
  void CopyFrom(CStream* source, int64_t count, bool borrow);

  // Replaces the contents with the file's bytes from offset skip; the stream
  // is empty when the file cannot be read or skip reaches its end. The
  // position is kept. Answers whether the file was read. (Writing one to a
  // file is the file layer's: files/stream_file.h.)
  bool LoadFromFile(const char* path, int64_t skip);

  // Two upper-case hex digits per byte of the first position bytes, in a new
  // text from the memory manager; null when there is nothing to write.
  void WriteHex(char** slot) const;
  // Replaces the contents with the bytes of the valid hex pairs of text.
  void ReadHex(const char* text);

  // Appends source (whole, from its start) as a zlib block: its length, then
  // the block. Source's position is restored.
  void WriteCompressed(CStream* source);

  // Undoes the seeded byte substitution over [start, start + count), clipped
  // to the buffer; a count below 1 runs to the end.
  void Unscramble(int32_t seed, int64_t start, int64_t count);

 private:
  bool Grow(int64_t needed);
  void ReleaseBuffer();
  int64_t Remaining() const;

  bool m_borrowed = false;
  int64_t m_size = 0;
  int64_t m_position = 0;
  uint8_t* m_buffer = nullptr;
};

// Reads a packed block from stream and inflates it into a new stream at
// position 0; null when the block does not inflate.
CStream* ZDecompressStream(CStream* stream);
