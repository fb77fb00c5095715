// Starting and ending the GUI of a process.
//
// A process has at most one QApplication; startGui makes it and stopGui deletes it.
// Everything else in the window layer needs it to exist (messageBox falls back to
// standard error without it). The layer keeps nothing of its own: "is the GUI
// running" is simply "does the QApplication exist".
#pragma once

#include <stdbool.h>

namespace platform {

// True when a window system can be reached: QT_QPA_PLATFORM is not "offscreen" and
// DISPLAY or WAYLAND_DISPLAY is set. Lets a launcher choose offscreen itself.
bool displayAvailable();

struct GuiOptions {
    const char* applicationName;  // e.g. "Brisktune"; copied
    bool offscreen;               // run without a window system (also chosen when
                                  // displayAvailable() is false or QT_QPA_PLATFORM
                                  // already says offscreen)
};

// Creates the one QApplication. `argc` and `argv` must outlive it (pass main's own);
// Qt may remove the options it understands. Uses Fusion when the desktop offers no
// style of its own. Returns false when a GUI already exists or cannot be started.
bool startGui(int& argc, char** argv, const GuiOptions& options);

// Deletes the QApplication made by startGui, after every window made through this
// layer has been destroyed. Nothing happens when there is none.
void stopGui();

// True while a QApplication exists (made by startGui or by anyone else, e.g. tests).
bool guiRunning();

}  // namespace platform
