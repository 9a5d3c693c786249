#include "platform/window/ProgressBar.h"

#include <algorithm>

namespace platform {

ProgressBar::ProgressBar(int id, DWORD style, CString text, RECT bounds, Window* parent)
    : Window(WindowKind::ProgressBar, id, style, std::move(text), bounds, parent) {}

LRESULT ProgressBar::procedure(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case PBM_SETRANGE: {
        const LRESULT previous = MAKELPARAM(static_cast<WORD>(m_lower), static_cast<WORD>(m_upper));
        // The range is two 16-bit values; the bar treats them as signed.
        m_lower = static_cast<std::int16_t>(LOWORD(static_cast<DWORD>(lParam)));
        m_upper = static_cast<std::int16_t>(HIWORD(static_cast<DWORD>(lParam)));
        setPosition(m_position);
        notify(Change::Progress);
        return previous;
    }
    case PBM_SETPOS:
        return setPosition(static_cast<int>(static_cast<LONG_PTR>(wParam)));
    case PBM_DELTAPOS:
        return setPosition(m_position + static_cast<int>(static_cast<LONG_PTR>(wParam)));
    case PBM_SETSTEP: {
        const int previous = m_step;
        m_step = static_cast<int>(static_cast<LONG_PTR>(wParam));
        return previous;
    }
    case PBM_STEPIT: {
        const int previous = m_position;
        int next = m_position + m_step;
        // Stepping past the end starts the bar over from the beginning.
        if (m_upper > m_lower && next > m_upper)
            next = m_lower + (next - m_upper);
        setPosition(next);
        return previous;
    }
    case PBM_GETPOS:
        return m_position;
    default:
        return Window::procedure(message, wParam, lParam);
    }
}

int ProgressBar::setPosition(int position) {
    const int previous = m_position;
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    const int clamped = std::clamp(position, low, high);
    if (clamped != m_position) {
        m_position = clamped;
        notify(Change::Progress);
    }
    return previous;
}

} // namespace platform
