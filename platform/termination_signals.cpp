#include "platform/termination_signals.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace platform {

namespace {

// Owns the signalfd; parented to the QApplication, so it goes with it.
class SignalWatch : public QObject {
public:
    SignalWatch(int fd, const sigset_t& previous, TerminationHandler handler, void* context)
        : QObject(QCoreApplication::instance()), fd_(fd), previous_(previous),
          handler_(handler), context_(context),
          notifier_(new QSocketNotifier(fd, QSocketNotifier::Read, this))
    {
        QObject::connect(notifier_, &QSocketNotifier::activated, this, [this] { drain(); });
    }

    ~SignalWatch() override
    {
        ::close(fd_);
        // Signals sent from now on act as they did before the watch.
        ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
    }

private:
    void drain()
    {
        signalfd_siginfo info;
        for (;;) {
            ssize_t got = ::read(fd_, &info, sizeof info);
            if (got < 0 && errno == EINTR)
                continue;
            if (got != static_cast<ssize_t>(sizeof info))
                return;  // EAGAIN: nothing more waiting
            handler_(static_cast<int>(info.ssi_signo), context_);
        }
    }

    int fd_;
    sigset_t previous_;
    TerminationHandler handler_;
    void* context_;
    QSocketNotifier* notifier_;
};

}  // namespace

bool watchTerminationSignals(TerminationHandler handler, void* context)
{
    if (!handler || !QCoreApplication::instance())
        return false;
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigset_t previous;
    if (::sigprocmask(SIG_BLOCK, &set, &previous) != 0) {
        std::fprintf(stderr, "cannot block SIGTERM/SIGINT: %s\n", std::strerror(errno));
        return false;
    }
    int fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "cannot watch SIGTERM/SIGINT: %s\n", std::strerror(errno));
        ::sigprocmask(SIG_SETMASK, &previous, nullptr);
        return false;
    }
    new SignalWatch(fd, previous, handler, context);
    return true;
}

}  // namespace platform
