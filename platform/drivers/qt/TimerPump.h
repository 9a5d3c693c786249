#pragma once
// Delivers the layer's window timers from Qt's event loop, so they fire in every
// nested loop: dialogs, message boxes, menus. One precise single-shot timer is
// armed for whichever layer timer comes due first. Nothing runs during Sleep,
// which blocks the thread.

#include <QTimer>

#include <functional>

namespace platform::qt {

class TimerPump {
public:
    explicit TimerPump(std::function<void()> delivered);

    // The set of armed timers changed: arm for the earliest again.
    void rearm();

private:
    void fire();

    QTimer m_timer;
    std::function<void()> m_delivered;
};

} // namespace platform::qt
