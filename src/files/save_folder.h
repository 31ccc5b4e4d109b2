// The save folder, held open for the run, and the file operations the player
// uses on a full or relative path. A path under the save folder is resolved
// beneath the folder's descriptor and acted on in the same step
// (path_beneath.h): a link leading out of the folder, links that loop, or
// ".." climbing above it act as a missing name (ENOENT), however the folders
// change meanwhile, and a missing name (a folder's or the last) stands for a
// name of its folder differing only in letter case. Any other path is used
// as the system takes it.
//
// The save folder is the folder at its path at each operation: one stat of
// the path tells whether the held descriptor still is that folder; when
// another folder is there (or a link to one, followed as at the start) it is
// opened and held instead, and when none is there the operation fails as on
// a missing name (the writers make the folder first, as at the first use).
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <string>

// The save folder: a full path ending in "/", or "" for none. It is opened
// when first needed, and again whenever another folder took its place.
void SaveFolder_Set(const std::string& folder);
std::string SaveFolder_Path();
// The game's temporary folder, a second folder held by the same rules:
// everything said here of the save folder holds for it and the paths under
// it too (a path under both belongs to the inner one).
void SaveFolder_SetTemporary(const std::string& folder);
// True when path lies strictly under the save (or temporary) folder;
// Within, also when it is that folder itself.
bool SaveFolder_Holds(const std::string& path);
bool SaveFolder_Within(const std::string& path);
// The held folder (ending in "/") that path lies in or is; "" for none.
std::string SaveFolder_RootOf(const std::string& path);
// True when this thread's last operation on a path (those below) was refused
// because a link on the path's way leads out of the save folder (or links
// loop), which it answered as a missing name. For telling why, after the
// failure.
bool SaveFolder_Refused();

// open(2) of what path names; -1 with errno.
int SaveFolder_Open(const std::string& path, int flags, mode_t mode = 0);
// stat(2) of what path names.
bool SaveFolder_Stat(const std::string& path, struct stat* info);
// The folder holding path's last name, opened for reading where it may, and
// that name in *leaf. With followLast, a last name that is a link staying
// inside gives the folder and name it leads to. -1 with errno. *last, when
// given, gets the name's status where the resolution saw a file or folder
// there (path_beneath.h); st_mode 0 when it did not.
int SaveFolder_OpenParent(const std::string& path, bool followLast, std::string* leaf, struct stat* last = nullptr);
// Removes the name itself, never what a link there points to.
bool SaveFolder_Unlink(const std::string& path);
// Renames the name itself; never replaces what `to` already names.
bool SaveFolder_Rename(const std::string& from, const std::string& to);
// Makes a folder under the save folder and its missing parents (the save
// folder must be there); true when it is a folder.
bool SaveFolder_MakeFolders(const std::string& path);
// A listing of the folder path names; null with errno.
DIR* SaveFolder_OpenListing(const std::string& path);
