// Compiles texts through the front end and the generator for the generator
// tests, and shows the result as words or as compact listings.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "front_end_support.h"
#include "runtime/run_flags.h"
#include "script/variables/variable_names.h"
#include "script/vm/bytecode.h"
#include "script/vm/codegen.h"
#include "support/test_support.h"

namespace codegen_test {

struct Compiled {
  bool ok = false;
  int32_t kind = 0;
  std::string error;
  VMGenerated out;
  Compiled() = default;
  Compiled(const Compiled&) = delete;
  Compiled& operator=(const Compiled&) = delete;
  ~Compiled() { VMGenerated_Free(&out); }

  std::vector<uint32_t> Words() const {
    std::vector<uint32_t> words;
    for (int32_t at = 0; out.code != nullptr && at + 4 <= out.code->size; at += 4)
      words.push_back(VM_ReadWord(out.code->bytes + at));
    return words;
  }
  std::vector<std::string> Hex() const {
    std::vector<std::string> hex;
    for (uint32_t word : Words()) {
      char text[9];
      std::snprintf(text, sizeof text, "%08X", word);
      hex.emplace_back(text);
    }
    return hex;
  }
  // One "name operand" entry per instruction: the listing without offset,
  // bytes and column padding.
  std::vector<std::string> Ops() const {
    testsupport::RecordingConsole console;
    VM_DisassembleAll(out.code, &console);
    std::vector<std::string> ops;
    for (const std::string& line : console.lines) {
      std::istringstream fields(line.size() > 36 ? line.substr(36) : "");
      std::string name, operand;
      fields >> name;
      std::getline(fields, operand);
      size_t first = operand.find_first_not_of(' ');
      operand = first == std::string::npos ? "" : operand.substr(first);
      ops.push_back(operand.empty() ? name : name + " " + operand);
    }
    return ops;
  }
};

// The whole compile with the bytecode switch on; the generated buffers are
// taken from the code object. `a` is always the first user name (100000)
// and `b` the second.
inline void Compile(const char* text, Compiled* result, bool expression = false) {
  front_test::RegisterNames();
  Code_Variable_Reset();
  Code_Variable_Find("a");
  Code_Variable_Find("b");
  bool useBytecode = g_runFlags.useBytecode;
  g_runFlags.useBytecode = true;
  VM_InstallGenerator();
  CCode code(text, expression);
  result->ok = code.Compile("test");
  Code_SetBytecodeGenerator(nullptr);
  g_runFlags.useBytecode = useBytecode;
  result->kind = code.kind;
  if (!result->ok) result->error = front_test::Message();
  result->out.code = code.code;
  result->out.debug = code.debug;
  code.code = nullptr;
  code.debug = nullptr;
}

}  // namespace codegen_test
