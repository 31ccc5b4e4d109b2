// What the folders hold, by letter case, so that a missing name does not
// read its folder each time to look for a name differing only in case.
//
// A folder read once is indexed by its names folded to lower case (ASCII,
// as names are compared), each leading to the first name in byte order that
// folds to it. The index is kept for the folder's identity (device and
// inode) and change time, and serves while one fstat shows both unchanged.
// A folder changed again within one tick of the file system's clock keeps
// its change time, so an index is trusted only once that time lies clearly
// in the past when the folder is read: a folder changed just now is read
// each time until its change time has settled. Only local file systems
// (ext4, xfs, btrfs, tmpfs...) show a change in the folder's time at once;
// a folder on any other (a network file system, a FUSE mount, which answer
// times they cached) is never indexed and is read at each miss. Lookups by the walk beneath
// the save folder, by other paths and by the writers share it; it keeps a
// bounded number of folders and names, the least recently used going first.
#pragma once

#include <cstdint>
#include <string>

// The first name in byte order of the folder open at folder (any descriptor
// of it, O_PATH too) that equals name in all but letter case; "" when there
// is none or the folder cannot be read.
std::string FolderIndex_Variant(int folder, const std::string& name);
// The same for the folder at a full path, followed as the system follows it.
std::string FolderIndex_VariantAt(const std::string& folder, const std::string& name);

// How many times a folder's names were read, for measuring.
uint64_t FolderIndex_Reads();
// Forgets every folder.
void FolderIndex_Clear();
