// Closing a GUI program in order when it is asked to end by a signal.
//
// SIGTERM and SIGINT are blocked for the process and read from a signalfd that the
// GUI's event loop watches, so the handler runs on the GUI thread between events
// (never inside a signal handler) and may use the whole window layer. Child
// processes started through platform/process.h get an empty signal mask back.
#pragma once

namespace platform {

// Called on the GUI thread once per received signal (SIGTERM or SIGINT).
typedef void (*TerminationHandler)(int signalNumber, void* context);

// Starts watching; the watch lives as long as the QApplication (it is owned by it).
// Returns false (and changes nothing) when no QApplication exists or the signals
// cannot be redirected.
bool watchTerminationSignals(TerminationHandler handler, void* context);

}  // namespace platform
