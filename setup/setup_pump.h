// setup's message pump: the input it keeps from its two text boxes, and the main
// loop.
#pragma once

#include "platform/dialog.h"

namespace setup {

// True for the presses the dialog drops before they reach a control: every key
// press in the licence box and the path box, and left and right mouse presses in
// the path box. Neither box is read-only, so this is what keeps the user's hands
// off them: the path changes only through Browse, the licence cannot be typed over
// (its scroll bar and the mouse wheel still scroll it).
bool dropsInput(int controlId, platform::InputKind input);

// Handles events until the quit request is posted (waiting, not polling, while
// idle) and returns its exit code.
int runUntilQuit();

}  // namespace setup
