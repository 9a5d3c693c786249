#pragma once
// A progress bar: a range, a position inside it and a step.

#include "platform/window/Window.h"

namespace platform {

class ProgressBar final : public Window {
public:
    ProgressBar(int id, DWORD style, CString text, RECT bounds, Window* parent);

    int lower() const { return m_lower; }
    int upper() const { return m_upper; }
    int position() const { return m_position; }
    int step() const { return m_step; }

    LRESULT procedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int setPosition(int position);

    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
    int m_step = 10;
};

} // namespace platform
