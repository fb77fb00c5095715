// File dialogs, folder walking, folder creation and the desktop launcher.
//
// Paths are UTF-8 byte strings; folder paths handed back end in exactly one '/' (the
// root is "/"). A path never exceeds 1,023 bytes: one that would is left out (not
// handed over, not cut). Library-owned results (the chosen file of GetOpenFilenames
// in single mode, the folder of BrowseForFolder) stay valid until the next call of
// the same function; callers copy what they keep. GUI thread only.
#pragma once

#include <stdint.h>

#include "tonekit/export.h"
#include "tonekit/records.h"

// Given every chosen file by GetOpenFilenames: its full path (valid during the call)
// and its 0-based index. Non-zero = go on, 0 = stop after this file.
typedef int32_t (*FilePickedCallback)(const char* path, int32_t index);

// Given every file SearchFiles finds: its full path, in a rotating strcat5 buffer
// (copy it to keep it). 0 = go on, non-zero = stop listing the folder it lies in.
typedef int32_t (*FileFoundCallback)(const char* path);

// Runs the open-file dialog owned by `owner` with `title` and `initialFolder` (either
// may be null) and `filter` ("desc\0patterns\0...\0\0", patterns separated by ';').
// Result 0 when cancelled. With `multiple` 0: the address of the chosen full path (a
// library buffer); `filePicked` and the list box are not used. Otherwise: the count of
// files handed to `filePicked` (null = none is called), the file whose call answered 0
// included; with one file chosen its answer is ignored. When `listBoxId` is not 0,
// each path handed over is added to that list box of `owner` unless an entry already
// begins with it (ignoring case).
TONEKIT_API intptr_t GetOpenFilenames(WindowHandle owner, int32_t multiple, const char* title,
                                      const char* initialFolder, const char* filter,
                                      int32_t listBoxId, FilePickedCallback filePicked);

// Runs the folder dialog owned by `owner` with `title`. Returns the chosen folder with
// one trailing '/' in a 1,024-byte library buffer, or null when cancelled, when the
// folder's path does not fit, or at once when another call's dialog is still open.
// `displayName` (null, or at least 260 bytes) receives the folder's shown name.
TONEKIT_API const char* BrowseForFolder(WindowHandle owner, const char* title, char* displayName);

// Walks `folder` (with or without a trailing '/') depth first in the file system's
// order and calls `fileFound` for every entry that is not a folder; sub-folders (and
// links to folders) are entered unless `thisFolderOnly` is non-zero, each sub-folder
// completely before the next entry. "." and ".." and folders themselves are never
// reported. A folder is entered at most once per walk, so links that lead back up the
// tree end. Folders that cannot be listed are passed over silently.
TONEKIT_API void SearchFiles(const char* folder, FileFoundCallback fileFound, int32_t thisFolderOnly);

// Creates the folder `path` (its parent must exist). Non-zero when it was created; 0
// when it exists already or cannot be made.
TONEKIT_API int32_t CreateFolder(const char* path);

// Writes the launcher `name`.desktop (a freedesktop desktop entry: Name = `name`,
// Comment = `description`, Exec = `target` quoted) with mode 0755 into the user's
// desktop folder, replacing an older one. `owner` is unused. 0 on success, and also
// when the user has no desktop folder (nothing is written then); a negative errno
// value when the launcher could not be written or an argument is unusable.
TONEKIT_API int32_t CreateDesktopShortcut(WindowHandle owner, const char* name,
                                          const char* description, const char* target);
