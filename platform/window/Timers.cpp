#include "platform/window/Timers.h"

#include "platform/window/Driver.h"
#include "platform/window/Wnd.h"

#include <algorithm>

namespace platform {

namespace {
// Windows never runs a timer faster than this.
constexpr UINT kMinimumIntervalMs = 10;
} // namespace

void TimerQueue::arm(HWND window, UINT_PTR id, UINT intervalMs, Microseconds now) {
    const Microseconds interval =
        static_cast<Microseconds>(std::max(intervalMs, kMinimumIntervalMs)) * 1000;
    kill(window, id);
    m_timers.push_back({window, id, interval, now + interval});
}

bool TimerQueue::kill(HWND window, UINT_PTR id) {
    const auto removed =
        std::erase_if(m_timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    return removed > 0;
}

void TimerQueue::killAll(HWND window) {
    std::erase_if(m_timers, [&](const Timer& t) { return t.window == window; });
}

bool TimerQueue::isArmed(HWND window, UINT_PTR id) const {
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const Timer& t) { return t.window == window && t.id == id; });
}

std::optional<Microseconds> TimerQueue::nextDue() const {
    std::optional<Microseconds> next;
    for (const Timer& t : m_timers) {
        if (!next || t.due < *next)
            next = t.due;
    }
    return next;
}

std::optional<DueTimer> TimerQueue::takeDue(Microseconds now) {
    // The earliest due first; among equals, the one armed first.
    Timer* first = nullptr;
    for (Timer& t : m_timers) {
        if (t.due <= now && (!first || t.due < first->due))
            first = &t;
    }
    if (!first)
        return std::nullopt;
    first->due = now + first->interval;
    return DueTimer{first->window, first->id};
}

TimerQueue& timers() {
    static TimerQueue queue;
    return queue;
}

bool dispatchDueTimer() {
    const std::optional<DueTimer> due = timers().takeDue(clock().now());
    if (!due)
        return false;
    SendMessageA(due->window, WM_TIMER, due->id, 0);
    return true;
}

} // namespace platform

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC) {
    if (!window)
        return 0;
    platform::timers().arm(window, id, elapseMs, platform::clock().now());
    platform::driver().timersChanged();
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    const bool killed = platform::timers().kill(window, id);
    platform::driver().timersChanged();
    return killed ? TRUE : FALSE;
}
