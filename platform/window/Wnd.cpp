#include "platform/window/Wnd.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/WinApp.h"
#include "platform/window/Window.h"

namespace {
platform::DialogWindow* asDialog(HWND window) {
    return window && window->kind() == platform::WindowKind::Dialog
               ? static_cast<platform::DialogWindow*>(window)
               : nullptr;
}
} // namespace

CWnd::~CWnd() {
    if (m_hWnd && m_hWnd->owner() == this)
        m_hWnd->attach(nullptr);
}

CWnd* CWnd::FromHandle(HWND window) {
    return window ? &window->wrapper() : nullptr;
}

BOOL CWnd::Attach(HWND window) {
    if (!window || m_hWnd)
        return FALSE;
    m_hWnd = window;
    window->attach(this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND window = m_hWnd;
    if (window && window->owner() == this)
        window->attach(nullptr);
    m_hWnd = nullptr;
    return window;
}

CWnd* CWnd::GetDlgItem(int id) const {
    platform::DialogWindow* dialog = asDialog(m_hWnd);
    return dialog ? FromHandle(dialog->control(id)) : nullptr;
}

BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}
BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowVisible() const {
    return m_hWnd && m_hWnd->isVisible();
}
BOOL CWnd::IsWindowEnabled() const {
    return m_hWnd && m_hWnd->isEnabled();
}

BOOL CWnd::IsIconic() const {
    platform::DialogWindow* dialog = asDialog(m_hWnd);
    return dialog && dialog->isMinimized();
}

void CWnd::SetWindowText(LPCSTR text) {
    SetWindowText(CString(text));
}
void CWnd::SetWindowText(const CString& text) {
    if (m_hWnd)
        m_hWnd->setWindowText(text);
}
void CWnd::GetWindowText(CString& text) const {
    text = m_hWnd ? m_hWnd->windowText() : CString();
}
int CWnd::GetWindowTextLength() const {
    return m_hWnd ? m_hWnd->windowText().GetLength() : 0;
}

CWnd* CWnd::SetFocus() {
    platform::DialogWindow* dialog = m_hWnd ? asDialog(m_hWnd->parent()) : nullptr;
    if (!dialog)
        return nullptr;
    CWnd* previous = FromHandle(dialog->focus());
    dialog->setFocus(m_hWnd);
    return previous;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC callback) {
    return ::SetTimer(m_hWnd, id, elapseMs, callback);
}
BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    platform::DialogWindow* dialog = asDialog(m_hWnd);
    if (!dialog || !(dialog->style() & WS_SYSMENU) || revert)
        return nullptr;
    if (!m_systemMenu)
        m_systemMenu = std::make_unique<CMenu>(&dialog->systemMenu());
    return m_systemMenu.get();
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

void CWnd::GetClientRect(RECT* rect) const {
    platform::DialogWindow* dialog = asDialog(m_hWnd);
    *rect = dialog ? dialog->clientRect() : RECT{};
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Handlers may send further messages; each keeps its own current message.
    const CurrentMessage saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnCmdMsg(message, wParam, lParam, result)) {
        // Commands nobody in the window handles go on to the application.
        CWinApp* app = AfxGetApp();
        if (!(message == WM_COMMAND && app && app->OnCmdMsg(message, wParam, lParam, result)))
            result = DefWindowProc(message, wParam, lParam);
    }
    m_current = saved;
    return result;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd ? m_hWnd->procedure(message, wParam, lParam) : 0;
}

const platform::MessageMap* CWnd::GetMessageMap() const {
    static const platform::MessageMap map(CCmdTarget::GetMessageMap(), {});
    return &map;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window)
        return 0;
    if (CWnd* owner = window->owner())
        return owner->WindowProc(message, wParam, lParam);
    return window->procedure(message, wParam, lParam);
}

BOOL ShowWindow(HWND window, int command) {
    if (!window)
        return FALSE;
    const BOOL wasVisible = window->isVisible();
    platform::DialogWindow* dialog = asDialog(window);
    switch (command) {
    case SW_HIDE:
        window->setVisible(false);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        window->setVisible(true);
        if (dialog)
            dialog->setMinimized(true);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        window->setVisible(true);
        if (dialog)
            dialog->setMinimized(false);
        break;
    default:
        window->setVisible(true);
        break;
    }
    return wasVisible;
}

BOOL EnableWindow(HWND window, BOOL enable) {
    if (!window)
        return FALSE;
    const BOOL wasDisabled = !window->isEnabled();
    window->setEnabled(enable != FALSE);
    return wasDisabled;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}
