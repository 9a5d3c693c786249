#include "platform/window/Dialog.h"

#include "platform/window/DialogWindow.h"
#include "platform/window/Driver.h"
#include "platform/window/Resources.h"
#include "platform/window/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    destroyWindow();
}

BOOL CDialog::createWindow(CWnd* owner) {
    const platform::DialogTemplate* t = platform::resources().dialog(m_nIDTemplate);
    if (!t || m_window)
        return FALSE;
    m_window = std::make_unique<platform::DialogWindow>(*t, owner ? owner->m_hWnd : nullptr);
    Attach(m_window.get());
    platform::driver().dialogCreated(*m_window);
    if (SendMessage(WM_INITDIALOG) && m_window)
        m_window->focusFirstTabStop();
    return TRUE;
}

void CDialog::destroyWindow() {
    if (!m_window)
        return;
    platform::timers().killAll(m_window.get());
    platform::driver().dialogDestroyed(*m_window);
    Detach();
    m_window.reset();
}

BOOL CDialog::Create(CWnd* parent) {
    if (!createWindow(parent ? parent : m_pParentWnd))
        return FALSE;
    m_window->setVisible(true);
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    // Without a parent of its own, a dialog belongs to the program's main window
    // once that is on screen (an About box); before, it stands alone.
    CWnd* owner = m_pParentWnd;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        CWnd* main = app ? app->m_pMainWnd : nullptr;
        if (main && main != this && main->m_hWnd && main->IsWindowVisible())
            owner = main;
    }

    // Undone however the loop ends, an immediate exit unwinding through it included.
    struct ModalScope {
        CDialog& dialog;
        HWND owner;
        bool ownerWasEnabled;
        ~ModalScope() {
            if (owner && ownerWasEnabled)
                owner->setEnabled(true);
            dialog.destroyWindow();
        }
    } scope{*this, owner ? owner->m_hWnd : nullptr, owner && owner->IsWindowEnabled()};

    if (!createWindow(owner))
        return -1;
    platform::DialogWindow& window = *m_window;
    if (!window.modalEnded()) {
        if (scope.owner)
            scope.owner->setEnabled(false);
        window.setVisible(true);
        platform::driver().runModalLoop(window);
    }
    return window.modalResult();
}

void CDialog::EndDialog(int result) {
    if (m_window)
        m_window->endModal(result);
}

BOOL CDialog::OnInitDialog() {
    for (const platform::DialogInitEntry& entry : m_window->dialogTemplate().initEntries) {
        if (platform::Window* list = m_window->control(entry.controlId))
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text));
    }
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

const platform::MessageMap* CDialog::GetMessageMap() const {
    static const platform::MessageMap map(CWnd::GetMessageMap(),
                                          {
                                              platform::onCommand(IDOK, &CDialog::OnOK),
                                              platform::onCommand(IDCANCEL, &CDialog::OnCancel),
                                          });
    return &map;
}
