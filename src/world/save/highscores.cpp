// The highscore table and its file: "HISC", the file length, then per place
// the name's byte length, the name and the value.
#include "world/save/highscores.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string>

#include "files/file_layer.h"
#include "files/write_stream.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/stream.h"
#include "runtime/stream_reader.h"

namespace {

constexpr const char kFileName[] = "hiscore.dat";
constexpr char kMagic[4] = {'H', 'I', 'S', 'C'};

struct Place {
  bool named = false;
  std::string name;
  int32_t value = 0;
};

using Table = std::array<Place, kHighscorePlaces>;

Table g_table;
std::string g_emptyPlaceName = "<nobody>";

Place* At(int32_t place) {
  return place >= 1 && place <= kHighscorePlaces ? &g_table[static_cast<size_t>(place - 1)] : nullptr;
}

Place Named(const char* name, int32_t value) {
  Place place;
  place.named = name != nullptr;
  if (name != nullptr) place.name = name;
  place.value = value;
  return place;
}

}  // namespace

void Score_Clear() {
  for (Place& place : g_table) place = Named(g_emptyPlaceName.c_str(), 0);
}

void Score_SetEmptyPlaceName(const char* name) { g_emptyPlaceName = name != nullptr ? name : ""; }

void Score_Set(int32_t place, const char* name, int32_t value) {
  if (Place* slot = At(place)) *slot = Named(name, value);
}

void Score_Add(const char* name, int32_t value) {
  size_t at = 0;
  while (at < g_table.size() && g_table[at].value >= value) ++at;
  if (at == g_table.size()) return;
  for (size_t i = g_table.size() - 1; i > at; --i) g_table[i] = g_table[i - 1];
  g_table[at] = Named(name, value);
}

int32_t Score_GetValue(int32_t place) {
  const Place* slot = At(place);
  return slot != nullptr ? slot->value : 0;
}

const char* Score_GetName(int32_t place) {
  const Place* slot = At(place);
  return slot != nullptr && slot->named ? slot->name.c_str() : nullptr;
}

void Score_Show() {}

void Score_Write(uint8_t** bytes, int32_t* size) {
  CStream stream;
  stream.WriteBuffer(kMagic, sizeof kMagic);
  stream.WriteInteger(0);
  for (const Place& place : g_table) {
    stream.WriteString(place.named ? place.name.c_str() : nullptr);
    stream.WriteInteger(place.named ? place.value : 0);
  }
  const auto length = static_cast<int32_t>(stream.GetPosition());
  stream.SetPosition(sizeof kMagic);
  stream.WriteInteger(length);
  *size = length;
  *bytes = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(length), false));
  std::memcpy(*bytes, stream.GetBuffer(), static_cast<size_t>(length));
}

bool Score_Parse(const uint8_t* bytes, int32_t size) {
  if (size < 8 || std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return false;
  CStream stream;
  stream.WriteBuffer(bytes, size);
  stream.SetPosition(8);  // past the magic and the length, which is not checked
  CheckedStreamReader in(stream);
  Table staged;
  for (Place& place : staged) {
    // A name is a C string: a zero byte ends it. A length of 0 is no name.
    const std::string name = in.Text();
    place = Named(name.empty() ? nullptr : name.c_str(), in.Integer());
  }
  if (!in.ok()) return false;
  g_table = staged;
  return true;
}

void Score_Load() {
  int32_t size = 0;
  uint8_t* bytes = LoadSave_ReadSaveFile(kFileName, &size);
  if (bytes == nullptr) return;
  const bool magic = size >= 4 && std::memcmp(bytes, kMagic, sizeof kMagic) == 0;
  if (!Score_Parse(bytes, size) && magic) {
    g_debugConsole->Output("%s is damaged; the highscore table is left as it was\n", kFileName);
  }
  MemoryManager::Free(bytes);
}

void Score_Save() {
  // Without a game there is no save folder to keep a table in.
  if (LoadSave_GetSaveDirectory()[0] == '\0') return;
  uint8_t* bytes = nullptr;
  int32_t size = 0;
  Score_Write(&bytes, &size);
  if (!LoadSave_WriteFile(kFileName, bytes, size)) {
    const int why = errno;
    g_debugConsole->Output("Could not write %s (%s)%s\n", LoadSave_ReportedPath(kFileName).c_str(), std::strerror(why),
                           WriteStream_EarlierNote("; an earlier table there is kept"));
  }
  MemoryManager::Free(bytes);
}
