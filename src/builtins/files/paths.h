// Where the file built-ins find and put files. Reads look in the save folder
// first, then in the program folder; everything written goes under the save
// folder. Streams are opened only on regular files, so a script can never
// block on a pipe or write to a device.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

struct stat;

// The script's name mapped onto the save folder or the program folder; ""
// when it maps nowhere or the result is too long.
std::string FilePath_Save(const char* name);
std::string FilePath_Program(const char* name);
// The save-folder path when a regular file of that name is there, else the
// program-folder path when one is there, else "".
std::string FilePath_Existing(const char* name);
bool FilePath_IsRegularFile(const std::string& path);
// The same file, opened for reading once: its descriptor (-1 when it is
// there but cannot be read), its path in *path ("" when neither folder
// holds one) and its status in *info.
int FilePath_OpenExisting(const char* name, std::string* path, struct stat* info);

// Opens a regular file with a C library mode ("rb", "wb", "r+b", "w+b",
// "ab", "a+"); null for anything else or when it cannot be opened. Writing
// modes first create the missing folders of the path. The "w" modes write a
// temporary that replaces the file only at the close (see write_stream.h),
// so until then the file keeps its earlier content; a new file is there,
// empty, from the open on.
FILE* FileStream_Open(const std::string& path, const char* mode);
// A stream reading and writing the file path names, in place from its start,
// made empty when nothing is there: the name is resolved and opened in one
// step, so a file there is never emptied.
FILE* FileStream_OpenReadWrite(const std::string& path);
// The same on a new file holding data, which takes the name only while
// nothing has it (errno EEXIST when something took it first).
FILE* FileStream_CreateHolding(const std::string& path, const void* data, size_t size);
// Closes and clears the stream; false when a write could not complete, with
// one console line about it when report is set.
bool FileStream_Close(FILE** stream, bool report = true);

// The text-mode writer: every LF goes to the disk as CR LF.
void FileStream_WriteText(FILE* stream, const char* text, size_t length);
void FileStream_WriteText(FILE* stream, const char* text);
// The text reader's character: a CR directly before an LF is dropped.
int FileStream_GetTextChar(FILE* stream);
