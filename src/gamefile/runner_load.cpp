#include "gamefile/runner_load.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "files/file_layer.h"
#include "files/files.h"
#include "files/ini_file.h"
#include "gamefile/chunk_walk.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/code_table.h"
#include "script/variables/variable_registry.h"

std::string g_gamePath;
CIniFile* g_optionsIni = nullptr;
DebugInfo g_debugInfo;

namespace {

OptionsIniHook g_virtualButtonsHook = nullptr;

std::string Slashed(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool PlainFileExists(const std::string& path) { return File_Exists(Slashed(path).c_str()); }

// The whole file into *bytes; the system's error number when it cannot be
// read, else 0.
int ReadWhole(const std::string& path, std::vector<uint8_t>* bytes) {
  errno = 0;
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadFile(Slashed(path).c_str(), &size);
  if (data == nullptr) return errno != 0 ? errno : EIO;
  bytes->assign(data, data + size);
  MemoryManager::Free(data);
  return 0;
}

// Values read as decimal integers; text without leading digits reads 0.
int32_t IniNumber(CIniFile* ini, const char* key, int32_t fallback) {
  const char* text = ini->ReadString("DEFAULT", key, nullptr);
  if (text == nullptr) return fallback;
  return static_cast<int32_t>(std::strtol(text, nullptr, 10));
}

void LoadOptionsIni(const std::string& gamePath) {
  std::string iniPath = Runner_IniPath(gamePath);
  if (iniPath.empty()) return;
  g_debugConsole->Output("Checking if INIFile %s Exists\n", iniPath.c_str());
  if (!PlainFileExists(iniPath)) {
    g_debugConsole->Output("!!!!No INI File %s\n", iniPath.c_str());
    return;
  }
  delete g_optionsIni;
  g_optionsIni = new CIniFile(Slashed(iniPath).c_str(), true);
  if (g_virtualButtonsHook != nullptr) g_virtualButtonsHook(g_optionsIni);
  LoadSave_ApplyIni(g_optionsIni);
  ReadOptionsIni(g_optionsIni);
}

void LoadDebugFile(const std::string& gamePath) {
  std::string debugPath = Runner_DebugPath(gamePath);
  if (debugPath.empty() || !PlainFileExists(debugPath)) return;
  std::vector<uint8_t> bytes;
  ReadWhole(debugPath, &bytes);
  DebugInfo_Load(&g_debugInfo, std::move(bytes));
}

}  // namespace

void Runner_SetVirtualButtonsHook(OptionsIniHook hook) { g_virtualButtonsHook = hook; }

void Runner_SetOrientations(int32_t, int32_t, int32_t, int32_t) {}

std::string Runner_IniPath(const std::string& gamePath) {
  size_t cut = gamePath.rfind('/');
  if (cut == std::string::npos) cut = gamePath.rfind('\\');
  if (cut == std::string::npos) return std::string();
  return gamePath.substr(0, cut) + "/options.ini";
}

std::string Runner_DebugPath(const std::string& gamePath) {
  size_t nameStart = gamePath.find_last_of("/\\");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  size_t dot = gamePath.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return std::string();
  return gamePath.substr(0, dot) + ".vxdebug";
}

void ReadOptionsIni(CIniFile* ini) {
  int32_t landscape = IniNumber(ini, "OrientLandscape", 1);
  int32_t landscapeFlipped = IniNumber(ini, "OrientLandscapeFlipped", 1);
  int32_t portrait = IniNumber(ini, "OrientPortrait", 1);
  int32_t portraitFlipped = IniNumber(ini, "OrientPortraitFlipped", 1);
  Runner_SetOrientations(landscape, portrait, landscapeFlipped, portraitFlipped);
  if (ini->ReadString("DEFAULT", "Debug", nullptr) != nullptr) {
    g_debugMode = IniNumber(ini, "Debug", 0) != 0;
    if (g_debugMode) {
      g_runFlags.overlayFlags = 2;
      g_runFlags.physicsDebugMessages = true;
    }
  }
  if (ini->ReadString("DEFAULT", "Trace", nullptr) != nullptr) {
    g_runFlags.bytecodeTrace = IniNumber(ini, "Trace", 0) != 0;
  }
}

bool DebugInfo_Load(DebugInfo* info, std::vector<uint8_t> bytes) {
  *info = DebugInfo();
  info->image.Assign(std::move(bytes));
  const GameImage& image = info->image;
  if (image.Size() <= 8 || std::memcmp(image.Data(), "FORM", 4) != 0 ||
      ImageReader(image, 4, 8).U32() != image.Size() - 8) {
    g_debugConsole->Output("Debug information file ignored: not a debug information file\n");
    return false;
  }
  bool ok = true;
  GameFile_ForEachChunk(image, [&](uint32_t id, uint64_t data, uint32_t size) {
    if (!ok || size == 0) return;
    if (data + size > image.Size()) {
      ok = false;
      return;
    }
    g_debugConsole->Output("Process Chunk: %.4s   %d\n", reinterpret_cast<const char*>(image.Data() + data - 8),
                           static_cast<int>(size));
    ImageReader r(image, data, data + size);
    if (id == ChunkId("DBGI")) info->infoOffsets = r.OffsetTable();
    if (id == ChunkId("SCPT")) info->scriptOffsets = r.OffsetTable();
    if (r.Failed()) ok = false;
  });
  if (!ok) {
    g_debugConsole->Output("Debug information file ignored: it is damaged\n");
    *info = DebugInfo();
    return false;
  }
  info->loaded = true;
  return true;
}

bool DebugInfo_Lookup(int32_t index, PrecompiledEntry* entry) {
  if (!Code_TableLookup(index, entry)) return false;
  if (!g_debugInfo.attached) return true;
  const GameImage& debug = g_debugInfo.image;
  ImageReader pairs = ImageReader::AtOffset(debug, g_debugInfo.infoOffsets[static_cast<size_t>(index)]);
  uint32_t count = pairs.U32();
  if (!pairs.Failed() && count <= pairs.Remaining() / 8) {
    entry->debugPairs = debug.Data() + pairs.Position();
    entry->debugPairCount = count;
  }
  ImageReader script = ImageReader::AtOffset(debug, g_debugInfo.scriptOffsets[static_cast<size_t>(index)]);
  const char* source = script.Text();
  if (!script.Failed()) entry->source = source;
  return true;
}

void DebugInfo_Attach() {
  if (!g_debugInfo.loaded) return;
  if (g_debugInfo.infoOffsets.size() != g_codeTable.size() || g_debugInfo.scriptOffsets.size() != g_codeTable.size()) {
    g_debugConsole->Output("Debug information file ignored: its tables do not match the game's code\n");
    g_debugInfo = DebugInfo();
    return;
  }
  g_debugInfo.attached = true;
}

bool RunnerLoadGame(const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  g_gamePath = path;
  Variable_InitWorkingDirectory(g_gamePath.c_str());
  LoadSave_SetGameFile(g_gamePath.c_str());
  g_debugConsole->Output("RunnerLoadGame() - %s\n", g_gamePath.c_str());
  LoadOptionsIni(g_gamePath);
  LoadDebugFile(g_gamePath);
  g_debugConsole->Output("Reading File %s\n", g_gamePath.c_str());
  std::vector<uint8_t> bytes;
  const int error = ReadWhole(g_gamePath, &bytes);
  g_gameData.Assign(std::move(bytes));
  if (error != 0) {
    g_debugConsole->Output("Cannot open the game file %s: %s\n", g_gamePath.c_str(), std::strerror(error));
    return false;
  }
  g_debugConsole->Output("Loaded File %s\n", g_gamePath.c_str());
  const uint8_t* d = g_gameData.Data();
  if (g_gameData.Size() >= 4 && (std::memcmp(d, "FORM", 4) == 0 || std::memcmp(d, "MROF", 4) == 0)) {
    g_debugConsole->Output("IFF wad found\n");
  }
  return true;
}
