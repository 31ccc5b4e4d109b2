// The bytecode generator: one recursive walk over a checked and folded code
// tree that writes instruction words, keeping a compile-time stack of value
// types that mirrors the machine's value stack and inserting conversions
// where an operator needs a particular type.
#pragma once

#include <cstdint>

#include "script/compiler/code_node.h"
#include "script/vm/bytecode.h"
#include "script/vm/bytecode_strings.h"

class CCode;

// Deepest type stack; a deeper expression is the compile error below.
constexpr int32_t kVMTypeStackDepth = 1024;
extern const char* const kVMExpressionTooComplex;  // "Expression too complex."
extern const char* const kVMCodeTooLarge;          // "Code too large."

// What the generator hands to the code object, owned by the receiver. code
// is null when nothing was generated (an empty program); it carries the pool
// of its string constants (VM_CodeStrings(code), null when it pushes none).
struct VMGenerated {
  VMBuffer* code = nullptr;
  // Pairs of u32 (code offset, source position), ascending by offset. The
  // player's own compiles write none; the game-file writer asks for them.
  VMBuffer* debug = nullptr;
};

// Translates a program tree (the statements of a block root; any other
// root gives nothing) or an expression tree (its value, as a variant, left
// on the stack). `code` receives compile errors through Code_Error_Set; on
// an error nothing is handed over and the result is false. With `withPairs`
// every instruction whose node lies elsewhere in the source than the one
// before it starts a debug pair.
bool VM_Generate(const CCode* code, const CodeNode& root, bool expression, VMGenerated* out, bool withPairs = false);
// Deletes and clears what VM_Generate handed over.
void VMGenerated_Free(VMGenerated* generated);

// The compile driver's hook: generates for code->root by its kind and puts
// the result into code->code and code->debug. With a machine installed to
// run it, code that got bytecode lets its tree go (root becomes fresh).
bool VM_GenerateCode(CCode* code);
// Makes every later compile with the bytecode switch on generate bytecode.
void VM_InstallGenerator();
