#include "platform/drivers/qt/TimerPump.h"

#include "platform/base/Clock.h"
#include "platform/window/Timers.h"
#include "platform/window/Wnd.h"

#include <algorithm>
#include <limits>

namespace platform::qt {

TimerPump::TimerPump(std::function<void()> delivered) : m_delivered(std::move(delivered)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
}

void TimerPump::rearm() {
    const std::optional<Microseconds> due = timers().nextDue();
    if (!due) {
        m_timer.stop();
        return;
    }
    // Rounded up: waking before the timer is due would only arm again.
    const Microseconds wait = std::max<Microseconds>(0, *due - clock().now());
    const Microseconds waitMs =
        std::min<Microseconds>((wait + 999) / 1000, std::numeric_limits<int>::max());
    m_timer.start(static_cast<int>(waitMs));
}

void TimerPump::fire() {
    const std::optional<DueTimer> due = timers().takeDue(clock().now());
    // Armed for the next one before the handler runs: a handler that opens a
    // message box keeps every timer firing inside it.
    rearm();
    if (!due)
        return;
    SendMessageA(due->window, WM_TIMER, due->id, 0);
    m_delivered();
}

} // namespace platform::qt
