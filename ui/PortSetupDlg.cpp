#include "ui/PortSetupDlg.h"

#include "resources/ResourceIds.h"

CPortSetupDlg::CPortSetupDlg(CWnd* pParent)
    : CDialog(IDD_PORT_SETUP, pParent), m_strPort("COM1"), m_nBaud(2) {}

CPortSetupDlg::~CPortSetupDlg() = default;

const platform::MessageMap* CPortSetupDlg::GetMessageMap() const {
    static const platform::MessageMap map(
        CDialog::GetMessageMap(),
        {platform::onNotify(CBN_SELCHANGE, IDC_SETUP_PORT, &CPortSetupDlg::OnPortSelChange)});
    return &map;
}

void CPortSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBString(pDX, IDC_SETUP_PORT, m_strPort);
    DDX_CBIndex(pDX, IDC_SETUP_BAUD, m_nBaud);
}

// Picking a port needs no action: the edit field already shows the entry.
void CPortSetupDlg::OnPortSelChange() {}
