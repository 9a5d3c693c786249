#pragma once
// The About box, opened from the system menu.

#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

protected:
    const platform::MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
};
