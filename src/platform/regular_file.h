// Files read by name are taken only when they are regular files. A fifo, a
// device or a folder in a file's place would hold the open, or the reads,
// for ever: every reader opens without blocking, checks what it opened and
// only then reads, as blocking reads of the file it is.
#pragma once

#include <sys/stat.h>

#include <cstdio>

// Keeps fd, opened with O_NONBLOCK, when it is a regular file, and clears
// that flag; else closes it. fd, or -1 with errno: EISDIR for a folder,
// EINVAL for anything else that is no file (a negative fd passes through).
// *info, when given, gets the file's status.
int RegularFile_Check(int fd, struct stat* info = nullptr);
// Opens path for reading through the check above; -1 with errno.
int RegularFile_Open(const char* path, struct stat* info = nullptr);
// The same, as a stream to read in binary; null with errno.
FILE* RegularFile_OpenStream(const char* path, struct stat* info = nullptr);
// The reason a console line gives for error: "not a regular file" for the
// two errors above, else the system's text.
const char* RegularFile_Reason(int error);
