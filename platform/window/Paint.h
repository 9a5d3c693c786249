#pragma once
// Painting: the device context of a paint message and icon drawing.

#include "platform/base/Win32Types.h"

class CWnd;

namespace platform {
struct PaintDevice {
    Window* window;
};
} // namespace platform

class CPaintDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() { return &m_device; }
    operator HDC() { return &m_device; }
    BOOL DrawIcon(int x, int y, HICON icon);

private:
    platform::PaintDevice m_device;
};
