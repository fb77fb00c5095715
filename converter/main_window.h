// The main window of brisktune: dialog 101 (its controls as a template table), its
// procedure and the commands that belong to no other part (quality, output folder,
// same folder, Stay On Top, Explore, Online Help, About, more software, Exit, close).
#pragma once

#include <stdint.h>

#include <string>

#include "platform/dialog.h"

namespace brisktune {

// Dialog 101; valid for the life of the process.
const platform::DialogTemplate& mainDialogTemplate();

// The dialog procedure of the main window (given to platform::createDialog).
intptr_t MainDialogProc(WindowHandle window, platform::DialogEvent& event, void* userData);

// Closes the main window as its close box does: at once when nothing is running;
// during a conversion or while files are being added the work is stopped first (the
// current MP3 is finished early) and the window closes when it has unwound. Closing
// saves the settings, destroys the window and asks the main loop to end (status 0).
void CloseMainWindow();

// Where Online Help and "Download More Software ..." lead: the user guide embedded in
// the program, written into the private temporary folder. "" when it cannot be
// written.
std::string userGuideAddress(const char* section);

}  // namespace brisktune
