#pragma once
// CDialog: a window built from a dialog template. Run modally, it disables its
// owner and returns the result given to EndDialog; modal loops nest.

#include "platform/window/Wnd.h"

#include <memory>

namespace platform {
class DialogWindow;
}

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Creates the window without a modal loop of its own (a modeless dialog).
    BOOL Create(CWnd* parent = nullptr);
    void EndDialog(int result);

    // Fills the lists from the template's initialisation entries and loads the
    // controls from the fields. Returns TRUE: the first tab stop takes the focus.
    virtual BOOL OnInitDialog();

    platform::DialogWindow* dialogWindow() const { return m_window.get(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // OK saves the controls into the fields, then ends the dialog; Cancel only ends it.
    virtual void OnOK();
    virtual void OnCancel();
    const platform::MessageMap* GetMessageMap() const override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    BOOL createWindow(CWnd* owner);
    void destroyWindow();

    std::unique_ptr<platform::DialogWindow> m_window;
};
