#include "gamefile/chunk_walk.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "extensions/extension.h"
#include "gamefile/code_chunks.h"
#include "gamefile/game_header.h"
#include "gamefile/options.h"
#include "resources/background.h"
#include "resources/font.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "resources/texture_pages.h"
#include "resources/timeline.h"
#include "runtime/console.h"
#include "runtime/load_error.h"
#include "script/events/script.h"

namespace {

using ChunkReader = ChunkReaderFn;

// Chunks whose stores do not exist yet, or whose readers the layers above
// install (objects, rooms, sounds), are accepted unread.
bool NotReadYet(GameImage&, uint64_t, uint32_t) { return true; }

// Most readers only read; FUNC writes ids into the image.
template <bool (*Read)(const GameImage&, uint64_t, uint32_t)>
bool ReadOnly(GameImage& image, uint64_t data, uint32_t size) {
  return Read(image, data, size);
}

// Read by the header pre-pass; the walk only lists them.
bool ReadByPrePass(GameImage&, uint64_t, uint32_t) { return true; }

bool OldHeader(GameImage& image, uint64_t data, uint32_t size) {
  g_formatGeneration = 700;
  return GEN8_Load(image, data, size);
}

struct ChunkEntry {
  uint32_t id;
  ChunkReader read;
};

const ChunkEntry kChunks[] = {
    {ChunkId("GEN7"), OldHeader},
    {ChunkId("GENL"), OldHeader},
    {ChunkId("GEN8"), ReadOnly<GEN8_Load>},
    {ChunkId("OPTN"), ReadOnly<Option_Load>},
    {ChunkId("EXTN"), ReadOnly<Extension_Load>},
    {ChunkId("SOND"), NotReadYet},
    {ChunkId("AUDO"), NotReadYet},
    {ChunkId("SPRT"), ReadOnly<Sprite_Load>},
    {ChunkId("BGND"), ReadOnly<Background_Load>},
    {ChunkId("PATH"), ReadOnly<Path_Load>},
    {ChunkId("SCPT"), ReadOnly<Script_Load>},
    {ChunkId("FONT"), ReadOnly<Font_Load>},
    {ChunkId("TMLN"), ReadOnly<TimeLine_Load>},
    {ChunkId("OBJT"), NotReadYet},
    {ChunkId("ROOM"), NotReadYet},
    {ChunkId("DAFL"), NotReadYet},
    {ChunkId("TPAG"), ReadOnly<TexturePage_Load>},
    {ChunkId("TXTR"), ReadOnly<TXTR_Load>},
    {ChunkId("CODE"), NotReadYet},
    {ChunkId("FUNC"), FUNC_Load},
    {ChunkId("VARI"), ReadByPrePass},
    {ChunkId("STRG"), ReadByPrePass},
    {ChunkId("HELP"), NotReadYet},
};

// A reader installed from above comes before the table's own.
ChunkReader FindReader(uint32_t id) {
  if (ChunkReader installed = ChunkWalk_InstalledReader(id)) return installed;
  for (const ChunkEntry& entry : kChunks) {
    if (entry.id == id) return entry.read;
  }
  return nullptr;
}

std::string IdText(uint32_t id) {
  char text[5];
  std::memcpy(text, &id, 4);
  text[4] = '\0';
  for (int i = 0; i < 4; ++i) {
    if (static_cast<unsigned char>(text[i]) < 32 || static_cast<unsigned char>(text[i]) > 126) text[i] = '?';
  }
  return text;
}

// The three header chunks are one kind: the file holds one header.
constexpr uint32_t kHeader = ChunkId("GEN8");
uint32_t KindOf(uint32_t id) { return id == ChunkId("GEN7") || id == ChunkId("GENL") ? kHeader : id; }

// The first chunk read of the kind, null when none is.
const uint32_t* Earlier(uint32_t kind, const std::vector<uint32_t>& taken) {
  auto at = std::find_if(taken.begin(), taken.end(), [&](uint32_t id) { return KindOf(id) == kind; });
  return at == taken.end() ? nullptr : &*at;
}

// Every chunk the readers know is read once: a second copy would set its
// store (or the built-ins, with the header) up again over the first.
// Unknown chunks are read by no one and fail the load on their own.
bool TakeOnce(uint32_t id, std::vector<uint32_t>* taken) {
  if (FindReader(id) == nullptr) return true;
  const uint32_t* earlier = Earlier(KindOf(id), *taken);
  if (earlier == nullptr) {
    taken->push_back(id);
    return true;
  }
  const std::string name = IdText(id);
  if (*earlier == id) return LoadError_Report(name.c_str(), "a second %s chunk", name.c_str());
  return LoadError_Report(name.c_str(), "a second header chunk, after %s", IdText(*earlier).c_str());
}

// Every store is emptied before the chunks are read, in this order.
void ClearStores() {
  Extension_Clear();
  ChunkWalk_ClearInstalled(ChunkId("SOND"));
  Background_Init();
  Path_Init();
  Font_Init();
  Script_Clear();
  TimeLine_Init();
  ChunkWalk_ClearInstalled(ChunkId("OBJT"));
  Sprite_Init();
  ChunkWalk_ClearInstalled(ChunkId("ROOM"));
  TexturePage_Clear();
  Option_Defaults();
}

std::vector<const char*> g_strings;

}  // namespace

bool GameFile_CheckContainer(const GameImage& image) {
  if (image.Size() <= 8)
    return LoadError_Report("FORM", "the file is too short (%llu bytes)",
                            static_cast<unsigned long long>(image.Size()));
  const uint8_t* d = image.Data();
  bool form = std::memcmp(d, "FORM", 4) == 0 || std::memcmp(d, "MROF", 4) == 0;
  if (!form) return LoadError_Report("FORM", "this is not a game file");
  ImageReader head(image, 4, 8);
  uint32_t size = head.U32();
  if (size != image.Size() - 8) {
    return LoadError_Report("FORM", "the size word says %u bytes, the file holds %llu", size,
                            static_cast<unsigned long long>(image.Size() - 8));
  }
  uint64_t offset = 8;
  std::vector<uint32_t> taken;
  while (offset < image.Size()) {
    if (image.Size() - offset < 8) return LoadError_Report("FORM", "a chunk header is cut short");
    ImageReader r(image, offset, image.Size());
    uint32_t id = r.U32();
    uint64_t chunkSize = r.U32();
    if (chunkSize > image.Size() - offset - 8) {
      return LoadError_Report(IdText(id).c_str(), "the chunk runs past the end of the file");
    }
    if (chunkSize > 0 && !TakeOnce(id, &taken)) return false;
    offset += 8 + chunkSize;
  }
  if (Earlier(kHeader, taken) == nullptr) return LoadError_Report("FORM", "the file has no header chunk");
  return true;
}

bool LoadGameChunks(GameImage& image) {
  g_debugConsole->Output("initialise everything!\n");
  ClearStores();
  if (!GameFile_CheckContainer(image)) return false;
  bool result = true;
  bool damaged = false;
  GameFile_ForEachChunk(image, [&](uint32_t id, uint64_t data, uint32_t size) {
    if (damaged) return;
    std::string name = IdText(id);
    g_debugConsole->Output("Process Chunk: %s   %d\n", name.c_str(), static_cast<int>(size));
    if (size == 0) return;
    ChunkReader read = FindReader(id);
    if (read == nullptr) {
      g_debugConsole->Output("unknown Chunk %s:%d\n", name.c_str(), static_cast<int>(id));
      result = false;
      return;
    }
    // A damaged chunk ends the walk; an unknown one only fails the result.
    if (!read(image, data, size)) damaged = true;
  });
  return result && !damaged;
}

bool LoadGameData() {
  g_debugConsole->Output("LoadGameData()\n");
  return LoadGameChunks(g_gameData);
}

bool StringTable_Load(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("STRG", "the string count runs past the chunk");
  g_strings.assign(offsets.size(), nullptr);
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    g_strings[i] = image.TextAt(uint64_t{offsets[i]} + 4);
    if (g_strings[i] == nullptr) return LoadError_Report("STRG", "string %zu lies outside the file", i);
  }
  return true;
}

const char* StringTable_Get(uint32_t index) { return index < g_strings.size() ? g_strings[index] : nullptr; }
uint32_t StringTable_Count() { return static_cast<uint32_t>(g_strings.size()); }
void StringTable_Clear() { g_strings.clear(); }
