#include "platform/window/Paint.h"

#include "platform/window/DialogWindow.h"
#include "platform/window/Wnd.h"

CPaintDC::CPaintDC(CWnd* window) : m_device{window ? window->m_hWnd : nullptr} {}

CPaintDC::~CPaintDC() = default;

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon) {
    if (!m_device.window || m_device.window->kind() != platform::WindowKind::Dialog)
        return FALSE;
    static_cast<platform::DialogWindow*>(m_device.window)->recordIconDrawing({icon, x, y});
    return TRUE;
}
