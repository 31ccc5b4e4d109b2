// Phase four of the compiler: binds names declared with `var` to the local
// scope, turns variable accesses through a constant instance into kind-8
// nodes, folds operators over constants and marks constant case labels. The
// tree is rewritten in place.
#pragma once

class CCode;
struct CodeNode;

// Clears the compile error flag first; false when an error was reported.
bool CheckAndFold(CCode* code, CodeNode* root);
