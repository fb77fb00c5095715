// What brisktune-cli prints while it converts.
//
// On a terminal one status line is redrawn in place (files done of total, percent of
// the audio, time left), with each finished file printed above it; otherwise each
// finished file gets one line and nothing else is printed. Quiet mode prints
// failures only. Finished files go to standard output, failures to standard error.
#pragma once

#include <stdint.h>

#include <chrono>
#include <string>
#include <vector>

struct ProgressDisplay {
    bool live = false;   // standard output is a terminal: keep a status line
    bool quiet = false;  // failures only
    int total = 0;       // files in the run
    int done = 0;        // files finished (converted or failed)
    uint64_t totalWeight = 0;  // sum of the weights (source bytes) of all files
    uint64_t doneWeight = 0;   // weights of the finished files
    std::vector<uint64_t> runningWeight;  // per running file: weight x percent / 100
    std::chrono::steady_clock::time_point started;
    std::chrono::steady_clock::time_point lastDrawn;
    bool lineShown = false;  // a status line stands on the terminal
};

// Starts the display for `total` files of `totalWeight` together; `slots` is the
// number of files converted at once.
void StartProgress(ProgressDisplay& display, bool live, bool quiet, int total, uint64_t totalWeight,
                   int slots);

// The file in `slot` has reached `percent` of its `weight`.
void ReportRunning(ProgressDisplay& display, int slot, uint64_t weight, int percent);

// A file ended: converted (reason empty) or failed with `reason`. `slot` is -1 for
// a file that never ran.
void ReportFinished(ProgressDisplay& display, int slot, uint64_t weight, const std::string& source,
                    const std::string& output, const std::string& reason);

// Redraws the status line if it is live and due (at most ten times a second) or when
// `force` is set.
void DrawProgress(ProgressDisplay& display, bool force = false);

// Clears the status line (before other messages or at the end).
void ClearProgress(ProgressDisplay& display);

// "1:05" for 65 seconds, "1:01:05" past an hour.
std::string FormatDuration(double seconds);
