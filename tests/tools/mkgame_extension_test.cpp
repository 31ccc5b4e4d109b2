// The extension packages mkgame writes read back through the player's own
// reader of the EXTN chunk.
#include <gtest/gtest.h>

#include "extensions/extension.h"
#include "gamefile/chunk_walk.h"
#include "mkgame_harness.h"

namespace {

using namespace mkgame_test;

TEST(MkgameExtensions, ThePlayerReadsThePackagesBack) {
  std::string out = TempPath("extensions.win");
  ASSERT_EQ(RunMkgame(FixturePath("resources.json"), out).status, 0);
  GameImage image;
  image.Assign(ReadAll(out));
  ASSERT_TRUE(GameFile_CheckContainer(image));
  bool read = false;
  GameFile_ForEachChunk(image, [&](uint32_t id, uint64_t data, uint32_t size) {
    if (id == ChunkId("EXTN")) read = Extension_Load(image, data, size);
  });
  ASSERT_TRUE(read);
  const auto& packages = Extension_Packages();
  ASSERT_EQ(packages.size(), 2u);
  EXPECT_EQ(packages[1]->folder, "other");
  const CExtensionFile& native = packages[0]->files[0];
  EXPECT_EQ(native.fileName, "native.so");
  EXPECT_EQ(native.initName, "pkg_start");
  EXPECT_EQ(native.finalName, "pkg_end");
  ASSERT_EQ(native.functions.size(), 2u);
  const CExtensionFunction& greet = native.functions[1];
  EXPECT_EQ(greet.externalName, "ext_greet");
  EXPECT_EQ(greet.convention, 11);
  EXPECT_EQ(greet.resultKind, kExtensionKindString);
  EXPECT_EQ(greet.argumentCount, 1);
  EXPECT_EQ(greet.kinds[0], kExtensionKindString);
  EXPECT_EQ(packages[0]->files[1].kind, kExtensionFileScript);
  EXPECT_EQ(Extension_FindFunction("helper"), 10);
  EXPECT_EQ(Extension_FindFunction("after"), 11);
  EXPECT_EQ(Extension_GetArgCount(0), 2);
  Extension_Clear();
}

}  // namespace
