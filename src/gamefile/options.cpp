#include "gamefile/options.h"

#include <cstdlib>

#include "gamefile/game_header.h"
#include "runtime/load_error.h"
#include "runtime/run_flags.h"
#include "script/events/error_report.h"
#include "script/variables/variable_list.h"
#include "shell/window.h"

GameOptions g_options;

namespace {

constexpr uint64_t kConstantsAt = 140;

// Words holding a value rather than an on/off flag.
bool IsValueWord(int word) {
  switch (word) {
    case 5:
    case 8:
    case 10:
    case 11:
    case 12:
    case 14:
    case 21: return true;
    default: return false;
  }
}

int32_t ReadWord(int word, uint32_t raw) {
  if (IsValueWord(word)) return static_cast<int32_t>(raw);
  return raw != 0 ? 1 : 0;
}

int32_t DecimalValue(const std::string& text) { return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10)); }

}  // namespace

void Option_Defaults() {
  int32_t keepAudio = g_options.word[kOptionNewAudio];
  int32_t keepCreateOrder = g_options.word[kOptionCreateBeforeCode];
  GameOptions fresh;
  int32_t* w = fresh.word;
  w[kOptionShowCursor] = 1;
  w[5] = 100;
  w[kOptionWindowColour] = 0xFFFFFF;
  for (int i = 15; i <= 20; ++i) w[i] = 1;
  w[kOptionShowLoadBar] = 1;
  w[28] = 255;
  w[29] = 1;
  w[kOptionErrorDialog] = 1;
  w[kOptionNewAudio] = keepAudio;
  w[kOptionCreateBeforeCode] = keepCreateOrder;
  fresh.versionMajor = g_options.versionMajor;
  fresh.versionMinor = g_options.versionMinor;
  g_options = fresh;
  Option_Apply();
  // A file without options shows the default window colour.
  Win_SetColor(static_cast<uint32_t>(w[kOptionWindowColour]));
}

void Option_Apply() {
  g_runFlags.unsetVariableIsError = Option_On(kOptionUnsetVariableError);
  g_runFlags.showErrorDialog = Option_On(kOptionErrorDialog);
  g_runFlags.errorsFatal = Option_On(kOptionErrorsFatal);
  g_showCursor = Option_On(kOptionShowCursor);
}

bool Option_Load(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data, data + size);
  uint32_t raw[kOptionWordCount];
  for (uint32_t& word : raw) word = r.U32();
  if (r.Failed()) return LoadError_Report("OPTN", "the option words run past the chunk");
  for (int i = 0; i <= 23; ++i) g_options.word[i] = ReadWord(i, raw[i]);
  for (int i = 27; i <= 33; ++i) g_options.word[i] = ReadWord(i, raw[i]);
  if (g_runFlags.inAWindow) g_options.word[kOptionFullScreen] = 0;
  Option_Apply();
  g_newAudio = g_options.word[kOptionNewAudio] != 0 ? 1 : 0;
  Win_SetColor(static_cast<uint32_t>(g_options.word[kOptionWindowColour]));
  g_options.loadImage = raw[kOptionLoadImage];
  if (g_options.loadImage != 0 && !image.Contains(g_options.loadImage, 22)) {
    return LoadError_Report("OPTN", "the load image lies outside the file");
  }
  if (g_formatVersion >= 5) g_options.word[kOptionCreateBeforeCode] = ReadWord(34, raw[34]);

  ImageReader c(image, data + kConstantsAt, data + size);
  uint32_t count = c.U32();
  if (c.Failed() || count > c.Remaining() / 8) return LoadError_Report("OPTN", "the constant list runs past the chunk");
  g_options.constantNames.assign(count, std::string());
  g_options.constantValues.assign(count, std::string());
  for (uint32_t i = 0; i < count; ++i) {
    const char* name = c.Text();
    const char* value = c.Text();
    if (c.Failed()) return LoadError_Report("OPTN", "constant %u names a text outside the file", i);
    g_options.constantNames[i] = name == nullptr ? "" : name;
    g_options.constantValues[i] = value == nullptr ? "" : value;
    if (g_options.constantNames[i] == "VersionMajor")
      g_options.versionMajor = DecimalValue(g_options.constantValues[i]);
    if (g_options.constantNames[i] == "VersionMinor")
      g_options.versionMinor = DecimalValue(g_options.constantValues[i]);
  }
  return true;
}
