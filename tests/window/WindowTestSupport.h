#pragma once
// What the window-layer tests share: reading controls through their messages, and
// a dialog on the main window's template whose timer ticks and button clicks the
// test decides.

#include "platform/drivers/sim/Session.h"
#include "platform/window/Dialog.h"
#include "platform/window/Wnd.h"
#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace wintest {

inline LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window, message, wParam, lParam);
}

inline LRESULT addString(HWND combo, const char* text) {
    return send(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

inline std::string text(HWND window) {
    std::string buffer(static_cast<std::size_t>(send(window, WM_GETTEXTLENGTH)) + 1, '\0');
    const LRESULT length =
        send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

inline void setText(HWND window, const char* value) {
    send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
}

inline std::vector<std::string> entries(HWND combo) {
    std::vector<std::string> all;
    const auto count = static_cast<WPARAM>(send(combo, CB_GETCOUNT));
    for (WPARAM i = 0; i < count; ++i) {
        std::string entry(static_cast<std::size_t>(send(combo, CB_GETLBTEXTLEN, i)) + 1, '\0');
        entry.resize(static_cast<std::size_t>(
            send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        all.push_back(entry);
    }
    return all;
}

inline int selection(HWND combo) {
    return static_cast<int>(send(combo, CB_GETCURSEL));
}

struct Tick {
    platform::Microseconds ms;
    UINT id;
    friend bool operator==(const Tick&, const Tick&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Tick& tick) {
    return out << "timer " << tick.id << " at " << tick.ms << " ms";
}

// A dialog on template 102 that records its ticks; what a tick or a click on
// "Start Download" does beyond that is up to the test.
class TimedDialog : public CDialog {
public:
    TimedDialog() : CDialog(IDD_DOWNLOAD_DIALOG) {}

    std::vector<Tick> ticks;
    std::function<void(UINT)> onTick;
    std::function<void()> onClick;

    void OnTimer(UINT id) {
        ticks.push_back({platform::clock().now() / 1000, id});
        if (onTick)
            onTick(id);
    }
    void OnClick() {
        if (onClick)
            onClick();
    }

protected:
    const platform::MessageMap* GetMessageMap() const override {
        static const platform::MessageMap map(
            CDialog::GetMessageMap(),
            {
                platform::onTimer(&TimedDialog::OnTimer),
                platform::onCommand(IDC_START_DOWNLOAD, &TimedDialog::OnClick),
            });
        return &map;
    }
};

inline platform::Microseconds nowMs() {
    return platform::clock().now() / 1000;
}

} // namespace wintest
