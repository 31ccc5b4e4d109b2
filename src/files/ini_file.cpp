#include "files/ini_file.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>

#include "files/file_layer.h"
#include "files/write_stream.h"
#include "platform/regular_file.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/text.h"

namespace {

enum KeyResult { kKeyRead, kNoKey, kEnd };

char* CopyText(const char* text) { return String_Duplicate(text == nullptr ? "" : text); }

// Replaces *slot with a copy of text, reusing the buffer when it is large
// enough.
void SetText(char** slot, const char* text) {
  if (text == nullptr) text = "";
  size_t length = std::strlen(text);
  if (*slot != nullptr && MemoryManager::GetSize(*slot) > length) {
    std::memmove(*slot, text, length + 1);
    return;
  }
  MemoryManager::Free(*slot);
  *slot = String_DuplicateBytes(text, length);
}

void FreeKey(IniKey* key) {
  MemoryManager::Free(key->key);
  MemoryManager::Free(key->value);
  MemoryManager::Free(key);
}

void FreeSection(IniSection* section) {
  while (IniKey* key = section->keys) {
    section->keys = key->next;
    FreeKey(key);
  }
  MemoryManager::Free(section->name);
  MemoryManager::Free(section);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsComment(char c) { return c == '#' || c == ';'; }

bool EndsValue(char c) { return c == '\r' || c == '\n' || IsComment(c); }

IniKey* FindKeyIn(IniSection* section, const char* key) {
  if (section == nullptr || key == nullptr) return nullptr;
  for (IniKey* entry = section->keys; entry != nullptr; entry = entry->next) {
    if (std::strcmp(entry->key, key) == 0) return entry;
  }
  return nullptr;
}

IniKey* PushKey(IniSection* section, char* key) {
  auto* entry = static_cast<IniKey*>(KV_ALLOC(sizeof(IniKey), true));
  entry->key = key;
  entry->next = section->keys;
  section->keys = entry;
  return entry;
}

// Base-10 with leading blanks and a sign; stops at the first other byte;
// no digits give 0; out-of-range values stop at the int32 limits.
int32_t ParseInt(const char* text) {
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int64_t value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value <= INT32_MAX) value = value * 10 + (*p - '0');
    ++p;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

CIniFile::CIniFile(const char* name, bool load)
    : fileName(CopyText(name)), textSize(0), sections(nullptr), parsePos(0), text(nullptr), line(0), dirty(0) {
  if (load) ReadFileText(true);
  Parse();
}

CIniFile::~CIniFile() {
  while (IniSection* section = sections) {
    sections = section->next;
    FreeSection(section);
  }
  MemoryManager::Free(fileName);
  MemoryManager::Free(text);
}

// ------------------------------------------------------------------ reading

void CIniFile::ReadFileText(bool log) {
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadSaveElseProgramFile(fileName, &size);
  if (data == nullptr) {
    LoadSave_TellNotRegular(fileName);
    return;
  }
  // The file layer ends every buffer with a zero byte, so it prints safely.
  text = reinterpret_cast<char*>(data);
  textSize = size;
  if (log) g_debugConsole->Output("%s file contents: %s\n", fileName, text);
}

void CIniFile::ParseText(const char* bytes, int32_t size) {
  if (bytes == nullptr || size < 0) return;
  MemoryManager::Free(text);
  text = String_DuplicateBytes(bytes, static_cast<size_t>(size));
  textSize = size;
  Parse();
}

void CIniFile::Parse() {
  if (text == nullptr) ReadFileText(false);
  if (text == nullptr) return;
  parsePos = 0;
  line = 0;
  if (ReadSection()) {
    for (;;) {
      int result = ReadKey(sections);
      if (result == kEnd) break;
      if (result == kNoKey && (parsePos >= textSize || !ReadSection())) break;
    }
  }
  MemoryManager::Free(text);
  text = nullptr;
}

// Skips blanks and whole comments, counting the line ends passed.
void CIniFile::SkipBlanks() {
  while (parsePos < textSize) {
    char c = text[parsePos];
    if (IsComment(c)) {
      while (parsePos < textSize && text[parsePos] != '\r' && text[parsePos] != '\n') ++parsePos;
      if (parsePos >= textSize) return;
      ++line;
      if (text[parsePos] == '\r' && parsePos + 1 < textSize && text[parsePos + 1] == '\n') ++parsePos;
      ++parsePos;
    } else if (IsBlank(c)) {
      if (c == '\n') ++line;
      ++parsePos;
    } else {
      return;
    }
  }
}

// A header "[name]"; whatever stands before the "[" is passed over. False
// (and parsing ends) when no complete header follows.
bool CIniFile::ReadSection() {
  SkipBlanks();
  int32_t remaining = textSize - parsePos;
  const char* open = static_cast<const char*>(std::memchr(text + parsePos, '[', remaining));
  const char* close = nullptr;
  if (open != nullptr) {
    close = static_cast<const char*>(std::memchr(open + 1, ']', text + textSize - (open + 1)));
  }
  if (close == nullptr) {
    parsePos = textSize;
    return false;
  }
  char* name = String_DuplicateBytes(open + 1, static_cast<size_t>(close - open - 1));
  AddSection(nullptr)->name = name;
  parsePos = static_cast<int32_t>(close - text) + 1;
  return true;
}

// One "key = value" into section. A key whose value is empty or only a
// comment is read but not kept.
int CIniFile::ReadKey(IniSection* section) {
  SkipBlanks();
  if (parsePos >= textSize || text[parsePos] == '[') return kNoKey;
  int32_t start = parsePos;
  const char* equals = static_cast<const char*>(std::memchr(text + start, '=', textSize - start));
  if (equals == nullptr) {
    parsePos = textSize;
    return kEnd;
  }
  int32_t keyEnd = static_cast<int32_t>(equals - text);
  while (keyEnd > start && (IsBlank(text[keyEnd - 1]) || IsComment(text[keyEnd - 1]))) --keyEnd;
  int32_t pos = static_cast<int32_t>(equals - text) + 1;
  while (pos < textSize && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  parsePos = pos;
  if (pos >= textSize || EndsValue(text[pos])) return kKeyRead;
  int32_t valueStart = pos;
  while (pos < textSize && !EndsValue(text[pos])) ++pos;
  parsePos = pos;
  while (pos > valueStart && (text[pos - 1] == ' ' || text[pos - 1] == '\t')) --pos;
  IniKey* key = PushKey(section, TextCopy(start, keyEnd));
  key->value = TextCopy(valueStart, pos);
  return kKeyRead;
}

char* CIniFile::TextCopy(int32_t start, int32_t end) const {
  return String_DuplicateBytes(text + start, static_cast<size_t>(end - start));
}

// ------------------------------------------------------------------- access

IniSection* CIniFile::AddSection(const char* name) {
  auto* section = static_cast<IniSection*>(KV_ALLOC(sizeof(IniSection), true));
  section->name = name == nullptr ? nullptr : CopyText(name);
  section->next = sections;
  sections = section;
  return section;
}

IniSection* CIniFile::FindSection(const char* name) {
  if (name == nullptr) return nullptr;
  for (IniSection* section = sections; section != nullptr; section = section->next) {
    if (std::strcmp(section->name, name) == 0) return section;
  }
  return nullptr;
}

IniKey* CIniFile::FindKey(const char* section, const char* key) { return FindKeyIn(FindSection(section), key); }

const char* CIniFile::ReadString(const char* section, const char* key, const char* def) {
  IniKey* entry = FindKey(section, key);
  return entry == nullptr ? def : entry->value;
}

int32_t CIniFile::ReadInt(const char* section, const char* key, int32_t def) {
  IniKey* entry = FindKey(section, key);
  return entry == nullptr ? def : ParseInt(entry->value);
}

bool CIniFile::WriteString(const char* section, const char* key, const char* value) {
  dirty = 1;
  if (section != nullptr && std::strcmp(section, "SYSTEM_COMMAND") == 0) {
    bool flushNow =
        key != nullptr && value != nullptr && std::strcmp(key, "INI_FILE_FLUSH") == 0 && std::strcmp(value, "NOW") == 0;
    return flushNow ? Flush() : true;
  }
  if (section == nullptr || key == nullptr) return false;
  IniSection* target = FindSection(section);
  if (target == nullptr) target = AddSection(section);
  IniKey* entry = FindKeyIn(target, key);
  if (entry == nullptr) entry = PushKey(target, CopyText(key));
  SetText(&entry->value, value);
  return true;
}

bool CIniFile::DeleteKey(const char* section, const char* key) {
  IniSection* owner = FindSection(section);
  if (owner == nullptr || key == nullptr) return false;
  for (IniKey** link = &owner->keys; *link != nullptr; link = &(*link)->next) {
    if (std::strcmp((*link)->key, key) != 0) continue;
    IniKey* found = *link;
    *link = found->next;
    FreeKey(found);
    dirty = 1;
    return true;
  }
  return false;
}

bool CIniFile::DeleteSection(const char* section) {
  if (section == nullptr) return false;
  for (IniSection** link = &sections; *link != nullptr; link = &(*link)->next) {
    if (std::strcmp((*link)->name, section) != 0) continue;
    IniSection* found = *link;
    *link = found->next;
    FreeSection(found);
    dirty = 1;
    return true;
  }
  return false;
}

// -------------------------------------------------------------------- flush

// The whole file: "[name]" CR LF, then key "=" value CR LF for each key.
char* CIniFile::BuildText(int32_t* outSize) const {
  size_t total = 0;
  for (IniSection* s = sections; s != nullptr; s = s->next) {
    total += std::strlen(s->name) + 4;
    for (IniKey* k = s->keys; k != nullptr; k = k->next) {
      total += std::strlen(k->key) + std::strlen(k->value) + 3;
    }
  }
  *outSize = -1;
  if (total >= INT32_MAX || total >= MemoryManager::kMaxSize) return nullptr;
  auto* buffer = static_cast<char*>(KV_ALLOC(total + 1, false));
  char* out = buffer;
  auto put = [&out](const char* part) {
    size_t length = std::strlen(part);
    std::memcpy(out, part, length);
    out += length;
  };
  for (IniSection* s = sections; s != nullptr; s = s->next) {
    put("[");
    put(s->name);
    put("]\r\n");
    for (IniKey* k = s->keys; k != nullptr; k = k->next) {
      put(k->key);
      put("=");
      put(k->value);
      put("\r\n");
    }
  }
  *outSize = static_cast<int32_t>(total);
  return buffer;
}

bool CIniFile::Flush() {
  if (!dirty) return true;
  int32_t size = 0;
  char* buffer = BuildText(&size);
  bool written = buffer != nullptr && LoadSave_WriteFile(fileName, buffer, size);
  const int why = errno;
  MemoryManager::Free(buffer);
  if (!written) {
    g_debugConsole->Output("INI file %s could not be written (%s)%s\n", fileName, RegularFile_Reason(why),
                           WriteStream_EarlierNote("; the earlier file there is kept"));
    return false;
  }
  dirty = 0;
  return true;
}
