// Streams that write files without ever leaving a half-written one behind.
//
// A stream opened to replace a file writes a new file made without a name in
// the same folder, which is flushed, synced and given its name (linked in
// under a temporary name, "<name>.kvtmp<pid>_<n>", and renamed over the
// target) only when the stream is closed with everything written; a crash
// leaves the earlier file or the whole new one, never a cut one, though the
// folder is not synced. A process killed meanwhile leaves nothing: the
// system drops an unnamed file with its last descriptor. Where the file
// system makes no unnamed files, the new file is that temporary name from
// the start, and a kill leaves it there; nothing removes such names, as
// nothing tells them from a file of the game's own. The folder is the one
// the path resolved to at the open (held to the save folder, see
// save_folder.h). Until the close the earlier file stays whole, and anyone
// reading it sees its earlier content. A stream that writes in place
// (appending, read-write) is tracked only so that a failed write is reported
// when it is closed.
//
// A replacement is written in place instead, as every write was before
// replacements, when the file is one this process already writes in place
// (two handles on one file write one file), and when the folder takes no new
// name but the file itself can be written.
//
// Every open stream is closed, and so put in place, when the process ends
// through exit (a machine error, a failed start, the end of main); only a
// death by signal leaves the earlier file as it was.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// When a file that did not exist shows: at the close, with its content, or
// at once, empty, as a handle opened for writing makes it.
enum class NewFile { kAtClose, kAtOpen };

// A stream on a new file beside path (or on path itself, as said above),
// opened with mode ("wb", "w", "w+b"...); the folder must exist. Null, with
// errno, when it cannot be made or when path names something other than a
// file.
FILE* WriteStream_OpenReplacing(const std::string& path, const char* mode, NewFile shown = NewFile::kAtClose);
// Announces the size of what the next WriteStream_OpenReplacing of this
// thread will write: where that stream writes the file in place, it takes
// the room first, so that a full disk leaves the earlier file whole; it is
// written over from the start, and the writer cuts what stays past its end.
void WriteStream_ReserveNext(size_t size);
// Tracks a stream that writes path in place, so its failures get reported.
void WriteStream_Track(FILE* stream, const std::string& path);
// Called before path is opened to be written in place: a replacing stream
// of this process on the same file is put in place at once, with what it
// wrote so far, and goes on writing there, so that both write the one file;
// the bytes it still holds reach the file at its own close.
void WriteStream_JoinInPlace(const std::string& path);
// Closes any stream. For a tracked or replacing one, true when every byte
// reached the file and, for a replacement, the file is in place; when not,
// errno says why and, when report is set, one console line names the file,
// the reason and what became of the file there.
bool WriteStream_Close(FILE* stream, bool report = true);
// Called right after a write on stream: when it failed, keeps errno as the
// reason its close gives (the stream itself forgets it).
void WriteStream_NoteFailure(FILE* stream);
// Closes a replacing stream without putting anything in place.
void WriteStream_Abandon(FILE* stream);

// A new file of path holding data, synced, that takes the name only while
// nothing has it: a file (or anything else) there meanwhile is never
// replaced. Its descriptor, open for reading and writing at the start, or
// -1 with errno (EEXIST when the name was taken first).
int WriteStream_CreateWhole(const std::string& path, const void* data, size_t size);

// The whole of data as path, replaced as above; in a folder that takes no
// new name, written over the file once the room for it is taken, so that a
// full disk leaves the earlier file as it was. No console line; errno says
// why on failure. *reached, when given, says whether the folder holding
// path's last name was found: when not, nothing was tried.
bool WriteStream_ReplaceWhole(const std::string& path, const void* data, size_t size, bool* reached = nullptr);

// Each thread keeps what its last failed write left where it wrote: no file
// it would have replaced, the earlier file whole, or a file it cut short.
// ForgetEarlier forgets it, for a write that fails before it reaches the
// writers. EarlierNote gives the end of a console line about that failure:
// kept (such as "; an earlier save there is kept") when the earlier file is
// whole, "; the file there is incomplete" when it was cut short, else
// nothing. NoteEarlierKept records a write refused before it touched the
// file there, which is then whole.
void WriteStream_ForgetEarlier();
void WriteStream_NoteEarlierKept();
const char* WriteStream_EarlierNote(const char* kept);

// The console line of a write that could not complete: for a replacing
// write, what became of the file there (as above); for one in place, that
// what reached the file is kept.
void WriteStream_Report(const std::string& path, int error, bool replacing);

// Closes every stream still open in this process, as WriteStream_Close does.
void WriteStream_CloseAll();
// A step that exit runs first, before it closes the streams still open: the
// other writes an end through exit owes (one step; a later call replaces
// it). What the step uses must have been made before this call, so that
// exit has not torn it down yet when the step runs.
void WriteStream_BeforeCloseAtExit(void (*step)());

// True when name in the open folder is the temporary of a replacement this
// process is writing now (on a file system that makes no unnamed files):
// listings leave it out, as they show nothing of a write. Another process's
// temporaries, and files that only look like one, are not.
bool WriteStream_IsOwnTemporary(int folder, const char* name);

// Takes the exclusive lock a live owner keeps on fd, which was opened as
// path (or as name in the open folder): false when another process holds it
// or the name no longer names fd's file (a cleaner removed it first).
bool WriteStream_LockOwned(int fd, const std::string& path);
bool WriteStream_LockOwnedAt(int fd, int folder, const std::string& name);
