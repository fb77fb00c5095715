#include "platform/process.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#if __has_include(<linux/close_range.h>)
#include <linux/close_range.h>
#endif

namespace platform {
namespace {

// Every descriptor the runner makes is close-on-exec from birth, so a child that
// another thread forks meanwhile cannot inherit it.
struct Descriptors {
    int devNull = -1;
    int outRead = -1, outWrite = -1;        // the child's output
    int statusRead = -1, statusWrite = -1;  // the child's exec failure, as an errno
};

void closeIfOpen(int& fd)
{
    if (fd >= 0) {
        // Linux releases the descriptor even when close reports EINTR; never retry.
        ::close(fd);
        fd = -1;
    }
}

void closeAll(Descriptors& d)
{
    closeIfOpen(d.devNull);
    closeIfOpen(d.outRead);
    closeIfOpen(d.outWrite);
    closeIfOpen(d.statusRead);
    closeIfOpen(d.statusWrite);
}

// Moves a descriptor to 3 or above, so that placing the child's standard descriptors
// (0, 1, 2) can never overwrite another of ours when the parent runs with some of
// them closed.
bool raiseAboveStandard(int& fd)
{
    if (fd > 2)
        return true;
    const int raised = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (raised < 0)
        return false;
    ::close(fd);
    fd = raised;
    return true;
}

bool makeDescriptors(Descriptors& d, int& error)
{
    int out[2], status[2];
    d.devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (d.devNull < 0) {
        error = errno;
        return false;
    }
    if (::pipe2(out, O_CLOEXEC) != 0) {
        error = errno;
        return false;
    }
    d.outRead = out[0];
    d.outWrite = out[1];
    if (::pipe2(status, O_CLOEXEC) != 0) {
        error = errno;
        return false;
    }
    d.statusRead = status[0];
    d.statusWrite = status[1];
    for (int* fd : {&d.devNull, &d.outRead, &d.outWrite, &d.statusRead, &d.statusWrite}) {
        if (!raiseAboveStandard(*fd)) {
            error = errno;
            return false;
        }
    }
    return true;
}

// --- In the child, between fork and exec: async-signal-safe calls only. ---

[[noreturn]] void childFail(int statusFd)
{
    const int error = errno;
    ssize_t n;
    do {
        n = ::write(statusFd, &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::_exit(127);
}

bool placeAt(int fd, int target)
{
    int r;
    do {
        r = ::dup2(fd, target);
    } while (r < 0 && errno == EINTR);
    return r >= 0;  // dup2 leaves the new descriptor without close-on-exec
}

// Marks every descriptor above 2 close-on-exec, so the program starts with 0, 1 and
// 2 only. The status pipe stays open until the exec itself closes it.
bool closeOthersOnExec(int highestFd)
{
#ifdef CLOSE_RANGE_CLOEXEC
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return true;
#endif
    // Older kernels: one descriptor at a time.
    for (int fd = 3; fd <= highestFd; ++fd) {
        const int flags = ::fcntl(fd, F_GETFD);
        if (flags >= 0 && !(flags & FD_CLOEXEC) && ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC) != 0)
            return false;
    }
    return true;
}

[[noreturn]] void runChild(const Descriptors& d, char* const* argv, const ProcessOptions& options,
                           int highestFd)
{
    // A parent that ignores SIGPIPE or blocks signals must not pass that on.
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    if (::sigaction(SIGPIPE, &dfl, nullptr) != 0)
        childFail(d.statusWrite);
    sigset_t none;
    sigemptyset(&none);
    if (::sigprocmask(SIG_SETMASK, &none, nullptr) != 0)
        childFail(d.statusWrite);

    if (!placeAt(d.devNull, 0) || !placeAt(d.outWrite, 1) || !placeAt(d.outWrite, 2))
        childFail(d.statusWrite);
    if (!closeOthersOnExec(highestFd))
        childFail(d.statusWrite);

    if (options.niceIncrement != 0) {
        errno = 0;
        const int current = ::getpriority(PRIO_PROCESS, 0);
        if (current == -1 && errno != 0)
            childFail(d.statusWrite);
        if (::setpriority(PRIO_PROCESS, 0, current + options.niceIncrement) != 0)
            childFail(d.statusWrite);
    }

    if (options.searchPath)
        ::execvp(argv[0], argv);
    else
        ::execv(argv[0], argv);
    childFail(d.statusWrite);
}

// --- In the parent. ---

// Reads the child's exec report: end of file means the exec happened (the status
// pipe closed with it); an errno means it did not.
bool execSucceeded(int statusRead, int& error)
{
    int reported = 0;
    ssize_t n;
    do {
        n = ::read(statusRead, &reported, sizeof reported);
    } while (n < 0 && errno == EINTR);
    if (n == static_cast<ssize_t>(sizeof reported)) {
        error = reported;
        return false;
    }
    // n == 0: exec closed the pipe. A failing read leaves us unable to tell; the
    // drain and the reaping that follow are right in either case.
    return true;
}

pid_t waitFor(pid_t pid, int& status, int flags)
{
    pid_t r;
    do {
        r = ::waitpid(pid, &status, flags);
    } while (r < 0 && errno == EINTR);
    return r;
}

void sleepMilliseconds(long ms)
{
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (::nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

// After the output has ended the child normally exits within moments; give it a
// short grace so that its own exit status is seen, then kill it.
constexpr int kGraceSteps = 100;  // of 1 ms each

// `killed` says the child has been sent SIGKILL already.
void reap(pid_t pid, bool killed, ProcessResult& result)
{
    int status = 0;
    pid_t r = 0;
    if (!killed) {
        for (int step = 0; step < kGraceSteps; ++step) {
            r = waitFor(pid, status, WNOHANG);
            if (r != 0)
                break;
            sleepMilliseconds(1);
        }
    }
    if (r == 0) {
        if (!killed && ::kill(pid, SIGKILL) == 0)
            result.killed = true;
        r = waitFor(pid, status, 0);
    }
    if (r != pid)
        return;  // nothing to learn (SIGCHLD ignored by the program, say)
    if (WIFEXITED(status)) {
        result.exited = true;
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
}

int highestDescriptor()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        limit.rlim_cur > 1048576)
        return 1048575;
    return static_cast<int>(limit.rlim_cur) - 1;
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& arguments, char* buffer, size_t bufferSize,
                         ProcessObserver observer, void* context, const ProcessOptions& options)
{
    ProcessResult result;
    if (arguments.empty() || arguments[0].empty() || !buffer || bufferSize == 0) {
        result.startError = EINVAL;
        return result;
    }

    // Everything the child needs is made before the fork: after it, only
    // async-signal-safe calls are allowed.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int highestFd = highestDescriptor();

    Descriptors d;
    if (!makeDescriptors(d, result.startError)) {
        closeAll(d);
        return result;
    }

    const pid_t pid = ::fork();
    if (pid < 0) {
        result.startError = errno;
        closeAll(d);
        return result;
    }
    if (pid == 0)
        runChild(d, argv.data(), options, highestFd);

    // From here on the child holds the only write ends: the output pipe ends exactly
    // when the child (and whatever it handed its output to) has closed it.
    closeIfOpen(d.outWrite);
    closeIfOpen(d.statusWrite);
    closeIfOpen(d.devNull);
    const bool execOk = execSucceeded(d.statusRead, result.startError);
    closeIfOpen(d.statusRead);
    if (!execOk) {
        closeIfOpen(d.outRead);
        int status = 0;
        waitFor(pid, status, 0);
        return result;
    }
    result.started = true;

    bool goOn = observer ? observer(context, ProcessPhase::Started, buffer, 0) : true;
    bool endOfOutput = false;
    while (goOn) {
        const ssize_t n = ::read(d.outRead, buffer, bufferSize);
        if (n < 0 && errno == EINTR)
            continue;
        endOfOutput = n <= 0;
        if (observer)
            goOn = observer(context, ProcessPhase::Read, buffer, n > 0 ? static_cast<size_t>(n) : 0);
        if (endOfOutput)
            break;
    }
    result.stopped = !endOfOutput;
    // A child stopped by request is killed before its pipe closes, so that it dies of
    // the kill and not of a broken pipe on its next write.
    if (result.stopped && ::kill(pid, SIGKILL) == 0)
        result.killed = true;
    closeIfOpen(d.outRead);
    reap(pid, result.stopped, result);
    return result;
}

bool isRunnableFile(const char* path)
{
    struct stat st {};
    return path && *path && ::stat(path, &st) == 0 && S_ISREG(st.st_mode) && ::access(path, X_OK) == 0;
}

}  // namespace platform
