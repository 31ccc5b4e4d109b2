// Compiles texts through the front end and the generator for the generator
// tests, and shows the result as words or as compact listings.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/numeric.h"
#include "script/bytecode.h"
#include "script/codegen.h"
#include "front_end_support.h"
#include "script/variable_names.h"
#include "support/test_support.h"

namespace codegen_test {

// A variable through a constant selector and without index becomes the
// simple kind, as the checking phase leaves it.
inline void BindConstantSelectors(CodeNode* node) {
  for (int32_t i = 0; i < node->childCount; ++i) BindConstantSelectors(&node->children[i]);
  if (node->kind == kNodeVariable && node->childCount == 1 && node->children[0].kind == kNodeConstant &&
      node->children[0].value.kind == kValueReal) {
    node->kind = kNodeVariableOnInstance;
    node->instance = Num_RoundInt32(node->children[0].value.real);
  }
}

struct Compiled {
  bool ok = false;
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

// Front end, selector binding, generator. `a` is always the first user
// name (100000) and `b` the second.
inline void Compile(const char* text, Compiled* result, bool expression = false) {
  Code_Variable_Reset();
  Code_Variable_Find("a");
  Code_Variable_Find("b");
  CCode code(text, expression);
  if (!front_test::Front(&code)) {
    result->error = "front end: " + front_test::Error();
    return;
  }
  BindConstantSelectors(&code.root);
  Code_Error_Clear();
  result->ok = VM_Generate(&code, code.root, expression, &result->out);
  if (!result->ok) result->error = front_test::Message();
}

}  // namespace codegen_test
