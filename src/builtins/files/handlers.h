// The file family's handlers: files by handle, the legacy text file, names
// and folders, search, programs, the registry and INI files, HTTP requests
// and JSON.
#pragma once

#include "builtins/builtin_args.h"

void F_FileBinOpen(KV_BUILTIN_PARAMS);
void F_FileBinRewrite(KV_BUILTIN_PARAMS);
void F_FileBinClose(KV_BUILTIN_PARAMS);
void F_FileBinPosition(KV_BUILTIN_PARAMS);
void F_FileBinSize(KV_BUILTIN_PARAMS);
void F_FileBinSeek(KV_BUILTIN_PARAMS);
void F_FileBinReadByte(KV_BUILTIN_PARAMS);
void F_FileBinWriteByte(KV_BUILTIN_PARAMS);

void F_FileTextOpenRead(KV_BUILTIN_PARAMS);
void F_FileTextOpenWrite(KV_BUILTIN_PARAMS);
void F_FileTextOpenAppend(KV_BUILTIN_PARAMS);
void F_FileTextClose(KV_BUILTIN_PARAMS);
void F_FileTextReadString(KV_BUILTIN_PARAMS);
void F_FileTextReadReal(KV_BUILTIN_PARAMS);
void F_FileTextReadln(KV_BUILTIN_PARAMS);
void F_FileTextEof(KV_BUILTIN_PARAMS);
void F_FileTextWriteString(KV_BUILTIN_PARAMS);
void F_FileTextWriteReal(KV_BUILTIN_PARAMS);
void F_FileTextWriteln(KV_BUILTIN_PARAMS);

void F_FileOpenRead(KV_BUILTIN_PARAMS);
void F_FileOpenWrite(KV_BUILTIN_PARAMS);
void F_FileOpenAppend(KV_BUILTIN_PARAMS);
void F_FileClose(KV_BUILTIN_PARAMS);
void F_FileReadString(KV_BUILTIN_PARAMS);
void F_FileReadReal(KV_BUILTIN_PARAMS);
void F_FileReadln(KV_BUILTIN_PARAMS);
void F_FileEof(KV_BUILTIN_PARAMS);
void F_FileWriteString(KV_BUILTIN_PARAMS);
void F_FileWriteReal(KV_BUILTIN_PARAMS);
void F_FileWriteln(KV_BUILTIN_PARAMS);

void F_FileExists(KV_BUILTIN_PARAMS);
void F_FileDelete(KV_BUILTIN_PARAMS);
void F_FileRename(KV_BUILTIN_PARAMS);
void F_FileCopy(KV_BUILTIN_PARAMS);
void F_DirectoryExists(KV_BUILTIN_PARAMS);
void F_DirectoryCreate(KV_BUILTIN_PARAMS);
void F_FileAttributes(KV_BUILTIN_PARAMS);
void F_FileFindFirst(KV_BUILTIN_PARAMS);
void F_FileFindNext(KV_BUILTIN_PARAMS);
void F_FileFindClose(KV_BUILTIN_PARAMS);
void F_FilenameName(KV_BUILTIN_PARAMS);
void F_FilenamePath(KV_BUILTIN_PARAMS);
void F_FilenameDrive(KV_BUILTIN_PARAMS);
void F_FilenameExt(KV_BUILTIN_PARAMS);
void F_FilenameChangeExt(KV_BUILTIN_PARAMS);

void F_ExecuteProgram(KV_BUILTIN_PARAMS);
void F_ExecuteShell(KV_BUILTIN_PARAMS);
void F_ParameterCount(KV_BUILTIN_PARAMS);
void F_ParameterString(KV_BUILTIN_PARAMS);
void F_EnvironmentGetVariable(KV_BUILTIN_PARAMS);

void F_RegistryWriteString(KV_BUILTIN_PARAMS);
void F_RegistryWriteReal(KV_BUILTIN_PARAMS);
void F_RegistryReadString(KV_BUILTIN_PARAMS);
void F_RegistryReadReal(KV_BUILTIN_PARAMS);
void F_RegistryExists(KV_BUILTIN_PARAMS);
void F_RegistryInert(KV_BUILTIN_PARAMS);
void F_RegistryReadStringExt(KV_BUILTIN_PARAMS);
void F_RegistryReadNothing(KV_BUILTIN_PARAMS);

void F_IniOpen(KV_BUILTIN_PARAMS);
void F_IniClose(KV_BUILTIN_PARAMS);
void F_IniReadString(KV_BUILTIN_PARAMS);
void F_IniReadReal(KV_BUILTIN_PARAMS);
void F_IniWriteString(KV_BUILTIN_PARAMS);
void F_IniWriteReal(KV_BUILTIN_PARAMS);
void F_IniKeyExists(KV_BUILTIN_PARAMS);
void F_IniSectionExists(KV_BUILTIN_PARAMS);
void F_IniKeyDelete(KV_BUILTIN_PARAMS);
void F_IniSectionDelete(KV_BUILTIN_PARAMS);

// What each concern holds open, closed (and flushed) or forgotten.
void FileBinary_CloseAll();
void FileText_CloseAll();
void FileLegacy_Close();
void FileFind_Close();
void FileRegistry_Clear();
void FileIni_Close();

void F_HttpGet(KV_BUILTIN_PARAMS);
void F_HttpPostString(KV_BUILTIN_PARAMS);
void F_JsonDecode(KV_BUILTIN_PARAMS);
void F_JsonEncode(KV_BUILTIN_PARAMS);
