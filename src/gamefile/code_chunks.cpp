#include "gamefile/code_chunks.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gamefile/chunk_walk.h"
#include "gamefile/game_header.h"
#include "runtime/console.h"
#include "runtime/load_error.h"
#include "script/code_table.h"
#include "script/error_report.h"
#include "script/function_registry.h"
#include "script/variable_names.h"

namespace {

constexpr uint32_t kReferenceRecord = 12;
constexpr uint32_t kVariableIdMask = 0x1FFFFFFFu;

BuiltinRegistration g_registration = nullptr;

void ExitOnUnresolved(const char* message) {
  Error_Show(message, true);
  std::fflush(stdout);
  std::exit(1);
}

UnresolvedNameHandler g_unresolved = ExitOnUnresolved;

// A 29-bit two's-complement distance.
int64_t VariableDistance(uint32_t operand) {
  int64_t d = operand & kVariableIdMask;
  return (d & 0x10000000) != 0 ? d - 0x20000000 : d;
}

// The operand word of the reference at `instruction`, or null when it does
// not lie inside the image.
uint8_t* OperandAt(GameImage& image, int64_t instruction) {
  if (instruction < 0 || !image.Contains(static_cast<uint64_t>(instruction), 8)) return nullptr;
  return image.MutableData() + instruction + 4;
}

template <typename Patch>
bool WalkReferences(GameImage& image, const char* chunk, const char* name, int32_t count, uint32_t first,
                    Patch patch) {
  int64_t at = first;
  for (int32_t i = 0; i < count; ++i) {
    uint8_t* operand = OperandAt(image, at);
    if (operand == nullptr) return LoadError_Report(chunk, "a reference to %s lies outside the file", name);
    uint32_t word;
    std::memcpy(&word, operand, 4);
    int64_t step = patch(&word);
    std::memcpy(operand, &word, 4);
    at += step;
  }
  return true;
}

void ReportUnresolved(const char* format, const char* name) {
  char message[1024];
  std::snprintf(message, sizeof message, format, name);
  g_unresolved(message);
}

template <typename Resolve, typename Patch>
bool LoadReferences(GameImage& image, uint64_t data, uint32_t size, const char* chunk, const char* missing,
                    Resolve resolve, Patch patch) {
  if (size % kReferenceRecord != 0) return LoadError_Report(chunk, "its size is not a multiple of 12");
  ImageReader r(image, data, data + size);
  while (r.Remaining() >= kReferenceRecord) {
    const char* name = r.Text();
    int32_t count = r.I32();
    uint32_t first = r.U32();
    if (r.Failed() || name == nullptr) return LoadError_Report(chunk, "a name lies outside the file");
    int32_t id = resolve(name);
    if (id < 0) {
      ReportUnresolved(missing, name);
      return false;
    }
    if (!WalkReferences(image, chunk, name, count, first, [&](uint32_t* word) { return patch(word, id); })) {
      return false;
    }
  }
  return true;
}

}  // namespace

void GameFile_SetBuiltinRegistration(BuiltinRegistration registration) { g_registration = registration; }
void GameFile_SetUnresolvedNameHandler(UnresolvedNameHandler handler) {
  g_unresolved = handler == nullptr ? ExitOnUnresolved : handler;
}

bool Code_Load(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("CODE", "the entry count runs past the chunk");
  g_hasBytecode = true;
  g_codeTable.assign(offsets.size(), CodeEntry());
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    ImageReader entry = ImageReader::AtOffset(image, offsets[i]);
    CodeEntry& code = g_codeTable[i];
    code.name = entry.Text();
    code.length = entry.U32();
    code.instructions = entry.Position();
    if (entry.Failed() || code.length % 4 != 0 || code.length > entry.Remaining()) {
      return LoadError_Report("CODE", "entry %zu runs past the end of the file", i);
    }
  }
  return true;
}

bool VARI_Load(GameImage& image, uint64_t data, uint32_t size) {
  return LoadReferences(
      image, data, size, "VARI", "Error on load\nUnable to find variable %s\n",
      [](const char* name) { return Code_Variable_Find(name); },
      [](uint32_t* word, int32_t id) {
        int64_t step = VariableDistance(*word);
        *word = (*word & ~kVariableIdMask) | (static_cast<uint32_t>(id) & kVariableIdMask);
        return step;
      });
}

bool FUNC_Load(GameImage& image, uint64_t data, uint32_t size) {
  return LoadReferences(
      image, data, size, "FUNC", "Error on load\nUnable to find function %s\n",
      [](const char* name) {
        int32_t id = -1;
        return Function_Find(name, &id) ? id : -1;
      },
      [](uint32_t* word, int32_t id) {
        int64_t step = static_cast<int32_t>(*word);
        *word = static_cast<uint32_t>(id);
        return step;
      });
}

bool LoadGameHeader(GameImage& image) {
  if (!GameFile_CheckContainer(image)) return false;
  bool ok = true;
  GameFile_ForEachChunk(image, [&](uint32_t id, uint64_t data, uint32_t size) {
    if (!ok || size == 0) return;
    if (id == ChunkId("STRG")) {
      g_debugConsole->Output("ID_STRG\n");
      ok = StringTable_Load(image, data, size);
    } else if (id == ChunkId("GEN7") || id == ChunkId("GEN8") || id == ChunkId("GENL")) {
      g_debugConsole->Output("Get Header Information\n");
      ok = GameHeader_ReadNames(image, data, size);
      g_debugConsole->Output("InitKSLFunctions\n");
      if (ok && g_registration != nullptr) g_registration();
    } else if (id == ChunkId("CODE")) {
      g_debugConsole->Output("Code_Load()\n");
      ok = Code_Load(image, data, size);
    } else if (id == ChunkId("VARI")) {
      g_debugConsole->Output("VARI_Load()\n");
      ok = VARI_Load(image, data, size);
    }
  });
  return ok;
}
