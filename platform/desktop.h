// The user's desktop: opening addresses and folders with the desktop's own programs,
// the desktop folder, and launcher files placed on it.
#pragma once

#include <string>

namespace platform {

// Opens `target` with the desktop: an address with a scheme ("https://...",
// "file://...", "mailto:...") as it stands, anything else as a local file or folder
// path (the file manager for a folder). Returns false when nothing could open it or no
// GUI runs.
bool openWithDesktop(const char* target);

// The user's desktop folder with one trailing '/': XDG_DESKTOP_DIR from
// $XDG_CONFIG_HOME/user-dirs.dirs (else ~/.config/user-dirs.dirs), else ~/Desktop.
// False when that folder does not exist, or when it is the home folder itself (the
// user has switched the desktop folder off).
bool desktopFolder(std::string* folder);

// Writes `size` bytes to `path` with mode 0755 (less the umask), replacing an older
// file in one step (a new file renamed over it), so a reader never sees half a file.
// Returns 0 on success, else the errno of the step that failed (nothing is left behind).
int writeExecutableFile(const char* path, const char* data, size_t size);

}  // namespace platform
