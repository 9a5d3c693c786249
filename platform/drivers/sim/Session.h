#pragma once
// A test's world: the virtual clock and the sim driver installed, the program's
// resources in force, and the outcome of a run recorded.

#include "platform/drivers/sim/SimDriver.h"
#include "platform/window/Resources.h"

#include <functional>
#include <optional>
#include <string>

namespace sim {

struct Outcome {
    enum class Kind { Returned, Exited, Stalled };
    Kind kind = Kind::Returned;
    UINT exitCode = 0;
    std::string stalledBecause;

    bool exited(UINT code) const { return kind == Kind::Exited && exitCode == code; }
};

class Session {
public:
    explicit Session(const platform::ResourceModule* resources = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    VirtualClock& clock() { return m_clock; }
    SimDriver& driver() { return m_driver; }
    platform::Microseconds nowMs() const { return m_clock.now() / 1000; }

    // Runs the body; an immediate exit or a stall inside ends it.
    Outcome run(const std::function<void()>& body);
    void runUntilIdle(platform::DialogWindow* dialog = nullptr, Script script = {}) {
        m_driver.runUntilIdle(dialog, std::move(script));
    }

private:
    VirtualClock m_clock;
    SimDriver m_driver;
    platform::Clock* m_previousClock;
    platform::Driver* m_previousDriver;
};

} // namespace sim
