#include "platform/worker_process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

namespace platform {

struct StopSignals {
    int descriptor = -1;
    sigset_t previousMask;
    struct sigaction previousPipe;
};

struct Worker {
    pid_t pid = -1;
    int toChild = -1;    // parent's write end
    int fromChild = -1;  // parent's read end, non-blocking
    std::string pending; // bytes after the last complete line
    bool ended = false;  // end of file seen on fromChild
};

struct WorkerChannel {
    int fromParent = -1;
    int toParent = -1;
    std::string pending;
};

namespace {

sigset_t stopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

bool writeAll(int descriptor, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(descriptor, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void closeQuietly(int& descriptor) {
    if (descriptor >= 0) close(descriptor);
    descriptor = -1;
}

// Closes every descriptor from 3 up except the two given.
void closeOthers(int keepA, int keepB) {
    int low = std::min(keepA, keepB), high = std::max(keepA, keepB);
    if (low > 3) close_range(3, static_cast<unsigned>(low - 1), 0);
    if (high > low + 1) close_range(static_cast<unsigned>(low + 1), static_cast<unsigned>(high - 1), 0);
    close_range(static_cast<unsigned>(high + 1), ~0U, 0);
}

int reap(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return 128;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 128;
}

}  // namespace

StopSignals* catchStopSignals() {
    auto* signals = new StopSignals;
    sigset_t set = stopSet();
    if (sigprocmask(SIG_BLOCK, &set, &signals->previousMask) != 0) {
        delete signals;
        return nullptr;
    }
    signals->descriptor = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signals->descriptor < 0) {
        sigprocmask(SIG_SETMASK, &signals->previousMask, nullptr);
        delete signals;
        return nullptr;
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (sigaction(SIGPIPE, &ignore, &signals->previousPipe) != 0) {
        close(signals->descriptor);
        sigprocmask(SIG_SETMASK, &signals->previousMask, nullptr);
        delete signals;
        return nullptr;
    }
    return signals;
}

void releaseStopSignals(StopSignals* signals) {
    if (!signals) return;
    closeQuietly(signals->descriptor);
    sigaction(SIGPIPE, &signals->previousPipe, nullptr);
    sigprocmask(SIG_SETMASK, &signals->previousMask, nullptr);
    delete signals;
}

Worker* startWorker(WorkerBody body, void* context, std::string* error) {
    int down[2], up[2];  // down: parent -> child, up: child -> parent
    if (pipe2(down, O_CLOEXEC) != 0) {
        if (error) *error = std::string("Cannot make a pipe: ") + strerror(errno);
        return nullptr;
    }
    if (pipe2(up, O_CLOEXEC) != 0) {
        if (error) *error = std::string("Cannot make a pipe: ") + strerror(errno);
        close(down[0]);
        close(down[1]);
        return nullptr;
    }
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid < 0) {
        if (error) *error = std::string("Cannot start a worker process: ") + strerror(errno);
        close(down[0]); close(down[1]); close(up[0]); close(up[1]);
        return nullptr;
    }
    if (pid == 0) {
        setpgid(0, 0);
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigemptyset(&standard.sa_mask);
        sigaction(SIGINT, &standard, nullptr);
        sigaction(SIGTERM, &standard, nullptr);
        sigaction(SIGPIPE, &standard, nullptr);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        closeOthers(down[0], up[1]);
        WorkerChannel channel;
        channel.fromParent = down[0];
        channel.toParent = up[1];
        int code = body(context, &channel);
        fflush(stdout);
        fflush(stderr);
        _exit(code);
    }
    // Both sides set the group, so it holds whichever runs first.
    setpgid(pid, pid);
    close(down[0]);
    close(up[1]);
    auto* worker = new Worker;
    worker->pid = pid;
    worker->toChild = down[1];
    worker->fromChild = up[0];
    int flags = fcntl(worker->fromChild, F_GETFL);
    if (flags < 0 || fcntl(worker->fromChild, F_SETFL, flags | O_NONBLOCK) != 0) {
        if (error) *error = std::string("Cannot set up a worker's pipe: ") + strerror(errno);
        stopWorker(worker);
        return nullptr;
    }
    return worker;
}

bool sendToWorker(Worker* worker, const std::string& line) {
    if (!worker || worker->toChild < 0) return false;
    return writeAll(worker->toChild, line + "\n");
}

int waitForWorkers(const std::vector<Worker*>& workers, StopSignals* signals, int timeoutMs) {
    std::vector<pollfd> watched;
    if (signals) watched.push_back({signals->descriptor, POLLIN, 0});
    for (Worker* worker : workers) {
        if (worker && !worker->ended) watched.push_back({worker->fromChild, POLLIN, 0});
    }
    int ready = poll(watched.data(), watched.size(), timeoutMs);
    if (ready <= 0 || !signals || !(watched[0].revents & POLLIN)) return 0;
    signalfd_siginfo info;
    ssize_t n = read(signals->descriptor, &info, sizeof info);
    if (n != static_cast<ssize_t>(sizeof info)) return 0;
    return static_cast<int>(info.ssi_signo);
}

bool takeWorkerLines(Worker* worker, std::vector<std::string>& lines) {
    if (!worker) return false;
    char block[4096];
    while (!worker->ended) {
        ssize_t n = read(worker->fromChild, block, sizeof block);
        if (n > 0) {
            worker->pending.append(block, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        worker->ended = true;  // end of file, or a broken pipe
    }
    size_t start = 0, end;
    while ((end = worker->pending.find('\n', start)) != std::string::npos) {
        lines.push_back(worker->pending.substr(start, end - start));
        start = end + 1;
    }
    worker->pending.erase(0, start);
    return !worker->ended;
}

int finishWorker(Worker* worker) {
    if (!worker) return 0;
    closeQuietly(worker->toChild);
    closeQuietly(worker->fromChild);
    int code = reap(worker->pid);
    delete worker;
    return code;
}

void stopWorker(Worker* worker) {
    if (!worker) return;
    closeQuietly(worker->toChild);
    closeQuietly(worker->fromChild);
    kill(-worker->pid, SIGTERM);
    kill(worker->pid, SIGTERM);
    // Give it a second to end. The group is killed before the worker is reaped, so
    // its id cannot have been given to another process meanwhile.
    for (int i = 0; i < 100; ++i) {
        siginfo_t info {};
        if (waitid(P_PID, static_cast<id_t>(worker->pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == worker->pid)
            break;
        struct timespec pause {0, 10 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    kill(-worker->pid, SIGKILL);
    reap(worker->pid);
    delete worker;
}

bool readFromParent(WorkerChannel* channel, std::string& line) {
    if (!channel) return false;
    for (;;) {
        size_t end = channel->pending.find('\n');
        if (end != std::string::npos) {
            line = channel->pending.substr(0, end);
            channel->pending.erase(0, end + 1);
            return true;
        }
        char block[1024];
        ssize_t n = read(channel->fromParent, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        channel->pending.append(block, static_cast<size_t>(n));
    }
}

bool writeToParent(WorkerChannel* channel, const std::string& line) {
    if (!channel) return false;
    return writeAll(channel->toParent, line + "\n");
}

bool isTerminal(int descriptor) {
    return isatty(descriptor) == 1;
}

int processorCount() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        int count = CPU_COUNT(&set);
        if (count > 0) return count;
    }
    long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

}  // namespace platform
