// Streams that write files without ever leaving a half-written one behind.
//
// A stream opened to replace a file writes into a temporary beside it, in
// the same folder ("<name>.kvtmp<pid>_<n>", the name cut short when the
// whole would pass the longest name a folder takes), which is flushed,
// synced and renamed over the target only when the stream is closed with
// everything written; the folder is then synced too. The folder is the one
// the path resolved to at the open (held to the save folder, see
// save_folder.h): the temporary is made, renamed and removed there. Until
// then the earlier file stays whole, and anyone reading it sees its earlier
// content. A stream that writes in place (appending, read-write) is tracked
// only so that a failed write is reported when it is closed.
//
// A replacement is written in place instead, as every write was before
// replacements, when the file is one this process already writes in place
// (two handles on one file write one file), and when the folder takes no new
// name but the file itself can be written.
//
// Every open stream is closed, and so put in place, when the process ends
// through exit (a machine error, a failed start, the end of main); only a
// death by signal leaves the earlier file as it was.
//
// While its writer runs, each temporary is held under an exclusive lock,
// which the kernel drops when the process dies: a temporary nobody locks,
// whose process no longer runs, is a leftover of a killed run.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// When a file that did not exist shows: at the close, with its content, or
// at once, empty, as a handle opened for writing makes it.
enum class NewFile { kAtClose, kAtOpen };

// A stream on a new temporary beside path (or on path itself, as said
// above), opened with mode ("wb", "w", "w+b"...); the folder must exist.
// Null, with errno, when it cannot be made or when path names something
// other than a file.
FILE* WriteStream_OpenReplacing(const std::string& path, const char* mode, NewFile shown = NewFile::kAtClose);
// Tracks a stream that writes path in place, so its failures get reported.
void WriteStream_Track(FILE* stream, const std::string& path);
// Called before path is opened to be written in place: a replacing stream
// of this process on the same file is put in place at once and goes on
// writing there, so that both write the one file.
void WriteStream_JoinInPlace(const std::string& path);
// Closes any stream. For a tracked or replacing one, true when every byte
// reached the file and, for a replacement, the file is in place; when not,
// the temporary is removed, errno says why and, when report is set, one
// console line names the file and the reason.
bool WriteStream_Close(FILE* stream, bool report = true);
// Called right after a write on stream: when it failed, keeps errno as the
// reason its close gives (the stream itself forgets it).
void WriteStream_NoteFailure(FILE* stream);
// Closes a replacing stream without putting anything in place.
void WriteStream_Abandon(FILE* stream);

// The whole of data as path, through a temporary as above. No console line;
// errno says why on failure.
bool WriteStream_ReplaceWhole(const std::string& path, const void* data, size_t size);

// The console line of a write that could not complete.
void WriteStream_Report(const std::string& path, int error, bool replacing);

// Closes every stream still open in this process, as WriteStream_Close does.
void WriteStream_CloseAll();
// A step that exit runs first, before it closes the streams still open: the
// other writes an end through exit owes (one step; a later call replaces
// it). What the step uses must have been made before this call, so that
// exit has not torn it down yet when the step runs.
void WriteStream_BeforeCloseAtExit(void (*step)());

// True when name (a name in a folder, without the folder) has the form of
// a temporary, whether its writer still runs or not.
bool WriteStream_IsTemporaryName(const char* name);

// Leftovers are removed as the player meets them, never by a walk of the
// save folder: the first replacing write into a folder in a run removes
// those of that folder, and the listings and lookups below remove any they
// come upon, so that no game ever sees one.
//
// Removes, in the open folder (not the folders under it), the temporaries
// of processes that no longer run. Links are never followed.
void WriteStream_RemoveLeftovers(int folder);
// Removes name in the open folder when it is a temporary of a process that
// no longer runs; true when it was one and is gone.
bool WriteStream_RemoveIfLeftover(int folder, const char* name);
// The same for the last name of a path under the save folder, when it is a
// temporary's name.
void WriteStream_DropLeftover(const std::string& path);
// A new save folder: its folders are swept again on their first write.
void WriteStream_ForgetSweptFolders();

// Takes the exclusive lock a live owner keeps on fd, which was opened as
// path (or as name in the open folder): false when another process holds it
// or the name no longer names fd's file (a cleaner removed it first).
bool WriteStream_LockOwned(int fd, const std::string& path);
bool WriteStream_LockOwnedAt(int fd, int folder, const std::string& name);
