#pragma once
// Sleeping until the next timer in a terminal, with Ctrl-C and kill in mind:
// SIGINT, SIGTERM and SIGHUP are blocked and read from a descriptor, so the loop
// sees them between ticks and a tick is never cut halfway through its record.
// SIGPIPE is ignored meanwhile: a reader of the status line that goes away must
// not end a download halfway.

#include "platform/base/Clock.h"

#include <csignal>

namespace console {

class SignalWait {
public:
    SignalWait();
    ~SignalWait();
    SignalWait(const SignalWait&) = delete;
    SignalWait& operator=(const SignalWait&) = delete;

    // Sleeps until the deadline of the clock in force, or until one of the
    // signals comes: returns that signal, or 0 at the deadline.
    int sleepUntil(platform::Microseconds deadline);

private:
    int m_descriptor = -1;
    sigset_t m_previousMask{};
    bool m_blocked = false;
    struct sigaction m_previousPipe {};
};

} // namespace console
