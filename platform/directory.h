// Folders: listing their entries one at a time, and creating one.
#pragma once

#include <stdint.h>
#include <string>

namespace platform {

struct DirectoryListing;  // an open listing; owned by whoever opened it

struct DirectoryEntry {
    std::string name;       // the entry's name in its folder (no path)
    bool isDirectory;       // a folder, or a symbolic link to one
    uint64_t device;        // identity of what the name leads to (links followed);
    uint64_t inode;         // both 0 when it could not be examined
};

// Identity of a folder (links followed). False when `path` is not a reachable folder.
bool folderIdentity(const char* path, uint64_t* device, uint64_t* inode);

// Opens `folder` (a path with or without a trailing '/') for listing; null when it
// cannot be listed (missing, not a folder, access refused).
DirectoryListing* openDirectory(const char* folder);

// The next entry, in the file system's order, "." and ".." included as the system
// gives them. False at the end (or on a read error).
bool nextDirectoryEntry(DirectoryListing* listing, DirectoryEntry* entry);

void closeDirectory(DirectoryListing* listing);

// Creates one folder (its parent must exist) with mode 0777 less the umask. False when
// it exists already or cannot be made.
bool createDirectory(const char* path);

}  // namespace platform
