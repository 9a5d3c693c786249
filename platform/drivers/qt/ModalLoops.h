#pragma once
// The modal loops that are running, innermost last. Each is a QEventLoop that
// runs until its dialog has been ended; EndDialog only marks the dialog, so after
// every piece of input or timer the driver wakes the loops whose dialog ended.
// An outer loop ended from inside an inner one ends once the inner has returned.

#include "platform/window/DialogWindow.h"

#include <vector>

class QEventLoop;

namespace platform::qt {

class ModalLoops {
public:
    void run(DialogWindow& dialog);
    void wake();

private:
    struct Running {
        DialogWindow* dialog;
        QEventLoop* loop;
    };
    std::vector<Running> m_running;
};

} // namespace platform::qt
