#include "audio/openal/rendered_output.h"

#include <AL/alext.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/media_control.h"
#include "platform/switches.h"
#include "runtime/console.h"
#include "runtime/timer.h"

namespace {

constexpr ALCint kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * 2;
// Music is fed between pieces no longer than this, as the feeder thread
// would; a stream's queue holds far more.
constexpr int64_t kPieceMicroseconds = 10000;

struct Output {
  ALCdevice* device = nullptr;
  std::FILE* file = nullptr;  // null: the mix is dropped
  LPALCRENDERSAMPLESSOFT render = nullptr;
  uint32_t dataBytes = 0;
  int64_t owedMicroRate = 0;  // microseconds times the rate not yet mixed
  std::vector<int16_t> samples;
};

Output g_output;

void PutLe(std::vector<uint8_t>* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void WriteHeader() {
  std::vector<uint8_t> h;
  const uint32_t riff = 36 + g_output.dataBytes;
  for (char c : {'R', 'I', 'F', 'F'}) h.push_back(static_cast<uint8_t>(c));
  PutLe(&h, riff, 4);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) h.push_back(static_cast<uint8_t>(c));
  PutLe(&h, 16, 4);
  PutLe(&h, 1, 2);
  PutLe(&h, kChannels, 2);
  PutLe(&h, kRate, 4);
  PutLe(&h, kRate * kBytesPerFrame, 4);
  PutLe(&h, kBytesPerFrame, 2);
  PutLe(&h, 16, 2);
  for (char c : {'d', 'a', 't', 'a'}) h.push_back(static_cast<uint8_t>(c));
  PutLe(&h, g_output.dataBytes, 4);
  std::fseek(g_output.file, 0, SEEK_SET);
  std::fwrite(h.data(), 1, h.size(), g_output.file);
  std::fseek(g_output.file, 0, SEEK_END);
}

void MixPiece(int64_t us) {
  Media_Feed();
  g_output.owedMicroRate += us * kRate;
  const int64_t frames = g_output.owedMicroRate / 1000000;
  g_output.owedMicroRate -= frames * 1000000;
  if (frames <= 0) return;
  std::vector<int16_t>& samples = g_output.samples;
  samples.resize(static_cast<size_t>(frames) * kChannels);
  g_output.render(g_output.device, samples.data(), static_cast<ALCsizei>(frames));
  if (g_output.file == nullptr) return;
  const size_t bytes = samples.size() * sizeof(int16_t);
  if (std::fwrite(samples.data(), 1, bytes, g_output.file) == bytes) g_output.dataBytes += static_cast<uint32_t>(bytes);
}

void FollowClock(int64_t us) {
  if (g_output.device == nullptr) return;
  for (int64_t left = us; left > 0; left -= kPieceMicroseconds) {
    MixPiece(left < kPieceMicroseconds ? left : kPieceMicroseconds);
  }
}

}  // namespace

bool RenderedOutput_Wanted() { return Switches_Get().virtualClock; }

bool RenderedOutput_ToFile() { return RenderedOutput_Wanted() && !Switches_Get().audioOut.empty(); }

ALCdevice* RenderedOutput_Open(const ALCint* attributes, ALCcontext** context) {
  *context = nullptr;
  const std::string& path = Switches_Get().audioOut;
  auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  g_output.render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") || open == nullptr || g_output.render == nullptr) {
    if (RenderedOutput_ToFile()) {
      g_debugConsole->Output("The sound library cannot render on demand: no sound is written to %s\n", path.c_str());
    } else {
      g_debugConsole->Output("The sound library cannot render on demand: sound cannot follow the virtual clock\n");
    }
    return nullptr;
  }
  if (RenderedOutput_ToFile()) {
    g_output.file = std::fopen(path.c_str(), "wb");
    if (g_output.file == nullptr) {
      g_debugConsole->Output("Could not write the rendered sound to %s\n", path.c_str());
      return nullptr;
    }
  }
  ALCdevice* device = open(nullptr);
  std::vector<ALCint> all = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                             ALC_SHORT_SOFT,           ALC_FREQUENCY,   kRate};
  for (const ALCint* a = attributes; a != nullptr && *a != 0; a += 2) all.insert(all.end(), {a[0], a[1]});
  all.push_back(0);
  *context = device != nullptr ? alcCreateContext(device, all.data()) : nullptr;
  if (*context == nullptr) {
    if (device != nullptr) alcCloseDevice(device);
    if (g_output.file != nullptr) std::fclose(g_output.file);
    g_output = Output();
    return nullptr;
  }
  g_output.device = device;
  g_output.dataBytes = 0;
  g_output.owedMicroRate = 0;
  if (g_output.file != nullptr) WriteHeader();
  Media_SetFedByCaller(true);
  Timer_SetVirtualWaitListener(FollowClock);
  return device;
}

void RenderedOutput_Close() {
  if (g_output.device == nullptr) return;
  Timer_SetVirtualWaitListener(nullptr);
  Media_SetFedByCaller(false);
  if (g_output.file != nullptr) {
    WriteHeader();
    std::fclose(g_output.file);
  }
  g_output = Output();
}
