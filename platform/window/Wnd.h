#pragma once
// CWnd: the C++ object attached to a window model. Messages sent to the window
// go through the object's message map first, then to the window's own handling.

#include "platform/base/Win32Types.h"
#include "platform/text/CString.h"
#include "platform/window/CmdTarget.h"
#include "platform/window/Menu.h"
#include "platform/window/Timers.h"

#include <memory>

class CDataExchange;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object that stands for a window: the one attached, or a wrapper.
    static CWnd* FromHandle(HWND window);
    BOOL Attach(HWND window);
    HWND Detach();

    CWnd* GetDlgItem(int id) const;
    BOOL ShowWindow(int command);
    BOOL EnableWindow(BOOL enable);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    void SetWindowText(LPCSTR text);
    void SetWindowText(const CString& text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    CWnd* SetFocus();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC callback);
    BOOL KillTimer(UINT_PTR id);
    CMenu* GetSystemMenu(BOOL revert);
    HICON SetIcon(HICON icon, BOOL big);
    void GetClientRect(RECT* rect) const;
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Every message to the window arrives here.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // The window's own handling of the message being handled now.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    const platform::MessageMap* GetMessageMap() const override;

private:
    struct CurrentMessage {
        UINT message = WM_NULL;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_current;
    std::unique_ptr<CMenu> m_systemMenu;
};

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ShowWindow(HWND window, int command);
BOOL EnableWindow(HWND window, BOOL enable);
int GetSystemMetrics(int index);
