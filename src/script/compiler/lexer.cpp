#include "script/compiler/lexer.h"

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

#include "runtime/memory.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"

namespace {

// Scanning past the end reads blanks, so a look-ahead of two never leaves
// the text; the scan ends three blanks after the last character.
constexpr int32_t kPadding = 3;

struct Scanner {
  const char* text;
  int32_t length;
  int32_t position = 0;

  char At(int32_t i) const { return i < length ? text[i] : ' '; }
  int32_t ScanEnd() const { return length + kPadding; }
};

struct Keyword {
  std::string_view word;
  int32_t kind;
};

constexpr Keyword kKeywords[] = {
    {"var", kTokenVar},         {"if", kTokenIf},
    {"end", kTokenBlockClose},  {"else", kTokenElse},
    {"while", kTokenWhile},     {"do", kTokenDo},
    {"for", kTokenFor},         {"begin", kTokenBlockOpen},
    {"then", kTokenThen},       {"with", kTokenWith},
    {"until", kTokenUntil},     {"repeat", kTokenRepeat},
    {"exit", kTokenExit},       {"return", kTokenReturn},
    {"break", kTokenBreak},     {"continue", kTokenContinue},
    {"switch", kTokenSwitch},   {"case", kTokenCase},
    {"default", kTokenDefault}, {"and", kTokenAnd},
    {"or", kTokenOr},           {"not", kTokenNot},
    {"div", kTokenDiv},         {"mod", kTokenMod},
    {"xor", kTokenXor},         {"globalvar", kTokenGlobalVar},
};

struct Symbol {
  const char* text;
  int32_t kind;
};

constexpr Symbol kPairs[] = {
    {":=", kTokenAssign},         {"+=", kTokenAddAssign},    {"-=", kTokenSubtractAssign},
    {"*=", kTokenMultiplyAssign}, {"/=", kTokenDivideAssign}, {"&&", kTokenAnd},
    {"&=", kTokenAndAssign},      {"||", kTokenOr},           {"|=", kTokenOrAssign},
    {"<=", kTokenLessEqual},      {"<>", kTokenNotEqual},     {"<<", kTokenShiftLeft},
    {"==", kTokenEqual},          {"!=", kTokenNotEqual},     {"^^", kTokenXor},
    {"^=", kTokenXorAssign},      {">=", kTokenGreaterEqual}, {">>", kTokenShiftRight},
};

constexpr Symbol kSingles[] = {
    {"!", kTokenNot},         {"%", kTokenMod},          {"&", kTokenBitAnd}, {"(", kTokenParenOpen},
    {")", kTokenParenClose},  {"*", kTokenTimes},        {"+", kTokenPlus},   {",", kTokenComma},
    {"-", kTokenMinus},       {".", kTokenDot},          {"/", kTokenDivide}, {":", kTokenColon},
    {";", kTokenSemicolon},   {"<", kTokenLess},         {"=", kTokenAssign}, {">", kTokenGreater},
    {"[", kTokenBracketOpen}, {"]", kTokenBracketClose}, {"^", kTokenBitXor}, {"{", kTokenBlockOpen},
    {"|", kTokenBitOr},       {"}", kTokenBlockClose},   {"~", kTokenBitNot},
};

// The lists above by first character, so that a word or a symbol is matched
// against the few entries that could be it rather than against them all.
constexpr int kShare = 3;  // most entries sharing a first character

struct Tables {
  int8_t keywords[256][kShare];  // indices into kKeywords, -1 past the last
  int32_t single[256];           // the kind of a one-character symbol
  char second[256][kShare];      // second characters of the pairs, 0 past the last
  int32_t pair[256][kShare];
};

constexpr Tables MakeTables() {
  Tables t{};
  for (auto& row : t.keywords)
    for (int8_t& entry : row) entry = -1;
  for (int32_t& kind : t.single) kind = kTokenUnexpected;
  for (int8_t i = 0; i < static_cast<int8_t>(std::size(kKeywords)); ++i) {
    int k = 0;
    auto first = static_cast<unsigned char>(kKeywords[i].word[0]);
    while (t.keywords[first][k] >= 0) ++k;  // past kShare: not a constant expression
    t.keywords[first][k] = i;
  }
  for (const Symbol& single : kSingles) t.single[static_cast<unsigned char>(single.text[0])] = single.kind;
  for (const Symbol& pair : kPairs) {
    int k = 0;
    auto first = static_cast<unsigned char>(pair.text[0]);
    while (t.second[first][k] != 0) ++k;
    t.second[first][k] = pair.text[1];
    t.pair[first][k] = pair.kind;
  }
  return t;
}

constexpr Tables kTables = MakeTables();

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
// Control characters, blanks and every byte of 128 and above separate tokens.
bool IsSeparator(char c) { return static_cast<signed char>(c) <= 32; }

// A token with a text; the text is copied out once the whole source is cut.
Token TextToken(int32_t kind, int32_t start, int32_t end) { return Token{kind, nullptr, start, end - start}; }

void SkipComment(Scanner* s) {
  if (s->At(s->position + 1) == '/') {
    while (s->position < s->ScanEnd() && s->At(s->position) != '\r' && s->At(s->position) != '\n') {
      ++s->position;
    }
    ++s->position;  // the line end itself
    return;
  }
  s->position += 2;
  while (s->position < s->ScanEnd() && !(s->At(s->position) == '*' && s->At(s->position + 1) == '/')) {
    ++s->position;
  }
  s->position += 2;
}

void SkipBlanksAndComments(Scanner* s) {
  // Blanks inside the text first, without the bounds test of every read.
  while (s->position < s->length && IsSeparator(s->text[s->position])) ++s->position;
  while (s->position < s->ScanEnd()) {
    char c = s->At(s->position);
    if (IsSeparator(c)) {
      ++s->position;
    } else if (c == '/' && (s->At(s->position + 1) == '/' || s->At(s->position + 1) == '*')) {
      SkipComment(s);
    } else {
      return;
    }
  }
  if (s->position > s->ScanEnd()) s->position = s->ScanEnd();
}

Token ReadWord(Scanner* s) {
  int32_t start = s->position;
  // Past the text the scanner reads blanks, which end a word.
  while (s->position < s->length && (IsLetter(s->text[s->position]) || IsDigit(s->text[s->position]))) ++s->position;
  int32_t length = s->position - start;
  const char* word = s->text + start;
  for (int8_t index : kTables.keywords[static_cast<unsigned char>(word[0])]) {
    if (index < 0) break;
    const Keyword& keyword = kKeywords[index];
    if (keyword.word == std::string_view(word, static_cast<size_t>(length))) {
      return Token{keyword.kind, nullptr, start, 0};
    }
  }
  return TextToken(kTokenIdentifier, start, s->position);
}

Token ReadDecimal(Scanner* s) {
  int32_t start = s->position;
  bool seenPoint = false;
  while (true) {
    char c = s->At(s->position);
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (!IsDigit(c)) {
      break;
    }
    ++s->position;
  }
  return TextToken(kTokenNumber, start, s->position);
}

Token ReadHex(Scanner* s) {
  int32_t start = s->position++;
  while (IsHexDigit(s->At(s->position))) ++s->position;
  return TextToken(kTokenNumber, start, s->position);
}

Token ReadString(Scanner* s) {
  char quote = s->At(s->position++);
  int32_t start = s->position;
  while (s->position < s->length && s->text[s->position] != quote) ++s->position;
  Token token = TextToken(kTokenString, start, s->position);
  if (s->position < s->length) {
    ++s->position;  // the closing quote
  } else {
    s->position = s->ScanEnd();
  }
  return token;
}

Token ReadSymbol(Scanner* s) {
  char first = s->At(s->position);
  char second = s->At(s->position + 1);
  auto row = static_cast<unsigned char>(first);
  for (int k = 0; k < kShare && kTables.second[row][k] != 0; ++k) {
    if (kTables.second[row][k] == second) {
      s->position += 2;
      return Token{kTables.pair[row][k], nullptr, s->position - 2, 0};
    }
  }
  int32_t kind = kTables.single[row];
  if (kind != kTokenUnexpected) return Token{kind, nullptr, s->position++, 0};
  return Token{kTokenUnexpected, nullptr, s->position, 0};
}

Token ReadToken(Scanner* s) {
  SkipBlanksAndComments(s);
  if (s->position >= s->ScanEnd()) return Token{kTokenEnd, nullptr, s->position, 0};
  char c = s->At(s->position);
  if (IsLetter(c)) return ReadWord(s);
  if (IsDigit(c) || (c == '.' && IsDigit(s->At(s->position + 1)))) return ReadDecimal(s);
  if (c == '$') return ReadHex(s);
  if (c == '"' || c == '\'') return ReadString(s);
  return ReadSymbol(s);
}

// *capacity: the list's room in tokens, known to the caller.
void Append(TokenList* list, size_t* capacity, const Token& token) {
  size_t needed = static_cast<size_t>(list->count) + 1;
  if (needed > *capacity) {
    // Grows geometrically so that long texts lex in linear time.
    size_t grown = needed < 64 ? 64 : needed * 2;
    list->tokens = static_cast<Token*>(KV_REALLOC(list->tokens, grown * sizeof(Token)));
    *capacity = grown;
  }
  list->tokens[list->count++] = token;
}

bool HasText(int32_t kind) { return kind == kTokenIdentifier || kind == kTokenNumber || kind == kTokenString; }

// Copies every token's text into one block: one allocation per code text
// instead of one per name and number.
void CopyTexts(TokenList* list, const char* source) {
  size_t bytes = 0;
  for (int32_t i = 0; i < list->count; ++i) {
    if (HasText(list->tokens[i].kind)) bytes += static_cast<size_t>(list->tokens[i].length) + 1;
  }
  if (bytes == 0) return;
  list->texts = static_cast<char*>(KV_ALLOC(bytes, false));
  char* next = list->texts;
  for (int32_t i = 0; i < list->count; ++i) {
    Token& token = list->tokens[i];
    if (!HasText(token.kind)) continue;
    std::memcpy(next, source + token.position, static_cast<size_t>(token.length));
    next[token.length] = '\0';
    token.text = next;
    next += token.length + 1;
  }
}

}  // namespace

bool Lexer_Tokenize(const CCode* code, TokenList* out) {
  Code_Error_Clear();
  TokenList_Clear(out);
  const char* source = code->source == nullptr ? "" : code->source;
  size_t length = std::strlen(source);
  // Positions are 32-bit: a longer text is refused, never wrapped.
  constexpr size_t kMaxLength = INT32_MAX - 2 * kPadding;
  if (length > kMaxLength) {
    Code_Error_Set(code, 0, "Unexpected symbol.");
    return false;
  }
  Scanner scanner{source, static_cast<int32_t>(length)};
  size_t capacity = out->tokens == nullptr ? 0 : MemoryManager::GetSize(out->tokens) / sizeof(Token);
  while (true) {
    Token token = ReadToken(&scanner);
    if (token.kind == kTokenUnexpected) {
      CopyTexts(out, source);
      Code_Error_Set(code, token.position, "Unexpected symbol.");
      return false;
    }
    Append(out, &capacity, token);
    if (token.kind == kTokenEnd) {
      CopyTexts(out, source);
      return true;
    }
  }
}

void TokenList_Free(TokenList* list) {
  TokenList_Clear(list);
  if (list->tokens != nullptr) MemoryManager::Free(list->tokens);
  *list = TokenList();
}

void TokenList_Clear(TokenList* list) {
  if (list->texts != nullptr) MemoryManager::Free(list->texts);
  list->texts = nullptr;
  list->count = 0;
}
