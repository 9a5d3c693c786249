#pragma once
// The model of one window or control, with Win32 semantics. The model is the
// truth: drivers only present it and feed the operator's input back into it, so
// the same behaviour is seen on the sim driver and on the desktop.

#include "platform/base/Win32Types.h"
#include "platform/text/CString.h"

#include <memory>

class CWnd;

namespace platform {

enum class WindowKind { Dialog, PushButton, Edit, Label, GroupBox, Picture, ProgressBar, ComboBox };

enum class Change { Text, Visibility, Enabled, Items, Selection, Progress, Focus, Icon, Minimized };

class WindowObserver {
public:
    virtual ~WindowObserver() = default;
    virtual void windowChanged(Window& window, Change change) = 0;
};

class Window {
public:
    Window(WindowKind kind, int id, DWORD style, CString text, RECT bounds, Window* parent);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    WindowKind kind() const { return m_kind; }
    int id() const { return m_id; }
    DWORD style() const { return m_style; }
    Window* parent() const { return m_parent; }
    // Position and size as the template gives them, in dialog units.
    const RECT& bounds() const { return m_bounds; }

    virtual CString windowText() const { return m_text; }
    virtual void setWindowText(const CString& text);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool isTabStop() const { return (m_style & WS_TABSTOP) != 0; }

    // The C++ object that handles this window's messages, if one is attached.
    CWnd* owner() const { return m_owner; }
    void attach(CWnd* owner) { m_owner = owner; }
    // A wrapper object for code that asks for this window without having one.
    CWnd& wrapper();

    void setObserver(WindowObserver* observer) { m_observer = observer; }
    WindowObserver* observer() const { return m_observer; }

    // The window class's own handling of a message (what DefWindowProc reaches).
    virtual LRESULT procedure(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void notify(Change change);
    CString m_text;

private:
    WindowKind m_kind;
    int m_id;
    DWORD m_style;
    RECT m_bounds;
    Window* m_parent;
    bool m_visible;
    bool m_enabled;
    CWnd* m_owner = nullptr;
    std::unique_ptr<CWnd> m_wrapper;
    WindowObserver* m_observer = nullptr;
};

// Pushes a button as a click does: a BN_CLICKED command to its dialog. Hidden or
// disabled buttons cannot be pushed.
bool pushButton(Window& button);

} // namespace platform
