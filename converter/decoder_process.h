// The decoder process runner.
//
// brisktune does not decode AAC itself: for every file it converts it runs the FAAD2
// decoder `faad` from the program folder, which writes the decoded audio to a WAV
// file. This file runs that child (through platform/process.h), drains its output
// and owns the program folder, where the decoder lies.
//
// Single-threaded: everything here runs on the user-interface thread.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

// Size of the process-wide path strings below; a path holds at most 1,023 bytes.
constexpr uint32_t kPathBufferSize = 1024;

// Process-wide, filled once by FindProgramFolder at start-up and read by the
// conversion job. Zero-terminated UTF-8; "" when the path could not be read or
// would not fit (a longer path is left out, never cut).
extern char modulePath[kPathBufferSize];     // full path of the running program file
extern char programFolder[kPathBufferSize];  // modulePath up to and including its last
                                             // '/', case kept (e.g. "/opt/BRISKTUNE/")

// Size of the process-wide buffer the decoder's output is read into.
constexpr uint32_t kDecoderOutputSize = 16384;

// Watches a decoder run, e.g. to keep the window alive while the decoder works.
// Called on the runner's thread with:
//   state 0 once before the first read,
//   state 1 after every read of the decoder's output, the final failing one (end of
//           output) included; `output` holds the `size` bytes just read (0 at the end),
//   state 2 once after the decoder has been ended and reaped.
// `output` points into the process-wide output buffer (valid during the call only;
// its text is FAAD2's progress, never interpreted here); for states 0 and 2 size is
// 0. Return non-zero to go on, 0 to have the decoder killed at once (the Stop
// button): no more reads follow, then state 2. The result of state 2 is ignored.
// When the decoder cannot be started the observer still sees 0, one 1 (size 0), 2.
typedef int (*DecoderObserver)(int state, const char* output, uint32_t size, void* context);

// Fills modulePath and programFolder from the running program's path.
void FindProgramFolder();

// programFolder + "faad", or "" when programFolder is empty or the result would not
// fit 1,023 bytes.
std::string DecoderPath();

// True when the decoder in the program folder exists and may be executed.
bool DecoderPresent();

// Runs `<programFolder>faad -d -o <outputPath> <sourcePath>` (an argument vector, no
// shell: spaces, quotes and any other letters in the paths pass as they are) and
// returns after the decoder has ended. -d has the decoder mix 5.1 down to stereo.
// Returns true when the decoder was started, false when it was not: no program
// folder, a path that does not fit 1,023 bytes (the observer is then not called), or
// the decoder missing or not executable. The outcome of the decoding itself is
// learnt only from what lies at `outputPath` afterwards (FAAD2 exits with 0 even
// when it fails). `observer` may be null; `context` is passed to it untouched.
bool DecodeToWav(const char* sourcePath, const char* outputPath, DecoderObserver observer,
                 void* context);

// Runs arguments[0] (a program path; no search in PATH) with `arguments` as its
// argument vector, reading its standard output and standard error into the
// process-wide output buffer until they end, with the observer states described
// above, then ends the child (killing it if it still lives) and reaps it. Returns
// true when the child was started.
bool RunPiped(const std::vector<std::string>& arguments, DecoderObserver observer, void* context);
