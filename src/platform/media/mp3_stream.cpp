#include "platform/media/mp3_stream.h"

#include <AL/alc.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "platform/media_control.h"
#include "platform/regular_file.h"

namespace {

void InitDecoderLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

int32_t Mp3Stream::OpenDecoder() {
  InitDecoderLibrary();
  int error = MPG123_OK;
  decoder_ = mpg123_new(nullptr, &error);
  if (decoder_ == nullptr) return kMediaNotDecodable;
  mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  // Only a regular file: a fifo in its place would hold the open for ever.
  file_ = RegularFile_Open(path_.c_str());
  if (file_ < 0 || mpg123_open_fd(decoder_, file_) != MPG123_OK) {
    const bool special = file_ < 0 && (errno == EINVAL || errno == EISDIR);
    Release();
    return special ? kMediaNotRegularFile : kMediaFileNotFound;
  }
  int encoding = 0;
  if (mpg123_getformat(decoder_, &rate_, &channels_, &encoding) != MPG123_OK || channels_ < 1 || channels_ > 2) {
    Release();
    return kMediaNotDecodable;
  }
  // Always 16-bit samples at the file's own rate and channel count.
  mpg123_format_none(decoder_);
  mpg123_format(decoder_, rate_, channels_, MPG123_ENC_SIGNED_16);
  return kMediaOk;
}

int32_t Mp3Stream::Probe() {
  int32_t result = OpenDecoder();
  if (result != kMediaOk) return result;
  mpg123_scan(decoder_);
  off_t length = mpg123_length(decoder_);
  lengthFrames_ = length > 0 ? static_cast<int64_t>(length) : 0;
  Release();
  return lengthFrames_ > 0 ? kMediaOk : kMediaNotDecodable;
}

bool Mp3Stream::FillBuffer(ALuint buffer) {
  std::vector<unsigned char> bytes(kBufferBytes);
  size_t filled = 0;
  while (filled < bytes.size() && !decoded_) {
    size_t done = 0;
    int result = mpg123_read(decoder_, bytes.data() + filled, bytes.size() - filled, &done);
    filled += done;
    if (result == MPG123_DONE || (result != MPG123_OK && result != MPG123_NEW_FORMAT && done == 0)) {
      if (repeat_ && result == MPG123_DONE && mpg123_seek(decoder_, 0, SEEK_SET) >= 0) continue;
      decoded_ = true;
    }
  }
  if (filled == 0) return false;
  ALenum format = channels_ == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  alBufferData(buffer, format, bytes.data(), static_cast<ALsizei>(filled), static_cast<ALsizei>(rate_));
  alSourceQueueBuffers(source_, 1, &buffer);
  return true;
}

int32_t Mp3Stream::Play(bool repeat) {
  if (source_ != 0) {
    repeat_ = repeat;
    paused_ = false;
    alSourcePlay(source_);
    return kMediaOk;
  }
  if (alcGetCurrentContext() == nullptr) return kMediaNoOutput;
  int32_t result = OpenDecoder();
  if (result != kMediaOk) return result;
  repeat_ = repeat;
  decoded_ = false;
  paused_ = false;
  playedFrames_ = 0;
  alGetError();
  alGenSources(1, &source_);
  if (alGetError() != AL_NO_ERROR) {
    source_ = 0;
    Release();
    return kMediaNoOutput;
  }
  alGenBuffers(kBuffers, buffers_);
  alSourcef(source_, AL_GAIN, gain_);
  alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
  for (ALuint buffer : buffers_) {
    if (!FillBuffer(buffer)) break;
  }
  alSourcePlay(source_);
  return kMediaOk;
}

void Mp3Stream::Pause() {
  if (source_ == 0) return;
  paused_ = true;
  alSourcePause(source_);
}

void Mp3Stream::Resume() {
  if (source_ == 0 || !paused_) return;
  paused_ = false;
  alSourcePlay(source_);
}

void Mp3Stream::SetGain(float gain) {
  gain_ = gain;
  if (source_ != 0) alSourcef(source_, AL_GAIN, gain_);
}

const char* Mp3Stream::Mode() const {
  if (source_ == 0) return "stopped";
  return paused_ ? "paused" : "playing";
}

int64_t Mp3Stream::PositionMs() const {
  if (source_ == 0 || rate_ <= 0) return 0;
  ALint offset = 0;
  alGetSourcei(source_, AL_SAMPLE_OFFSET, &offset);
  int64_t frames = playedFrames_ + offset;
  if (repeat_ && lengthFrames_ > 0) frames %= lengthFrames_;
  return frames * 1000 / rate_;
}

void Mp3Stream::Feed() {
  if (source_ == 0 || paused_) return;
  ALint processed = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
  for (ALint i = 0; i < processed; ++i) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    ALint size = 0;
    alGetBufferi(buffer, AL_SIZE, &size);
    playedFrames_ += size / (2 * channels_);
    if (!decoded_) FillBuffer(buffer);
  }
  ALint queued = 0;
  ALint state = AL_STOPPED;
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state == AL_PLAYING) return;
  // Ran dry: either the file ended, or the feeder fell behind.
  if (queued == 0 && decoded_) {
    Release();
  } else if (queued > 0) {
    alSourcePlay(source_);
  }
}

void Mp3Stream::Release() {
  if (source_ != 0) {
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alDeleteSources(1, &source_);
    alDeleteBuffers(kBuffers, buffers_);
    source_ = 0;
  }
  if (decoder_ != nullptr) {
    mpg123_close(decoder_);
    mpg123_delete(decoder_);
    decoder_ = nullptr;
  }
  if (file_ >= 0) {
    close(file_);
    file_ = -1;
  }
  paused_ = false;
}
