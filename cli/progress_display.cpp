#include "cli/progress_display.h"

#include <stdio.h>

void StartProgress(ProgressDisplay& display, bool live, bool quiet, int total, uint64_t totalWeight,
                   int slots) {
    display.live = live && !quiet;
    display.quiet = quiet;
    display.total = total;
    display.done = 0;
    display.totalWeight = totalWeight;
    display.doneWeight = 0;
    display.runningWeight.assign(slots > 0 ? static_cast<size_t>(slots) : 0, 0);
    display.started = std::chrono::steady_clock::now();
    display.lastDrawn = display.started - std::chrono::seconds(1);
    display.lineShown = false;
}

void ReportRunning(ProgressDisplay& display, int slot, uint64_t weight, int percent) {
    if (slot < 0 || static_cast<size_t>(slot) >= display.runningWeight.size()) return;
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    display.runningWeight[static_cast<size_t>(slot)] = weight * static_cast<uint64_t>(percent) / 100;
}

void ReportFinished(ProgressDisplay& display, int slot, uint64_t weight, const std::string& source,
                    const std::string& output, const std::string& reason) {
    if (slot >= 0 && static_cast<size_t>(slot) < display.runningWeight.size())
        display.runningWeight[static_cast<size_t>(slot)] = 0;
    display.done += 1;
    display.doneWeight += weight;
    if (reason.empty() && display.quiet) return;
    ClearProgress(display);
    if (reason.empty()) {
        printf("converted: %s -> %s\n", source.c_str(), output.c_str());
        fflush(stdout);
    } else {
        fprintf(stderr, "failed: %s: %s\n", source.c_str(), reason.c_str());
        fflush(stderr);
    }
    DrawProgress(display, true);
}

std::string FormatDuration(double seconds) {
    if (seconds < 0) seconds = 0;
    long whole = static_cast<long>(seconds + 0.5);
    char text[32];
    if (whole >= 3600)
        snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

void DrawProgress(ProgressDisplay& display, bool force) {
    if (!display.live) return;
    auto now = std::chrono::steady_clock::now();
    if (!force && now - display.lastDrawn < std::chrono::milliseconds(100)) return;
    display.lastDrawn = now;
    uint64_t reached = display.doneWeight;
    for (uint64_t part : display.runningWeight) reached += part;
    double share = display.totalWeight ? static_cast<double>(reached) / static_cast<double>(display.totalWeight)
                                       : (display.total ? static_cast<double>(display.done) / display.total : 1.0);
    if (share > 1) share = 1;
    double elapsed = std::chrono::duration<double>(now - display.started).count();
    std::string left = share > 0.01 ? FormatDuration(elapsed * (1 - share) / share) + " left" : "time left unknown";
    printf("\r%d of %d files done, %d %% of the audio, %s\x1b[K", display.done, display.total,
           static_cast<int>(share * 100), left.c_str());
    fflush(stdout);
    display.lineShown = true;
}

void ClearProgress(ProgressDisplay& display) {
    if (!display.live || !display.lineShown) return;
    printf("\r\x1b[K");
    fflush(stdout);
    display.lineShown = false;
}
