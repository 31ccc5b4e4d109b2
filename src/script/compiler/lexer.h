// Phase one of the compiler: source text to tokens. Token kinds double as
// the operator codes of the code tree and of operator evaluation.
#pragma once

#include <cstdint>

class CCode;

enum TokenKind : int32_t {
  kTokenEnd = -2,
  kTokenUnexpected = -1,
  kTokenIdentifier = 0,
  kTokenNumber = 1,
  kTokenString = 2,
  kTokenConstant = 5,  // resolved names and literals
  kTokenFunction = 6,
  kTokenVariable = 7,
  kTokenBlockOpen = 11,   // { begin
  kTokenBlockClose = 12,  // } end
  kTokenIf = 13,
  kTokenThen = 14,
  kTokenElse = 15,
  kTokenWhile = 16,
  kTokenDo = 17,
  kTokenFor = 18,
  kTokenUntil = 19,
  kTokenRepeat = 20,
  kTokenExit = 21,
  kTokenBreak = 22,
  kTokenContinue = 23,
  kTokenWith = 24,
  kTokenReturn = 25,
  kTokenSwitch = 26,
  kTokenCase = 27,
  kTokenDefault = 28,
  kTokenVar = 29,
  kTokenGlobalVar = 30,
  kTokenAssign = 101,  // = :=
  kTokenAddAssign = 102,
  kTokenSubtractAssign = 103,
  kTokenMultiplyAssign = 104,
  kTokenDivideAssign = 105,
  kTokenParenOpen = 106,
  kTokenParenClose = 107,
  kTokenSemicolon = 108,
  kTokenComma = 109,
  kTokenBracketOpen = 110,
  kTokenBracketClose = 111,
  kTokenDot = 112,
  kTokenColon = 113,
  kTokenOrAssign = 114,
  kTokenAndAssign = 115,
  kTokenXorAssign = 116,
  kTokenAnd = 201,  // && and
  kTokenOr = 202,   // || or
  kTokenNot = 203,  // ! not
  kTokenLess = 204,
  kTokenLessEqual = 205,
  kTokenEqual = 206,
  kTokenNotEqual = 207,  // != <>
  kTokenGreaterEqual = 208,
  kTokenGreater = 209,
  kTokenPlus = 210,
  kTokenMinus = 211,
  kTokenTimes = 212,
  kTokenDivide = 213,
  kTokenDiv = 214,
  kTokenMod = 215,  // mod %
  kTokenXor = 216,  // ^^ xor
  kTokenBitOr = 217,
  kTokenBitAnd = 218,
  kTokenBitXor = 219,
  kTokenBitNot = 220,
  kTokenShiftLeft = 221,
  kTokenShiftRight = 222,
};

struct Token {
  int32_t kind;
  char* text;        // identifiers, numbers and strings only; in the list's texts
  int32_t position;  // byte offset of the first character (of a string's text)
  int32_t length;    // of the text
};

struct TokenList {
  int32_t count = 0;
  Token* tokens = nullptr;  // from MemoryManager
  char* texts = nullptr;    // every token's text, each ended by a zero; one block
};

// Cuts code->source into tokens ending with kTokenEnd. Clears the compile
// error flag first; on an unexpected character reports "Unexpected symbol."
// and returns false (the partial list is the caller's to free). A list
// that held tokens before is emptied and its array reused.
bool Lexer_Tokenize(const CCode* code, TokenList* out);
void TokenList_Free(TokenList* list);
// Empties the list but keeps its array for the next text.
void TokenList_Clear(TokenList* list);
