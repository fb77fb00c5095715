// The shared operations on the main window: the status line, the message pump that
// the main loop and every long operation use, and ApplySettings, which makes the
// controls, the menu marks and the z-order follow AppState::settings.
// All run on the GUI thread; with no main window they do nothing.
#pragma once

#include <stdint.h>

namespace brisktune {

// The status line (1015) := " Status : " + text.
void SetStatus(const char* text);

// Handles every event that is waiting, without sleeping, and returns: 1 when the
// program has been asked to quit (the request stays set for the main loop), else 0.
int PumpMessages();

// PumpMessages for loops that add one small thing per turn (a row per file): it pumps
// when a screen frame's time (15 ms) has passed since its last pump, and otherwise
// returns 0 at once. The window still repaints and answers some 60 times a second,
// while a long addition is not spent repainting after every row.
int PumpMessagesAtFrameRate();

// Menu marks (40019, 5100..5103), the check boxes 1008 and 1014, the quality combo,
// the folder box with Change Folder ... / Explore ... and their menu items, and the
// window's topmost state, all from the settings.
void ApplySettings();

}  // namespace brisktune
