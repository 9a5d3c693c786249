// The main window's start-up, its message map and its own handlers: the system
// menu with the About box, the icon while minimised, and EXIT.

#include "link/CommProc.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Paint.h"
#include "platform/window/Process.h"
#include "resources/ResourceIds.h"
#include "ui/AboutDlg.h"
#include "ui/DownloadDlg.h"
#include "ui/PortSetupDlg.h"

const platform::MessageMap* CDownloadDlg::GetMessageMap() const {
    static const platform::MessageMap map(
        CDialog::GetMessageMap(),
        {
            platform::onSysCommand(&CDownloadDlg::OnSysCommand),
            platform::onPaint(&CDownloadDlg::OnPaint),
            platform::onQueryDragIcon(&CDownloadDlg::OnQueryDragIcon),
            platform::onCommand(IDC_START_DOWNLOAD, &CDownloadDlg::OnStartDownload),
            platform::onCommand(IDC_EXIT, &CDownloadDlg::OnExit),
            platform::onCommand(IDC_SAVE_TO_DISPLAY, &CDownloadDlg::OnSaveToDisplay),
            platform::onCommand(IDC_FIRST_TIME_DOWNLOAD, &CDownloadDlg::OnFirstTimeDownload),
            platform::onCommand(IDC_ERASE_ROM, &CDownloadDlg::OnEraseRom),
            platform::onTimer(&CDownloadDlg::OnTimer),
        });
    return &map;
}

BOOL CDownloadDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_pCommandSetList = GetDlgItem(IDC_COMMAND_SET_LIST);

    // The port is asked for at every start; nothing is remembered between runs.
    m_pPortSetup = new CPortSetupDlg(nullptr);
    m_pPortSetup->m_strPort = "COM1";
    if (m_pPortSetup->DoModal() != IDOK)
        ExitProcess(0);
    m_strPort = m_pPortSetup->m_strPort;
    m_nPortBaud = m_pPortSetup->m_nBaud;

    // Probe the port once, so a wrong choice is reported before the window opens.
    m_pPort = new CCommProc;
    if (m_pPort->Open(m_strPort, m_nPortBaud) == 0) {
        AfxMessageBox("Can't open the communication port");
        ExitProcess(0);
    }
    m_pPort->Close();

    // Only a serial port has a baud rate to set.
    if (m_strPort.IsEmpty() || m_strPort[0] != 'C') {
        for (int id : {IDC_BAUD_LIST, IDC_SAVE_TO_DISPLAY, IDC_BAUD_GROUP, IDC_BAUD_TEXT}) {
            CWnd* control = GetDlgItem(id);
            control->EnableWindow(FALSE);
            control->ShowWindow(SW_HIDE);
        }
    }

    ShowBaudRate();
    FillCommandSetList();
    m_progress.ShowWindow(SW_HIDE);
    return TRUE;
}

void CDownloadDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    Default();
}

void CDownloadDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HICON CDownloadDlg::OnQueryDragIcon() {
    return m_hIcon;
}

// EXIT ends the run where it stands: no window is closed and no port released
// first, even in the middle of a download.
void CDownloadDlg::OnExit() {
    ExitProcess(0);
}
