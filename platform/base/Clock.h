#pragma once
// The time the layer runs on. Real drivers use the monotonic clock; the sim
// driver installs a virtual one, so a two-second erase wait passes in no time and
// every event of a transfer has an exact, repeatable timestamp.

#include <cstdint>

namespace platform {

using Microseconds = std::int64_t;

class Clock {
public:
    virtual ~Clock() = default;
    virtual Microseconds now() const = 0;
    // Blocks the calling thread (or, on a virtual clock, moves time on) without
    // dispatching anything.
    virtual void block(Microseconds duration) = 0;
};

class MonotonicClock final : public Clock {
public:
    Microseconds now() const override;
    void block(Microseconds duration) override;
};

// The clock in force; a monotonic clock unless a driver installed another.
Clock& clock();
// Installs a clock and returns the one it replaces; nullptr restores the default.
Clock* installClock(Clock* replacement);

} // namespace platform
