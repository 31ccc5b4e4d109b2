// One script text and its compiled form: a code tree for the tree
// interpreter, or bytecode with a table of source positions. Every event,
// script, time-line moment, room creation code, user constant and
// execute_string text becomes one of these.
#pragma once

#include <cstdint>
#include <cstring>

#include "runtime/run_flags.h"  // the execution mode
#include "runtime/script_value.h"
#include "script/compiler/code_node.h"

enum CodeKind : int32_t {
  kCodeProgram = 1,
  kCodeExpression = 2,
  kCodeConstant = 3,  // an expression folded to one value
};

// Counts the changes to what a script call runs: the script store's slots,
// a code object's buffers, name and quoted text, a buffer's bytes, and the
// end of code objects and buffers. The machine's call records keep the
// callee they found while the count stands still, so whatever changes one of
// these (or frees one) once code may have run calls Code_Changed() first.
// Buffers and code objects do it themselves when they are freed, adopt new
// bytes or compile.
extern uint64_t g_codeVersion;
inline void Code_Changed() { ++g_codeVersion; }

// A working form the machine decodes a buffer's bytes into. The buffer keeps
// its forms, the newest first, and frees them when it goes or adopts new
// bytes; each form frees what it holds.
struct VMDecodedForm {
  VMDecodedForm() = default;
  virtual ~VMDecodedForm() = default;
  VMDecodedForm(const VMDecodedForm&) = delete;
  VMDecodedForm& operator=(const VMDecodedForm&) = delete;
  VMDecodedForm* older = nullptr;  // the form of the same buffer made before
};

// A run of bytes: the generator's output owns its bytes, a view over the
// loaded game data owns nothing.
class VMBuffer {
 public:
  VMBuffer() = default;
  VMBuffer(const uint8_t* view, int32_t length) : size(length), bytes(const_cast<uint8_t*>(view)) {}
  virtual ~VMBuffer();
  VMBuffer(const VMBuffer&) = delete;
  VMBuffer& operator=(const VMBuffer&) = delete;

  // Takes a MemoryManager block of `length` bytes (null for none).
  void Adopt(uint8_t* block, int32_t length);

  // A script's buffer changes these in place only through Adopt, or with
  // Code_Changed(): script calls keep the decoded form they found.
  int32_t size = 0;
  uint8_t* bytes = nullptr;
  bool owned = false;
  VMDecodedForm* decoded = nullptr;  // the machine's decoded forms, made on first run

 private:
  void FreeDecoded();
};

// One precompiled entry of the game file as the code object reads it.
struct PrecompiledEntry {
  const char* name = nullptr;
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
  const char* source = nullptr;         // null: no debug source
  const uint8_t* debugPairs = nullptr;  // pairs of u32 (offset, position)
  uint32_t debugPairCount = 0;
};
// Fills *entry for a code index; false for an index without an entry. The
// default reads the code table over the loaded game image, without debug
// information; the game-file loader installs a fuller one.
using PrecompiledLookup = bool (*)(int32_t index, PrecompiledEntry* entry);
void Code_SetPrecompiledLookup(PrecompiledLookup lookup);  // null: the default
// The default: the game's code table, its bytecode without debug information.
bool Code_TableLookup(int32_t index, PrecompiledEntry* entry);

class CCode {
 public:
  // Code from text; the text is copied.
  CCode(const char* text, bool isExpression);
  // Precompiled code of a code index; compiled from the start.
  CCode(int32_t codeIndex, bool isExpression);
  virtual ~CCode();
  CCode(const CCode&) = delete;
  CCode& operator=(const CCode&) = delete;

  // Runs the compiler phases; at most once per object.
  bool Compile(const char* codeName);

  int32_t kind;
  bool compiled = false;
  bool precompiled = false;  // bytecode from the game file, no tree
  const char* source;        // owned copy; never null
  CodeNode root;
  ScriptValue constant;  // a folded constant's value
  // These four change with Code_Changed() once the code may have run.
  VMBuffer* code = nullptr;
  VMBuffer* debug = nullptr;       // pairs {code offset, source position}
  const char* vmSource = nullptr;  // the text bytecode errors quote
  char* name = nullptr;            // blanks turned into '_'

 private:
  bool CompileTree();  // the phases, then the bytecode
};

// Bytecode generation for a checked and folded tree; fills code->code and
// code->debug (either may stay null) and reports its own errors (false fails
// the compile). Until one is installed, compiling builds no bytecode,
// whatever the switch says.
using BytecodeGenerator = bool (*)(CCode* code);
void Code_SetBytecodeGenerator(BytecodeGenerator generator);

// ---- Argument slots argument0 ... argument15 ------------------------------
constexpr int32_t kArgumentSlots = 16;
extern ScriptValue g_arguments[kArgumentSlots];
extern int32_t g_argumentCount;
// Slots from this index on hold real 0 without a text. Every writer of the
// slots keeps it: a store raises it past the slot, whoever empties slots may
// lower it. Calls save and restore only the slots below it, so a write that
// bypasses Code_SetArgument must raise it too.
extern int32_t g_argumentExtent;
// Copies a value into slot i, reusing the slot's text buffer when it is large
// enough; indices outside 0..15 are ignored.
void Code_SetArgument(int32_t index, const ScriptValue& value);
// What a slot past the extent holds: real 0 (not -0) and no text.
inline bool Code_ArgumentIsEmpty(const ScriptValue& value) {
  uint64_t bits;
  std::memcpy(&bits, &value.real, sizeof bits);
  return value.kind == kValueReal && value.text == nullptr && bits == 0;
}
void Code_FreeArguments();
