// Pictures of windows: what a window shows, saved as a PNG file (for documentation
// and for looking at offscreen runs).
#pragma once

#include "tonekit/records.h"

namespace platform {

// Renders `window` (a dialog with its menu bar and controls, as it would appear on
// screen, without the desktop's frame) and writes it as PNG to `path`. False when
// there is no such window or the file cannot be written.
bool saveWindowPicture(WindowHandle window, const char* path);

}  // namespace platform
