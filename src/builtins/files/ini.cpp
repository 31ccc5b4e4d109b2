// The one open INI file. Changes stay in memory until it is closed, another
// is opened, or the program ends; then it is written under the save folder.
#include <cstdio>
#include <memory>

#include "builtins/files/handlers.h"
#include "builtins/maths/strings.h"
#include "files/ini_file.h"

namespace {

std::unique_ptr<CIniFile> g_ini;

CIniFile* ForReading() {
  if (g_ini == nullptr) Builtin_Error("Trying to read from undefined INI file");
  return g_ini.get();
}

CIniFile* ForChanging() {
  if (g_ini == nullptr) Builtin_Error("Trying to change undefined INI file");
  return g_ini.get();
}

// The open INI when the section and key arguments are texts; null after the
// message otherwise.
CIniFile* WithNames(const BuiltinArgs& a, const char* wrongTypes) {
  CIniFile* ini = ForReading();
  if (ini == nullptr) return nullptr;
  if (a.IsString(0) && a.IsString(1)) return ini;
  Builtin_Error(wrongTypes);
  return nullptr;
}

// An open INI, text section and key names, and a third argument of the
// right kind; false after the message otherwise.
bool CheckArguments(const BuiltinArgs& a, bool thirdFits, const char* wrongTypes) {
  if (WithNames(a, wrongTypes) == nullptr) return false;
  if (!thirdFits) Builtin_Error(wrongTypes);
  return thirdFits;
}

void WriteValue(const BuiltinArgs& a, const char* value) { g_ini->WriteString(a.Text(0), a.Text(1), value); }

}  // namespace

void F_IniOpen(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  FileIni_Close();
  g_ini = std::make_unique<CIniFile>(a.Text(0), false);
}

void F_IniClose(KV_BUILTIN_PARAMS) { FileIni_Close(); }

void F_IniReadString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!CheckArguments(a, a.IsString(2), "ini_read_string wrong type of arguments")) return;
  Result_SetText(result, g_ini->ReadString(a.Text(0), a.Text(1), a.Text(2)));
}

// A missing key gives the default; a text default is read as a number.
void F_IniReadReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CIniFile* ini = WithNames(a, "ini_read_real wrong type of arguments");
  if (ini == nullptr) return;
  const IniKey* key = ini->FindKey(a.Text(0), a.Text(1));
  if (key != nullptr) {
    Result_SetReal(result, Strings_ParseReal(key->value));
  } else {
    Result_SetReal(result, a.IsString(2) ? Strings_ParseReal(a.Text(2)) : a.Real(2));
  }
}

void F_IniWriteString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CheckArguments(a, a.IsString(2), "Wrong argument types for ini_write_string")) WriteValue(a, a.Text(2));
}

void F_IniWriteReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!CheckArguments(a, a.IsReal(2), "Wrong argument types for ini_write_real")) return;
  char text[400];
  std::snprintf(text, sizeof text, "%f", a.Real(2));
  WriteValue(a, text);
}

void F_IniKeyExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CIniFile* ini = ForReading()) Result_SetReal(result, ini->FindKey(a.Text(0), a.Text(1)) != nullptr ? 1 : 0);
}

void F_IniSectionExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CIniFile* ini = ForReading()) Result_SetReal(result, ini->FindSection(a.Text(0)) != nullptr ? 1 : 0);
}

void F_IniKeyDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CIniFile* ini = ForChanging()) ini->DeleteKey(a.Text(0), a.Text(1));
}

void F_IniSectionDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CIniFile* ini = ForChanging()) ini->DeleteSection(a.Text(0));
}

void FileIni_Close() {
  if (g_ini != nullptr) g_ini->Flush();
  g_ini.reset();
}
