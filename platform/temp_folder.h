// Private temporary folders: one per process (or per worker), made with mkdtemp so
// that no other user can reach or pre-create what is put inside.
#pragma once

#include <string>

namespace platform {

// The folder temporary files go under: $TMPDIR when it is set and not empty, else
// "/tmp". The result ends in exactly one '/'.
std::string temporaryRoot();

// Makes a new folder "<prefix>XXXXXX" (mode 0700) under temporaryRoot(). Returns its
// path with a trailing '/', or "" when it cannot be made, with the reason (errno
// text and the folder tried) in *error when error is given. The caller owns the
// folder and removes it with removeTree.
std::string makePrivateFolder(const char* prefix, std::string* error = nullptr);

// Removes `path` and everything below it (symbolic links are removed, never
// followed). Returns true when nothing is left at `path` afterwards.
bool removeTree(const std::string& path);

}  // namespace platform
