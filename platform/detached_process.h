// Starting a program that outlives its starter.
//
// The program runs detached: in a session of its own, not a child of the caller (it
// is handed to the system's init process at once, so nobody has to reap it), with
// standard input from /dev/null, the caller's standard output and error, an empty
// signal mask, default signal dispositions, no other descriptor of the caller, the
// caller's environment, and `workingFolder` as its working folder.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace platform {

struct DetachedStart {
    bool started = false;  // the program was executed
    int error = 0;         // errno of the step that failed when not started
    pid_t pid = 0;         // the program's process id when started
};

// Executes arguments[0] (a path, not looked up in PATH) with `arguments` as its
// argument vector, in `workingFolder` (null or "": the caller's own). Returns once
// the exec has happened or failed. An empty vector starts nothing (error EINVAL).
DetachedStart startDetached(const std::vector<std::string>& arguments, const char* workingFolder);

}  // namespace platform
