#include "platform/switches.h"

#include <cstdlib>
#include <cstring>

namespace {

Switches g_switches;
bool g_loaded = false;

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

void Load() {
  g_switches = Switches();
  g_switches.headless = EnvText("KORVALITH_HEADLESS") == "1";
  g_switches.virtualClock = EnvText("KORVALITH_CLOCK") == "virtual";
  std::string frames = EnvText("KORVALITH_MAX_FRAMES");
  if (!frames.empty()) {
    char* end = nullptr;
    long n = std::strtol(frames.c_str(), &end, 10);
    if (end != nullptr && *end == '\0' && n >= 0) g_switches.maxFrames = n;
  }
  g_switches.answersFile = EnvText("KORVALITH_ANSWERS");
  g_switches.dumpFrame = EnvText("KORVALITH_DUMP_FRAME");
  g_switches.audioOut = EnvText("KORVALITH_AUDIO_OUT");
  g_switches.noUnnamedFiles = EnvText("KORVALITH_NO_UNNAMED_FILES") == "1";
  g_switches.noOpenat2 = EnvText("KORVALITH_NO_OPENAT2") == "1";
  g_switches.noDriverWait = EnvText("KORVALITH_NO_DRIVER_WAIT") == "1";
  g_loaded = true;
}

}  // namespace

const Switches& Switches_Get() {
  if (!g_loaded) Load();
  return g_switches;
}

void Switches_Reload() { Load(); }
