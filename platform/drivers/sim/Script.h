#pragma once
// What the scripted operator does once a dialog or message box opens: a list of
// steps, each after an optional wait counted from the step before it.

#include "platform/base/Clock.h"
#include "platform/text/CString.h"
#include "platform/window/DialogWindow.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class CWnd;

namespace sim {

struct MessageBoxShown {
    platform::Microseconds time;
    CString text;
    CString caption;
    UINT type;
};

// What a step acts on: the dialog that opened, or the message box.
struct Target {
    platform::DialogWindow* dialog = nullptr;
    MessageBoxShown* box = nullptr;
    bool closed = false;
};

struct Step {
    platform::Microseconds delay = 0;
    std::function<void(Target&)> act; // empty: a wait
    std::string what;
};

using Script = std::vector<Step>;

// A step the operator could not do, such as clicking a hidden button.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Step wait(int milliseconds);
// Clicks a visible, enabled push button.
Step click(int id);
// Sends the command of a control directly, as if it could be clicked.
Step command(int id);
// Types text into an edit field or a combo's edit field, replacing its text.
Step type(int id, CString text);
// Picks a list entry by index, or the first entry with exactly this text.
Step pick(int id, int index);
Step pickText(int id, CString text);
Step key(platform::Key key);
Step closeBox();
Step sysCommand(UINT id);
// OK: closes a message box, or clicks a dialog's OK button.
Step ok();
// Runs a check at this point of the script, with the dialog's object if any.
Step inspect(std::function<void(CWnd*)> check);

} // namespace sim
