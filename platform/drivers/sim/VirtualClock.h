#pragma once
// Virtual time for tests: it moves only when something blocks or the loop jumps
// to the next event, so every timeline is exact and a long transfer takes no time.

#include "platform/base/Clock.h"

namespace sim {

class VirtualClock final : public platform::Clock {
public:
    platform::Microseconds now() const override { return m_now; }
    void block(platform::Microseconds duration) override {
        if (duration > 0)
            m_now += duration;
    }
    void advanceTo(platform::Microseconds when) {
        if (when > m_now)
            m_now = when;
    }

private:
    platform::Microseconds m_now = 0;
};

} // namespace sim
