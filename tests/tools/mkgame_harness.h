// Runs the built mkgame on a description and reads what it wrote, with a
// reader of its own: every access is bounds-checked and throws when a stored
// offset or size leads outside the file.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace mkgame_test {

inline std::string FixturePath(const std::string& name) { return std::string(KV_TOOLS_FIXTURES) + "/" + name; }

inline std::string TempPath(const std::string& name) {
  // One folder per process: CTest runs the cases of this program side by side.
  std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / ("mkgame_test_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

inline std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct RunResult {
  int status = -1;
  std::string output;  // standard output and error together
};

// Runs a shell command with its output sent to `log`, which is read back.
inline RunResult RunLogged(const std::string& command, const std::string& log) {
  int raw = std::system((command + " >'" + log + "' 2>&1").c_str());
  RunResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::vector<uint8_t> text = ReadAll(log);
  result.output.assign(text.begin(), text.end());
  return result;
}

inline RunResult RunMkgame(const std::string& description, const std::string& output, const std::string& options = "") {
  return RunLogged(std::string("'") + KV_MKGAME_PATH + "' '" + description + "' -o '" + output + "' " + options,
                   output + ".log");
}

class GameFile {
 public:
  explicit GameFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() < 8 || std::memcmp(bytes_.data(), "FORM", 4) != 0) throw std::runtime_error("not a FORM file");
    if (U32(4) != bytes_.size() - 8) throw std::runtime_error("FORM size word does not match the file");
    for (size_t at = 8; at < bytes_.size();) {
      std::string id(reinterpret_cast<const char*>(Span(at, 8)), 4);
      size_t size = U32(at + 4);
      Span(at + 8, size);
      chunks_.emplace_back(id, std::make_pair(at + 8, size));
      at += 8 + size;
    }
  }

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::string> ChunkIds() const {
    std::vector<std::string> ids;
    for (const auto& chunk : chunks_) ids.push_back(chunk.first);
    return ids;
  }
  // Data offset and size of a chunk.
  std::pair<size_t, size_t> Chunk(const std::string& id) const {
    for (const auto& chunk : chunks_) {
      if (chunk.first == id) return chunk.second;
    }
    throw std::runtime_error("no chunk " + id);
  }
  // The record offsets of a count-prefixed table.
  std::vector<size_t> Table(size_t at) const {
    std::vector<size_t> entries;
    uint32_t count = U32(at);
    for (uint32_t i = 0; i < count; ++i) entries.push_back(Offset(at + 4 + 4 * i));
    return entries;
  }
  std::vector<size_t> ChunkTable(const std::string& id) const { return Table(Chunk(id).first); }

  uint32_t U32(size_t at) const {
    const uint8_t* p = Span(at, 4);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
  }
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
  int16_t I16(size_t at) const {
    const uint8_t* p = Span(at, 2);
    return static_cast<int16_t>(p[0] | (p[1] << 8));
  }
  float F32(size_t at) const {
    uint32_t bits = U32(at);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  // A stored offset that must lead inside the file.
  size_t Offset(size_t at) const {
    uint32_t target = U32(at);
    Span(target, 1);
    return target;
  }
  // The NUL-terminated text a stored offset points at.
  std::string Text(size_t at) const {
    size_t start = Offset(at);
    for (size_t end = start; end < bytes_.size(); ++end) {
      if (bytes_[end] == 0) return std::string(bytes_.begin() + start, bytes_.begin() + end);
    }
    throw std::out_of_range("text runs past the end of the file");
  }
  const uint8_t* Span(size_t at, size_t size) const {
    if (at > bytes_.size() || size > bytes_.size() - at) throw std::out_of_range("read past the end of the file");
    return bytes_.data() + at;
  }

 private:
  std::vector<uint8_t> bytes_;
  std::vector<std::pair<std::string, std::pair<size_t, size_t>>> chunks_;
};

// Runs mkgame on a fixture that must succeed and reads the result.
inline GameFile BuildFixture(const std::string& description) {
  std::string output = TempPath(description + ".win");
  std::filesystem::remove(output);
  RunResult run = RunMkgame(FixturePath(description), output);
  if (run.status != 0) throw std::runtime_error("mkgame failed: " + run.output);
  return GameFile(ReadAll(output));
}

}  // namespace mkgame_test
