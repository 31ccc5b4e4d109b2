// Hashes and base64 of texts and files. Each takes one string; anything
// else answers the empty string.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "builtins/platform/handlers.h"
#include "files/file_layer.h"
#include "runtime/base64.h"
#include "runtime/md5.h"
#include "runtime/memory.h"
#include "runtime/sha1.h"
#include "runtime/utf8.h"

namespace {

std::string Md5Hex(const void* bytes, size_t count) {
  MD5Context context;
  MD5_Init(&context);
  MD5_Update(&context, bytes, count);
  uint8_t digest[16];
  MD5_Final(digest, &context);
  char text[33];
  for (int i = 0; i < 16; ++i) std::snprintf(text + 2 * i, 3, "%02x", digest[i]);
  return text;
}

std::string Sha1Hex(const void* bytes, size_t count) {
  SHA1Context context;
  SHA1_Reset(&context);
  SHA1_Input(&context, bytes, count);
  uint8_t digest[20];
  if (SHA1_Result(&context, digest) == 0) return "";
  char text[41];
  for (int word = 0; word < 5; ++word) {
    const uint32_t value = static_cast<uint32_t>(digest[4 * word]) << 24 | digest[4 * word + 1] << 16 |
                           digest[4 * word + 2] << 8 | digest[4 * word + 3];
    std::snprintf(text + 8 * word, 9, "%08x", static_cast<unsigned>(value));
  }
  return text;
}

using Hasher = std::string (*)(const void* bytes, size_t count);

// The text as 16-bit units, two bytes each, low byte first.
std::vector<uint8_t> Utf16Bytes(const char* text) {
  std::vector<uint8_t> bytes;
  while (*text != 0) {
    const uint16_t unit = UTF8_ReadChar(&text);
    bytes.push_back(static_cast<uint8_t>(unit));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

void HashText(ScriptValue* result, int32_t argc, ScriptValue* args, Hasher hasher) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  const char* text = a.Text(0);
  Result_SetText(result, hasher(text, std::strlen(text)).c_str());
}

void HashUnicode(ScriptValue* result, int32_t argc, ScriptValue* args, Hasher hasher) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  const std::vector<uint8_t> bytes = Utf16Bytes(a.Text(0));
  Result_SetText(result, hasher(bytes.data(), bytes.size()).c_str());
}

// The save folder's file of that name first, else the program folder's; a
// folder or a missing file answers the empty string.
void HashFile(ScriptValue* result, int32_t argc, ScriptValue* args, Hasher hasher) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  const std::string path = LoadSave_FindFile(a.Text(0));
  if (path.empty()) return;
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadFile(path.c_str(), &size);
  if (data == nullptr) return;
  Result_SetText(result, hasher(data, static_cast<size_t>(size)).c_str());
  MemoryManager::Free(data);
}

}  // namespace

void F_Base64Encode(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  const char* text = a.Text(0);
  const size_t length = std::strlen(text);
  if (length > (kBuiltinMaxTextBytes / 4) * 3) return;
  std::vector<char> out((length + 2) / 3 * 4 + 1);
  Base64_Encode(text, static_cast<int>(length), out.data(), static_cast<int>(out.size()));
  Result_SetText(result, out.data());
}

// The decoded bytes up to the first zero among them, as a text.
void F_Base64Decode(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  const char* text = a.Text(0);
  std::vector<char> out(std::strlen(text) / 4 * 3 + 4);
  const int count = Base64_Decode(text, out.data(), static_cast<int>(out.size()) - 1);
  out[static_cast<size_t>(count)] = 0;
  Result_SetText(result, out.data());
}

void F_Md5StringUtf8(KV_BUILTIN_PARAMS) { HashText(result, argc, args, Md5Hex); }
void F_Sha1StringUtf8(KV_BUILTIN_PARAMS) { HashText(result, argc, args, Sha1Hex); }
void F_Md5StringUnicode(KV_BUILTIN_PARAMS) { HashUnicode(result, argc, args, Md5Hex); }
void F_Sha1StringUnicode(KV_BUILTIN_PARAMS) { HashUnicode(result, argc, args, Sha1Hex); }
void F_Md5File(KV_BUILTIN_PARAMS) { HashFile(result, argc, args, Md5Hex); }
void F_Sha1File(KV_BUILTIN_PARAMS) { HashFile(result, argc, args, Sha1Hex); }
