// Every built-in's function id, with and without store mode, and its
// argument count, from the family tables against the checked-in list.
// Compiled code stores these ids, so the list changes only on purpose: run
// with KV_WRITE_BUILTIN_IDS=1 to write it afresh, then review the diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "builtins/registration.h"

namespace {

constexpr const char* kHeader =
    "# Every built-in function: name, function id, id in store mode (- where\n"
    "# store mode leaves it out) and argument count (-1: any number). Compiled\n"
    "# code holds these ids; written by builtin_ids_test.cpp.\n";

// "name id store-id count" lines, numbered as the registration numbers them.
std::string Listing() {
  std::ostringstream text;
  int32_t id = 0, storeId = 0;
  for (const BuiltinFamily& family : Builtins_Families()) {
    for (const BuiltinRow& row : family.rows) {
      text << row.name << ' ' << id++ << ' ';
      if (row.mode == BuiltinMode::kNotInStoreMode) {
        text << '-';
      } else {
        text << storeId++;
      }
      text << ' ' << row.argumentCount << '\n';
    }
  }
  return text.str();
}

// The list without its comment lines.
std::string ReadGolden() {
  std::ifstream in(KV_BUILTIN_IDS_GOLDEN);
  EXPECT_TRUE(in.good()) << KV_BUILTIN_IDS_GOLDEN;
  std::string text, line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] != '#') text += line + "\n";
  }
  return text;
}

TEST(BuiltinIds, EveryBuiltInKeepsItsIdAndCount) {
  if (std::getenv("KV_WRITE_BUILTIN_IDS") != nullptr) std::ofstream(KV_BUILTIN_IDS_GOLDEN) << kHeader << Listing();
  EXPECT_EQ(Listing(), ReadGolden());
}

}  // namespace
