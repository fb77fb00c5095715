// Running a child program and draining its output.
//
// The child is started from an argument vector (no shell, no quoting), with standard
// input from /dev/null, standard output and standard error both into one pipe, its
// niceness raised, and no other descriptor of the parent. The parent reads the pipe
// until end of file in blocks into the caller's buffer, calling the caller's observer
// after every read, then reaps the child, killing it first when it still lives.
// Everything happens on the calling thread; the call returns once the child is gone.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

namespace platform {

// What the observer is told.
enum class ProcessPhase {
    Started,  // the child runs; nothing read yet (data is the buffer, size 0)
    Read,     // one read of the pipe has returned: `size` bytes at `data`; the final
              // read (end of file, or a read error) comes with size 0
};

// Called on the runner's thread with the caller's `context`. `data` points into the
// caller's buffer and is valid only during the call. Returns true to go on, false to
// have the child killed at once (no further reads; the child is still reaped).
using ProcessObserver = bool (*)(void* context, ProcessPhase phase, const char* data, size_t size);

struct ProcessOptions {
    bool searchPath = false;  // false: arguments[0] is the program's own path (execv);
                              // true: a bare name is looked up in PATH (execvp)
    int niceIncrement = 10;   // added to the child's niceness before it executes
};

struct ProcessResult {
    bool started = false;     // the program was executed (exec succeeded in the child)
    int startError = 0;       // errno of the step that failed when not started
    bool stopped = false;     // the observer asked to end the child
    bool killed = false;      // the runner killed the child (stop, or alive after EOF)
    bool exited = false;      // the child ended through exit(); exitCode holds its code
    int exitCode = 0;
    int signal = 0;           // the signal that ended the child, 0 if none
};

// Runs arguments[0] with `arguments` as its argument vector (arguments[0] included)
// and reads its output into buffer[0 .. bufferSize) until end of file. `observer`
// may be null; `context` is passed to it untouched. An empty argument vector, a
// null buffer or a zero size starts nothing (started = false, startError = EINVAL).
// The child inherits the parent's environment and working folder.
ProcessResult runProcess(const std::vector<std::string>& arguments, char* buffer, size_t bufferSize,
                         ProcessObserver observer, void* context,
                         const ProcessOptions& options = ProcessOptions());

// True when `path` names a regular file that this process may execute.
bool isRunnableFile(const char* path);

}  // namespace platform
