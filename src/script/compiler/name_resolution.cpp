#include "script/compiler/name_resolution.h"

#include <cstring>
#include <string>

#include "runtime/hex.h"
#include "runtime/memory.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/function_registry.h"
#include "script/variables/variable_names.h"

namespace {

ConstantResolver g_constantResolver = nullptr;

// A called name: the token after it is '('.
bool IsCall(const TokenList* tokens, int32_t index) {
  return index + 1 < tokens->count && tokens->tokens[index + 1].kind == kTokenParenOpen;
}

bool ResolveName(const CCode* code, const TokenList* tokens, int32_t index, ResolvedToken* out) {
  const Token& token = tokens->tokens[index];
  if (IsCall(tokens, index)) {
    int32_t id = -1;
    if (!Function_Find(token.text, &id)) {
      std::string message = std::string("Unknown function or script: ") + token.text;
      Code_Error_Set(code, token.position, message.c_str());
      out->kind = kTokenUnexpected;
      return false;
    }
    out->kind = kTokenFunction;
    out->id = id;
    return true;
  }
  if (g_constantResolver != nullptr && g_constantResolver(token.text, &out->value)) {
    out->kind = kTokenConstant;
    return true;
  }
  out->kind = kTokenVariable;
  out->id = Code_Variable_Find(token.text);
  return true;
}

// The names already resolved in one text, by name and by whether they were
// called: a text names the same few variables over and over, and each new
// lookup asks every resource store, the constants and the variable names.
// Nothing a lookup reads changes while one text is resolved, so a repeat
// resolves as the first did. Past kLimit names the rest are looked up as
// they come.
class SeenNames {
 public:
  // The resolved entry of an earlier token with the same text and call
  // form, or -1; else remembers `index` under it when there is room.
  int32_t FindOrAdd(const TokenList* tokens, int32_t index, bool call) {
    const Token& token = tokens->tokens[index];
    uint32_t hash = call ? 0x9e3779b9u : 2166136261u;
    for (int32_t i = 0; i < token.length; ++i) hash = (hash ^ static_cast<unsigned char>(token.text[i])) * 16777619u;
    for (uint32_t slot = hash & (kSlots - 1);; slot = (slot + 1) & (kSlots - 1)) {
      int32_t seen = slots_[slot] - 1;
      if (seen < 0) {
        if (used_ < kLimit) {
          slots_[slot] = index + 1;
          ++used_;
        }
        return -1;
      }
      const Token& other = tokens->tokens[seen];
      if (other.length == token.length && IsCall(tokens, seen) == call &&
          std::memcmp(other.text, token.text, static_cast<size_t>(token.length)) == 0) {
        return seen;
      }
    }
  }

  void Reset() {
    std::memset(slots_, 0, sizeof slots_);
    used_ = 0;
  }

 private:
  static constexpr uint32_t kSlots = 256;
  static constexpr int32_t kLimit = 192;  // keeps a free slot to end every probe
  int32_t slots_[kSlots] = {};            // token index + 1; 0 is free
  int32_t used_ = 0;
};

bool ResolveOne(const CCode* code, const TokenList* tokens, int32_t index, ResolvedToken* out, ResolvedList* list,
                SeenNames* seen) {
  const Token& token = tokens->tokens[index];
  *out = ResolvedToken{token.kind, 0, ScriptValue(), token.position};
  switch (token.kind) {
    case kTokenIdentifier: {
      int32_t earlier = seen->FindOrAdd(tokens, index, IsCall(tokens, index));
      if (earlier < 0) return ResolveName(code, tokens, index, out);
      const ResolvedToken& first = list->tokens[earlier];
      out->kind = first.kind;
      out->id = first.id;
      ScriptValue_Copy(&out->value, &first.value);
      return true;
    }
    case kTokenNumber:
      out->kind = kTokenConstant;
      ScriptValue_SetReal(&out->value, Resolve_NumberValue(token.text));
      return true;
    case kTokenString:
      out->kind = kTokenConstant;
      ScriptValue_SetString(&out->value, token.text == nullptr ? "" : token.text);
      return true;
    default: return true;
  }
}

}  // namespace

double Resolve_NumberValue(const char* text) {
  double value = 0.0;
  if (text == nullptr) return value;
  if (text[0] == '$') {
    for (const char* p = text + 1; Hex_DigitValue(*p) >= 0; ++p) value = value * 16.0 + Hex_DigitValue(*p);
    return value;
  }
  const char* p = text;
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10.0 + (*p - '0');
  if (*p != '.') return value;
  // The k-th fraction digit adds digit x (1 / 10^k), so 0.3 is 3 x 0.1 and
  // not the nearest double to three tenths.
  double scale = 1.0;
  for (++p; *p >= '0' && *p <= '9'; ++p) {
    scale *= 10.0;
    value += (*p - '0') * (1.0 / scale);
  }
  return value;
}

bool Resolve(const CCode* code, const TokenList* tokens, ResolvedList* out) {
  Code_Error_Clear();
  ResolvedList_Clear(out);
  if (tokens->count <= 0) return true;
  size_t bytes = static_cast<size_t>(tokens->count) * sizeof(ResolvedToken);
  if (out->tokens != nullptr && MemoryManager::GetSize(out->tokens) < bytes) {
    MemoryManager::Free(out->tokens);
    out->tokens = nullptr;
  }
  // Every entry up to the count is written before the count covers it.
  if (out->tokens == nullptr) out->tokens = static_cast<ResolvedToken*>(KV_ALLOC(bytes, false));
  thread_local SeenNames seen;
  seen.Reset();
  for (int32_t i = 0; i < tokens->count; ++i) {
    bool ok = ResolveOne(code, tokens, i, &out->tokens[i], out, &seen);
    out->count = i + 1;
    if (!ok) return false;
  }
  return true;
}

void ResolvedList_Free(ResolvedList* list) {
  ResolvedList_Clear(list);
  if (list->tokens != nullptr) MemoryManager::Free(list->tokens);
  *list = ResolvedList();
}

void ResolvedList_Clear(ResolvedList* list) {
  for (int32_t i = 0; i < list->count; ++i) ScriptValue_Release(&list->tokens[i].value);
  list->count = 0;
}

void Resolve_SetConstantResolver(ConstantResolver resolver) { g_constantResolver = resolver; }
