#include "platform/drivers/console/ConsoleDriver.h"

#include "platform/drivers/console/MessageText.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/Timers.h"
#include "platform/window/Wnd.h"

#include <cstdlib>

namespace console {

ConsoleDriver::ConsoleDriver(Operator& answers, StatusControls status, Streams streams)
    : m_operator(answers), m_view(streams.out, streams.terminal, std::move(status)),
      m_streams(streams) {}

void ConsoleDriver::finish() {
    m_view.breakLine();
    std::fflush(m_streams.out);
    std::fflush(m_streams.errors);
}

void ConsoleDriver::dialogCreated(platform::DialogWindow& dialog) {
    m_view.attach(dialog);
}

void ConsoleDriver::dialogDestroyed(platform::DialogWindow& dialog) {
    m_view.detach(dialog);
}

void ConsoleDriver::close(platform::DialogWindow& dialog) {
    SendMessageA(&dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    // A dialog that ignores its close box would otherwise keep the loop waiting forever.
    if (!dialog.modalEnded())
        dialog.endModal(IDCANCEL);
}

void ConsoleDriver::runModalLoop(platform::DialogWindow& dialog) {
    m_messageLast = false;
    m_operator.dialogOpened(dialog);
    while (!dialog.modalEnded()) {
        if (m_signal != 0) {
            close(dialog);
            break;
        }
        const std::optional<platform::Microseconds> due = platform::timers().nextDue();
        if (!due) {
            m_messageLast = false;
            m_operator.dialogIdle(dialog);
            if (!dialog.modalEnded() && !platform::timers().nextDue())
                close(dialog);
            continue;
        }
        m_signal = m_wait.sleepUntil(*due);
        if (m_signal != 0) {
            m_view.breakLine();
            m_operator.interrupted(m_signal);
            continue;
        }
        m_messageLast = false;
        platform::dispatchDueTimer();
    }
}

int ConsoleDriver::messageBox(platform::Window*, const CString& text, const CString& caption,
                              UINT) {
    m_view.breakLine();
    std::fputs(messageText(caption, text).c_str(), m_streams.errors);
    std::fflush(m_streams.errors);
    m_messageLast = true;
    m_operator.messageShown(text);
    return IDOK;
}

// The program ends at once with code 0 on its fatal paths too (a failed write, the
// watchdog, a port that cannot be opened at start), each right after its message.
// A script must tell those from success, so an exit that follows a message box, or
// one after the operator has failed, reports failure instead.
int ConsoleDriver::exitStatus(UINT requested) const {
    if (m_signal != 0)
        return kSignalStatusBase + m_signal;
    if (requested != 0)
        return static_cast<int>(requested);
    return m_messageLast || m_operator.failed() ? kFailedStatus : 0;
}

void ConsoleDriver::exitProcess(UINT code) {
    const int status = exitStatus(code);
    // _Exit flushes nothing: whatever stdio still holds must go out first.
    finish();
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace console
