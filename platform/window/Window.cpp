#include "platform/window/Window.h"

#include "platform/window/Wnd.h"

#include <cstring>

namespace platform {

Window::Window(WindowKind kind, int id, DWORD style, CString text, RECT bounds, Window* parent)
    : m_text(std::move(text)), m_kind(kind), m_id(id), m_style(style), m_bounds(bounds),
      m_parent(parent), m_visible((style & WS_VISIBLE) != 0),
      m_enabled((style & WS_DISABLED) == 0) {}

Window::~Window() {
    if (m_owner)
        m_owner->m_hWnd = nullptr;
    if (m_wrapper)
        m_wrapper->m_hWnd = nullptr;
}

void Window::setWindowText(const CString& text) {
    if (m_text == text)
        return;
    m_text = text;
    notify(Change::Text);
}

void Window::setVisible(bool visible) {
    if (m_visible == visible)
        return;
    m_visible = visible;
    notify(Change::Visibility);
}

void Window::setEnabled(bool enabled) {
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    notify(Change::Enabled);
}

CWnd& Window::wrapper() {
    if (m_owner)
        return *m_owner;
    if (!m_wrapper) {
        m_wrapper = std::make_unique<CWnd>();
        m_wrapper->m_hWnd = this;
    }
    return *m_wrapper;
}

LRESULT Window::procedure(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        setWindowText(CString(reinterpret_cast<const char*>(lParam)));
        return TRUE;
    case WM_GETTEXTLENGTH:
        return windowText().GetLength();
    case WM_GETTEXT: {
        if (wParam == 0)
            return 0;
        const CString text = windowText();
        const auto count =
            std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), wParam - 1);
        auto* buffer = reinterpret_cast<char*>(lParam);
        std::memcpy(buffer, text.data(), count);
        buffer[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    default:
        return 0;
    }
}

void Window::notify(Change change) {
    if (m_observer)
        m_observer->windowChanged(*this, change);
}

bool pushButton(Window& button) {
    if (button.kind() != WindowKind::PushButton || !button.isVisible() || !button.isEnabled() ||
        !button.parent())
        return false;
    SendMessageA(button.parent(), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(button.id()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(&button));
    return true;
}

} // namespace platform
