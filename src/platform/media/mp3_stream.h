// One MP3 file played through a streaming OpenAL source. The decoder and
// the source exist only while the stream plays or is paused; a stopped
// stream holds neither. Callers serialise access (the media layer's lock).
#pragma once

#include <AL/al.h>
#include <mpg123.h>

#include <cstdint>
#include <string>

class Mp3Stream {
 public:
  explicit Mp3Stream(std::string path) : path_(std::move(path)) {}
  ~Mp3Stream() { Release(); }
  Mp3Stream(const Mp3Stream&) = delete;
  Mp3Stream& operator=(const Mp3Stream&) = delete;

  // Checks that the file decodes and measures it; a media error code.
  int32_t Probe();
  int32_t Play(bool repeat);
  void Pause();
  void Resume();
  void Stop() { Release(); }
  void SetGain(float gain);
  // "playing", "paused" or "stopped".
  const char* Mode() const;
  int64_t LengthMs() const { return rate_ > 0 ? lengthFrames_ * 1000 / rate_ : 0; }
  int64_t PositionMs() const;
  bool Holding() const { return source_ != 0; }
  // Refills the finished buffers; releases the stream once it has ended.
  void Feed();

 private:
  static constexpr int kBuffers = 4;
  static constexpr size_t kBufferBytes = 16384;

  int32_t OpenDecoder();
  bool FillBuffer(ALuint buffer);
  void Release();

  std::string path_;
  mpg123_handle* decoder_ = nullptr;
  int file_ = -1;  // the decoder's file, open while it is
  ALuint source_ = 0;
  ALuint buffers_[kBuffers] = {};
  long rate_ = 0;
  int channels_ = 0;
  int64_t lengthFrames_ = 0;
  int64_t playedFrames_ = 0;
  bool repeat_ = false;
  bool decoded_ = false;
  bool paused_ = false;
  float gain_ = 1.0f;
};
