#pragma once
// What a driver supplies: presenting dialogs, running modal loops, message boxes
// and the immediate exit. The layer owns all state; a driver presents it and
// feeds input and time back in. Exactly one driver is in force.

#include "platform/base/Win32Types.h"
#include "platform/text/CString.h"

namespace platform {

class DialogWindow;

class Driver {
public:
    virtual ~Driver() = default;

    virtual void dialogCreated(DialogWindow& dialog) { (void)dialog; }
    virtual void dialogDestroyed(DialogWindow& dialog) { (void)dialog; }
    // Runs the dialog's modal loop: delivers input and timers (of every window)
    // until the dialog is ended.
    virtual void runModalLoop(DialogWindow& dialog) = 0;
    // A modal message box with one OK button; timers keep being delivered while
    // it is open. Returns the button pressed.
    virtual int messageBox(Window* owner, const CString& text, const CString& caption,
                           UINT type) = 0;
    // The set of armed timers changed.
    virtual void timersChanged() {}
    // Ends the process at once: no exit handlers, no destructors.
    [[noreturn]] virtual void exitProcess(UINT code) = 0;
};

Driver& driver();
// Installs a driver and returns the one it replaces.
Driver* installDriver(Driver* replacement);

} // namespace platform
