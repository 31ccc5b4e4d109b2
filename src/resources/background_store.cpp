// The background store: one object and one owned name per slot.
#include <cstring>
#include <string>
#include <vector>

#include "files/file_layer.h"
#include "resources/background.h"
#include "resources/resource_names.h"
#include "runtime/containers.h"
#include "runtime/load_error.h"

namespace {

constexpr size_t kMaxPath = 1024;

cARRAY_STRUCTURE<CBackground*> g_backgrounds;
cARRAY_MEMORY<char> g_backgroundNames;

int32_t AppendSlot() {
  int32_t index = g_backgrounds.length;
  g_backgrounds.SetLength(index + 1);
  g_backgroundNames.SetLength(index + 1);
  g_backgrounds[index] = new CBackground();
  g_backgroundNames[index] = Resource_NewName("__newbackground", index);
  return index;
}

// Drops the last slot again, with its object and name.
void DropLastSlot() {
  int32_t last = g_backgrounds.length - 1;
  delete g_backgrounds[last];
  MemoryManager::Free(g_backgroundNames[last]);
  g_backgroundNames[last] = nullptr;
  g_backgrounds.SetLength(last);
  g_backgroundNames.SetLength(last);
}

// The save folder's file when there is one, else the program folder's.
bool FindFile(const char* fileName, char* path) {
  const std::string found = LoadSave_FindFile(fileName);
  if (found.empty()) LoadSave_TellNotRegular(fileName);
  if (found.empty() || found.size() >= kMaxPath) return false;
  std::memcpy(path, found.c_str(), found.size() + 1);
  return true;
}

// Reads the file found, wherever it was found.
bool LoadFile(CBackground* background, const char* path, bool transparent, bool smooth, bool preload) {
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadFile(path, &size);
  bool ok = background->LoadFromMemory(data, size, transparent, smooth, preload);
  MemoryManager::Free(data);
  return ok;
}

}  // namespace

void Background_Init() { Background_Shutdown(); }

bool Background_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Background_Init();
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("BGND", "the background count runs past the chunk");
  g_backgrounds.SetLength(static_cast<int32_t>(offsets.size()));
  g_backgroundNames.SetLength(static_cast<int32_t>(offsets.size()));
  for (int32_t i = 0; i < static_cast<int32_t>(offsets.size()); ++i) {
    if (offsets[i] == 0) continue;
    ImageReader record = ImageReader::AtOffset(image, offsets[i]);
    const char* name = record.Text();
    if (record.Failed()) return LoadError_Report("BGND", "background %d: its name lies outside the file", i);
    g_backgrounds[i] = new CBackground();
    g_backgroundNames[i] = Resource_CopyName(name);
    const char* fault = g_backgrounds[i]->Load(record);
    if (fault != nullptr) return LoadError_Report("BGND", "background %d (%s): %s", i, g_backgroundNames[i], fault);
  }
  return true;
}

int32_t Background_Count() { return g_backgrounds.length; }

bool Background_Exists(int32_t index) {
  return index >= 0 && index < g_backgrounds.length && g_backgrounds[index] != nullptr;
}

CBackground* Background_Get(int32_t index) { return Background_Exists(index) ? g_backgrounds[index] : nullptr; }

char* Background_GetName(int32_t index) {
  return Resource_CopyName(Background_Exists(index) ? g_backgroundNames[index] : "<undefined>");
}

const char* Background_Name(int32_t index) { return Background_Exists(index) ? g_backgroundNames[index] : nullptr; }

int32_t Background_Find(const char* name) {
  if (name == nullptr) return -1;
  for (int32_t i = 0; i < g_backgrounds.length; ++i) {
    if (Background_Exists(i) && std::strcmp(g_backgroundNames[i], name) == 0) return i;
  }
  return -1;
}

int32_t Background_Add(const char* fileName, bool removeBackground, bool smooth, bool preload) {
  char path[kMaxPath];
  if (!FindFile(fileName, path)) return -1;
  int32_t index = AppendSlot();
  if (LoadFile(g_backgrounds[index], path, removeBackground, smooth, preload)) return index;
  DropLastSlot();
  return -1;
}

bool Background_Replace(int32_t index, const char* fileName, bool removeBackground, bool smooth, bool preload) {
  char path[kMaxPath];
  if (index < 0 || index >= g_backgrounds.length || !FindFile(fileName, path)) return false;
  if (g_backgrounds[index] == nullptr) g_backgrounds[index] = new CBackground();
  if (g_backgroundNames[index] == nullptr) g_backgroundNames[index] = Resource_NewName("__newbackground", index);
  return LoadFile(g_backgrounds[index], path, removeBackground, smooth, preload);
}

int32_t Background_AddEmpty() { return AppendSlot(); }

bool Background_Delete(int32_t index) {
  if (!Background_Exists(index)) return false;
  delete g_backgrounds[index];
  g_backgrounds[index] = nullptr;
  MemoryManager::Free(g_backgroundNames[index]);
  g_backgroundNames[index] = nullptr;
  return true;
}

int32_t Background_Duplicate(int32_t index) {
  if (!Background_Exists(index)) return -1;
  int32_t copy = AppendSlot();
  g_backgrounds[copy]->Assign(*g_backgrounds[index]);
  return copy;
}

bool Background_Assign(int32_t destination, int32_t source) {
  if (!Background_Exists(source) || destination < 0 || destination >= g_backgrounds.length) return false;
  if (g_backgrounds[destination] == nullptr) g_backgrounds[destination] = new CBackground();
  g_backgrounds[destination]->Assign(*g_backgrounds[source]);
  return true;
}

void Background_InitTextures() {
  for (int32_t i = 0; i < g_backgrounds.length; ++i) {
    if (g_backgrounds[i] != nullptr) g_backgrounds[i]->MakeTexture();
  }
}

void Background_Shutdown() {
  for (int32_t i = 0; i < g_backgrounds.length; ++i) delete g_backgrounds[i];
  g_backgrounds.SetLength(0);
  g_backgroundNames.SetLength(0);
}
