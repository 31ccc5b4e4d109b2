// Resolving a path beneath a folder held open, and reaching what it names in
// the same step, so that no folder swapped for a link meanwhile can lead the
// operation elsewhere. The names are walked as the system walks them, with
// symbolic links followed only while they lead to places under the folder;
// a link leading out of it, or ".." climbing above it, refuses the whole
// path (EXDEV), and so do more links than the system allows (ELOOP).
//
// The kernel's resolver does the walk where it can (openat2 with
// RESOLVE_BENEATH); an absolute link that stays inside, and kernels without
// openat2, go through a walk by descriptors that opens one name at a time
// without following it and reads any link it meets.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

// A folder held open for resolving beneath it.
struct BeneathRoot {
  int fd = -1;
  // The folder's full path as given and its real path, as names: an
  // absolute link target under either stays inside.
  std::vector<std::vector<std::string>> spellings;
};

// Opens the folder at the full path folder; false with errno when it
// cannot be opened as one. Closes what root held before.
bool Beneath_OpenRoot(const std::string& folder, BeneathRoot* root);
void Beneath_CloseRoot(BeneathRoot* root);

// rest holds the names beneath the root separated by "/" ("", "." and ".."
// allowed; "" and "." name the root itself).
//
// Opens what rest names with open(2) flags and mode; -1 with errno. Each
// name of rest, folders and last name alike, that is missing stands for a
// name of the same folder differing only in letter case, when there is one
// (the exact names are tried first; the folders are read only on a miss).
// With O_CREAT, a new file is made where a last link that stays inside
// points.
int Beneath_Open(const BeneathRoot& root, const std::string& rest, int flags, mode_t mode = 0);

// Opens the folder that holds rest's last name (for reading where it may,
// else as a path only), its folders settled as Beneath_Open settles them,
// and gives that name in *leaf, in the letter case of the name there when
// only a variant of it exists. With followLast, a last
// name that is a link staying inside gives the folder and the name it leads
// to instead. -1 with errno; EINVAL when rest has no last name. *last, when
// given, gets the status of the name given in *leaf where the resolution
// looked at it and found a file or folder there (not a link); its st_mode is
// 0 otherwise.
int Beneath_OpenParent(const BeneathRoot& root, const std::string& rest, bool followLast, std::string* leaf,
                       struct stat* last = nullptr);

// False when rest leads out of the folder at the full path root (a missing
// name or an unreadable root does not).
bool Beneath_Stays(const std::string& root, const std::string& rest);

// For tests: resolve as on a kernel without openat2.
void Beneath_UseWalkOnly(bool walkOnly);

// Folds ".", ".." and repeated separators of an absolute path; ".." at the
// top stays at the top. The result has no trailing "/" (but "/" itself).
std::string Path_Fold(const std::string& absolute);

// The first name in byte order of the folder that equals name in all but
// letter case; "" when there is none or the folder cannot be read.
std::string Path_CaseVariant(const std::string& folder, const std::string& name);
std::string Beneath_CaseVariant(int folder, const std::string& name);
