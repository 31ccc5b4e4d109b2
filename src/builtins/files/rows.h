// The file family, in registration order: binary files, text files by
// handle, the legacy text file, names and folders, search, programs and the
// command line, the registry and INI files, then HTTP requests and JSON.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/files/files.h"
#include "builtins/files/handlers.h"

// filename_path and filename_dir give the same text; the inert registry
// names share one handler, as do the _ext reads that answer 0.
inline constexpr BuiltinRow kFilesRows[] = {
    {"file_bin_open", F_FileBinOpen, 2},
    {"file_bin_rewrite", F_FileBinRewrite, 1},
    {"file_bin_close", F_FileBinClose, 1},
    {"file_bin_position", F_FileBinPosition, 1},
    {"file_bin_size", F_FileBinSize, 1},
    {"file_bin_seek", F_FileBinSeek, 2},
    {"file_bin_read_byte", F_FileBinReadByte, 1},
    {"file_bin_write_byte", F_FileBinWriteByte, 2},

    {"file_text_open_read", F_FileTextOpenRead, 1},
    {"file_text_open_write", F_FileTextOpenWrite, 1},
    {"file_text_open_append", F_FileTextOpenAppend, 1},
    {"file_text_close", F_FileTextClose, 1},
    {"file_text_read_string", F_FileTextReadString, 1},
    {"file_text_read_real", F_FileTextReadReal, 1},
    {"file_text_readln", F_FileTextReadln, 1},
    {"file_text_eof", F_FileTextEof, 1},
    {"file_text_write_string", F_FileTextWriteString, 2},
    {"file_text_write_real", F_FileTextWriteReal, 2},
    {"file_text_writeln", F_FileTextWriteln, 1},

    {"file_open_read", F_FileOpenRead, 1},
    {"file_open_write", F_FileOpenWrite, 1},
    {"file_open_append", F_FileOpenAppend, 1},
    {"file_close", F_FileClose, 0},
    {"file_read_string", F_FileReadString, 0},
    {"file_read_real", F_FileReadReal, 0},
    {"file_readln", F_FileReadln, 0},
    {"file_eof", F_FileEof, 0},
    {"file_write_string", F_FileWriteString, 1},
    {"file_write_real", F_FileWriteReal, 1},
    {"file_writeln", F_FileWriteln, 0},

    {"file_exists", F_FileExists, 1},
    {"file_delete", F_FileDelete, 1},
    {"file_rename", F_FileRename, 2},
    {"file_copy", F_FileCopy, 2},
    {"directory_exists", F_DirectoryExists, 1},
    {"directory_create", F_DirectoryCreate, 1},
    {"file_attributes", F_FileAttributes, 2},
    {"file_find_first", F_FileFindFirst, 2},
    {"file_find_next", F_FileFindNext, 0},
    {"file_find_close", F_FileFindClose, 0},
    {"filename_name", F_FilenameName, 1},
    {"filename_path", F_FilenamePath, 1},
    {"filename_dir", F_FilenamePath, 1},
    {"filename_drive", F_FilenameDrive, 1},
    {"filename_ext", F_FilenameExt, 1},
    {"filename_change_ext", F_FilenameChangeExt, 2},

    {"execute_program", F_ExecuteProgram, 3},
    {"execute_shell", F_ExecuteShell, 2},
    {"parameter_count", F_ParameterCount, 0},
    {"parameter_string", F_ParameterString, 1},
    {"environment_get_variable", F_EnvironmentGetVariable, 1},

    {"registry_write_string", F_RegistryWriteString, 2},
    {"registry_write_real", F_RegistryWriteReal, 2},
    {"registry_read_string", F_RegistryReadString, 1},
    {"registry_read_real", F_RegistryReadReal, 1},
    {"registry_exists", F_RegistryExists, 1},
    {"registry_write_string_ext", F_RegistryInert, 3},
    {"registry_write_real_ext", F_RegistryInert, 3},
    {"registry_set_root", F_RegistryInert, 1},
    {"registry_read_string_ext", F_RegistryReadStringExt, 2},
    {"registry_read_real_ext", F_RegistryReadNothing, 2},
    {"registry_exists_ext", F_RegistryReadNothing, 2},

    {"ini_open", F_IniOpen, 1},
    {"ini_close", F_IniClose, 0},
    {"ini_read_string", F_IniReadString, 3},
    {"ini_read_real", F_IniReadReal, 3},
    {"ini_write_string", F_IniWriteString, 3},
    {"ini_write_real", F_IniWriteReal, 3},
    {"ini_key_exists", F_IniKeyExists, 2},
    {"ini_section_exists", F_IniSectionExists, 1},
    {"ini_key_delete", F_IniKeyDelete, 2},
    {"ini_section_delete", F_IniSectionDelete, 1},

    {"http_get", F_HttpGet, 1},
    {"http_post_string", F_HttpPostString, 2},
    {"json_decode", F_JsonDecode, 1},
    {"json_encode", F_JsonEncode, 1},
};
