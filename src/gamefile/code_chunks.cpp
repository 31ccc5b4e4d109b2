#include "gamefile/code_chunks.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gamefile/chunk_walk.h"
#include "gamefile/game_header.h"
#include "runtime/console.h"
#include "runtime/fatal.h"
#include "runtime/load_error.h"
#include "script/compiler/code_table.h"
#include "script/compiler/function_registry.h"
#include "script/events/error_report.h"
#include "script/variables/variable_names.h"
#include "script/vm/bytecode.h"

namespace {

constexpr uint32_t kReferenceRecord = 12;

BuiltinRegistration g_registration = nullptr;

void ExitOnUnresolved(const char* message) {
  Error_Show(message, true);
  Fatal_ExitFromRunningCode(1);
}

UnresolvedNameHandler g_unresolved = ExitOnUnresolved;

// A 29-bit two's-complement distance, where the variable id goes once patched.
int64_t VariableDistance(uint32_t operand) {
  int64_t d = operand & kVMRefIdMask;
  return (d & 0x10000000) != 0 ? d - 0x20000000 : d;
}

// The operand word of the reference at `instruction`, or null when it does
// not lie inside the image.
uint8_t* OperandAt(GameImage& image, int64_t instruction) {
  if (instruction < 0 || !image.Contains(static_cast<uint64_t>(instruction), 8)) return nullptr;
  return image.MutableData() + instruction + 4;
}

using ReferenceKind = bool (*)(uint32_t word);

template <typename Patch>
bool WalkReferences(GameImage& image, const char* chunk, const char* name, int32_t count, uint32_t first,
                    ReferenceKind kind, Patch patch) {
  int64_t at = first;
  for (int32_t i = 0; i < count; ++i) {
    uint8_t* operand = OperandAt(image, at);
    if (operand == nullptr) return LoadError_Report(chunk, "a reference to %s lies outside the file", name);
    if (!kind(VM_ReadWord(operand - 4))) {
      return LoadError_Report(chunk, "a reference to %s is not an instruction that names it", name);
    }
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
                    ReferenceKind kind, Resolve resolve, Patch patch) {
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
    if (!WalkReferences(image, chunk, name, count, first, kind, [&](uint32_t* word) { return patch(word, id); })) {
      return false;
    }
  }
  return true;
}

bool IsBranch(uint32_t word) {
  uint8_t op = VM_Opcode(word);
  return (op & kVMHasOperand) == 0 && (op & kVMBranchBit) != 0 && word != kVMWithClose;
}

bool KnownType(uint8_t type) { return type == kVMDouble || (type >= kVMInt && type <= kVMString) || type == kVMShort; }

// Checks one entry's instruction stream: every instruction and operand lies
// inside it, branches land on instruction starts (or the end), types are
// known and never single precision, string operands name a string.
bool VerifyCode(const uint8_t* bytes, uint32_t length, std::string* fault) {
  std::vector<bool> starts(length / 4 + 1, false);
  std::vector<std::pair<uint32_t, int64_t>> branches;
  uint32_t at = 0;
  while (at < length) {
    uint32_t word = VM_ReadWord(bytes + at);
    starts[at / 4] = true;
    uint32_t size = static_cast<uint32_t>(VM_InstructionLength(word));
    if (size > length - at) return *fault = "an operand runs past the end", false;
    if (IsBranch(word)) {
      branches.emplace_back(at, static_cast<int64_t>(at) + 4 * static_cast<int64_t>(VM_BranchOffset(word)));
    } else if (word != kVMWithClose) {
      uint8_t op = VM_Opcode(word);
      bool twoTypes = (op & 0xA0) == 0x00;
      if (!KnownType(VM_Type1(word)) || (twoTypes && !KnownType(VM_Type2(word)))) {
        return *fault = "an instruction has an unknown or single-precision type", false;
      }
      if (VM_IsStringPush(word) && VM_ReadWord(bytes + at + 4) >= StringTable_Count()) {
        return *fault = "a string operand names no string", false;
      }
    }
    at += size;
  }
  starts[length / 4] = true;
  for (const auto& [from, to] : branches) {
    if (to < 0 || to > length || to % 4 != 0 || !starts[static_cast<size_t>(to / 4)]) {
      return *fault = "a branch at " + std::to_string(from) + " lands inside an instruction", false;
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
    std::string fault;
    if (!VerifyCode(image.Data() + code.instructions, code.length, &fault)) {
      return LoadError_Report("CODE", "entry %zu (%s): %s", i, code.name == nullptr ? "" : code.name, fault.c_str());
    }
  }
  return true;
}

bool VARI_Load(GameImage& image, uint64_t data, uint32_t size) {
  return LoadReferences(
      image, data, size, "VARI", "Error on load\nUnable to find variable %s\n", VM_IsVariableAccess,
      [](const char* name) { return Code_Variable_Find(name); },
      [](uint32_t* word, int32_t id) {
        int64_t step = VariableDistance(*word);
        *word = (*word & ~kVMRefIdMask) | (static_cast<uint32_t>(id) & kVMRefIdMask);
        return step;
      });
}

bool FUNC_Load(GameImage& image, uint64_t data, uint32_t size) {
  return LoadReferences(
      image, data, size, "FUNC", "Error on load\nUnable to find function %s\n", VM_IsCall,
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
  // Nothing of an earlier file may survive into this one.
  CodeTable_Clear();
  StringTable_Clear();
  GameHeader_Reset();
  if (!GameFile_CheckContainer(image)) return false;
  bool ok = true;
  bool headerMet = false;
  uint64_t header = 0, rooms = 0;
  uint32_t headerSize = 0, roomsSize = 0;
  GameFile_ForEachChunk(image, [&](uint32_t id, uint64_t data, uint32_t size) {
    if (!ok || size == 0) return;
    if (id == ChunkId("ROOM")) {
      rooms = data;
      roomsSize = size;
    } else if (id == ChunkId("STRG")) {
      g_debugConsole->Output("ID_STRG\n");
      ok = StringTable_Load(image, data, size);
    } else if (id == ChunkId("GEN7") || id == ChunkId("GEN8") || id == ChunkId("GENL")) {
      g_debugConsole->Output("Get Header Information\n");
      ok = GameHeader_ReadNames(image, data, size);
      headerMet = true;
      header = data;
      headerSize = size;
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
  if (ok && headerMet) GameHeader_SizeByFirstRoom(image, header, headerSize, rooms, roomsSize);
  return ok;
}
