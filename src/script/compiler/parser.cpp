#include "script/compiler/parser.h"

#include "script/compiler/compile_error.h"
#include "script/compiler/function_registry.h"

namespace {

constexpr int kMaxArguments = 16;
constexpr int kMaxIndices = 2;

// Binary operator levels, loosest first; 0 is not a binary operator.
int BinaryLevel(int32_t kind) {
  switch (kind) {
    case kTokenAnd:
    case kTokenOr:
    case kTokenXor: return 1;
    case kTokenLess:
    case kTokenLessEqual:
    case kTokenEqual:
    case kTokenAssign:
    case kTokenNotEqual:
    case kTokenGreaterEqual:
    case kTokenGreater: return 2;
    case kTokenBitOr:
    case kTokenBitAnd:
    case kTokenBitXor: return 3;
    case kTokenShiftLeft:
    case kTokenShiftRight: return 4;
    case kTokenPlus:
    case kTokenMinus: return 5;
    case kTokenTimes:
    case kTokenDivide:
    case kTokenDiv:
    case kTokenMod: return 6;
    default: return 0;
  }
}

bool IsAssignment(int32_t kind) {
  return (kind >= kTokenAssign && kind <= kTokenDivideAssign) || (kind >= kTokenOrAssign && kind <= kTokenXorAssign);
}

// Keywords that open a statement; the others (then, else, until, a closing
// brace) fall to the assignment rule and fail there as stray symbols.
bool StartsStatement(int32_t kind) {
  return kind == kTokenBlockOpen || kind == kTokenIf || (kind >= kTokenWhile && kind <= kTokenFor) ||
         (kind >= kTokenRepeat && kind <= kTokenGlobalVar);
}

bool IsUnary(int32_t kind) {
  return kind == kTokenNot || kind == kTokenPlus || kind == kTokenMinus || kind == kTokenBitNot;
}

class Parser {
 public:
  Parser(const CCode* code, const ResolvedList* list) : code_(code), list_(list) {}

  bool Program(CodeNode* root);
  bool Expression(CodeNode* root);
  int32_t TokensTaken() const { return index_; }

 private:
  // The current token; past the list it stays on the final end token.
  const ResolvedToken& Token() const { return list_->tokens[index_ < list_->count ? index_ : list_->count - 1]; }
  int32_t Kind() const { return Token().kind; }
  void Next() {
    if (index_ < list_->count - 1) ++index_;
  }
  bool Fail(const char* message) {
    Code_Error_Set(code_, Token().position, message);
    return false;
  }
  bool Expect(int32_t kind, const char* message) {
    if (Kind() != kind) return Fail(message);
    Next();
    return true;
  }
  bool Enter() { return ++depth_ <= kCodeMaxDepth || Fail(kCodeNestedTooDeeply); }
  void Leave() { --depth_; }
  bool CheckTreeDepth(const CodeNode* root) {
    // An accepted tree has at most two nodes per token (a variable and its
    // selector) and the root, so a short text cannot be too deep.
    if (2 * static_cast<int64_t>(list_->count) + 1 <= kCodeMaxDepth) return true;
    const CodeNode* deep = CodeNode_FindTooDeep(root, kCodeMaxDepth);
    if (deep == nullptr) return true;
    Code_Error_Set(code_, deep->position, kCodeNestedTooDeeply);
    return false;
  }

  bool Statement(CodeNode* node);
  bool KeywordStatement(CodeNode* node);
  bool Block(CodeNode* node, const char* closeMessage);
  bool Declaration(CodeNode* node);
  bool Assignment(CodeNode* node);
  bool Child(CodeNode* parent, bool (Parser::*rule)(CodeNode*));
  bool Binary(CodeNode* node, int minimumLevel);
  bool Any(CodeNode* node) { return Binary(node, 1); }
  bool Postfix(CodeNode* node);
  bool Primary(CodeNode* node);
  bool Call(CodeNode* node);
  bool Variable(CodeNode* node, CodeNode* instance);
  bool Indices(CodeNode* node);

  const CCode* code_;
  const ResolvedList* list_;
  int32_t index_ = 0;
  int depth_ = 0;
};

// Parses one sub-rule into a fresh node appended to parent. Only the new
// node's own children grow while it is parsed, so it stays where it is.
bool Parser::Child(CodeNode* parent, bool (Parser::*rule)(CodeNode*)) {
  return (this->*rule)(CodeNode_AddFresh(parent, Token().position));
}

bool Parser::Program(CodeNode* root) {
  CodeNode_Init(root, Token().position);
  if (Kind() == kTokenEnd) {
    root->kind = kNodeEmptyProgram;
    return true;
  }
  if (Kind() == kTokenBlockOpen) {
    if (!Statement(root)) return false;
    if (Kind() != kTokenEnd) return Fail("Program ends before end of the code.");
    return CheckTreeDepth(root);
  }
  root->kind = kNodeBlock;
  while (Kind() != kTokenEnd) {
    if (!Child(root, &Parser::Statement)) return false;
  }
  return CheckTreeDepth(root);
}

bool Parser::Expression(CodeNode* root) {
  CodeNode_Init(root, Token().position);
  if (Kind() == kTokenEnd) {
    root->kind = kNodeConstant;
    ScriptValue_SetReal(&root->value, 0.0);
    return true;
  }
  return Any(root) && CheckTreeDepth(root);
}

bool Parser::Statement(CodeNode* node) {
  if (!Enter()) return false;
  node->position = Token().position;
  bool ok;
  switch (Kind()) {
    case kTokenEnd: ok = Fail("Unexpected end of code reached."); break;
    case kTokenFunction: ok = Call(node); break;
    case kTokenSemicolon:
      node->kind = kNodeEmpty;
      Next();
      ok = true;
      break;
    default: ok = StartsStatement(Kind()) ? KeywordStatement(node) : Assignment(node); break;
  }
  Leave();
  if (!ok) return false;
  while (Kind() == kTokenSemicolon) Next();
  return true;
}

bool Parser::KeywordStatement(CodeNode* node) {
  int32_t keyword = Kind();
  Next();
  node->position = Token().position;
  node->kind = keyword;
  switch (keyword) {
    case kTokenBlockOpen: node->kind = kNodeBlock; return Block(node, "Symbol  } expected.");
    case kTokenIf:
      CodeNode_Reserve(node, 2);
      if (!Child(node, &Parser::Any)) return false;
      if (Kind() == kTokenThen) Next();
      if (!Child(node, &Parser::Statement)) return false;
      if (Kind() != kTokenElse) return true;
      Next();
      CodeNode_Reserve(node, 3);
      return Child(node, &Parser::Statement);
    case kTokenWhile:
    case kTokenWith:
      CodeNode_Reserve(node, 2);
      if (!Child(node, &Parser::Any)) return false;
      if (Kind() == kTokenDo) Next();
      return Child(node, &Parser::Statement);
    case kTokenDo:
      CodeNode_Reserve(node, 2);
      if (!Child(node, &Parser::Statement)) return false;
      if (!Expect(kTokenUntil, "Keyword until expected.")) return false;
      return Child(node, &Parser::Any);
    case kTokenFor:
      if (!Expect(kTokenParenOpen, "Symbol ( expected.")) return false;
      CodeNode_Reserve(node, 4);
      if (!Child(node, &Parser::Statement)) return false;
      if (Kind() == kTokenSemicolon) Next();
      if (!Child(node, &Parser::Any)) return false;
      if (Kind() == kTokenSemicolon) Next();
      if (!Child(node, &Parser::Statement)) return false;
      if (!Expect(kTokenParenClose, "Symbol ) expected.")) return false;
      return Child(node, &Parser::Statement);
    case kTokenRepeat:
      CodeNode_Reserve(node, 2);
      if (!Child(node, &Parser::Any)) return false;
      return Child(node, &Parser::Statement);
    case kTokenExit:
    case kTokenBreak:
    case kTokenContinue: return true;
    case kTokenReturn: return Child(node, &Parser::Any);
    case kTokenSwitch:
      if (!Child(node, &Parser::Any)) return false;
      if (!Expect(kTokenBlockOpen, "Symbol {  expected.")) return false;
      return Block(node, "Symbol  } expected.");
    case kTokenCase:
      if (!Child(node, &Parser::Any)) return false;
      return Expect(kTokenColon, "Symbol : expected.");
    case kTokenDefault: return Expect(kTokenColon, "Symbol : expected.");
    case kTokenVar:
    case kTokenGlobalVar: return Declaration(node);
    default: return Fail("Unexpected symbol in expression.");
  }
}

// Statements up to the closing brace, which is consumed.
bool Parser::Block(CodeNode* node, const char* closeMessage) {
  while (Kind() != kTokenBlockClose) {
    if (Kind() == kTokenEnd) return Fail(closeMessage);
    if (!Child(node, &Parser::Statement)) return false;
  }
  Next();
  return true;
}

bool Parser::Declaration(CodeNode* node) {
  while (Kind() == kTokenVariable) {
    if (Token().id < 100000) return Fail("Cannot redeclare a builtin variable.");
    CodeNode name;
    CodeNode_Init(&name, Token().position);
    name.kind = kNodeConstant;
    name.id = Token().id;
    CodeNode_AddChild(node, &name);
    Next();
    if (Kind() == kTokenComma) Next();
  }
  return true;
}

bool Parser::Assignment(CodeNode* node) {
  node->kind = kNodeAssign;
  CodeNode_Reserve(node, 2);
  CodeNode* target = nullptr;
  {
    CodeNode left;
    CodeNode_Init(&left, Token().position);
    bool ok = Postfix(&left);
    target = CodeNode_AddChild(node, &left);
    if (!ok) return false;
  }
  if (target->kind != kNodeVariable) return Fail("Variable name expected.");
  if (!IsAssignment(Kind())) return Fail("Assignment operator expected.");
  node->id = Kind();
  Next();
  return Child(node, &Parser::Any);
}

// Precedence climbing: one native frame per operand, not per level, and
// each level left-associative.
bool Parser::Binary(CodeNode* node, int minimumLevel) {
  if (!Postfix(node)) return false;
  while (true) {
    int level = BinaryLevel(Kind());
    if (level == 0 || level < minimumLevel) return true;
    CodeNode op;
    CodeNode_Init(&op, Token().position);
    op.kind = kNodeBinary;
    op.id = Kind();
    Next();
    CodeNode_Reserve(&op, 2);
    CodeNode_AddChild(&op, node);
    CodeNode right;
    CodeNode_Init(&right, Token().position);
    bool ok = Binary(&right, level + 1);
    CodeNode_AddChild(&op, &right);
    *node = op;
    if (!ok) return false;
  }
}

bool Parser::Postfix(CodeNode* node) {
  if (!Primary(node)) return false;
  while (Kind() == kTokenDot) {
    Next();
    if (Kind() != kTokenVariable) return Fail("Variable name expected.");
    CodeNode variable;
    CodeNode_Init(&variable, Token().position);
    bool ok = Variable(&variable, node);
    *node = variable;
    if (!ok) return false;
  }
  return true;
}

bool Parser::Primary(CodeNode* node) {
  if (!Enter()) return false;
  node->position = Token().position;
  bool ok = true;
  int32_t kind = Kind();
  if (kind == kTokenConstant) {
    node->kind = kNodeConstant;
    ScriptValue_Copy(&node->value, &Token().value);
    Next();
  } else if (kind == kTokenFunction) {
    ok = Call(node);
  } else if (kind == kTokenVariable) {
    CodeNode instance;
    CodeNode_Init(&instance, Token().position);
    instance.kind = kNodeConstant;
    ScriptValue_SetReal(&instance.value, kInstanceNotSpecified);
    ok = Variable(node, &instance);
  } else if (kind == kTokenParenOpen) {
    Next();
    ok = Any(node) && Expect(kTokenParenClose, "Symbol ) expected.");
  } else if (IsUnary(kind)) {
    node->kind = kNodeUnary;
    node->id = kind;
    Next();
    ok = Child(node, &Parser::Postfix);
  } else {
    ok = Fail("Unexpected symbol in expression.");
  }
  Leave();
  return ok;
}

bool Parser::Call(CodeNode* node) {
  node->kind = kNodeCall;
  node->id = Token().id;
  Next();
  if (!Expect(kTokenParenOpen, "Symbol ( expected.")) return false;
  while (Kind() != kTokenParenClose) {
    if (Kind() == kTokenEnd) return Fail("Symbol ) expected.");
    if (!Child(node, &Parser::Any)) return false;
    if (Kind() == kTokenComma) {
      Next();
    } else if (Kind() == kTokenEnd) {
      return Fail("Symbol ) expected.");
    } else if (Kind() != kTokenParenClose) {
      return Fail("Symbol , or ) expected.");
    }
  }
  Next();
  int32_t expected = Function_GetArgumentCount(node->id);
  if (node->childCount > kMaxArguments || (expected >= 0 && node->childCount != expected)) {
    return Fail("Wrong number of arguments to function or script.");
  }
  return true;
}

// A variable token with optional indices; `instance` becomes child [0].
bool Parser::Variable(CodeNode* node, CodeNode* instance) {
  node->kind = kNodeVariable;
  node->id = Token().id;
  node->position = Token().position;
  CodeNode_AddChild(node, instance);
  Next();
  if (Kind() != kTokenBracketOpen) return true;
  Next();
  return Indices(node);
}

bool Parser::Indices(CodeNode* node) {
  while (Kind() != kTokenBracketClose) {
    if (Kind() == kTokenEnd) return Fail("Symbol ] expected.");
    if (!Child(node, &Parser::Any)) return false;
    if (Kind() == kTokenComma) {
      Next();
    } else if (Kind() == kTokenEnd) {
      return Fail("Symbol ] expected.");
    } else if (Kind() != kTokenBracketClose) {
      return Fail("Symbol , or ] expected.");
    }
  }
  Next();
  if (node->childCount > 1 + kMaxIndices) return Fail("Only 1- and 2-dimensional arrays are supported.");
  return true;
}

}  // namespace

bool ParseProgram(const CCode* code, const ResolvedList* tokens, CodeNode* root) {
  if (tokens->count <= 0) {
    CodeNode_Init(root, 0);
    root->kind = kNodeEmptyProgram;
    return true;
  }
  return Parser(code, tokens).Program(root);
}

bool ParseExpression(const CCode* code, const ResolvedList* tokens, CodeNode* root) {
  if (tokens->count <= 0) {
    CodeNode_Init(root, 0);
    root->kind = kNodeConstant;
    ScriptValue_SetReal(&root->value, 0.0);
    return true;
  }
  return Parser(code, tokens).Expression(root);
}

int32_t ParseExpression_Length(const CCode* code, const ResolvedList* tokens) {
  if (tokens->count <= 0) return 0;
  Parser parser(code, tokens);
  CodeNode root;
  const bool parsed = parser.Expression(&root);
  CodeNode_Free(&root);
  return parsed ? parser.TokensTaken() : -1;
}
