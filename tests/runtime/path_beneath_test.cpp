#include "runtime/path_beneath.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

class PathBeneath : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::WriteRaw(root_ + "/data.txt", "d");
    testsupport::WriteRaw(root_ + "/a/b/.keep", "");
    testsupport::WriteRaw(folder_ / "outside/victim.txt", "v");
    Link("../outside/victim.txt", "out");
    Link(folder_ / "outside", "out_abs");
    Link("../outside/new.txt", "dangling_out");
    Link("a/new.txt", "dangling_in");
    Link("loop2", "loop");
    Link("loop", "loop2");
    Link("a/b/hop", "chain");
    Link("../../data.txt", "a/b/hop");
    Link("a/b/up", "chain_out");
    Link("../../../outside/victim.txt", "a/b/up");
    Link(root_ + "/a", "inside_abs");
    Link("b/..", "a/parent");
    Link("data.txt", "plain");
  }
  void Link(const std::string& target, const std::string& name) const {
    ASSERT_EQ(symlink(target.c_str(), (root_ + "/" + name).c_str()), 0) << name;
  }

  testsupport::ScratchFolder folder_{"kv_beneath"};
  std::string root_ = folder_ / "save";
};

TEST_F(PathBeneath, LinksAreFollowedOnlyWhileTheyStayBeneathTheRoot) {
  const struct {
    const char* rest;
    const char* expected;  // beneath the root; nullptr when refused
  } cases[] = {
      {"data.txt", "data.txt"},
      {"DATA.TXT", "data.txt"},
      {"a/B/.keep", "a/B/.keep"},  // only the last name's case is settled
      {"new/deeper/file", "new/deeper/file"},
      {"plain", "data.txt"},
      {"chain", "data.txt"},
      {"dangling_in", "a/new.txt"},
      {"inside_abs/b", "a/b"},
      {"a/parent/b/.keep", "a/b/.keep"},
      {"a/b/../../data.txt", "data.txt"},
      {"", ""},
      {"..", nullptr},
      {"a/../../x", nullptr},
      {"out", nullptr},
      {"out_abs/victim.txt", nullptr},
      {"dangling_out", nullptr},
      {"loop", nullptr},
      {"loop/x", nullptr},
      {"chain_out", nullptr},
      {"a/b/up", nullptr},
      {"new/../out", nullptr},
  };
  for (const auto& c : cases) {
    const std::string expected = c.expected == nullptr ? "" : c.expected[0] == '\0' ? root_ : root_ + "/" + c.expected;
    EXPECT_EQ(Path_ResolveBeneath(root_, c.rest), expected) << c.rest;
  }
}

TEST_F(PathBeneath, TheRootMayBeSpelledThroughALink) {
  const std::string spelled = folder_ / "spelled";
  ASSERT_EQ(symlink(root_.c_str(), spelled.c_str()), 0);
  EXPECT_EQ(Path_ResolveBeneath(spelled + "/", "inside_abs/b"), spelled + "/a/b");
  EXPECT_EQ(Path_ResolveBeneath(spelled, "out"), "");
}

// What cannot be looked at is kept as given: the operation on it then fails
// as it would have.
TEST_F(PathBeneath, UnreachableRootsAndLongNamesAreKept) {
  const std::string file = root_ + "/data.txt";
  EXPECT_EQ(Path_ResolveBeneath(file, "x"), file + "/x");
  EXPECT_EQ(Path_ResolveBeneath(folder_ / "missing", "x/y"), folder_ / "missing/x/y");
  const std::string longName(300, 'n');
  EXPECT_EQ(Path_ResolveBeneath(root_, longName + "/x"), root_ + "/" + longName + "/x");
  std::string deep;
  for (int i = 0; i < 600; ++i) deep += "abcdefgh/";
  EXPECT_EQ(Path_ResolveBeneath(root_, deep), root_ + "/" + deep.substr(0, deep.size() - 1));
}

}  // namespace
