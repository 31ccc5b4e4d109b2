#include "script/compiler/code_table.h"

bool g_hasBytecode = false;
std::vector<CodeEntry> g_codeTable;

void CodeTable_Clear() {
  g_hasBytecode = false;
  g_codeTable.clear();
}
