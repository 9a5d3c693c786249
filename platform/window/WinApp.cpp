#include "platform/window/WinApp.h"

#include "platform/window/MessageBox.h"
#include "platform/window/Resources.h"

namespace {
CWinApp* theApplication = nullptr;

CString titleFromPath(LPCSTR path) {
    CString name(path ? path : "");
    int start = 0;
    for (int i = 0; i < name.GetLength(); ++i) {
        if (name[i] == '/' || name[i] == '\\')
            start = i + 1;
    }
    name = name.Mid(start);
    for (int i = name.GetLength() - 1; i > 0; --i) {
        if (name[i] == '.')
            return name.Left(i);
    }
    return name;
}
} // namespace

CWinApp::CWinApp(LPCSTR appName) : m_title(appName) {
    if (appName)
        m_pszAppName = m_title;
    theApplication = this;
}

CWinApp::~CWinApp() {
    if (theApplication == this)
        theApplication = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}
int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::OnHelp() {
    if (const char* text = platform::resources().string(platform::kHelpTextId))
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

const platform::MessageMap* CWinApp::GetMessageMap() const {
    static const platform::MessageMap map(CCmdTarget::GetMessageMap(),
                                          {platform::onCommand(ID_HELP, &CWinApp::OnHelp)});
    return &map;
}

CWinApp* AfxGetApp() {
    return theApplication;
}

LPCSTR AfxGetAppName() {
    return theApplication && theApplication->m_pszAppName ? theApplication->m_pszAppName : "";
}

void AfxEnableControlContainer() {}

int runApplication(CWinApp& app, LPCSTR executablePath) {
    theApplication = &app;
    if (!app.m_pszAppName) {
        app.m_title = titleFromPath(executablePath);
        app.m_pszAppName = app.m_title;
    }
    if (!app.InitInstance())
        return app.ExitInstance();
    // A program whose InitInstance returns TRUE would run a message loop of its
    // own here; the programs of this layer are dialogs and end with their window.
    return app.ExitInstance();
}
