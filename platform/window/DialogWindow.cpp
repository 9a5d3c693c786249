#include "platform/window/DialogWindow.h"

#include "platform/window/ComboBox.h"
#include "platform/window/ProgressBar.h"
#include "platform/window/Wnd.h"

namespace platform {

namespace {

RECT boundsOf(short x, short y, short cx, short cy) {
    return {x, y, x + cx, y + cy};
}

std::unique_ptr<Window> makeControl(const ControlTemplate& t, Window* parent) {
    const RECT bounds = boundsOf(t.x, t.y, t.cx, t.cy);
    switch (t.kind) {
    case WindowKind::ComboBox:
        return std::make_unique<ComboBox>(t.id, t.style, bounds, parent);
    case WindowKind::ProgressBar:
        return std::make_unique<ProgressBar>(t.id, t.style, CString(t.text), bounds, parent);
    case WindowKind::Picture:
        return std::make_unique<Picture>(t, parent);
    default:
        return std::make_unique<Window>(t.kind, t.id, t.style, CString(t.text), bounds, parent);
    }
}

bool isButton(const Window* w) {
    return w && w->kind() == WindowKind::PushButton;
}

} // namespace

Picture::Picture(const ControlTemplate& t, Window* parent)
    : Window(WindowKind::Picture, t.id, t.style, CString(), boundsOf(t.x, t.y, t.cx, t.cy), parent),
      m_icon(LoadIconA(t.iconId)) {}

DialogWindow::DialogWindow(const DialogTemplate& t, Window* ownerWindow)
    : Window(WindowKind::Dialog, static_cast<int>(t.id), t.style & ~WS_VISIBLE, CString(t.caption),
             boundsOf(t.x, t.y, t.cx, t.cy), nullptr),
      m_template(t), m_ownerWindow(ownerWindow) {
    for (const ControlTemplate& c : t.controls)
        m_controls.push_back(makeControl(c, this));
    if (t.style & WS_SYSMENU) {
        m_systemMenu.append({MF_STRING, SC_MOVE, CString("&Move")});
        m_systemMenu.append({MF_STRING, SC_CLOSE, CString("&Close\tAlt+F4")});
    }
    setClientSize(t.cx * kBaseUnitX / 4, t.cy * kBaseUnitY / 8);
}

Window* DialogWindow::control(int id) const {
    for (const auto& c : m_controls) {
        if (c->id() == id)
            return c.get();
    }
    return nullptr;
}

void DialogWindow::setFocus(Window* control) {
    if (control == m_focus)
        return;
    m_focus = control;
    notify(Change::Focus);
}

bool DialogWindow::canTakeFocus(const Window& c) const {
    switch (c.kind()) {
    case WindowKind::Label:
    case WindowKind::GroupBox:
    case WindowKind::Picture:
    case WindowKind::ProgressBar:
        return false;
    default:
        return c.isTabStop() && c.isVisible() && c.isEnabled();
    }
}

void DialogWindow::focusFirstTabStop() {
    for (const auto& c : m_controls) {
        if (canTakeFocus(*c)) {
            setFocus(c.get());
            return;
        }
    }
}

void DialogWindow::moveFocus(int direction) {
    const int count = static_cast<int>(m_controls.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (m_controls[static_cast<std::size_t>(i)].get() == m_focus)
            at = i;
    }
    if (at < 0)
        at = direction > 0 ? count - 1 : 0;
    for (int n = 1; n <= count; ++n) {
        Window* c =
            m_controls[static_cast<std::size_t>(((at + direction * n) % count + count) % count)]
                .get();
        if (canTakeFocus(*c)) {
            setFocus(c);
            return;
        }
    }
}

int DialogWindow::defaultButtonId() const {
    for (const auto& c : m_controls) {
        if (isButton(c.get()) && (c->style() & 0xF) == BS_DEFPUSHBUTTON)
            return c->id();
    }
    return IDOK;
}

void DialogWindow::handleKey(Key key) {
    switch (key) {
    case Key::Tab:
        moveFocus(1);
        break;
    case Key::BackTab:
        moveFocus(-1);
        break;
    case Key::Space:
        if (isButton(m_focus))
            pushButton(*m_focus);
        break;
    case Key::Enter: {
        // A focused push button is the one Enter presses; elsewhere the default one.
        if (isButton(m_focus)) {
            pushButton(*m_focus);
            break;
        }
        const int id = defaultButtonId();
        Window* button = control(id);
        if (!button || (button->isEnabled() && button->isVisible()))
            SendMessageA(this, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        break;
    }
    case Key::Escape:
        SendMessageA(this, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        break;
    case Key::F1:
        SendMessageA(this, WM_COMMAND, ID_HELP, 0);
        break;
    }
}

void DialogWindow::setMinimized(bool minimized) {
    if (m_minimized == minimized)
        return;
    m_minimized = minimized;
    notify(Change::Minimized);
}

void DialogWindow::endModal(int result) {
    m_modalEnded = true;
    m_modalResult = result;
}

LRESULT DialogWindow::procedure(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // The close box means Cancel to a dialog.
        SendMessageA(this, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessageA(this, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            setMinimized(true);
            break;
        case SC_RESTORE:
            setMinimized(false);
            break;
        default:
            break;
        }
        return 0;
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? m_bigIcon : m_smallIcon;
        HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        notify(Change::Icon);
        return reinterpret_cast<LRESULT>(previous);
    }
    case DM_GETDEFID:
        return MAKELPARAM(static_cast<WORD>(defaultButtonId()), DC_HASDEFID);
    case WM_COMMAND:
    case WM_PAINT:
    case WM_ICONERASEBKGND:
    case WM_QUERYDRAGICON:
    case WM_TIMER:
        return 0;
    default:
        return Window::procedure(message, wParam, lParam);
    }
}

} // namespace platform
