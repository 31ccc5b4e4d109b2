#include "platform/media_control.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/media/mp3_stream.h"

namespace {

constexpr const char* kMp3Type = "mpegvideo";
constexpr auto kFeedInterval = std::chrono::milliseconds(10);

struct Alias {
  std::unique_ptr<Mp3Stream> stream;  // null when a test device serves it
  MediaDevice* device = nullptr;
};

using Words = std::vector<std::string>;

// Splits on spaces; a double-quoted word keeps its spaces.
Words SplitCommand(const char* command) {
  Words words;
  std::string word;
  bool quoted = false;
  bool any = false;
  for (const char* c = command; *c != '\0'; ++c) {
    if (*c == '"') {
      quoted = !quoted;
      any = true;
    } else if (*c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += *c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

class MediaLayer {
 public:
  ~MediaLayer() { CloseAll(); }

  int32_t Send(const char* command, std::string* reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    Words words = SplitCommand(command);
    if (words.size() < 2) return kMediaUnknownCommand;
    if (words[0] == "open") return words.size() == 2 ? OpenDevice(words[1], command) : Open(words);
    auto it = aliases_.find(words[1]);
    if (it == aliases_.end()) return kMediaNotOpen;
    if (it->second.device != nullptr) {
      int32_t result = it->second.device->Command(command, reply);
      if (words[0] == "close") aliases_.erase(it);
      return result;
    }
    return OnStream(words, it, reply);
  }

  void Register(const std::string& type, MediaDevice* device) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (device != nullptr) {
      devices_[type] = device;
      return;
    }
    devices_.erase(type);
    for (auto it = aliases_.begin(); it != aliases_.end();) {
      it = it->second.device != nullptr ? aliases_.erase(it) : std::next(it);
    }
  }

  void CloseAll() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      aliases_.clear();
      stopping_ = true;
    }
    wake_.notify_all();
    if (feeder_.joinable()) feeder_.join();
    stopping_ = false;
  }

  int32_t ActiveStreams() {
    std::lock_guard<std::mutex> lock(mutex_);
    int32_t count = 0;
    for (auto& [name, alias] : aliases_) count += alias.stream != nullptr && alias.stream->Holding() ? 1 : 0;
    return count;
  }

  void SetFedByCaller(bool byCaller) {
    std::lock_guard<std::mutex> lock(mutex_);
    fedByCaller_ = byCaller;
  }

  void Feed() {
    std::lock_guard<std::mutex> lock(mutex_);
    FeedAll();
  }

 private:
  using AliasIt = std::map<std::string, Alias>::iterator;

  // open DEVICE: a device opened by its type, which names it from then on.
  // Opening it again is harmless.
  int32_t OpenDevice(const std::string& type, const char* command) {
    auto device = devices_.find(type);
    if (device == devices_.end()) return kMediaUnknownDevice;
    std::string ignored;
    int32_t result = device->second->Command(command, &ignored);
    if (result == kMediaOk) aliases_[type].device = device->second;
    return result;
  }

  // open PATH type TYPE alias NAME
  int32_t Open(const Words& w) {
    if (w.size() != 6 || w[2] != "type" || w[4] != "alias") return kMediaUnknownCommand;
    if (aliases_.count(w[5]) != 0) return kMediaAliasInUse;
    auto device = devices_.find(w[3]);
    if (device != devices_.end()) {
      std::string ignored;
      int32_t result = device->second->Command("open \"" + w[1] + "\" type " + w[3] + " alias " + w[5], &ignored);
      if (result == kMediaOk) aliases_[w[5]].device = device->second;
      return result;
    }
    if (w[3] != kMp3Type) return kMediaUnknownDevice;
    auto stream = std::make_unique<Mp3Stream>(w[1]);
    int32_t result = stream->Probe();
    if (result != kMediaOk) return result;
    aliases_[w[5]].stream = std::move(stream);
    return kMediaOk;
  }

  int32_t OnStream(const Words& w, AliasIt it, std::string* reply) {
    Mp3Stream& stream = *it->second.stream;
    const std::string& verb = w[0];
    if (verb == "close" && w.size() == 2) {
      aliases_.erase(it);
      return kMediaOk;
    }
    if (verb == "play" && (w.size() == 2 || (w.size() == 3 && w[2] == "repeat"))) {
      int32_t result = stream.Play(w.size() == 3);
      if (result == kMediaOk) StartFeeder();
      return result;
    }
    if (w.size() == 2 && verb == "pause") return stream.Pause(), kMediaOk;
    if (w.size() == 2 && verb == "resume") return stream.Resume(), kMediaOk;
    if (w.size() == 2 && verb == "stop") return stream.Stop(), kMediaOk;
    if (verb == "seek" && w.size() == 4 && w[2] == "to" && w[3] == "start") return stream.Stop(), kMediaOk;
    if (verb == "set") return SetOption(w);
    if (verb == "setaudio") return SetVolume(w, stream);
    if (verb == "status" && w.size() == 3) return Status(w[2], stream, reply);
    return kMediaUnknownCommand;
  }

  static int32_t SetOption(const Words& w) {
    bool timeFormat = w.size() == 5 && w[2] == "time" && w[3] == "format" && w[4] == "milliseconds";
    bool seekExactly = w.size() == 5 && w[2] == "seek" && w[3] == "exactly" && (w[4] == "on" || w[4] == "off");
    return timeFormat || seekExactly ? kMediaOk : kMediaUnknownCommand;
  }

  static int32_t SetVolume(const Words& w, Mp3Stream& stream) {
    if (w.size() != 5 || w[2] != "volume" || w[3] != "to") return kMediaUnknownCommand;
    char* end = nullptr;
    long level = std::strtol(w[4].c_str(), &end, 10);
    if (w[4].empty() || *end != '\0' || level < 0 || level > 1000) return kMediaBadValue;
    stream.SetGain(static_cast<float>(level) / 1000.0f);
    return kMediaOk;
  }

  static int32_t Status(const std::string& item, Mp3Stream& stream, std::string* reply) {
    if (item == "mode") {
      *reply = stream.Mode();
    } else if (item == "length") {
      *reply = std::to_string(stream.LengthMs());
    } else if (item == "position") {
      *reply = std::to_string(stream.PositionMs());
    } else {
      return kMediaUnknownCommand;
    }
    return kMediaOk;
  }

  void FeedAll() {
    for (auto& [name, alias] : aliases_) {
      if (alias.stream != nullptr) alias.stream->Feed();
    }
  }

  void StartFeeder() {
    if (fedByCaller_ || feeder_.joinable()) return;
    feeder_ = std::thread([this] { FeedLoop(); });
  }

  void FeedLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
      FeedAll();
      wake_.wait_for(lock, kFeedInterval, [this] { return stopping_; });
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread feeder_;
  bool stopping_ = false;
  bool fedByCaller_ = false;
  std::map<std::string, Alias> aliases_;
  std::map<std::string, MediaDevice*> devices_;
};

MediaLayer& Layer() {
  static MediaLayer& layer = *new MediaLayer;
  return layer;
}

const char* ErrorText(int32_t code) {
  switch (code) {
    case kMediaOk: return "The specified command was carried out.";
    case kMediaUnknownCommand: return "The command is not recognised or its parameters are wrong.";
    case kMediaNotOpen: return "The specified alias is not open.";
    case kMediaFileNotFound: return "The specified file cannot be found.";
    case kMediaNotRegularFile: return "The specified file is not a regular file.";
    case kMediaNotDecodable: return "The file cannot be played: it is not an MP3 file or it is damaged.";
    case kMediaUnknownDevice: return "The specified device type is not supported.";
    case kMediaBadValue: return "The value is out of range.";
    case kMediaNoOutput: return "No sound output is available.";
    case kMediaAliasInUse: return "The alias is already in use.";
    default: return "Unknown media error.";
  }
}

}  // namespace

int32_t Media_SendCommand(const char* command, char* reply, size_t replySize) {
  std::string text;
  int32_t result = command != nullptr ? Layer().Send(command, &text) : kMediaUnknownCommand;
  if (result != kMediaOk) text.clear();
  if (reply != nullptr && replySize > 0) {
    size_t length = text.size() < replySize - 1 ? text.size() : replySize - 1;
    std::memcpy(reply, text.data(), length);
    reply[length] = '\0';
  }
  return result;
}

void Media_ErrorText(int32_t code, char* text, size_t textSize) {
  if (text == nullptr || textSize == 0) return;
  std::strncpy(text, ErrorText(code), textSize - 1);
  text[textSize - 1] = '\0';
}

void Media_CloseAll() { Layer().CloseAll(); }
void Media_SetFedByCaller(bool byCaller) { Layer().SetFedByCaller(byCaller); }
void Media_Feed() { Layer().Feed(); }
int32_t Media_ActiveStreams() { return Layer().ActiveStreams(); }
void Media_RegisterDevice(const std::string& type, MediaDevice* device) { Layer().Register(type, device); }
