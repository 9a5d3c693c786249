#pragma once
// Window timers. A timer repeats until killed; arming an armed id starts its
// interval again. An expiry is delivered as one WM_TIMER however late the loop
// comes to it, and the next interval counts from that delivery.

#include "platform/base/Clock.h"
#include "platform/base/Win32Types.h"

#include <optional>
#include <vector>

namespace platform {

struct DueTimer {
    HWND window;
    UINT_PTR id;
};

class TimerQueue {
public:
    void arm(HWND window, UINT_PTR id, UINT intervalMs, Microseconds now);
    bool kill(HWND window, UINT_PTR id);
    void killAll(HWND window);
    bool isArmed(HWND window, UINT_PTR id) const;
    // When the next timer comes due; nothing when none is armed.
    std::optional<Microseconds> nextDue() const;
    // The timer due first at time now, re-armed for its next interval.
    std::optional<DueTimer> takeDue(Microseconds now);

private:
    struct Timer {
        HWND window;
        UINT_PTR id;
        Microseconds interval;
        Microseconds due;
    };
    std::vector<Timer> m_timers;
};

TimerQueue& timers();

// Delivers the timer due first, if one is due now. Drivers call it from their loops.
bool dispatchDueTimer();

} // namespace platform

using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC callback);
BOOL KillTimer(HWND window, UINT_PTR id);
