// The file family's handlers: files by handle, the legacy text file, names
// and folders, search, programs, the registry and INI files, HTTP requests
// and JSON.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_FileBinOpen);
KV_BUILTIN(F_FileBinRewrite);
KV_BUILTIN(F_FileBinClose);
KV_BUILTIN(F_FileBinPosition);
KV_BUILTIN(F_FileBinSize);
KV_BUILTIN(F_FileBinSeek);
KV_BUILTIN(F_FileBinReadByte);
KV_BUILTIN(F_FileBinWriteByte);

KV_BUILTIN(F_FileTextOpenRead);
KV_BUILTIN(F_FileTextOpenWrite);
KV_BUILTIN(F_FileTextOpenAppend);
KV_BUILTIN(F_FileTextClose);
KV_BUILTIN(F_FileTextReadString);
KV_BUILTIN(F_FileTextReadReal);
KV_BUILTIN(F_FileTextReadln);
KV_BUILTIN(F_FileTextEof);
KV_BUILTIN(F_FileTextWriteString);
KV_BUILTIN(F_FileTextWriteReal);
KV_BUILTIN(F_FileTextWriteln);

KV_BUILTIN(F_FileOpenRead);
KV_BUILTIN(F_FileOpenWrite);
KV_BUILTIN(F_FileOpenAppend);
KV_BUILTIN(F_FileClose);
KV_BUILTIN(F_FileReadString);
KV_BUILTIN(F_FileReadReal);
KV_BUILTIN(F_FileReadln);
KV_BUILTIN(F_FileEof);
KV_BUILTIN(F_FileWriteString);
KV_BUILTIN(F_FileWriteReal);
KV_BUILTIN(F_FileWriteln);

KV_BUILTIN(F_FileExists);
KV_BUILTIN(F_FileDelete);
KV_BUILTIN(F_FileRename);
KV_BUILTIN(F_FileCopy);
KV_BUILTIN(F_DirectoryExists);
KV_BUILTIN(F_DirectoryCreate);
KV_BUILTIN(F_FileAttributes);
KV_BUILTIN(F_FileFindFirst);
KV_BUILTIN(F_FileFindNext);
KV_BUILTIN(F_FileFindClose);
KV_BUILTIN(F_FilenameName);
KV_BUILTIN(F_FilenamePath);
KV_BUILTIN(F_FilenameDrive);
KV_BUILTIN(F_FilenameExt);
KV_BUILTIN(F_FilenameChangeExt);

KV_BUILTIN(F_ExecuteProgram);
KV_BUILTIN(F_ExecuteShell);
KV_BUILTIN(F_ParameterCount);
KV_BUILTIN(F_ParameterString);
KV_BUILTIN(F_EnvironmentGetVariable);

KV_BUILTIN(F_RegistryWriteString);
KV_BUILTIN(F_RegistryWriteReal);
KV_BUILTIN(F_RegistryReadString);
KV_BUILTIN(F_RegistryReadReal);
KV_BUILTIN(F_RegistryExists);
KV_BUILTIN(F_RegistryInert);
KV_BUILTIN(F_RegistryReadStringExt);
KV_BUILTIN(F_RegistryReadNothing);

KV_BUILTIN(F_IniOpen);
KV_BUILTIN(F_IniClose);
KV_BUILTIN(F_IniReadString);
KV_BUILTIN(F_IniReadReal);
KV_BUILTIN(F_IniWriteString);
KV_BUILTIN(F_IniWriteReal);
KV_BUILTIN(F_IniKeyExists);
KV_BUILTIN(F_IniSectionExists);
KV_BUILTIN(F_IniKeyDelete);
KV_BUILTIN(F_IniSectionDelete);

// What each concern holds open, closed (and flushed) or forgotten.
void FileBinary_CloseAll();
void FileText_CloseAll();
void FileLegacy_Close();
void FileFind_Close();
void FileRegistry_Clear();
void FileIni_Close();

KV_BUILTIN(F_HttpGet);
KV_BUILTIN(F_HttpPostString);
KV_BUILTIN(F_JsonDecode);
KV_BUILTIN(F_JsonEncode);
