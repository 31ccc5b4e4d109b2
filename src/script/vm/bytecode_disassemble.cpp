// One line per instruction: offset, raw bytes, name with type suffixes, and
// the operand or branch target, at fixed columns.
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/console.h"
#include "script/compiler/function_registry.h"
#include "script/variables/variable_names.h"
#include "script/vm/bytecode.h"

namespace {

constexpr size_t kBytesColumn = 36;
constexpr size_t kOperandColumn = 46;

void Append(std::string* line, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string* line, const char* format, ...) {
  char text[64];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  *line += text;
}

void PadTo(std::string* line, size_t column) {
  if (line->size() < column) line->append(column - line->size(), ' ');
}

int64_t ReadInt64(const uint8_t* bytes) {
  uint64_t low = VM_ReadWord(bytes);
  uint64_t high = VM_ReadWord(bytes + 4);
  return static_cast<int64_t>(low | (high << 32));
}

void AppendName(std::string* line, uint32_t word) {
  uint8_t opcode = VM_Opcode(word);
  *line += VM_OpcodeName(opcode);
  uint8_t display = opcode & 0xA0;
  if (display == 0x80) {
    *line += VM_TypeSuffix(VM_Type1(word));
  } else if (display == 0) {
    *line += VM_TypeSuffix(VM_Type1(word));
    *line += VM_TypeSuffix(VM_Type2(word));
  }
}

void AppendCallee(std::string* line, int32_t id) {
  const BuiltinFunctionRecord* record = id < kFirstScriptFunctionId ? Function_GetRecord(id) : nullptr;
  if (record != nullptr) {
    *line += record->name;
  } else {
    Append(line, "%d", id);
  }
}

void AppendString(std::string* line, int32_t index, const IVMStrings* strings) {
  const char* text = strings == nullptr ? nullptr : strings->Text(index);
  *line += '"';
  if (text != nullptr) {
    *line += text;
  } else {
    Append(line, "<string %d>", index);
  }
  *line += '"';
}

// The operand of a word whose operand bit is set; `operand` holds all of it.
void AppendOperand(std::string* line, uint32_t word, const uint8_t* operand, const IVMStrings* strings) {
  switch (VM_Type1(word)) {
    case kVMDouble: {
      double value;
      uint64_t bits = static_cast<uint64_t>(ReadInt64(operand));
      std::memcpy(&value, &bits, sizeof value);
      Append(line, "%f", value);
      break;
    }
    case kVMFloat: {
      float value;
      uint32_t bits = VM_ReadWord(operand);
      std::memcpy(&value, &bits, sizeof value);
      Append(line, "%f", static_cast<double>(value));
      break;
    }
    case kVMInt: {
      auto value = static_cast<int32_t>(VM_ReadWord(operand));
      if (VM_Opcode(word) == kOpCall) {
        AppendCallee(line, value);
      } else {
        Append(line, "%d", value);
      }
      break;
    }
    case kVMLong: Append(line, "%" PRId64, ReadInt64(operand)); break;
    case kVMBool: *line += VM_ReadWord(operand) != 0 ? "true" : "false"; break;
    case kVMVariant:
      *line += '$';
      *line += Code_Variable_GetName(static_cast<int32_t>(VM_ReadWord(operand) & kVMRefIdMask));
      *line += '$';
      break;
    case kVMString: AppendString(line, static_cast<int32_t>(VM_ReadWord(operand)), strings); break;
    case kVMShort: Append(line, "%d", VM_Data(word)); break;
    default: break;
  }
}

}  // namespace

int32_t VM_Disassemble(const uint8_t* bytes, int32_t size, int32_t offset, tagIConsole* console,
                       const IVMStrings* strings) {
  if (bytes == nullptr || offset < 0 || offset >= size) return size;
  std::string line;
  Append(&line, "%08x : ", static_cast<uint32_t>(offset));
  int32_t remaining = size - offset;
  const uint8_t* at = bytes + offset;
  if (remaining < 4) {
    for (int32_t i = 0; i < remaining; ++i) Append(&line, "%02x", at[i]);
    console->Output("%s\n", line.c_str());
    return size;
  }
  uint32_t word = VM_ReadWord(at);
  int32_t length = VM_InstructionLength(word);
  bool complete = length <= remaining;
  int32_t shown = complete ? length : remaining;
  for (int32_t i = 0; i < shown; ++i) Append(&line, "%02x", at[i]);
  PadTo(&line, kBytesColumn);
  AppendName(&line, word);
  PadTo(&line, kOperandColumn);
  uint8_t opcode = VM_Opcode(word);
  if ((opcode & kVMHasOperand) != 0) {
    if (complete) AppendOperand(&line, word, at + 4, strings);
  } else if ((opcode & kVMBranchBit) != 0) {
    int64_t target = static_cast<int64_t>(offset) + 4 * static_cast<int64_t>(VM_BranchOffset(word));
    Append(&line, "0x%08x", static_cast<uint32_t>(target));
  }
  console->Output("%s\n", line.c_str());
  return complete ? offset + length : size;
}

void VM_DisassembleAll(const VMBuffer* code, tagIConsole* console, const IVMStrings* strings) {
  if (code == nullptr) return;
  if (strings == nullptr) strings = VM_CodeStrings(code);
  int32_t offset = 0;
  while (offset < code->size) offset = VM_Disassemble(code->bytes, code->size, offset, console, strings);
}
