#include "platform/window/DataExchange.h"

#include "platform/window/Window.h"
#include "platform/window/Wnd.h"

HWND CDataExchange::PrepareCtrl(int id) const {
    CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    return control ? control->m_hWnd : nullptr;
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    if (HWND window = pDX->PrepareCtrl(id))
        control.Attach(window);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    HWND window = pDX->PrepareCtrl(id);
    if (!window)
        return;
    if (pDX->m_bSaveAndValidate)
        value = window->windowText();
    else
        window->setWindowText(value);
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    HWND window = pDX->PrepareCtrl(id);
    if (!window)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
    else
        SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(index)), 0);
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value) {
    HWND window = pDX->PrepareCtrl(id);
    if (!window)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = window->windowText();
        return;
    }
    const LRESULT found = SendMessageA(window, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(static_cast<const char*>(value)));
    if (found == CB_ERR)
        window->setWindowText(value);
}
