#pragma once
// The main window, and the one record of all the program's state. Its operations
// live with the subsystem they belong to: the reader and the catalogue in
// commandset/, the transfer and the maintenance operations in download/, the
// start-up and the window's own handlers here in ui/.

#include "platform/text/CString.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/ProgressCtrl.h"

class CPortSetupDlg;
class CCommProc;

class CDownloadDlg : public CDialog {
public:
    explicit CDownloadDlg(CWnd* pParent = nullptr);
    ~CDownloadDlg() override;

    static constexpr int kFileTableSize = 200;
    static constexpr DWORD kFileBufferSize = 65536;
    static constexpr int kRecordTableSize = 1200;

    // Timers of the transfer.
    static constexpr UINT SEND_TIMER = 1;
    static constexpr UINT WATCHDOG_TIMER = 2;

    // Fields, in declaration order.
    CProgressCtrl m_progress;
    CString m_strPort;
    CString m_strBaud;
    int m_nBaudSel;
    CString m_strTopic;
    CString m_strCommandSet;
    CString m_strPercent;
    HICON m_hIcon;
    CPortSetupDlg* m_pPortSetup;
    CCommProc* m_pPort;
    CWnd* m_pCommandSetList;
    CString m_fileNames[kFileTableSize];
    CString m_strExt;
    int m_nPortBaud;
    BYTE m_fileBuf[kFileBufferSize];
    DWORD m_nFileLen;
    int m_nRecordCount;
    int m_nSendIndex;
    CString m_records[kRecordTableSize];
    // Set by a read whose file did not fit the buffer or the record table; such a
    // command set is refused before the port is opened.
    BOOL m_bTooLarge;

    // Main window state (ui/DownloadDlg.cpp).
    void ShowBaudRate();

    // The command set reader (commandset/CommandSetReader.cpp).
    int LoadCommandSet(CString path);
    static int HexDigit(char c);

    // The catalogue (commandset/CommandSetCatalogue.cpp).
    void FillCommandSetList();
    void SortFileNames(CString* names, int count);
    CString DisplayName(CString fileName);

    // The download transfer (download/DownloadTransfer.cpp).
    void OnStartDownload();
    void OnFirstTimeDownload();
    void StartDownload(int mode);
    void SendEraseCommand(int mode);
    void EraseWait();
    void SendNextRecord();
    void OnTimer(UINT nIDEvent);
    void EndTransfer();
    BOOL TransferInProgress() const;

    // The baud-rate save and the stand-alone erase (download/Maintenance.cpp).
    void OnSaveToDisplay();
    void SendBaudCommand();
    void OnEraseRom();

    // The shell's handlers (ui/MainWindowShell.cpp).
    BOOL OnInitDialog() override;
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnExit();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const platform::MessageMap* GetMessageMap() const override;
};
