// Every file a game touches goes through here. Script paths are mapped onto
// two roots: the program folder (where the game file lies, read only in
// practice) and the save folder (per game, under the user's data folder),
// where everything the game writes lands. The game's temporary folder is a
// third root, used by its full path. On top of the mappings sit
// whole-file helpers and a read-only file held in memory.
//
// Paths are written by scripts with "\" or "/"; both separate folders. A
// path that lies under no root (and was not picked by the user in an open
// dialog) maps to the empty path, and every helper then fails as for a
// missing file. Reads and writes try the exact names first, then, for each
// missing name (a folder's or the last), a name in the same folder that
// differs only in letter case.
//
// Every path that lands under the save (or temporary) folder, whichever root
// it was mapped through, is resolved beneath it by each operation on it, in the same step
// (save_folder.h): symbolic links there are followed only while they stay
// inside, and a link leading out of it (or links that loop) acts as a
// missing file, as a name with ".." climbing out does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct stat;

// A read-only file held in memory, from LoadSave_Open to LoadSave_Close.
struct LoadSaveFile {
  uint8_t* data;     // whole contents plus one trailing zero byte (MemoryManager)
  int32_t size;      // bytes of contents
  int32_t position;  // 0 at open; never below 0, may pass size
};

// Roots. The game file sets the program folder (its folder, ending in "/")
// and, until a game name is given, names the save folder after its base
// name. The save folder is <data home>/<game name>/ with data home
// $XDG_DATA_HOME, else $HOME/.local/share; it is made on first write.
void LoadSave_SetGameFile(const char* gameFilePath);
void LoadSave_SetProgramDirectory(const char* folder);
void LoadSave_SetGameName(const char* name);
void LoadSave_SetSaveDirectory(const char* folder);
// The game's temporary folder: a third root, where the game reads and
// writes as in the save folder (a path in it maps onto itself).
void LoadSave_SetTemporaryDirectory(const char* folder);
// The roots as full paths ending in "/"; empty when not known.
const char* LoadSave_GetProgramDirectory();
const char* LoadSave_GetSaveDirectory();

// At start: says on the console when the save folder is a plain file or
// cannot be reached. Nothing in it is walked or removed.
void LoadSave_CheckSaveFolder();

// Folds ".", ".." and repeated separators of a full path; ".." at the top
// stays at the top. The result has no trailing "/" (but "/" itself).
std::string LoadSave_FoldPath(const std::string& full);

// The exact path when it exists, else the path with each missing name (a
// folder's or the last) taken as the first name of its folder that differs
// only in letter case, where there is one.
std::string LoadSave_ResolveCase(const std::string& path);

// A full path the user picked in an open dialog: reads may map onto it.
void LoadSave_RememberOpenPath(const char* fullPath);

// Write the mapped path into out (size bytes). False, with an empty result,
// when the path maps nowhere or the result does not fit.
bool LoadSave_MapToProgramDir(char* out, size_t size, const char* path);
bool LoadSave_MapToSaveDir(char* out, size_t size, const char* path);
// The path mapped onto the save folder (the program folder), of any length;
// "" when it maps nowhere.
std::string LoadSave_SavePath(const char* path);
std::string LoadSave_ProgramPath(const char* path);
// A file to read by name: the save folder's when a readable file of that
// name is there, else the program folder's; "" when neither holds one.
std::string LoadSave_FindFile(const char* path);

// Whole-file helpers. The read ones return a new MemoryManager buffer the
// caller keeps (contents plus a trailing zero byte) with the byte count in
// *outSize, or null when the path is not a readable regular file (errno
// then says why). A real path is read as given (held to the save folder
// when it lies under it).
uint8_t* LoadSave_ReadFile(const char* realPath, int32_t* outSize);
uint8_t* LoadSave_ReadProgramFile(const char* path, int32_t* outSize);
uint8_t* LoadSave_ReadSaveFile(const char* path, int32_t* outSize);
// The save folder's file of path when a readable regular file of that name
// is there (read through the one descriptor that found it), else the
// program folder's.
uint8_t* LoadSave_ReadSaveElseProgramFile(const char* path, int32_t* outSize);
// Writes the whole file under the save folder, making missing folders.
// False when it could not be written completely.
bool LoadSave_WriteFile(const char* path, const void* data, int32_t size);
// The console line of a failed LoadSave_WriteFile of path, naming the file
// by its full path (WriteStream_Report).
void LoadSave_ReportWrite(const char* path, int error);
// The full path a line about a write of path names: where the save folder
// maps it, else, for a name that maps nowhere, where the name itself
// points (the name as given when it points nowhere either).
std::string LoadSave_ReportedPath(const char* path);
// The same, for a path LoadSave_SavePath already mapped.
bool LoadSave_WriteSavePath(const std::string& mapped, const void* data, int32_t size);
// True when the first of the save and the program folder's files of path
// that is there is no regular file (a fifo, a device, a folder, a socket);
// *mapped, when given, gets its path. TellNotRegular, for a read by name
// that failed, also says so in one console line.
bool LoadSave_NotRegular(const char* path, std::string* mapped = nullptr);
bool LoadSave_TellNotRegular(const char* path);
bool LoadSave_ProgramFileExists(const char* path);
bool LoadSave_SaveFileExists(const char* path);

// The start-up INI file carries nothing for the file layer.
class CIniFile;
void LoadSave_ApplyIni(CIniFile* ini);

// A readable regular file at a mapped or real path, opened (not a folder,
// device or pipe); -1 with errno. *info gets its status.
int LoadSave_OpenRegular(const std::string& path, struct stat* info);
// Reads the whole of a file LoadSave_OpenRegular opened into a read file,
// and closes it; null with errno.
LoadSaveFile* LoadSave_HoldOpened(int fd, const struct stat& info);

// Read file: the program folder first, then the save folder.
LoadSaveFile* LoadSave_Open(const char* path);
// Read file at a real path (see LoadSave_ReadFile), without mapping.
LoadSaveFile* LoadSave_OpenReal(const char* realPath);
void LoadSave_Close(LoadSaveFile* file);
int32_t LoadSave_Tell(const LoadSaveFile* file);
// whence 0: from the start, 1: from the position, 2: back from the end.
void LoadSave_Seek(LoadSaveFile* file, int32_t offset, int whence);
bool LoadSave_EOF(const LoadSaveFile* file);
// The byte as a signed char, -1 past the end; the position moves on anyway.
int LoadSave_GetChar(LoadSaveFile* file);
// Skips white space and reads a number; false when none stands there.
bool LoadSave_ReadReal(LoadSaveFile* file, double* out);
// Copies up to elementSize * count bytes; returns the bytes copied.
int32_t LoadSave_Read(void* buffer, size_t elementSize, size_t count, LoadSaveFile* file);
