#pragma once
// The terminal driver: the real clock, an operator that answers from the command
// line, the status line and progress bar on stdout and every message box on
// stderr. Its loop sleeps until the next timer is due and delivers it; Ctrl-C or
// a kill between ticks closes the dialog, as its close box would.

#include "platform/drivers/console/Operator.h"
#include "platform/drivers/console/SignalWait.h"
#include "platform/drivers/console/StatusView.h"
#include "platform/window/Driver.h"

#include <cstdio>

namespace console {

struct Streams {
    std::FILE* out = stdout; // the status line
    std::FILE* errors = stderr;
    bool terminal = false; // whether out is a terminal, so the line is redrawn in place
};

// The exit status of a run that failed; 128 + the signal when one ended it.
inline constexpr int kFailedStatus = 1;
inline constexpr int kSignalStatusBase = 128;

class ConsoleDriver final : public platform::Driver {
public:
    ConsoleDriver(Operator& answers, StatusControls status, Streams streams);

    // The signal that ended the run, or 0.
    int endingSignal() const { return m_signal; }
    // Ends the status line and flushes what was written, before the process ends.
    void finish();

    void dialogCreated(platform::DialogWindow& dialog) override;
    void dialogDestroyed(platform::DialogWindow& dialog) override;
    void runModalLoop(platform::DialogWindow& dialog) override;
    int messageBox(platform::Window* owner, const CString& text, const CString& caption,
                   UINT type) override;
    [[noreturn]] void exitProcess(UINT code) override;

private:
    int exitStatus(UINT requested) const;
    void close(platform::DialogWindow& dialog);

    Operator& m_operator;
    StatusView m_view;
    Streams m_streams;
    SignalWait m_wait;
    int m_signal = 0;
    // Whether a message box is the latest thing that happened, since the operator
    // acted or a timer was delivered.
    bool m_messageLast = false;
};

} // namespace console
