#include "ui/DownloadDlg.h"

#include "link/CommProc.h"
#include "platform/window/Resources.h"
#include "resources/ResourceIds.h"
#include "ui/PortSetupDlg.h"

CDownloadDlg::CDownloadDlg(CWnd* pParent)
    : CDialog(IDD_DOWNLOAD_DIALOG, pParent), m_nBaudSel(2), m_hIcon(LoadIconA(IDR_MAINFRAME)),
      m_pPortSetup(nullptr), m_pPort(nullptr), m_pCommandSetList(nullptr), m_strExt(".CSF"),
      m_nPortBaud(0), m_fileBuf{}, m_nFileLen(0), m_nRecordCount(0), m_nSendIndex(0),
      m_bTooLarge(FALSE) {}

// The channel is released but not closed: a port still held at the end of the
// run stays as it is until the process ends.
CDownloadDlg::~CDownloadDlg() {
    delete m_pPort;
    delete m_pPortSetup;
}

void CDownloadDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Text(pDX, IDC_PORT_NAME, m_strPort);
    DDX_Text(pDX, IDC_BAUD_TEXT, m_strBaud);
    DDX_CBIndex(pDX, IDC_BAUD_LIST, m_nBaudSel);
    DDX_Text(pDX, IDC_TOPIC, m_strTopic);
    DDX_CBString(pDX, IDC_COMMAND_SET_LIST, m_strCommandSet);
    DDX_Text(pDX, IDC_PERCENT, m_strPercent);
}

void CDownloadDlg::ShowBaudRate() {
    static const char* const rates[] = {"2400", "4800", "9600", "19200"};
    if (m_nPortBaud >= 0 && m_nPortBaud <= 3)
        m_strBaud = rates[m_nPortBaud];
    m_nBaudSel = m_nPortBaud;
    UpdateData(FALSE);
}
