// The process-wide state of brisktune: what the window, the commands, the file list
// and the conversion job share. One record, made zero at start, owned by the program
// for its whole run and used from the GUI thread only.
#pragma once

#include <stdint.h>

#include <string>
#include <unordered_set>

#include "converter/private_temp.h"
#include "converter/settings.h"
#include "converter/tonekit_binding.h"
#include "platform/draw_context.h"
#include "tonekit/records.h"

namespace brisktune {

struct AppState {
    // tonekit.so, bound by name at start and released at shutdown.
    TonekitBinding binding;
    // The private folder holding the temporary WAV file of the conversions.
    PrivateTemp temp;

    // Start-up resources (made by StartUp, released by ShutDown).
    ModuleHandle instance;          // the program's embedded resources
    BitmapHandle backgroundBitmap;  // JPEG 6000, the tiled dialog background
    BrushHandle backgroundBrush;    // pattern brush made from it
    FontHandle buttonFont;          // caption font of the shaded push buttons

    // The main window (dialog 101 with menu 105 attached; the menu belongs to it).
    // Null before it is made and again once it has been destroyed.
    WindowHandle mainWindow;
    uint32_t menuAttached;

    Settings settings;
    uint32_t firstRun;             // 1 when no settings file was found at start
    WindowHandle forwardTarget;    // the control files were last dropped on

    // Conversion job.
    uint32_t jobRunning;
    uint32_t stopRequested;
    uint32_t currentRow;

    // File list.
    uint32_t searchCount;          // files reported by folder searches since start
    // The Path cells of the list's rows, kept in step with the rows, so that the
    // duplicate test of a new file does not read every row of a long list.
    std::unordered_set<std::string> listedPaths;

    // Closing while a long operation runs inside a nested pump: the close waits until
    // that operation has unwound (the current MP3 is finished early), then happens.
    uint32_t busyDepth;            // long operations under way (conversion, adding)
    uint32_t closePending;         // the window was asked to close meanwhile
    int64_t lastFramePump;         // steady-clock milliseconds of the last
                                   // PumpMessagesAtFrameRate that pumped
};

// The one record of the process.
AppState& app();

// The bound library (app().binding).
inline const TonekitBinding& tk() { return app().binding; }

}  // namespace brisktune
