// The file list (list view 1005 of the main window): its five columns, the one way a
// file enters it (AddMediaFile), and the commands that fill and edit it.
//
// Columns: 0 "Select" (the tick), 1 "Name", 2 "Converted", 3 "Folder" (ends in '/'),
// 4 "Path" (the full path). Rows are appended and never reordered; a new row is
// ticked; no two rows hold the same Path; every Name ends in .aac, .m4a or .mp4 in
// some case. Everything runs on the GUI thread from the main window's commands.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace brisktune {

// The five columns, made once when the main window is initialised.
void SetUpFileListColumns();

// Appends `path` as a new ticked row unless its last four characters are not
// .AAC/.M4A/.MP4 (ignoring case) or a row already holds exactly this path (letter
// case counts: these are different files here). Pumps messages after a file is
// added. `index` (the position in a multiple selection) is not used. Returns 1 to go
// on with the next file, 0 once the window is closing.
int32_t AddMediaFile(const char* path, int32_t index);

// SearchFiles' callback: counts the file, pumps every hundredth, shows
// "Searching File ... <path>" and offers the file to AddMediaFile. Returns 0 (go on),
// non-zero once the window is closing.
int32_t OnFoundFile(const char* path);

// The commands.
void AddFilesCommand();   // the open-file dialog, starting in lastAddFolder
void AddFolderCommand();  // the folder dialog and the subfolder question
void SelectAllCommand();
void SelectNoneCommand();
void RemoveCommand();     // removes the ticked rows after asking
// Files dropped on `controlId` of the main window; only a drop on the list counts.
void DropFilesCommand(int controlId, const char* const* paths, size_t count);

}  // namespace brisktune
