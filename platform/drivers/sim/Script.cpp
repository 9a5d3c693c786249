#include "platform/drivers/sim/Script.h"

#include "platform/window/ComboBox.h"
#include "platform/window/Wnd.h"

namespace sim {

namespace {

platform::DialogWindow& dialogOf(Target& target, const std::string& what) {
    if (!target.dialog)
        throw ScriptError(what + ": a message box is open, not a dialog");
    return *target.dialog;
}

platform::Window& controlOf(Target& target, int id, const std::string& what) {
    platform::Window* control = dialogOf(target, what).control(id);
    if (!control)
        throw ScriptError(what + ": the dialog has no control " + std::to_string(id));
    if (!control->isVisible() || !control->isEnabled())
        throw ScriptError(what + ": control " + std::to_string(id) + " is hidden or disabled");
    return *control;
}

platform::ComboBox& comboOf(Target& target, int id, const std::string& what) {
    platform::Window& control = controlOf(target, id, what);
    if (control.kind() != platform::WindowKind::ComboBox)
        throw ScriptError(what + ": control " + std::to_string(id) + " is no list");
    return static_cast<platform::ComboBox&>(control);
}

Step act(std::string what, std::function<void(Target&)> body) {
    return {0, std::move(body), std::move(what)};
}

} // namespace

Step wait(int milliseconds) {
    return {static_cast<platform::Microseconds>(milliseconds) * 1000,
            {},
            "wait " + std::to_string(milliseconds)};
}

Step click(int id) {
    const std::string what = "click " + std::to_string(id);
    return act(what, [id, what](Target& t) {
        platform::Window& button = controlOf(t, id, what);
        if (!platform::pushButton(button))
            throw ScriptError(what + ": control " + std::to_string(id) + " is no push button");
    });
}

Step command(int id) {
    return act("command " + std::to_string(id), [id](Target& t) {
        platform::DialogWindow& dialog = dialogOf(t, "command");
        SendMessageA(&dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.control(id)));
    });
}

Step type(int id, CString text) {
    const std::string what = "type into " + std::to_string(id);
    return act(what, [id, text, what](Target& t) {
        platform::Window& control = controlOf(t, id, what);
        if (control.kind() == platform::WindowKind::ComboBox)
            static_cast<platform::ComboBox&>(control).type(text);
        else if (control.kind() == platform::WindowKind::Edit && !(control.style() & ES_READONLY))
            control.setWindowText(text);
        else
            throw ScriptError(what + ": the control takes no typing");
    });
}

Step pick(int id, int index) {
    const std::string what = "pick entry " + std::to_string(index) + " of " + std::to_string(id);
    return act(what, [id, index, what](Target& t) {
        platform::ComboBox& list = comboOf(t, id, what);
        if (index < 0 || index >= static_cast<int>(list.items().size()))
            throw ScriptError(what + ": no such entry");
        list.pick(index);
    });
}

Step pickText(int id, CString text) {
    const std::string what = "pick \"" + text.str() + "\" in " + std::to_string(id);
    return act(what, [id, text, what](Target& t) {
        platform::ComboBox& list = comboOf(t, id, what);
        for (std::size_t i = 0; i < list.items().size(); ++i) {
            if (list.items()[i] == text) {
                list.pick(static_cast<int>(i));
                return;
            }
        }
        throw ScriptError(what + ": no such entry");
    });
}

Step key(platform::Key k) {
    return act("key", [k](Target& t) { dialogOf(t, "key").handleKey(k); });
}

Step closeBox() {
    return act("close box", [](Target& t) {
        if (t.box) {
            t.closed = true;
            return;
        }
        SendMessageA(&dialogOf(t, "close box"), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
}

Step sysCommand(UINT id) {
    return act("system command", [id](Target& t) {
        SendMessageA(&dialogOf(t, "system command"), WM_SYSCOMMAND, id, 0);
    });
}

Step ok() {
    return act("OK", [](Target& t) {
        if (t.box) {
            t.closed = true;
            return;
        }
        platform::Window& button = controlOf(t, IDOK, "OK");
        platform::pushButton(button);
    });
}

Step inspect(std::function<void(CWnd*)> check) {
    return act("inspect", [check](Target& t) { check(t.dialog ? t.dialog->owner() : nullptr); });
}

} // namespace sim
