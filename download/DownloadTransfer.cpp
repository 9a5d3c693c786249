// The download transfer: erase the display, wait while it erases, then one
// record per tick of the send timer, with a watchdog on the ticks.

#include "download/WriteFailure.h"
#include "link/CommProc.h"
#include "link/DisplaySequences.h"
#include "platform/base/Kernel.h"
#include "platform/text/Format.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Process.h"
#include "ui/DownloadDlg.h"
#include "ui/Messages.h"

namespace {

constexpr DWORD kPieceSize = 30;
constexpr UINT kFirstTickMs = 50;
constexpr UINT kRecordGapMs = 30;
constexpr UINT kEighthRecordGapMs = 120;
constexpr UINT kWatchdogMs = 5000;
constexpr int kEraseSteps = 100;
constexpr DWORD kEraseStepMs = 20;
constexpr DWORD kSettleMs = 20;

void tellAboutCommandSet(const CString& name, const char* ending) {
    AfxMessageBox(messages::kCommandSetPrefix + name + ending, MB_OK);
}

} // namespace

void endWithWriteError(CDownloadDlg& dlg) {
    dlg.EndTransfer();
    AfxMessageBox(messages::kWriteError, MB_OK);
    ExitProcess(0);
}

void CDownloadDlg::OnStartDownload() {
    StartDownload(ERASE_NORMAL);
}

void CDownloadDlg::OnFirstTimeDownload() {
    StartDownload(ERASE_FIRST_TIME);
}

// The port channel holds the port only while an operation runs on it.
BOOL CDownloadDlg::TransferInProgress() const {
    return m_pPort && m_pPort->m_hPort != INVALID_HANDLE_VALUE;
}

void CDownloadDlg::StartDownload(int mode) {
    // A second open would take the port from the running transfer and kill it
    // halfway, leaving the display half-programmed.
    if (TransferInProgress()) {
        AfxMessageBox(messages::kTransferBusy, MB_OK);
        return;
    }

    CDataExchange dx(this, TRUE);
    DoDataExchange(&dx);

    const int selected = static_cast<int>(m_pCommandSetList->SendMessage(CB_GETCURSEL, 0, 0));
    if (selected < 0 || selected >= kFileTableSize || LoadCommandSet(m_fileNames[selected]) == 0) {
        tellAboutCommandSet(m_strCommandSet, messages::kNotFoundSuffix);
        return;
    }
    // Refused before anything is written: erasing the display and then sending
    // a part or nothing would leave it without a command set.
    if (m_bTooLarge) {
        tellAboutCommandSet(m_strCommandSet, messages::kTooLargeSuffix);
        return;
    }
    if (m_nRecordCount == 0) {
        tellAboutCommandSet(m_strCommandSet, messages::kNoRecordsSuffix);
        return;
    }

    if (m_pPort->Open(m_strPort, m_nPortBaud) == 0) {
        AfxMessageBox(messages::kCannotOpenPort, MB_OK);
        return;
    }

    SendEraseCommand(mode);
    m_strTopic = "Erasing Flash ROM......";
    dx.m_bSaveAndValidate = FALSE;
    DoDataExchange(&dx);
    EraseWait();

    m_strTopic = "Downloading command set......<" + m_strCommandSet + ">";
    DoDataExchange(&dx);
    Sleep(kSettleMs);

    m_progress.SetPos(0);
    m_progress.ShowWindow(SW_SHOWNORMAL);
    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(m_nRecordCount)));
    m_progress.SetStep(1);

    m_nSendIndex = 0;
    SendNextRecord();
    m_progress.StepIt();
    SetTimer(SEND_TIMER, kFirstTickMs, nullptr);
}

void CDownloadDlg::SendEraseCommand(int mode) {
    const DisplaySequence erase = eraseSequence(mode);
    if (m_pPort->Write(erase.bytes, erase.length) == 0)
        endWithWriteError(*this);
}

// The display erases its flash for about two seconds and takes nothing meanwhile;
// the thread waits with it, handling no input, while the bar fills.
void CDownloadDlg::EraseWait() {
    m_progress.SetPos(0);
    m_progress.ShowWindow(SW_SHOWNORMAL);
    m_progress.SendMessage(PBM_SETRANGE, 0, 0x00640000);
    m_progress.SetStep(1);
    for (int step = 0; step < kEraseSteps; ++step) {
        m_progress.StepIt();
        Sleep(kEraseStepMs);
    }
}

void CDownloadDlg::SendNextRecord() {
    const CString& record = m_records[m_nSendIndex];
    ++m_nSendIndex;

    // The display takes a record in pieces of at most 30 bytes.
    char piece[kPieceSize];
    DWORD filled = 0;
    for (int i = 0; i < record.GetLength(); ++i) {
        piece[filled++] = record[i];
        if (filled == kPieceSize) {
            if (m_pPort->Write(piece, kPieceSize) == 0)
                endWithWriteError(*this);
            filled = 0;
        }
    }
    if (filled > 0 && m_pPort->Write(piece, filled) == 0)
        endWithWriteError(*this);

    // Every eighth record the display gets longer to write its flash.
    SetTimer(SEND_TIMER, m_nSendIndex % 8 == 0 ? kEighthRecordGapMs : kRecordGapMs, nullptr);

    char percent[16];
    wsprintfA(percent, "%i%%", m_nSendIndex * 100 / m_nRecordCount);
    m_strPercent = percent;
    UpdateData(FALSE);
}

void CDownloadDlg::OnTimer(UINT nIDEvent) {
    switch (nIDEvent) {
    case SEND_TIMER:
        if (m_nSendIndex < m_nRecordCount) {
            SendNextRecord();
            m_progress.StepIt();
            SetTimer(WATCHDOG_TIMER, kWatchdogMs, nullptr);
        }
        if (m_nSendIndex >= m_nRecordCount) {
            EndTransfer();
            AfxMessageBox(messages::kDownloadCompleted, MB_OK);
        }
        Default();
        break;
    case WATCHDOG_TIMER:
        EndTransfer();
        AfxMessageBox(messages::kWatchdog, MB_OK);
        ExitProcess(0);
    default:
        Default();
        break;
    }
}

void CDownloadDlg::EndTransfer() {
    CDataExchange dx(this, TRUE);
    DoDataExchange(&dx);
    m_strTopic.Empty();
    m_strPercent.Empty();
    dx.m_bSaveAndValidate = FALSE;
    DoDataExchange(&dx);
    m_progress.ShowWindow(SW_HIDE);
    m_pPort->Close();
    KillTimer(SEND_TIMER);
    KillTimer(WATCHDOG_TIMER);
}
