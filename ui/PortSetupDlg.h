#pragma once
// The Port Setup dialog: which port leads to the display, and the rate it talks at now.

#include "platform/text/CString.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"

class CPortSetupDlg : public CDialog {
public:
    explicit CPortSetupDlg(CWnd* pParent = nullptr);
    ~CPortSetupDlg() override;

    CString m_strPort;
    int m_nBaud;

    void OnPortSelChange();

protected:
    const platform::MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
};
