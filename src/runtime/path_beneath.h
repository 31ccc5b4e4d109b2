// Resolving a path beneath a root folder so that it stays there. The names
// under the root are walked one by one as the system would walk them, with
// symbolic links followed only while they lead to places under the root; a
// link that leads out of it, or links that loop, refuse the whole path. The
// answer holds no link below the root, so an operation on it lands where the
// walk decided. Names that do not exist yet are kept as given, so a file or
// folder about to be made resolves too.
#pragma once

#include <string>

// root is a full path (with or without a trailing "/"), rest the names
// beneath it separated by "/" (".", ".." and empty names allowed). Answers
// root + "/" + the link-free names, or "" when a link leads out of the root,
// ".." climbs above it, or more links than the system allows are met. When
// the last name does not exist, a name of the same folder that differs only
// in letter case stands for it.
std::string Path_ResolveBeneath(const std::string& root, const std::string& rest);

// The first name in byte order of the folder that equals name in all but
// letter case; "" when there is none or the folder cannot be read.
std::string Path_CaseVariant(const std::string& folder, const std::string& name);
