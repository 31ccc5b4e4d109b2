#include "gamefile/game_header.h"

#include "files/file_layer.h"
#include "runtime/console.h"
#include "runtime/load_error.h"

GameHeader g_gameHeader;
int32_t g_formatVersion = 0;
int32_t g_gameId = 0;
int32_t g_windowWidth = 0;
int32_t g_windowHeight = 0;
uint32_t g_windowFlags = 0;
std::string g_gameName;
std::vector<int32_t> g_roomOrder;
int32_t g_formatGeneration = 800;

namespace {

constexpr uint64_t kWindowAt = 60;

int32_t FormatOf(uint32_t flags) { return static_cast<int32_t>((flags >> 8) & 0xFF); }

// Where the room-order count lies for each format version.
uint64_t RoomOrderAt(int32_t format) {
  if (format <= 7) return 36;
  if (format == 10) return 104;
  return 100;
}

bool ReadWindow(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data + kWindowAt, data + size);
  g_windowWidth = r.I32();
  g_windowHeight = r.I32();
  g_windowFlags = r.U32();
  return !r.Failed();
}

// One folder name that stays where it is put: not empty, no separator of
// either kind, no control byte, and not "." or "..".
bool IsFolderName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

// The game's name names its save folder; a name that cannot be a folder
// name leaves the game file's name, which the file layer already has.
void NameTheSaveFolder(const std::string& name) {
  if (!IsFolderName(name)) {
    g_debugConsole->Output("The game's name cannot name a folder: the save folder takes the game file's name\n");
    return;
  }
  LoadSave_SetGameName(name.c_str());
}

}  // namespace

void GameHeader_Reset() {
  g_gameHeader = GameHeader();
  g_formatVersion = 0;
  g_gameId = 0;
  g_windowWidth = g_windowHeight = 0;
  g_windowFlags = 0;
  g_gameName.clear();
  g_roomOrder.clear();
  g_formatGeneration = 800;
}

bool GameHeader_ReadNames(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data, data + size);
  g_gameHeader.flags = r.U32();
  g_gameHeader.displayName = r.Text();
  g_gameHeader.configName = r.Text();
  if (r.Failed()) return LoadError_Report("GEN8", "the header names lie outside the file");
  g_formatVersion = FormatOf(g_gameHeader.flags);
  if (g_formatVersion >= 8) {
    ImageReader name(image, data + 40, data + size);
    const char* text = name.Text();
    if (name.Failed()) return LoadError_Report("GEN8", "the game name lies outside the file");
    g_gameName = text == nullptr ? "" : text;
    NameTheSaveFolder(g_gameName);
    if (!ReadWindow(image, data, size)) return LoadError_Report("GEN8", "the header is too short");
  }
  g_formatGeneration = 800;
  return true;
}

void GameHeader_SizeByFirstRoom(const GameImage& image, uint64_t header, uint32_t headerSize, uint64_t rooms,
                                uint32_t roomsSize) {
  if (g_formatVersion >= 8) return;
  ImageReader order(image, header + RoomOrderAt(g_formatVersion), header + headerSize);
  const int32_t count = order.I32();
  const int32_t first = count >= 1 ? order.I32() : -1;
  if (order.Failed()) return void(LoadError_Report("GEN8", "the room order runs past the chunk"));
  ImageReader table(image, rooms, rooms + roomsSize);
  const std::vector<uint32_t> offsets = rooms == 0 ? std::vector<uint32_t>() : table.OffsetTable();
  if (table.Failed()) return void(LoadError_Report("ROOM", "the room count runs past the chunk"));
  if (first < 0 || static_cast<size_t>(first) >= offsets.size() || offsets[static_cast<size_t>(first)] == 0) {
    g_debugConsole->Output(
        "A game of format %d keeps no window size in its header, and has no first room to take it from\n",
        g_formatVersion);
    g_gameHeader.sizeless = true;
    return;
  }
  // A room record begins with its name and caption, then its width and height.
  ImageReader room = ImageReader::AtOffset(image, offsets[static_cast<size_t>(first)]);
  room.Skip(8);
  const int32_t width = room.I32();
  const int32_t height = room.I32();
  if (room.Failed()) return void(LoadError_Report("ROOM", "room %d lies outside the file", first));
  g_windowWidth = width;
  g_windowHeight = height;
}

bool GEN8_Load(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data, data + size);
  g_gameHeader.flags = r.U32();
  g_formatVersion = FormatOf(g_gameHeader.flags);
  r.Skip(8);
  g_gameHeader.lastInstanceId = r.I32();
  g_gameHeader.lastTileId = r.I32();
  g_gameId = r.I32();
  uint32_t words[4] = {r.U32(), r.U32(), r.U32(), r.U32()};
  g_gameHeader.carried[0] = words[0] | (uint64_t{words[1]} << 32);
  g_gameHeader.carried[1] = words[2] | (uint64_t{words[3]} << 32);
  if (r.Failed()) return LoadError_Report("GEN8", "the header is too short");
  if (g_formatVersion >= 8 && !ReadWindow(image, data, size)) {
    return LoadError_Report("GEN8", "the header is too short");
  }
  ImageReader order(image, data + RoomOrderAt(g_formatVersion), data + size);
  int32_t count = order.I32();
  g_roomOrder.clear();
  if (count >= 1) {
    if (static_cast<uint64_t>(count) > order.Remaining() / 4) {
      return LoadError_Report("GEN8", "the room order runs past the chunk");
    }
    for (int32_t i = 0; i < count; ++i) g_roomOrder.push_back(order.I32());
  }
  if (order.Failed()) return LoadError_Report("GEN8", "the room order runs past the chunk");
  return true;
}
