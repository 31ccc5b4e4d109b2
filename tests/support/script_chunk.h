// (name, text) pairs laid out as a game file's script chunk holds them: a
// count, one offset per record, then each record's name and text offsets into
// a pool of zero-ended texts. The body starts after a 4-byte lead, at
// kScriptChunkBody, as a chunk's does after its size.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr uint32_t kScriptChunkBody = 4;

inline std::vector<uint8_t> ScriptChunkBytes(const std::vector<std::pair<std::string, std::string>>& scripts) {
  std::vector<uint8_t> bytes(kScriptChunkBody, 0);
  auto put = [&bytes](uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(word >> shift));
  };
  const auto count = static_cast<uint32_t>(scripts.size());
  const uint32_t records = kScriptChunkBody + 4 + 4 * count, texts = records + 8 * count;
  std::string pool;
  put(count);
  for (uint32_t i = 0; i < count; ++i) put(records + 8 * i);
  for (const auto& [name, text] : scripts) {
    put(texts + static_cast<uint32_t>(pool.size()));
    pool += name + '\0';
    put(texts + static_cast<uint32_t>(pool.size()));
    pool += text + '\0';
  }
  bytes.insert(bytes.end(), pool.begin(), pool.end());
  return bytes;
}
