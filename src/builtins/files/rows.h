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
    {"file_bin_open", F_FileBinOpen, 2, "fname, mode", "id: the file's handle 1 to 31, -1 when it cannot be opened",
     "Opens a file of bytes: mode 0 reads the save folder's file, else the one in the game file's folder; 1 writes a "
     "new file in "
     "the save folder, which replaces the old one at the close; any other mode reads and writes the save folder's "
     "file in place, made from the game file's folder's file (or empty) when none is there, never emptying a file "
     "that is there. At most 31 files are open at once."},
    {"file_bin_rewrite", F_FileBinRewrite, 1, "file", "nothing",
     "Empties the open file and goes on writing it from the start, as mode 1 would, in the save folder."},
    {"file_bin_close", F_FileBinClose, 1, "file", "nothing", "Closes the file; what was written reaches the disk now."},
    {"file_bin_position", F_FileBinPosition, 1, "file", "real: the position in bytes from the start",
     "Tells where the next byte will be read or written."},
    {"file_bin_size", F_FileBinSize, 1, "file", "real: the size in bytes",
     "Answers the file's length, counting bytes written so far; the position stays."},
    {"file_bin_seek", F_FileBinSeek, 2, "file, pos", "nothing",
     "Moves to byte pos counted from 0 at the start; a position before the start, or not a number, is 0. A position "
     "past the end is taken as it is: a write there makes the file longer, and the bytes between read back as 0. A "
     "position the file cannot reach (2^63 or more, infinity, or past the largest file the file system takes) "
     "leaves the position where it was, with one console line, \"file_bin_seek - the file cannot reach byte POS; "
     "the position stays at N\"."},
    {"file_bin_read_byte", F_FileBinReadByte, 1, "file", "real: the byte 0-255, 0 at the end",
     "Reads the next byte and moves on; at the end of the file, or on a file opened in mode 1, it reports an error."},
    {"file_bin_write_byte", F_FileBinWriteByte, 2, "file, byte", "nothing",
     "Writes the low 8 bits of the rounded byte and moves on; on a file opened in mode 0 it does nothing and says "
     "nothing."},

    {"file_text_open_read", F_FileTextOpenRead, 1, "fname",
     "id: the file's handle 1 to 31, -1 when it cannot be opened",
     "Opens a text file for reading, the save folder's, else the one in the game file's folder; the whole file is read "
     "in at once. "
     "A file that cannot be opened prints the console line \"ERROR!!! :: Failed to open file: NAME\" (the name as "
     "given when neither folder has it), without an error report."},
    {"file_text_open_write", F_FileTextOpenWrite, 1, "fname",
     "id: the file's handle 1 to 31, -1 when it cannot be opened",
     "Opens a text file in the save folder for writing, starting empty and making missing folders; a new file is "
     "there, empty, at once, while an old one keeps its content until the close replaces it."},
    {"file_text_open_append", F_FileTextOpenAppend, 1, "fname",
     "id: the file's handle 1 to 31, -1 when it cannot be opened",
     "Opens a text file in the save folder for writing at its end, making it when missing."},
    {"file_text_close", F_FileTextClose, 1, "file", "nothing",
     "Closes a text file; a file being written is written out now. A handle already closed does nothing."},
    {"file_text_read_string", F_FileTextReadString, 1, "file", "string: the rest of the line, without its end",
     "Reads up to the line end and leaves the end unread: call `file_text_readln` to move to the next line. On a "
     "handle not open for reading it reports the error \"File is not opened for reading.\" and answers the empty "
     "string."},
    {"file_text_read_real", F_FileTextReadReal, 1, "file", "real: the number read, 0 when none stands there",
     "Skips blanks and line ends, then reads a number; the rest of its line stays unread. On a handle not open for "
     "reading it reports the error \"File is not opened for reading.\" and answers 0."},
    {"file_text_readln", F_FileTextReadln, 1, "file", "string: the rest of the line, with its CR and LF",
     "Moves to the start of the next line and answers what it passed over, line end included; a line longer than 32768 "
     "bytes comes in parts. On a handle not open for reading it reports the error \"File is not opened for "
     "reading.\" and answers the empty string."},
    {"file_text_eof", F_FileTextEof, 1, "file", "bool: 1 when nothing is left to read",
     "Tells whether the end of the file has been reached. A handle not open for reading (a failed open's -1, a file "
     "being written, a closed one) reports the error \"File is not opened for reading.\" and answers 1, so a read "
     "loop on it ends."},
    {"file_text_write_string", F_FileTextWriteString, 2, "file, str", "nothing",
     "Writes str as it is, without a line end; each LF in it reaches the disk as CR LF."},
    {"file_text_write_real", F_FileTextWriteReal, 2, "file, x", "nothing",
     "Writes x in the `%g` form, six significant digits, followed by one blank so that numbers written in a row stay "
     "apart."},
    {"file_text_writeln", F_FileTextWriteln, 1, "file", "nothing", "Ends the line: writes CR LF."},

    {"file_open_read", F_FileOpenRead, 1, "fname", "nothing",
     "Opens the one text file that needs no handle for reading, closing it first: the save folder's file, else the "
     "one in the game file's folder, else an absolute path as given. A missing file leaves it closed. An old form kept "
     "for old "
     "games."},
    {"file_open_write", F_FileOpenWrite, 1, "fname", "nothing",
     "Opens the handle-less text file for writing in the save folder, starting empty, after closing it. An old form "
     "kept for old games."},
    {"file_open_append", F_FileOpenAppend, 1, "fname", "nothing",
     "Opens the handle-less text file in the save folder for writing at its end, after closing it. An old form kept "
     "for old games."},
    {"file_close", F_FileClose, 0, "", "nothing", "Closes the handle-less text file."},
    {"file_read_string", F_FileReadString, 0, "", "string: the rest of the line, without its end",
     "Reads the handle-less file up to the next CR or LF and passes over it, at most 32768 bytes a call."},
    {"file_read_real", F_FileReadReal, 0, "", "real: the number read, 0 when none stands there",
     "Skips blanks and reads a number from the handle-less file."},
    {"file_readln", F_FileReadln, 0, "", "string: the rest of the line, with its LF",
     "Reads the handle-less file up to and including the next LF; a CR LF pair comes back as LF alone."},
    {"file_eof", F_FileEof, 0, "", "bool: 1 when nothing is left to read",
     "Tells whether the handle-less file has been read to its end; when it is not open for reading, it reports the "
     "error \"File is not opened for reading.\" and answers 1."},
    {"file_write_string", F_FileWriteString, 1, "str", "nothing",
     "Writes str to the handle-less file; each LF reaches the disk as CR LF."},
    {"file_write_real", F_FileWriteReal, 1, "x", "nothing",
     "Writes x to the handle-less file with four decimals, right-aligned in ten characters."},
    {"file_writeln", F_FileWriteln, 0, "", "nothing", "Writes CR LF to the handle-less file."},

    {"file_exists", F_FileExists, 1, "fname", "bool: 1 when the file is in the save folder or the game file's folder",
     "Tells whether a file of that name can be read; a folder does not count, and neither does a file in the folder "
     "of the player program (`program_directory`)."},
    {"file_delete", F_FileDelete, 1, "fname", "nothing",
     "Deletes the file from the save folder; a file that lies only in the game file's folder is never deleted, and a "
     "link is deleted itself, not the file it names."},
    {"file_rename", F_FileRename, 2, "old, new", "nothing",
     "Renames a file of the save folder, the new name also in the save folder (a link is renamed itself); when a "
     "file of the new name exists, nothing happens."},
    {"file_copy", F_FileCopy, 2, "from, to", "real: 0 when copied, -1 when not",
     "Copies the save folder's file, else the one in the game file's folder, into the save folder; the destination's "
     "folder must "
     "already exist, and an old destination stays whole unless the copy completes."},
    {"directory_exists", F_DirectoryExists, 1, "dname",
     "bool: 1 when the folder is in the save folder or the game file's folder", "Tells whether the folder exists."},
    {"directory_create", F_DirectoryCreate, 1, "dname", "nothing",
     "Makes the folder, with its missing parents, in the save folder."},
    {"file_attributes", F_FileAttributes, 2, "fname, attr", "nothing",
     "Does nothing: file attributes are not kept on this system. Kept for old games."},
    {"file_find_first", F_FileFindFirst, 2, "mask, attr", "string: the first name found, \"\" when none",
     "Starts a search, ending any earlier one, for files and folders matching mask (`*` and `?`, letters of either "
     "case alike); a relative mask looks in the game file's folder, not the save folder. Names come without their "
     "folder, "
     "in name order, and never a file's temporary while it is being written; attr is not used."},
    {"file_find_next", F_FileFindNext, 0, "", "string: the next name found, \"\" when there is no more",
     "Goes on with the search `file_find_first` started."},
    {"file_find_close", F_FileFindClose, 0, "", "nothing", "Ends the search."},
    {"filename_name", F_FilenameName, 1, "fname", "string: the part after the last separator",
     "Answers the file's own name; the separator is the last `\\`, or the last `/` when fname has no `\\`."},
    {"filename_path", F_FilenamePath, 1, "fname", "string: the folder part, without its last separator, \"\" when none",
     "Answers what comes before the file's own name."},
    {"filename_dir", F_FilenamePath, 1, "fname", "string: the folder part, without its last separator, \"\" when none",
     "Gives the same text as `filename_path`; kept for old games."},
    {"filename_drive", F_FilenameDrive, 1, "fname", "string: the drive letter with its colon, \"\" when none",
     "Answers a leading drive such as C:; names on this system seldom have one."},
    {"filename_ext", F_FilenameExt, 1, "fname", "string: the extension with its dot, \"\" when none",
     "Answers the end of the file's own name from its last dot; a dot in a folder name does not count."},
    {"filename_change_ext", F_FilenameChangeExt, 2, "fname, newext", "string: fname with the new extension",
     "Replaces the extension of the file's own name by newext, adding a dot when newext has none; an empty newext "
     "removes it, and arguments that are not texts give \"\"."},

    {"execute_program", F_ExecuteProgram, 3, "prog, arg, wait", "real: 0 when the program started, -1 when not",
     "Runs the program prog with the arguments arg; when wait is true the game waits until it ends, its window kept "
     "alive."},
    {"execute_shell", F_ExecuteShell, 2, "prog, arg", "real: 0 when started, -1 when not",
     "Opens prog without waiting: a program starts with arg, while a document, folder or web address goes to the "
     "desktop's opener, which gets no arguments."},
    {"parameter_count", F_ParameterCount, 0, "", "real: the number of command-line words",
     "Counts the words the game was started with, the program's own path included."},
    {"parameter_string", F_ParameterString, 1, "n", "string: word n, \"\" when there is none",
     "Answers a word of the command line; word 1 is the program's own path, and a word keeps at most 1023 bytes."},
    {"environment_get_variable", F_EnvironmentGetVariable, 1, "name",
     "string: the variable's value, \"\" when it is not set", "Reads a variable of the process's environment."},

    {"registry_write_string", F_RegistryWriteString, 2, "name, str", "nothing",
     "Stores str under name in a store kept in memory; names ignore letter case. Nothing reaches any store of the "
     "system, and everything is gone when the game ends."},
    {"registry_write_real", F_RegistryWriteReal, 2, "name, x", "nothing",
     "Stores x under name as text with six decimals."},
    {"registry_read_string", F_RegistryReadString, 1, "name", "string: the value stored, \"\" when none",
     "Reads what is stored under name."},
    {"registry_read_real", F_RegistryReadReal, 1, "name", "real: the value read as a number, 0 when none",
     "Reads what is stored under name as a number, as `get_integer` reads typed text: leading blanks skipped, then as "
     "far as it looks like a number."},
    {"registry_exists", F_RegistryExists, 1, "name", "bool: 1 when something is stored under name",
     "Tells whether name was written in this run."},
    {"registry_write_string_ext", F_RegistryInert, 3, "key, name, str", "nothing",
     "Does nothing: the store has no keys on this system. Kept for old games."},
    {"registry_write_real_ext", F_RegistryInert, 3, "key, name, x", "nothing",
     "Does nothing: the store has no keys on this system. Kept for old games."},
    {"registry_set_root", F_RegistryInert, 1, "root", "nothing",
     "Does nothing: the store has no roots on this system. Kept for old games."},
    {"registry_read_string_ext", F_RegistryReadStringExt, 2, "key, name", "string: always \"\"",
     "Reads nothing: the store has no keys on this system."},
    {"registry_read_real_ext", F_RegistryReadNothing, 2, "key, name", "real: always 0",
     "Reads nothing: the store has no keys on this system."},
    {"registry_exists_ext", F_RegistryReadNothing, 2, "key, name", "bool: always 0",
     "Finds nothing: the store has no keys on this system."},

    {"ini_open", F_IniOpen, 1, "fname", "nothing",
     "Opens an INI file of sections and keys, first closing and writing the one open, as only one is open at a time. "
     "It is read from the save folder, else the game file's folder; a missing file starts empty. The other ini_ calls "
     "report an error while none is open."},
    {"ini_close", F_IniClose, 0, "", "nothing",
     "Closes the open INI file, writing it to the save folder when it was changed; the game's end does the same."},
    {"ini_read_string", F_IniReadString, 3, "section, key, default",
     "string: the key's value, default when the key is missing",
     "Reads a key of the open INI file; all three arguments must be texts, else it reports an error. A value read "
     "from the file ends at its first `;` or `#` and loses the blanks around it; one written since `ini_open` "
     "reads back whole."},
    {"ini_read_real", F_IniReadReal, 3, "section, key, default",
     "real: the key's value as a number, default when the key is missing",
     "Reads a key of the open INI file as a number; section and key must be texts, and a text default is read as a "
     "number. A text is read as `get_integer` reads typed text: leading blanks skipped, then as far as it looks like "
     "a number."},
    {"ini_write_string", F_IniWriteString, 3, "section, key, str", "nothing",
     "Sets the key to str, making the section and key when missing; all three must be texts. The file is written when "
     "it is closed."},
    {"ini_write_real", F_IniWriteReal, 3, "section, key, x", "nothing",
     "Sets the key to x written with six decimals; x must be a real."},
    {"ini_key_exists", F_IniKeyExists, 2, "section, key", "bool: 1 when the section holds the key",
     "Tells whether the open INI file has the key."},
    {"ini_section_exists", F_IniSectionExists, 1, "section", "bool: 1 when the section is there",
     "Tells whether the open INI file has the section."},
    {"ini_key_delete", F_IniKeyDelete, 2, "section, key", "nothing",
     "Removes the key from the section of the open INI file."},
    {"ini_section_delete", F_IniSectionDelete, 1, "section", "nothing",
     "Removes the section with all its keys from the open INI file."},

    {"http_get", F_HttpGet, 1, "url", "id: the request's id, -1 when url does not begin with `http://` or `https://`",
     "Fetches the address; the game waits for the answer, which arrives later as the asynchronous HTTP event, its "
     "`async_load` map holding id, url, result, http_status and status (0, or -1 for an empty body). An answer that "
     "broke off is delivered empty (status -1) after a console line saying why, and so is one still arriving 60 "
     "seconds after the request began; a request that never reaches the server raises no event, nor does one the "
     "game's quit ends while it waits."},
    {"http_post_string", F_HttpPostString, 2, "url, text",
     "id: the request's id, -1 when url does not begin with `http://` or `https://`",
     "Sends text as a form to the address and waits, as `http_get` does; the answer comes the same way."},
    {"json_decode", F_JsonDecode, 1, "text",
     "id: the new map, -1 when the text can be read neither as JSON nor as a plain string",
     "Turns JSON text into a new map, objects inside it becoming new maps and arrays new lists held by id; true and "
     "false read 1 and 0, nulls are left out of objects and read 0 in arrays. Any other text (one not wrapped in "
     "braces, or braced text that does not parse) and a real are stored as a string under the key default, the text "
     "read as the inside of a JSON string (so `\\t` becomes a tab) and a real with two decimals; a text that is not "
     "valid there either, such as one holding a quote, gives -1."},
    {"json_encode", F_JsonEncode, 1, "map", "string: the map as JSON text, \"\" when no map has that id",
     "Writes the map, with the maps and lists `json_decode` nested in it, as JSON; real keys are written as whole "
     "numbers, and a map or list id a script stored itself is written as a plain number."},
};
