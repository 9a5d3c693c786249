#pragma once
// A virtual clock for tests: time moves only when something blocks on it, so
// durations on the timeline are exact. Installed while it lives.

#include "platform/base/Clock.h"

class ManualClock final : public platform::Clock {
public:
    ManualClock() : m_previous(platform::installClock(this)) {}
    ~ManualClock() override { platform::installClock(m_previous); }
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    platform::Microseconds now() const override { return m_now; }
    void block(platform::Microseconds duration) override {
        if (duration > 0)
            m_now += duration;
    }

private:
    platform::Clock* m_previous;
    platform::Microseconds m_now = 1'000'000;
};
