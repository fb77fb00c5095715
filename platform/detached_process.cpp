#include "platform/detached_process.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#if __has_include(<linux/close_range.h>)
#include <linux/close_range.h>
#endif

namespace platform {
namespace {

// What the intermediate child reports through the status pipe: first the program's
// pid, then, only if the exec fails, its errno. End of file after the pid means the
// exec happened (the pipe is close-on-exec).
struct Report {
    int stage;  // 0: pid, 1: errno
    int value;
};

void writeReport(int fd, int stage, int value)
{
    const Report report{stage, value};
    ssize_t n;
    do {
        n = ::write(fd, &report, sizeof report);
    } while (n < 0 && errno == EINTR);
}

// --- Between fork and exec: async-signal-safe calls only. ---

[[noreturn]] void failWith(int statusFd, int error)
{
    writeReport(statusFd, 1, error);
    ::_exit(127);
}

bool placeAt(int fd, int target)
{
    int r;
    do {
        r = ::dup2(fd, target);
    } while (r < 0 && errno == EINTR);
    return r >= 0;
}

bool closeOthersOnExec(long highestFd)
{
#ifdef CLOSE_RANGE_CLOEXEC
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return true;
#endif
    for (long fd = 3; fd <= highestFd; ++fd) {
        const int flags = ::fcntl(static_cast<int>(fd), F_GETFD);
        if (flags >= 0 && !(flags & FD_CLOEXEC) &&
            ::fcntl(static_cast<int>(fd), F_SETFD, flags | FD_CLOEXEC) != 0)
            return false;
    }
    return true;
}

[[noreturn]] void runProgram(int statusFd, int devNull, char* const* argv, const char* folder,
                             long highestFd)
{
    // A GUI starter blocks termination signals and may ignore SIGPIPE; the program
    // must start with the defaults.
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    for (int sig : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGCHLD})
        if (::sigaction(sig, &dfl, nullptr) != 0)
            failWith(statusFd, errno);
    sigset_t none;
    sigemptyset(&none);
    if (::sigprocmask(SIG_SETMASK, &none, nullptr) != 0)
        failWith(statusFd, errno);
    if (folder && *folder && ::chdir(folder) != 0)
        failWith(statusFd, errno);
    if (!placeAt(devNull, 0) || !closeOthersOnExec(highestFd))
        failWith(statusFd, errno);
    ::execv(argv[0], argv);
    failWith(statusFd, errno);
}

}  // namespace

DetachedStart startDetached(const std::vector<std::string>& arguments, const char* workingFolder)
{
    DetachedStart result;
    if (arguments.empty()) {
        result.error = EINVAL;
        return result;
    }
    // Everything the children need is made before forking.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    long highestFd = ::sysconf(_SC_OPEN_MAX);
    if (highestFd < 0)
        highestFd = 1024;

    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devNull < 0) {
        result.error = errno;
        return result;
    }
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0) {
        result.error = errno;
        ::close(devNull);
        return result;
    }

    const pid_t middle = ::fork();
    if (middle < 0) {
        result.error = errno;
        ::close(devNull);
        ::close(status[0]);
        ::close(status[1]);
        return result;
    }
    if (middle == 0) {
        // The intermediate child: a new session, then the program as its child, then
        // gone, so that the program is re-parented and never becomes our zombie.
        if (::setsid() < 0)
            failWith(status[1], errno);
        const pid_t program = ::fork();
        if (program < 0)
            failWith(status[1], errno);
        if (program == 0)
            runProgram(status[1], devNull, argv.data(), workingFolder, highestFd);
        writeReport(status[1], 0, static_cast<int>(program));
        ::_exit(0);
    }

    ::close(status[1]);
    ::close(devNull);
    int waitStatus = 0;
    pid_t r;
    do {
        r = ::waitpid(middle, &waitStatus, 0);
    } while (r < 0 && errno == EINTR);

    // Reads until end of file: the intermediate child's copy closes when it exits,
    // the program's when it executes (or after it reported a failure).
    Report report{};
    bool havePid = false;
    for (;;) {
        ssize_t n;
        do {
            n = ::read(status[0], &report, sizeof report);
        } while (n < 0 && errno == EINTR);
        if (n != static_cast<ssize_t>(sizeof report))
            break;
        if (report.stage == 0) {
            result.pid = report.value;
            havePid = true;
        } else {
            result.error = report.value;
            ::close(status[0]);
            result.pid = 0;
            return result;
        }
    }
    ::close(status[0]);
    if (!havePid) {
        result.error = (r < 0) ? errno : ECHILD;
        return result;
    }
    result.started = true;
    return result;
}

}  // namespace platform
