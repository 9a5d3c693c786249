#include "ui/DownloadApp.h"

#include "ui/DownloadDlg.h"

// No name of its own: the program is called after its executable.
CDownloadApp::CDownloadApp() : CWinApp(nullptr) {}

CDownloadApp::~CDownloadApp() = default;

const platform::MessageMap* CDownloadApp::GetMessageMap() const {
    static const platform::MessageMap map(CWinApp::GetMessageMap(),
                                          {platform::onCommand(ID_HELP, &CWinApp::OnHelp)});
    return &map;
}

BOOL CDownloadApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    CDownloadDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The dialog has ended; the application ends without a message loop of its own.
    return FALSE;
}
