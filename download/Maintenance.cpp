// The two maintenance operations: switching the display's baud rate, and the
// stand-alone erase. Each runs to its end within its click.

#include "download/WriteFailure.h"
#include "link/CommProc.h"
#include "link/DisplaySequences.h"
#include "platform/base/Kernel.h"
#include "platform/window/MessageBox.h"
#include "ui/DownloadDlg.h"
#include "ui/Messages.h"

namespace {
constexpr DWORD kAfterBaudChangeMs = 100;
}

void CDownloadDlg::OnSaveToDisplay() {
    if (TransferInProgress()) {
        AfxMessageBox(messages::kTransferBusy, MB_OK);
        return;
    }
    // At the rate in force: the display still listens at the old one.
    if (m_pPort->Open(m_strPort, m_nPortBaud) == 0) {
        AfxMessageBox(messages::kCannotOpenPort, MB_OK);
        return;
    }
    SendBaudCommand();
    m_pPort->Close();
    Sleep(kAfterBaudChangeMs);
}

void CDownloadDlg::SendBaudCommand() {
    CDataExchange dx(this, TRUE);
    DoDataExchange(&dx);

    const DisplaySequence command = setBaudSequence();
    if (m_pPort->Write(command.bytes, command.length) == 0)
        endWithWriteError(*this);
    const auto frame = baudParameterFrame(m_nBaudSel);
    if (m_pPort->Write(frame.data(), static_cast<DWORD>(frame.size())) == 0)
        endWithWriteError(*this);

    // The display answers nothing: once both writes went out it runs at the new rate.
    m_nPortBaud = m_nBaudSel;
    ShowBaudRate();
}

void CDownloadDlg::OnEraseRom() {
    if (TransferInProgress()) {
        AfxMessageBox(messages::kTransferBusy, MB_OK);
        return;
    }
    CDataExchange dx(this, TRUE);
    DoDataExchange(&dx);
    if (m_pPort->Open(m_strPort, m_nPortBaud) == 0) {
        AfxMessageBox(messages::kCannotOpenPort, MB_OK);
        return;
    }
    SendEraseCommand(ERASE_NORMAL);
    m_strTopic = "Erasing Flash ROM......";
    dx.m_bSaveAndValidate = FALSE;
    DoDataExchange(&dx);
    EraseWait();
    EndTransfer();
}
