// The path store: one object and one owned name per slot.
#include <cstdio>
#include <cstring>
#include <vector>

#include "resources/path.h"
#include "resources/resource_names.h"
#include "runtime/containers.h"
#include "runtime/load_error.h"
#include "script/events/error_report.h"

namespace {

cARRAY_STRUCTURE<CPath*> g_paths;
cARRAY_MEMORY<char> g_pathNames;

int32_t AppendSlot() {
  int32_t index = g_paths.length;
  g_paths.SetLength(index + 1);
  g_pathNames.SetLength(index + 1);
  g_paths[index] = new CPath();
  g_pathNames[index] = Resource_NewName("__newpath", index);
  return index;
}

}  // namespace

void Path_Init() { Path_Shutdown(); }

bool Path_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Path_Init();
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("PATH", "the path count runs past the chunk");
  g_paths.SetLength(static_cast<int32_t>(offsets.size()));
  g_pathNames.SetLength(static_cast<int32_t>(offsets.size()));
  for (int32_t i = 0; i < static_cast<int32_t>(offsets.size()); ++i) {
    if (offsets[i] == 0) continue;
    ImageReader record = ImageReader::AtOffset(image, offsets[i]);
    const char* name = record.Text();
    if (record.Failed()) return LoadError_Report("PATH", "path %d: its name lies outside the file", i);
    g_paths[i] = new CPath();
    g_pathNames[i] = Resource_CopyName(name);
    if (!g_paths[i]->Load(record)) {
      return LoadError_Report("PATH", "path %d (%s): its points run past the file", i, g_pathNames[i]);
    }
  }
  return true;
}

int32_t Path_Count() { return g_paths.length; }

bool Path_Exists(int32_t index) { return index >= 0 && index < g_paths.length && g_paths[index] != nullptr; }

CPath* Path_Get(int32_t index) { return Path_Exists(index) ? g_paths[index] : nullptr; }

char* Path_GetName(int32_t index) { return Resource_CopyName(Path_Exists(index) ? g_pathNames[index] : "<undefined>"); }

const char* Path_Name(int32_t index) { return Path_Exists(index) ? g_pathNames[index] : nullptr; }

int32_t Path_Find(const char* name) {
  if (name == nullptr) return -1;
  for (int32_t i = 0; i < g_paths.length; ++i) {
    if (Path_Exists(i) && std::strcmp(g_pathNames[i], name) == 0) return i;
  }
  return -1;
}

int32_t Path_Add() { return AppendSlot(); }

bool Path_Delete(int32_t index) {
  if (!Path_Exists(index)) return false;
  delete g_paths[index];
  g_paths[index] = nullptr;
  MemoryManager::Free(g_pathNames[index]);
  g_pathNames[index] = nullptr;
  return true;
}

int32_t Path_Duplicate(int32_t index) {
  if (!Path_Exists(index)) return -1;
  int32_t copy = AppendSlot();
  g_paths[copy]->Assign(*g_paths[index]);
  return copy;
}

bool Path_Assign(int32_t destination, int32_t source) {
  if (!Path_Exists(source) || destination < 0 || destination >= g_paths.length) return false;
  if (destination == source) {
    Error_Show("ERROR: Can not assign a path to itself!", false);
    return false;
  }
  if (g_paths[destination] == nullptr) g_paths[destination] = new CPath();
  g_paths[destination]->Assign(*g_paths[source]);
  return true;
}

void Path_Shutdown() {
  for (int32_t i = 0; i < g_paths.length; ++i) delete g_paths[i];
  g_paths.SetLength(0);
  g_pathNames.SetLength(0);
}
