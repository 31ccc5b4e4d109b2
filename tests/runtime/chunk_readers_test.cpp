// Readers installed for the chunks whose stores live above the game-file
// reader: the one installed last for an id answers, other ids (the same
// letters in another order among them) have none, and clearing runs the
// clearing installed with the id's reader only.
#include "runtime/chunk_readers.h"

#include <gtest/gtest.h>

namespace {

int g_clearedFirst = 0;
int g_clearedSecond = 0;

bool ReadFirst(GameImage&, uint64_t, uint32_t) { return true; }
bool ReadSecond(GameImage&, uint64_t, uint32_t) { return false; }
void ClearFirst() { ++g_clearedFirst; }
void ClearSecond() { ++g_clearedSecond; }

TEST(ChunkReaders, TheLastInstalledReaderOfAnIdAnswersAndClearsItsStore) {
  static_assert(ChunkId("ABCD") == 0x44434241u);
  ChunkWalk_InstallReader("ZRD1", ReadFirst, ClearFirst);
  ChunkWalk_InstallReader("ZRD2", ReadFirst, nullptr);
  ChunkWalk_InstallReader("ZRD1", ReadSecond, ClearSecond);
  const struct {
    const char id[5];
    ChunkReaderFn reader;
    int clearedFirst, clearedSecond;
  } cases[] = {{"ZRD1", ReadSecond, 0, 1}, {"ZRD2", ReadFirst, 0, 0}, {"ZRD3", nullptr, 0, 0}, {"1DRZ", nullptr, 0, 0}};
  for (const auto& c : cases) {
    g_clearedFirst = g_clearedSecond = 0;
    EXPECT_EQ(ChunkWalk_InstalledReader(ChunkId(c.id)), c.reader) << c.id;
    ChunkWalk_ClearInstalled(ChunkId(c.id));
    EXPECT_EQ(g_clearedFirst, c.clearedFirst) << c.id;
    EXPECT_EQ(g_clearedSecond, c.clearedSecond) << c.id;
  }
}

}  // namespace
