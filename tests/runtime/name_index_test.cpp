#include "runtime/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A store as the index sees it: names in search order, null for a gap.
struct Store {
  std::vector<std::pair<const char*, int32_t>> entries;
  NameIndex index;
  int walks = 0;

  int32_t Find(const char* name) {
    return index.Find(name, [this](auto add) {
      ++walks;
      for (auto [entry, at] : entries) add(entry, at);
    });
  }
};

TEST(NameIndex, TheFirstOfEqualNamesAnswersAndGapsAndMissesGiveMinusOne) {
  Store store;
  store.entries = {{"b", 4}, {nullptr, 5}, {"a", 6}, {"b", 7}, {"", 8}, {"ab", 9}};
  EXPECT_EQ(store.Find("b"), 4);
  EXPECT_EQ(store.Find("a"), 6);
  EXPECT_EQ(store.Find("ab"), 9);
  EXPECT_EQ(store.Find(""), 8);
  EXPECT_EQ(store.Find("abc"), -1);
  EXPECT_EQ(store.Find("B"), -1);
  EXPECT_EQ(store.Find(nullptr), -1);
  EXPECT_EQ(store.walks, 1);

  NameIndex empty;
  EXPECT_EQ(empty.Find("a", [](auto) {}), -1);
}

TEST(NameIndex, ARefillAfterAChangeFollowsTheStoresNewOrder) {
  Store store;
  store.entries = {{"x", 1}, {"x", 2}};
  EXPECT_EQ(store.Find("x"), 1);
  store.entries = {{"y", 3}, {"x", 2}};
  EXPECT_EQ(store.Find("x"), 1) << "no refill until the store says so";
  store.index.Invalidate();
  EXPECT_EQ(store.Find("x"), 2);
  EXPECT_EQ(store.Find("y"), 3);
  EXPECT_EQ(store.walks, 2);
}

TEST(NameIndex, TensOfThousandsOfNamesWithSharedPrefixesAreEachFound) {
  std::vector<std::string> names;
  for (int i = 0; i < 40000; ++i) names.push_back("scr_" + std::to_string(i));
  Store store;
  for (size_t i = 0; i < names.size(); ++i) store.entries.emplace_back(names[i].c_str(), static_cast<int32_t>(i));
  store.entries.emplace_back(names[123].c_str(), 99999);  // a later equal name never answers
  for (size_t i = 0; i < names.size(); ++i) ASSERT_EQ(store.Find(names[i].c_str()), static_cast<int32_t>(i));
  EXPECT_EQ(store.Find("scr_40000"), -1);
  EXPECT_EQ(store.Find("scr_"), -1);
}

}  // namespace
