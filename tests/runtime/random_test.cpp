#include "runtime/random.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Random, SeedFillsStateFromFifteenBitSteps) {
  EXPECT_EQ(Random_Seed(0), 0);
  const RandomState& st = Random_State();
  EXPECT_EQ(st.state[0], 38u);
  EXPECT_EQ(st.state[1], 162u);
  EXPECT_EQ(st.state[2], 567u);
  EXPECT_EQ(st.state[3], 1890u);
  for (uint32_t word : st.state) EXPECT_LE(word, 0x7FFFu);

  // A negative seed is read as unsigned: 0xFFFFFFFF * 214013 + 2531011 wraps.
  Random_Seed(-1);
  EXPECT_EQ(Random_State().state[0], 35u);
  EXPECT_EQ(static_cast<uint32_t>(Random_GetSeed()), 4294967295u);
}

TEST(Random, SequenceFromASeedIsFixedAndReplays) {
  Random_Seed(0);
  EXPECT_EQ(Random_Next(), 667285549u);
  EXPECT_EQ(Random_Next(), 363950863u);

  Random_Seed(12345);
  uint32_t first[48];
  for (uint32_t& v : first) v = Random_Next();
  EXPECT_EQ(Random_State().index, 0u) << "the index walks down through all 16 slots";
  Random_Seed(12345);
  for (uint32_t v : first) EXPECT_EQ(Random_Next(), v);
}

TEST(Random, RealAndIntStayInRange) {
  Random_Seed(7);
  bool seen[5] = {};
  for (int i = 0; i < 2000; ++i) {
    const double r = Random_Real(1.0);
    ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
    const double n = Random_Real(-3.0);
    ASSERT_TRUE(n <= 0.0 && n > -3.0) << n;
    const int32_t k = Random_Int(-5);
    ASSERT_TRUE(k >= 0 && k < 5) << k;
    seen[k] = true;
  }
  for (bool s : seen) EXPECT_TRUE(s);
  EXPECT_EQ(Random_Real(0.0), 0.0);
}

TEST(Random, IntEdgesOfTheRange) {
  Random_Seed(9);
  const uint32_t word = Random_Next();
  Random_Seed(9);
  EXPECT_EQ(static_cast<uint32_t>(Random_Int(INT_MIN)), word & 0x7FFFFFFFu) << "|INT_MIN| is 2^31";

  Random_Seed(0);
  EXPECT_EQ(Random_Int(0), 0);
  EXPECT_EQ(Random_Next(), 667285549u) << "a range of 0 draws nothing";
}

}  // namespace
