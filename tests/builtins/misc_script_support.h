// Scripts calling the misc family by name, run in the tree interpreter
// (parameter true) and on the bytecode machine (false).
#pragma once

#include <gtest/gtest.h>

#include "builtins/misc/execute.h"
#include "builtins/registration.h"
#include "script/snippet_runner.h"
#include "script/tree/interpreter_statements.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"

class MiscScripts : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    Function_Free();
    Builtins_RegisterFamily(BuiltinFamilyId::kMisc);
    VM_InstallGenerator();
    VM_Install();
    Statements_Install();
    Execute_ResetCounters();
  }
  void TearDown() override {
    Interpreter_SetStatementHandler(nullptr);
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
    Code_FreeArguments();
    Function_Free();
  }
};

#define KV_BOTH_MODES(suite)                                                 \
  INSTANTIATE_TEST_SUITE_P(BothModes, suite, ::testing::Values(true, false), \
                           [](const auto& info) { return info.param ? "Tree" : "Bytecode"; })
