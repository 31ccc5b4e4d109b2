// The file-system layer: existence tests, path splitting, recursive folder
// creation and deletion, and the game's own temporary folder.
//
// Paths may use "\" or "/" as separators (game texts are written with "\").
// Every text returned here is a new copy from MemoryManager that the caller
// frees. No call prints anything: failures answer false, null or "".
#pragma once

#include <cstdint>

// A copy of the process's current directory; null when it cannot be read.
char* File_GetWorkingDirectory();

// A plain file (not a folder, device, pipe or socket); links are followed.
bool File_Exists(const char* path);
bool Directory_Exists(const char* path);

// The part before the last "\" (or, when there is none, the last "/"),
// without it; "" when there is no separator or it stands first.
char* File_ExtractPath(const char* path);
// The part after the last "\" (or, when there is none, the last "/"), or the
// whole path.
char* File_ExtractName(const char* path);
// The extension of the name part, dot included; "" when the name has no dot.
char* File_ExtractExt(const char* path);
// The drive: a letter and a colon at the start, else "".
char* File_ExtractDrive(const char* path);

// Creates the folder and any missing parents. False for null or "". One
// trailing separator is cut; "/" and a bare drive ("C:") count as created, as
// does a path that already is a folder.
bool Directory_Create(const char* path);
// Creates the missing folders of the folder part of a file path (see
// File_ExtractPath); nothing when the path has no folder part.
void File_CreateParentDirectories(const char* path);
// Deletes a folder tree. Symbolic links inside are removed, never followed,
// and a link given as the path is itself removed. Read-only folders inside
// are made writable so they can be emptied. True when the path is gone.
bool Directory_Delete(const char* path);

// The base under which the temporary folder goes: TMPDIR, else /tmp.
char* File_DefaultTempBase();
// Makes a new folder "<base>/qz_ttt_<n>" (n from the C library generator,
// 0 to 100000) under base, creating base when it is missing. Each attempt
// creates the folder exclusively, so two programs starting together never
// share one. True when it was made; it is then the temporary folder.
bool File_MakeTempDirectory(const char* base);
// Deletes the "qz_ttt_<n>" folders under base that no running player holds
// (each player keeps its own temporary folder locked while it runs).
void File_RemoveLeftoverTempDirectories(const char* base);
// A copy of the temporary folder; null when none was made.
char* File_GetTempDirectory();
// "<temporary folder>/a<n><suffix>" with n from the script generator in
// [0, 100000), drawn again while a plain file of that name exists. Null when
// there is no temporary folder.
char* File_MakeTempName(const char* suffix);
// Deletes the temporary folder and forgets it.
bool File_DeleteTempDirectory();
