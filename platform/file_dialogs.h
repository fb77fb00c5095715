// The toolkit's own (non-native) file dialogs, run modally.
//
// Filters come as one block of zero-terminated strings: pairs of a description and its
// patterns (patterns separated by ';'), ended by an empty string, e.g.
// "AAC Files\0*.aac\0All Files\0*.*\0\0". The first pair is selected when the dialog
// opens. Paths in and out are the file system's bytes (UTF-8 here).
#pragma once

#include <string>
#include <vector>

#include "tonekit/records.h"

namespace platform {

// Asks for files to open. With `multiple` several existing files may be chosen;
// without it one name (which need not exist). `owner`, `title`, `startFolder` and
// `filter` may be null. Returns false when the dialog was cancelled or could not run
// (no GUI); otherwise `paths` holds the full path of every chosen file, in the order
// they were chosen.
bool chooseFilesToOpen(WindowHandle owner, bool multiple, const char* title,
                       const char* startFolder, const char* filter,
                       std::vector<std::string>* paths);

// Asks for a folder (folders only; new folders can be made in the dialog). Returns
// false when cancelled or when no GUI runs; otherwise `folder` holds its full path
// without a trailing '/' (the root is "/") and `displayName` (when not null) the name
// the dialog showed for it, its last element.
bool chooseFolder(WindowHandle owner, const char* title, std::string* folder,
                  std::string* displayName);

}  // namespace platform

namespace platform {

// A list box (a QListWidget control) that collects chosen paths. Both answer -1 when
// `listBox` is null or not a list box.
// The index of the first entry that begins with `text`, ignoring case; -1 when none.
int findListBoxPrefix(WindowHandle listBox, const char* text);
// Appends `text` as a new entry; returns its index.
int addListBoxEntry(WindowHandle listBox, const char* text);

}  // namespace platform
