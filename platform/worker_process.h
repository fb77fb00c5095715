// Worker processes: forked copies of the calling program that each run one function
// and talk to the parent in lines of text over a pair of pipes, and stop signals
// (SIGINT, SIGTERM) taken as events instead of through a handler.
//
// A worker is its own process group, so a Ctrl-C on the terminal reaches only the
// parent, which decides what to stop; stopping a worker ends its whole group (the
// worker and any program it is running). Nothing here keeps static state: every
// worker lives in the Worker record that startWorker returns.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct Worker;         // parent side: the child, its pipes and its unread output
struct WorkerChannel;  // child side: the two pipe ends to the parent
struct StopSignals;    // SIGINT and SIGTERM, blocked and read from a descriptor

// The worker's function: runs in the child with the caller's `context` (the child's
// copy of it) and the channel to the parent. Its result becomes the child's exit code.
using WorkerBody = int (*)(void* context, WorkerChannel* channel);

// Blocks SIGINT and SIGTERM for the calling process and opens a descriptor that
// reports them, and ignores SIGPIPE (a worker that died must not kill the parent).
// Call before starting workers. Returns null when it cannot be set up. The record
// belongs to the caller until releaseStopSignals, which restores the mask.
StopSignals* catchStopSignals();
void releaseStopSignals(StopSignals* signals);

// Starts a worker running body(context, channel) in a forked child. Standard output
// and error are flushed first so the child does not repeat buffered text. In the
// child: a new process group, default signal handling (nothing blocked, SIGPIPE
// default), every descriptor but 0, 1, 2 and the channel closed. Returns null with
// the reason in *error when the pipes or the fork fail. The Worker belongs to the
// caller until finishWorker or stopWorker.
Worker* startWorker(WorkerBody body, void* context, std::string* error = nullptr);

// Parent: sends `line` (a '\n' is added; the line must hold none) to the worker.
// False when the worker cannot be reached any more.
bool sendToWorker(Worker* worker, const std::string& line);

// Parent: waits up to timeoutMs (-1: no limit) until a worker has written something
// or ended, or a stop signal arrives. Returns the stop signal's number (SIGINT or
// SIGTERM), or 0. Afterwards takeWorkerLines reads what each worker sent.
int waitForWorkers(const std::vector<Worker*>& workers, StopSignals* signals, int timeoutMs);

// Parent: appends the complete lines that the worker has sent so far (without their
// '\n') to `lines`, reading only what is waiting. Returns false once the worker's
// pipe is closed (it has ended) and everything it sent has been taken.
bool takeWorkerLines(Worker* worker, std::vector<std::string>& lines);

// Parent: closes the pipe to the worker (which reads that as "no more work"), waits
// for it to end and releases the record. Returns its exit code, or 128 + the signal
// that ended it.
int finishWorker(Worker* worker);

// Parent: ends the worker's whole process group (SIGTERM, then SIGKILL if it is
// still there after a second), reaps it and releases the record.
void stopWorker(Worker* worker);

// Child: reads the next line from the parent into `line`. False at end of input
// (the parent closed the pipe or died).
bool readFromParent(WorkerChannel* channel, std::string& line);

// Child: sends `line` (a '\n' is added) to the parent. False when the parent is gone.
bool writeToParent(WorkerChannel* channel, const std::string& line);

// Whether descriptor 0, 1 or 2 is a terminal.
bool isTerminal(int descriptor);

// Number of processors available to this process (at least 1).
int processorCount();

}  // namespace platform
