#include "platform/drivers/sim/Session.h"

#include "platform/window/Timers.h"

namespace sim {

Session::Session(const platform::ResourceModule* resources)
    : m_driver(m_clock), m_previousClock(platform::installClock(&m_clock)),
      m_previousDriver(platform::installDriver(&m_driver)) {
    if (resources)
        platform::setResources(resources);
}

Session::~Session() {
    platform::installDriver(m_previousDriver);
    platform::installClock(m_previousClock);
    platform::setResources(nullptr);
}

Outcome Session::run(const std::function<void()>& body) {
    Outcome outcome;
    try {
        body();
    } catch (const ProcessExit& exit) {
        outcome.kind = Outcome::Kind::Exited;
        outcome.exitCode = exit.code;
    } catch (const Stalled& stalled) {
        outcome.kind = Outcome::Kind::Stalled;
        outcome.stalledBecause = stalled.what();
    }
    return outcome;
}

} // namespace sim
