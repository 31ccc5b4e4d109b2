#include "script/compiler/code.h"

#include <cstring>

#include "runtime/game_image.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "runtime/text.h"
#include "script/compiler/code_table.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/fold.h"
#include "script/compiler/lexer.h"
#include "script/compiler/name_resolution.h"
#include "script/compiler/parser.h"

namespace {

BytecodeGenerator g_generator = nullptr;

PrecompiledLookup g_lookup = Code_TableLookup;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Keeps a copy of the name with every blank turned into '_', reusing the old
// buffer when it is large enough.
void StoreName(char** slot, const char* name) {
  if (name == nullptr) {
    if (*slot != nullptr) MemoryManager::Free(*slot);
    *slot = nullptr;
    return;
  }
  size_t length = std::strlen(name);
  if (*slot == nullptr || MemoryManager::GetSize(*slot) < length + 1) {
    if (*slot != nullptr) MemoryManager::Free(*slot);
    *slot = static_cast<char*>(KV_ALLOC(length + 1, false));
  }
  for (size_t i = 0; i <= length; ++i) (*slot)[i] = IsBlank(name[i]) ? '_' : name[i];
}

// Texts longer than this many tokens give their lists back after compiling.
constexpr int32_t kKeptTokens = 4096;

bool RunPhases(CCode* code) {
  // Kept from one compile to the next: thousands of scripts then make two
  // lists between them, not two each.
  thread_local TokenList tokens;
  thread_local ResolvedList resolved;
  bool ok = Lexer_Tokenize(code, &tokens) && Resolve(code, &tokens, &resolved);
  if (ok) {
    ok = code->kind == kCodeProgram ? ParseProgram(code, &resolved, &code->root)
                                    : ParseExpression(code, &resolved, &code->root);
  }
  if (ok) ok = CheckAndFold(code, &code->root);
  if (tokens.count > kKeptTokens) {
    ResolvedList_Free(&resolved);
    TokenList_Free(&tokens);
  } else {
    ResolvedList_Clear(&resolved);
    TokenList_Clear(&tokens);
  }
  return ok;
}

}  // namespace

uint64_t g_codeVersion = 1;

VMBuffer::~VMBuffer() {
  Code_Changed();
  if (owned && bytes != nullptr) MemoryManager::Free(bytes);
  FreeDecoded();
}

void VMBuffer::FreeDecoded() {
  while (decoded != nullptr) {
    VMDecodedForm* older = decoded->older;
    delete decoded;
    decoded = older;
  }
}

void VMBuffer::Adopt(uint8_t* block, int32_t length) {
  Code_Changed();
  if (owned && bytes != nullptr) MemoryManager::Free(bytes);
  FreeDecoded();
  bytes = block;
  size = block == nullptr ? 0 : length;
  owned = block != nullptr;
}

bool Code_TableLookup(int32_t index, PrecompiledEntry* entry) {
  if (index < 0 || static_cast<size_t>(index) >= g_codeTable.size()) return false;
  const CodeEntry& source = g_codeTable[static_cast<size_t>(index)];
  entry->name = source.name;
  if (source.length > 0 && g_gameData.Contains(source.instructions, source.length)) {
    entry->bytes = g_gameData.Data() + source.instructions;
    entry->length = source.length;
  }
  return true;
}

void Code_SetPrecompiledLookup(PrecompiledLookup lookup) { g_lookup = lookup == nullptr ? Code_TableLookup : lookup; }

void Code_SetBytecodeGenerator(BytecodeGenerator generator) { g_generator = generator; }

CCode::CCode(const char* text, bool isExpression)
    : kind(isExpression ? kCodeExpression : kCodeProgram), source(String_Duplicate(text == nullptr ? "" : text)) {}

CCode::CCode(int32_t codeIndex, bool isExpression) : kind(isExpression ? kCodeExpression : kCodeProgram) {
  PrecompiledEntry entry;
  bool found = g_lookup(codeIndex, &entry);
  source = String_Duplicate(found && entry.source != nullptr ? entry.source : "");
  if (!found) return;
  if (entry.name != nullptr) name = String_Duplicate(entry.name);
  code = new VMBuffer(entry.bytes, static_cast<int32_t>(entry.length > INT32_MAX ? 0 : entry.length));
  if (entry.debugPairs != nullptr && entry.debugPairCount <= INT32_MAX / 8) {
    debug = new VMBuffer(entry.debugPairs, static_cast<int32_t>(entry.debugPairCount * 8));
  }
  compiled = true;
  precompiled = true;
  vmSource = source;
}

CCode::~CCode() {
  Code_Changed();
  CodeNode_Free(&root);
  ScriptValue_Release(&constant);
  delete code;
  delete debug;
  if (name != nullptr) MemoryManager::Free(name);
  MemoryManager::Free(const_cast<char*>(source));
}

bool CCode::Compile(const char* codeName) {
  // The name, the buffers and the quoted text change below.
  Code_Changed();
  StoreName(&name, codeName);
  if (compiled) {
    Code_Error_Set(this, 0, "Internal Error: Recompiling compiled code.");
    return false;
  }
  if (!(g_runFlags.useBytecode && g_generator != nullptr)) return CompileTree();
  // The tree usually goes once the bytecode is made: build it in scratch
  // memory, and copy it out only when it stays.
  CodeNodeScratch scratch;
  bool ok = CompileTree();
  if (!ok) {
    CodeNode_Free(&root);  // a failed compile's tree is never run
  } else if (root.childCount > 0) {
    CodeNode kept;
    CodeNode_Copy(&kept, &root);
    CodeNode_Free(&root);
    root = kept;
  }
  return ok;
}

bool CCode::CompileTree() {
  if (!RunPhases(this)) return false;
  if (kind == kCodeExpression && root.kind == kNodeConstant) {
    ScriptValue_Assign(&constant, &root.value);
    kind = kCodeConstant;
  }
  if (g_runFlags.useBytecode && g_generator != nullptr && kind != kCodeConstant) {
    vmSource = source;
    bool generated = g_generator(this);
    Code_Changed();
    if (code != nullptr && code->size == 0) {
      delete code;
      code = nullptr;
    }
    if (!generated) return false;
  }
  compiled = true;
  return true;
}
