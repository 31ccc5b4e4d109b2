// A program folder and a save folder in a scratch folder, with the file
// family's tables emptied before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "builtin_test_support.h"
#include "builtins/files/files.h"
#include "builtins/files/handlers.h"
#include "files/file_layer.h"
#include "support/test_support.h"

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::WriteRaw(folder_ / "program/.keep", "");
    LoadSave_SetProgramDirectory(program_.c_str());
    LoadSave_SetSaveDirectory(save_.c_str());
    FileBuiltins_Prepare();
  }
  void TearDown() override {
    FileBuiltins_Release();
    LoadSave_SetSaveDirectory(nullptr);
    LoadSave_SetProgramDirectory(nullptr);
  }

  std::string Program(const std::string& name) const { return program_ + name; }
  std::string Save(const std::string& name) const { return save_ + name; }

  testsupport::ScratchFolder folder_{"kv_files"};
  std::string program_ = folder_ / "program/";
  std::string save_ = folder_ / "save/";
};

inline double Call(BuiltinFunction handler, std::initializer_list<GoldenArg> args) {
  return BuiltinCall(handler, args).Real();
}

inline std::string Text(BuiltinFunction handler, std::initializer_list<GoldenArg> args) {
  return BuiltinCall(handler, args).Text();
}

// Every name file_find_first and file_find_next give for pattern, joined by
// ",".
inline std::string FindAll(const std::string& pattern) {
  std::string names = Text(F_FileFindFirst, {S(pattern.c_str()), R(0)});
  for (std::string next; !(next = Text(F_FileFindNext, {})).empty();) names += "," + next;
  Call(F_FileFindClose, {});
  return names;
}
