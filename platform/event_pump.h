// The event pump primitives and the process's quit request.
//
// The quit request is a flag (with its exit code) kept as a property of the one
// QApplication, not an event in a queue: a pump nested inside a long operation or
// a modal dialog cannot consume it, so the main loop always sees it once posted.
// All functions do nothing (or answer false/0) when no QApplication exists.
#pragma once

namespace platform {

// Handles every event that is waiting (input, paints, posted events and deferred
// deletions of destroyed dialogs), then returns at once. Never sleeps.
void processPendingEvents();

// Blocks until at least one event arrives (or a quit is posted), handles what is
// waiting, and returns. The idle main loop: costs no processor time while waiting.
void waitForEvents();

// Sets the quit request with `exitCode` and wakes a waitForEvents that is blocked.
// Posting again keeps the request set and replaces the exit code.
void postQuit(int exitCode);

// True once postQuit has been called (until clearQuitRequest).
bool quitRequested();

// The exit code given to the latest postQuit; 0 when none was posted.
int quitExitCode();

// Clears the request (for a program that starts a second session, and for tests).
void clearQuitRequest();

}  // namespace platform
