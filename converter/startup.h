// Start-up and shutdown of brisktune: binding tonekit.so, the resources the main
// window paints with, the settings, the main window with its menu, the desktop entry
// on a first start; and their release at the end.
#pragma once

#include "tonekit/records.h"

namespace brisktune {

// Everything before the main loop, in order. `module` holds the program's embedded
// resources. Needs the GUI (platform::startGui) to be running. Returns false when
// the program cannot run: tonekit.so is missing or lacks one of its bound names (the
// user has then been told "tonekit.so Missing or Corrupted"), or the window could not
// be made.
bool StartUp(ModuleHandle module);

// From now on SIGTERM and SIGINT close the main window as its close box does (the
// settings are saved and the program ends with status 0). Once per process.
void WatchTerminationSignals();

// The main loop: waits for events (costing nothing while idle) until the program is
// asked to quit. Returns the exit status.
int RunMainLoop();

// Everything after the main loop: the window (if it still exists), the brush, the
// bitmap, the font, the temporary folder and the library are released. Safe after a
// failed StartUp.
void ShutDown();

}  // namespace brisktune
