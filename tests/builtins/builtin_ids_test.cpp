// Every built-in's function id, in both registration modes, against the
// checked-in list. Compiled code stores these ids, so the list changes only
// on purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "builtins/registration.h"
#include "runtime/run_flags.h"
#include "script/function_registry.h"

namespace {

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

// The registry's names in id order after a full registration.
std::vector<std::string> Registered(bool storeMode) {
  const bool saved = g_steamMode;
  g_steamMode = storeMode;
  Function_Free();
  Builtins_RegisterAll();
  std::vector<std::string> names;
  for (int32_t id = 0; id < Function_Count(); ++id) names.emplace_back(Function_GetRecord(id)->name);
  Function_Free();
  g_steamMode = saved;
  return names;
}

// "name id store-id" lines, "-" for a name store mode leaves out.
std::string Listing(const std::vector<std::string>& all, const std::vector<std::string>& store) {
  std::string text;
  for (size_t id = 0; id < all.size(); ++id) {
    const auto at = std::find(store.begin(), store.end(), all[id]);
    const std::string storeId = at == store.end() ? "-" : std::to_string(at - store.begin());
    text += all[id] + " " + std::to_string(id) + " " + storeId + "\n";
  }
  return text;
}

TEST(BuiltinIds, EveryBuiltInKeepsItsIdInBothModes) {
  const std::vector<std::string> all = Registered(false), store = Registered(true);
  EXPECT_EQ(Listing(all, store), ReadGolden());
  for (const std::string& name : store) EXPECT_NE(std::find(all.begin(), all.end(), name), all.end()) << name;
}

}  // namespace
