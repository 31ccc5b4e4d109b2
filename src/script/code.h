// One script text and its compiled form. The front end needs the
// kind, the text and the tree; the compile driver adds the rest.
#pragma once

#include <cstdint>

#include "script/code_node.h"

enum CodeKind : int32_t {
  kCodeProgram = 1,
  kCodeExpression = 2,
  kCodeConstant = 3,  // an expression folded to one value
};

class CCode {
 public:
  CCode(const char* text, bool isExpression)
      : kind(isExpression ? kCodeExpression : kCodeProgram), source(text) {}
  virtual ~CCode() { CodeNode_Free(&root); }
  CCode(const CCode&) = delete;
  CCode& operator=(const CCode&) = delete;

  int32_t kind;
  bool compiled = false;
  const char* source;  // not owned
  CodeNode root;
};
