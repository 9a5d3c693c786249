#include "platform/drivers/console/SignalWait.h"

#include <cerrno>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace console {

namespace {

sigset_t endingSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

timespec durationOf(platform::Microseconds us) {
    return {static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
}

} // namespace

SignalWait::SignalWait() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &m_previousPipe);

    const sigset_t set = endingSignals();
    if (sigprocmask(SIG_BLOCK, &set, &m_previousMask) != 0)
        return;
    m_blocked = true;
    m_descriptor = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    // Without the descriptor the signals could never be seen: leave them as they were.
    if (m_descriptor < 0) {
        sigprocmask(SIG_SETMASK, &m_previousMask, nullptr);
        m_blocked = false;
    }
}

SignalWait::~SignalWait() {
    if (m_descriptor >= 0)
        close(m_descriptor);
    if (m_blocked)
        sigprocmask(SIG_SETMASK, &m_previousMask, nullptr);
    sigaction(SIGPIPE, &m_previousPipe, nullptr);
}

int SignalWait::sleepUntil(platform::Microseconds deadline) {
    for (;;) {
        const platform::Microseconds left = deadline - platform::clock().now();
        if (left <= 0)
            return 0;
        const timespec timeout = durationOf(left);
        pollfd watched{m_descriptor, POLLIN, 0};
        const int ready = m_descriptor >= 0 ? ppoll(&watched, 1, &timeout, nullptr)
                                            : ppoll(nullptr, 0, &timeout, nullptr);
        if (ready > 0) {
            signalfd_siginfo info{};
            if (read(m_descriptor, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
                return static_cast<int>(info.ssi_signo);
        } else if (ready < 0 && errno != EINTR) {
            // A wait that cannot be done must not turn into a busy loop.
            platform::clock().block(left);
        }
    }
}

} // namespace console
