// An INI file held in memory as sections of key and value pairs. The file is
// read once, when the object is made (from the save folder when a copy is
// there, else from the program folder); changes stay in memory until Flush
// rewrites the whole file under the save folder.
//
// Sections and keys are kept newest first, so a file that is read, changed
// and flushed comes back with its sections, and the keys of each, in
// reverse order. Names compare byte for byte.
#pragma once

#include <cstdint>

struct IniKey {
  IniKey* next;
  char* key;
  char* value;
};

struct IniSection {
  IniSection* next;
  IniKey* keys;  // newest first
  char* name;
};

class CIniFile {
 public:
  // With load true the text read is also logged on the debug console.
  CIniFile(const char* fileName, bool load);
  // Frees everything without flushing.
  ~CIniFile();
  CIniFile(const CIniFile&) = delete;
  CIniFile& operator=(const CIniFile&) = delete;

  IniSection* FindSection(const char* name);
  IniKey* FindKey(const char* section, const char* key);
  // The stored text itself (not a copy), or def when the key is missing.
  const char* ReadString(const char* section, const char* key, const char* def);
  int32_t ReadInt(const char* section, const char* key, int32_t def);
  // Section "SYSTEM_COMMAND" stores nothing: key "INI_FILE_FLUSH" with
  // value "NOW" flushes at once.
  bool WriteString(const char* section, const char* key, const char* value);
  bool DeleteKey(const char* section, const char* key);
  bool DeleteSection(const char* section);
  // Writes the file when changed. False, with the changes kept, when the
  // file could not be written.
  bool Flush();

  // Adds the sections and keys of an INI text to what is held.
  void ParseText(const char* bytes, int32_t size);

  IniSection* Sections() const { return sections; }
  bool IsDirty() const { return dirty != 0; }
  const char* FileName() const { return fileName; }

 private:
  void ReadFileText(bool log);
  void Parse();
  void SkipBlanks();
  bool ReadSection();
  int ReadKey(IniSection* section);
  char* TextCopy(int32_t start, int32_t end) const;
  IniSection* AddSection(const char* name);
  char* BuildText(int32_t* outSize) const;

  char* fileName;
  int32_t textSize;
  IniSection* sections;
  int32_t parsePos;
  char* text;
  int32_t line;
  uint8_t dirty;
};
