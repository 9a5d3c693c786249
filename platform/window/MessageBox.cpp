#include "platform/window/MessageBox.h"

#include "platform/text/CString.h"
#include "platform/window/Driver.h"
#include "platform/window/WinApp.h"
#include "platform/window/Window.h"
#include "platform/window/Wnd.h"

int AfxMessageBox(LPCSTR text, UINT type, UINT) {
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->m_pMainWnd : nullptr;
    HWND owner = main ? main->m_hWnd : nullptr;
    // The box disables its owner while it is open, as every modal window does.
    const bool ownerWasEnabled = owner && owner->isEnabled();
    if (ownerWasEnabled)
        owner->setEnabled(false);
    struct Restore {
        HWND owner;
        bool enable;
        ~Restore() {
            if (enable)
                owner->setEnabled(true);
        }
    } restore{owner, ownerWasEnabled};
    return platform::driver().messageBox(owner, CString(text), CString(AfxGetAppName()),
                                         type | MB_ICONEXCLAMATION);
}
