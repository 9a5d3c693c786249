#pragma once
// The application object: it runs the main window modally and ends with it.

#include "platform/window/WinApp.h"

class CDownloadApp : public CWinApp {
public:
    CDownloadApp();
    ~CDownloadApp() override;

    BOOL InitInstance() override;

protected:
    const platform::MessageMap* GetMessageMap() const override;
};
