// The code tree: what the parser builds and the folder, the tree interpreter
// and the bytecode generator walk. Node kinds and child orders are shared by
// all of them; operator nodes carry the lexer's token kind as their id.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"
#include "script/variables/instance_selector.h"  // the selectors of variable nodes

enum CodeNodeKind : int32_t {
  kNodeEmptyProgram = -2,
  kNodeEmpty = -1,              // a ';' where a statement was expected
  kNodeConstant = 5,            // value set
  kNodeCall = 6,                // id = function id; children: the arguments
  kNodeVariable = 7,            // id = variable id; [0] instance, [1], [2] indices
  kNodeVariableOnInstance = 8,  // as kNodeVariable, instance field set
  kNodeIf = 13,                 // [0] condition, [1] then, [2] else (optional)
  kNodeWhile = 16,              // [0] condition, [1] body
  kNodeDo = 17,                 // [0] body, [1] condition
  kNodeFor = 18,                // [0] init, [1] condition, [2] step, [3] body
  kNodeRepeat = 20,             // [0] count, [1] body
  kNodeExit = 21,
  kNodeBreak = 22,
  kNodeContinue = 23,
  kNodeWith = 24,    // [0] instance, [1] body
  kNodeReturn = 25,  // [0] value
  kNodeSwitch = 26,  // [0] value, then the statements of the braces
  kNodeCase = 27,    // [0] label expression
  kNodeDefault = 28,
  kNodeVar = 29,           // one constant child per name, its id the variable
  kNodeGlobalVar = 30,     // as kNodeVar
  kNodeCaseConstant = 31,  // as kNodeCase, label folded
  kNodeAssign = 101,       // id = assignment token; [0] variable, [1] value
  kNodeBlock = 1000,       // the statements
  kNodeUnary = 1010,       // id = operator token; [0] operand
  kNodeBinary = 1011,      // id = operator token; [0] left, [1] right
};

// Deepest tree (and deepest source nesting) the compiler accepts. Every tree
// walk recurses once per level, so this bounds their native stack use.
constexpr int kCodeMaxDepth = 2500;

struct CodeNode {
  int32_t kind = kNodeEmpty;
  int32_t id = 0;
  int32_t instance = 0;
  int32_t position = 0;
  ScriptValue value;
  int32_t childCount = 0;
  // The form the tree interpreter runs this node in, and what that form
  // needs, worked out when the tree first runs (0: not yet). Nothing else
  // reads or writes them, and copies start unprepared.
  int32_t prepared = 0;
  CodeNode* children = nullptr;  // held by value; from MemoryManager
  uint64_t preparedData = 0;
};

// A fresh node at a source position (kind kNodeEmpty, no children).
void CodeNode_Init(CodeNode* node, int32_t position);
// Moves *child to the end of parent's children (child is left fresh) and
// returns the stored copy. A full array doubles, from one slot.
CodeNode* CodeNode_AddChild(CodeNode* parent, CodeNode* child);
// Appends a fresh child at a source position and returns it, for building
// in place; a later append may move it.
CodeNode* CodeNode_AddFresh(CodeNode* parent, int32_t position);
// Makes room for `count` children in all, so that a node whose shape is
// known gets an array of exactly that size (most nodes have one or two
// children, and every array is kept for the life of the code).
void CodeNode_Reserve(CodeNode* parent, int32_t count);
// Frees the strings and children arrays of the whole subtree without
// recursion; the node itself becomes fresh (it belongs to its owner).
void CodeNode_Free(CodeNode* node);
// Deep copy into a fresh destination. Recurses: meant for trees the compiler
// accepted (at most kCodeMaxDepth deep).
void CodeNode_Copy(CodeNode* destination, const CodeNode* source);
// While one of these lives on a thread, new child arrays come from one
// scratch area that its end empties at once, and freeing a tree releases
// only the texts of its nodes: for trees that live no longer than one
// compile (most compiles hand their code to the machine and drop the tree),
// which then cost no heap block per node. Every tree built under it must be
// freed, or copied with CodeNode_Copy and then freed, before it ends, and
// no other tree may be changed or freed meanwhile. One opened inside
// another sets the outer one aside until it ends.
class CodeNodeScratch {
 public:
  CodeNodeScratch();
  ~CodeNodeScratch();
  CodeNodeScratch(const CodeNodeScratch&) = delete;
  CodeNodeScratch& operator=(const CodeNodeScratch&) = delete;

  struct Area;  // opaque

 private:
  Area* area_;
  Area* outer_;
};

// The first node found deeper than maxDepth levels (the root is level 1), or
// null; walks without recursion.
const CodeNode* CodeNode_FindTooDeep(const CodeNode* root, int maxDepth);
