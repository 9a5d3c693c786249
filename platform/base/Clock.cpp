#include "platform/base/Clock.h"

#include <cerrno>
#include <ctime>

namespace platform {

namespace {
MonotonicClock defaultClock;
Clock* current = &defaultClock;
} // namespace

Microseconds MonotonicClock::now() const {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<Microseconds>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

void MonotonicClock::block(Microseconds duration) {
    if (duration <= 0)
        return;
    // An absolute deadline keeps the wait exact when a signal interrupts it.
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += duration / 1'000'000;
    deadline.tv_nsec += (duration % 1'000'000) * 1000;
    if (deadline.tv_nsec >= 1'000'000'000) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1'000'000'000;
    }
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

Clock& clock() {
    return *current;
}

Clock* installClock(Clock* replacement) {
    Clock* previous = current;
    current = replacement ? replacement : &defaultClock;
    return previous == &defaultClock ? nullptr : previous;
}

} // namespace platform
