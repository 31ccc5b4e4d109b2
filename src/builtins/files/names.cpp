// Existence, deletion, renaming and copying of files, folders, and the parts
// of a file name. Only files in the save folder are ever changed.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "builtins/files/handlers.h"
#include "builtins/files/paths.h"
#include "files/file_layer.h"
#include "files/files.h"
#include "files/save_folder.h"
#include "files/write_stream.h"
#include "platform/regular_file.h"
#include "runtime/console.h"

namespace {

bool IsFolder(const std::string& path) { return !path.empty() && Directory_Exists(path.c_str()); }

bool SameFile(FILE* a, const std::string& path) {
  struct stat first, second;
  return fstat(fileno(a), &first) == 0 && SaveFolder_Stat(path, &second) && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

bool CopyBlocks(FILE* from, FILE* to) {
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, from)) > 0) {
    if (std::fwrite(block, 1, got, to) != got) {
      WriteStream_NoteFailure(to);
      return false;
    }
  }
  return !std::ferror(from);
}

// 0 when copied; -1, with a console line, when the destination cannot be
// opened or written. A copy onto the source itself leaves it as it is.
int CopyInto(FILE* source, const std::string& destination, const char* name) {
  if (SameFile(source, destination)) return 0;
  // The save folder itself is made on first write; folders inside it are not.
  Directory_Create(LoadSave_GetSaveDirectory());
  std::string folder = destination.substr(0, destination.rfind('/'));
  WriteStream_ForgetEarlier();
  // Where the file is written in place, the room for the whole copy is taken
  // first, so that a full disk leaves the earlier file whole.
  FILE* target = nullptr;
  struct stat sourceInfo;
  errno = ENOENT;
  if (IsFolder(folder)) {
    if (fstat(fileno(source), &sourceInfo) == 0) WriteStream_ReserveNext(static_cast<size_t>(sourceInfo.st_size));
    target = FileStream_Open(destination, "wb");
  }
  if (target == nullptr) {
    g_debugConsole->Output("Unable to open destination file %s (%s)%s\n", name, RegularFile_Reason(errno),
                           WriteStream_EarlierNote("; the earlier file there is kept"));
    return -1;
  }
  // The destination's earlier file stays whole unless the copy completes;
  // a failed write has its own console line, naming the reason.
  if (!CopyBlocks(source, target) && !std::ferror(target)) {
    WriteStream_Abandon(target);
    g_debugConsole->Output("Unable to write destination file %s\n", name);
    return -1;
  }
  // Written over in place, a longer earlier file loses its end.
  if (std::fflush(target) == 0 && ftruncate(fileno(target), ftello(target)) != 0) {
    // The copy is whole; bytes of the earlier file stay after it.
  }
  return FileStream_Close(&target) ? 0 : -1;
}

// The index of the separator that ends the folder part: the last "\", or
// when there is none, the last "/"; npos without either.
size_t LastSeparator(const std::string& name) {
  size_t back = name.rfind('\\');
  return back != std::string::npos ? back : name.rfind('/');
}

std::string ChangeExtension(const std::string& name, const std::string& extension) {
  size_t separator = LastSeparator(name);
  size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  size_t dot = name.rfind('.');
  std::string result = dot != std::string::npos && dot >= nameStart ? name.substr(0, dot) : name;
  if (!extension.empty() && extension[0] != '.') result += '.';
  return result + extension;
}

}  // namespace

void F_FileExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, a.IsString(0) && !FilePath_Existing(a.Text(0)).empty() ? 1 : 0);
}

// A link that stays inside (and so counts as an existing file) is removed
// itself, not the file it points to.
void F_FileDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  std::string path = FilePath_Save(a.Text(0));
  if (a.IsString(0) && FilePath_IsRegularFile(path)) SaveFolder_Unlink(path);
}

// The name itself moves, a link as a link; what the new name already names
// is never replaced.
void F_FileRename(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!a.IsString(0) || !a.IsString(1)) return;
  std::string from = FilePath_Save(a.Text(0));
  std::string to = FilePath_Save(a.Text(1));
  if (FilePath_IsRegularFile(from) && !to.empty()) SaveFolder_Rename(from, to);
}

void F_FileCopy(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  std::string from = a.IsString(0) ? FilePath_Existing(a.Text(0)) : std::string();
  FILE* source = FileStream_Open(from, "rb");
  if (source == nullptr) {
    g_debugConsole->Output("Unable to open source file %s\n", a.Text(0));
    Result_SetReal(result, -1);
    return;
  }
  Result_SetReal(result, CopyInto(source, FilePath_Save(a.Text(1)), a.Text(1)));
  std::fclose(source);
}

void F_DirectoryExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  bool found = a.IsString(0) && (IsFolder(FilePath_Save(a.Text(0))) || IsFolder(FilePath_Program(a.Text(0))));
  Result_SetReal(result, found ? 1 : 0);
}

void F_DirectoryCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  std::string path = FilePath_Save(a.Text(0));
  if (a.IsString(0) && !path.empty()) Directory_Create(path.c_str());
}

void F_FileAttributes(KV_BUILTIN_PARAMS) {}

void F_FilenameName(KV_BUILTIN_PARAMS) { Result_TakeText(result, File_ExtractName(BuiltinArgs(argc, args).Text(0))); }

void F_FilenamePath(KV_BUILTIN_PARAMS) { Result_TakeText(result, File_ExtractPath(BuiltinArgs(argc, args).Text(0))); }

void F_FilenameDrive(KV_BUILTIN_PARAMS) { Result_TakeText(result, File_ExtractDrive(BuiltinArgs(argc, args).Text(0))); }

void F_FilenameExt(KV_BUILTIN_PARAMS) { Result_TakeText(result, File_ExtractExt(BuiltinArgs(argc, args).Text(0))); }

// The extension is looked for in the name part only; the new one brings its
// dot or is given one.
void F_FilenameChangeExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0) || !a.IsString(1)) return;
  std::string changed = ChangeExtension(a.Text(0), a.Text(1));
  Result_SetText(result, changed.data(), changed.size());
}
