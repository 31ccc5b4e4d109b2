#include "files/stream_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "runtime/stream.h"

namespace {

std::vector<uint8_t> Bytes(const CStream& s, int64_t count) {
  const uint8_t* data = s.GetBuffer();
  return data == nullptr ? std::vector<uint8_t>{} : std::vector<uint8_t>(data, data + count);
}

}  // namespace

TEST(Stream, FilesHoldThePositionBytesAndLoadingSkips) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kv_stream_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "a.bin").string();
  CStream s(64);
  s.WriteString("hello");
  ASSERT_TRUE(StreamFile_Save(s, path.c_str()));
  EXPECT_EQ(std::filesystem::file_size(path), 9u);

  CStream loaded;
  loaded.SetPosition(2);
  ASSERT_TRUE(loaded.LoadFromFile(path.c_str(), 4));
  EXPECT_EQ(loaded.GetPosition(), 2);
  EXPECT_EQ(Bytes(loaded, loaded.GetSize()), (std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}));
  loaded.LoadFromFile(path.c_str(), -5);
  EXPECT_EQ(loaded.GetSize(), 9);

  // Skips at or past the end, missing files and folders all leave nothing.
  for (int64_t skip : {int64_t{9}, int64_t{1} << 40}) {
    loaded.LoadFromFile(path.c_str(), skip);
    EXPECT_EQ(loaded.GetSize(), 0);
    EXPECT_EQ(loaded.GetBuffer(), nullptr);
  }
  s.LoadFromFile((dir / "missing").c_str(), 0);
  EXPECT_EQ(s.GetSize(), 0);
  EXPECT_FALSE(s.LoadFromFile(dir.c_str(), 0));
  EXPECT_FALSE(StreamFile_Save(s, (dir / "empty").c_str()));  // no buffer, no file
  EXPECT_FALSE(std::filesystem::exists(dir / "empty"));
  EXPECT_FALSE(StreamFile_Save(CStream(4), (dir / "no" / "folder").c_str()));
  std::filesystem::remove_all(dir);
}
