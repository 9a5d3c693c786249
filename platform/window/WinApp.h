#pragma once
// The application object. The program's title is the file name of its
// executable without the extension; message boxes carry it as their caption.

#include "platform/text/CString.h"
#include "platform/window/CmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The Help command's handler: shows the program's help text, if it has one.
    void OnHelp();
    BOOL Enable3dControlsStatic() { return TRUE; }

    CWnd* m_pMainWnd = nullptr;
    LPCSTR m_pszAppName = nullptr;

protected:
    const platform::MessageMap* GetMessageMap() const override;

private:
    CString m_title;
    friend int runApplication(CWinApp&, LPCSTR);
};

CWinApp* AfxGetApp();
LPCSTR AfxGetAppName();
void AfxEnableControlContainer();

// The program's entry: names the program after its executable, runs InitInstance
// and ends like the platform does when that returns FALSE. Returns the exit code.
int runApplication(CWinApp& app, LPCSTR executablePath);

namespace platform {
// The string resource the Help command shows.
inline constexpr UINT kHelpTextId = 0xE146;
} // namespace platform
