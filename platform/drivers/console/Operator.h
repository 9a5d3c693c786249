#pragma once
// Who answers the dialogs in a terminal: the front end, from its command line.
// The driver calls it as each dialog opens and whenever nothing is left to wait
// for, and tells it every message box it printed.

#include "platform/text/CString.h"

namespace platform {
class DialogWindow;
}

namespace console {

class Operator {
public:
    virtual ~Operator() = default;

    // The dialog's modal loop begins: fill in its controls and press what the run needs.
    virtual void dialogOpened(platform::DialogWindow& dialog) = 0;
    // No timer is armed, so nothing more happens by itself: act again or end the
    // dialog. A dialog still open afterwards is closed with its close box.
    virtual void dialogIdle(platform::DialogWindow& dialog) = 0;
    // Each message box, once it has been printed; the driver answers it with OK.
    virtual void messageShown(const CString& text) = 0;
    // A signal ended the run; the dialogs are being closed.
    virtual void interrupted(int signal) = 0;
    // Whether the run has already failed in the operator's eyes (it said why).
    virtual bool failed() const = 0;
};

} // namespace console
