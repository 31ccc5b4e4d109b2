#include "files/path_beneath.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// Each case runs through the kernel's resolver and through the walk by
// descriptors that stands in for it where openat2 is missing.
class PathBeneath : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    Beneath_UseWalkOnly(GetParam());
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
    testsupport::WriteRaw(root_ + "/Twin/upper.txt", "u");
    testsupport::WriteRaw(root_ + "/twin/lower.txt", "l");
    ASSERT_TRUE(Beneath_OpenRoot(root_, &root));
  }
  void TearDown() override {
    Beneath_CloseRoot(&root);
    Beneath_UseWalkOnly(false);
  }
  void Link(const std::string& target, const std::string& name) const {
    ASSERT_EQ(symlink(target.c_str(), (root_ + "/" + name).c_str()), 0) << name;
  }

  // Where rest leads, beneath the root: "folder/name" of the last name (the
  // folder as the system names the descriptor), or why it does not.
  std::string Resolve(const BeneathRoot& from, const std::string& rest) const {
    std::string leaf;
    const int fd = Beneath_OpenParent(from, rest, true, &leaf);
    if (fd < 0) return errno == EXDEV || errno == ELOOP ? "refused" : std::string("failed: ") + strerrorname_np(errno);
    char held[PATH_MAX];
    const ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), held, sizeof held - 1);
    close(fd);
    if (length < 0) return "unnamed";
    const std::string folder(held, static_cast<size_t>(length));
    const std::string real = fs::canonical(root_).string();
    if (folder.compare(0, real.size(), real) != 0) return "outside: " + folder;
    const std::string below = folder.substr(real.size());
    return (below.empty() ? std::string() : below.substr(1) + "/") + leaf;
  }

  testsupport::ScratchFolder folder_{"kv_beneath"};
  std::string root_ = folder_ / "save";
  BeneathRoot root;
};

TEST_P(PathBeneath, LinksAreFollowedOnlyWhileTheyStayBeneathTheRoot) {
  const struct {
    const char* rest;
    const char* expected;
  } cases[] = {
      {"data.txt", "data.txt"},
      {"DATA.TXT", "data.txt"},
      // Every missing name, folders too, stands for one differing only in
      // letter case; the exact name comes first, then the first variant in
      // byte order; a variant that is a link is held to the same rule.
      {"a/B/.keep", "a/b/.keep"},
      {"A/B/.KEEP", "a/b/.keep"},
      {"A/B/new", "a/b/new"},
      {"A/../DATA.TXT", "data.txt"},
      {"twin/upper.txt", "twin/upper.txt"},
      {"TWIN/upper.txt", "Twin/upper.txt"},
      {"TWIN/lower.txt", "Twin/lower.txt"},
      {"Inside_Abs/B/.keep", "a/b/.keep"},
      {"A/Parent/B/.keep", "a/b/.keep"},
      {"Out_Abs/victim.txt", "refused"},
      {"LOOP/x", "refused"},
      {"A/B/Up", "refused"},
      {"New/deeper/file", "failed: ENOENT"},
      {"A/new/file", "failed: ENOENT"},
      {"data.txt/x", "failed: ENOTDIR"},
      {"new/deeper/file", "failed: ENOENT"},
      {"a/b/new", "a/b/new"},
      {"plain", "data.txt"},
      {"chain", "data.txt"},
      {"dangling_in", "a/new.txt"},
      {"inside_abs/b", "a/b"},
      {"a/parent/b/.keep", "a/b/.keep"},
      {"a/b/../../data.txt", "data.txt"},
      {"", "failed: EINVAL"},
      {"..", "refused"},
      {"a/../../x", "refused"},
      {"out", "refused"},
      {"out_abs/victim.txt", "refused"},
      {"dangling_out", "refused"},
      {"loop", "refused"},
      {"loop/x", "refused"},
      {"chain_out", "refused"},
      {"a/b/up", "refused"},
  };
  for (const auto& c : cases) EXPECT_EQ(Resolve(root, c.rest), c.expected) << c.rest;
}

// A name whose folders differ only in letter case from those there opens,
// and makes, what the exact names would: read and write agree.
TEST_P(PathBeneath, OpensSettleTheCaseOfEveryFolder) {
  const int made = Beneath_Open(root, "A/B/made.txt", O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(made, 0);
  close(made);
  EXPECT_TRUE(fs::is_regular_file(root_ + "/a/b/made.txt"));
  EXPECT_FALSE(fs::exists(root_ + "/A"));
  const int read = Beneath_Open(root, "a/B/MADE.txt", O_RDONLY);
  EXPECT_GE(read, 0);
  if (read >= 0) close(read);
  const int folder = Beneath_Open(root, "Inside_Abs/B", O_RDONLY | O_DIRECTORY);
  EXPECT_GE(folder, 0);
  if (folder >= 0) close(folder);
  EXPECT_EQ(Beneath_Open(root, "Out_Abs/new.txt", O_WRONLY | O_CREAT, 0600), -1);
  EXPECT_EQ(Beneath_Open(root, "Missing/new.txt", O_WRONLY | O_CREAT, 0600), -1);
  EXPECT_FALSE(fs::exists(folder_ / "outside/new.txt"));
}

// Opening acts where the resolution leads, in the same step: a file made
// through a link lands where the link points, inside or nowhere.
TEST_P(PathBeneath, OpensActWhereTheResolutionLeads) {
  const int made = Beneath_Open(root, "dangling_in", O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(made, 0);
  close(made);
  EXPECT_TRUE(fs::is_regular_file(root_ + "/a/new.txt"));
  EXPECT_EQ(Beneath_Open(root, "dangling_out", O_WRONLY | O_CREAT, 0600), -1);
  EXPECT_EQ(Beneath_Open(root, "out", O_RDONLY), -1);
  EXPECT_FALSE(fs::exists(folder_ / "outside/new.txt"));

  const int read = Beneath_Open(root, "CHAIN", O_RDONLY);
  ASSERT_GE(read, 0);
  char byte = 0;
  EXPECT_EQ(::read(read, &byte, 1), 1);
  EXPECT_EQ(byte, 'd');
  close(read);
  const int folder = Beneath_Open(root, "inside_abs", O_RDONLY | O_DIRECTORY);
  EXPECT_GE(folder, 0);
  if (folder >= 0) close(folder);
  // Without following the last name, a link is the name itself.
  std::string leaf;
  const int parent = Beneath_OpenParent(root, "a/b/up", false, &leaf);
  ASSERT_GE(parent, 0);
  EXPECT_EQ(leaf, "up");
  close(parent);
}

TEST_P(PathBeneath, TheRootMayBeSpelledThroughALink) {
  const std::string spelled = folder_ / "spelled";
  ASSERT_EQ(symlink(root_.c_str(), spelled.c_str()), 0);
  BeneathRoot through;
  ASSERT_TRUE(Beneath_OpenRoot(spelled + "/", &through));
  EXPECT_EQ(Resolve(through, "inside_abs/b"), "a/b");
  EXPECT_EQ(Resolve(through, "out"), "refused");
  Beneath_CloseRoot(&through);
  EXPECT_TRUE(Beneath_Stays(spelled, "inside_abs/b"));
  EXPECT_FALSE(Beneath_Stays(spelled, "chain_out"));
}

// What cannot be reached fails as the system would fail it, without
// harm: a root that is no folder, names past the system's limits.
TEST_P(PathBeneath, UnreachableRootsAndLongNamesFail) {
  BeneathRoot other;
  EXPECT_FALSE(Beneath_OpenRoot(root_ + "/data.txt", &other));
  EXPECT_FALSE(Beneath_OpenRoot(folder_ / "missing", &other));
  EXPECT_TRUE(Beneath_Stays(folder_ / "missing", "x/y"));
  const std::string longName(300, 'n');
  EXPECT_EQ(Resolve(root, longName + "/x"), "failed: ENAMETOOLONG");
  std::string deep;
  for (int i = 0; i < 600; ++i) deep += "abcdefgh/";
  EXPECT_EQ(Beneath_Open(root, deep + "x", O_RDONLY), -1);
}

INSTANTIATE_TEST_SUITE_P(KernelAndWalk, PathBeneath, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Walk" : "Openat2"; });

}  // namespace
